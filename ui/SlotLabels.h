#pragma once
// The six slot labels the main window draws itself: beside each slot's
// selector button and before its overview field (with a colon), green while
// the slot is active and red while it is not. The positions are fixed pixels
// of the client area, for the dialog layout at its 8-point font.
#include <array>
#include <string>

#include "engine/Colours.h"
#include "model/SettingsRecord.h"
#include "platform/Gdi.h"

namespace hv {


struct Point {
    int x = 0, y = 0;
};

struct SlotLabelPlace {
    Point besideSelector;
    Point beforeOverview;
    Point colon;
};

// Alarm 1 to 4, countdown, stopwatch.
constexpr std::array<SlotLabelPlace, kLabelCount> kSlotLabelPlaces = {{
    {{40, 205}, {30, 470}, {130, 470}},
    {{40, 235}, {340, 470}, {440, 470}},
    {{40, 265}, {30, 500}, {130, 500}},
    {{40, 295}, {340, 500}, {440, 500}},
    {{40, 325}, {340, 530}, {440, 530}},
    {{40, 355}, {30, 530}, {130, 530}},
}};

// Arial 16, normal weight, antialiased, tilted by a tenth of a degree.
FontSpec LabelFontSpec();

// Draws the labels onto `dc`; the font is created, selected and freed here.
void DrawSlotLabels(const DeviceContext& dc, const std::array<std::string, kLabelCount>& labels,
                    const std::array<bool, kLabelCount>& active);

}  // namespace hv
