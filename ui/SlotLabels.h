#pragma once
// The six slot labels the main window draws itself: beside each slot's
// selector button and before its overview field (with a colon), green while
// the slot is active and red while it is not, at the places the dialog's
// layout gives them.
#include <array>
#include <string>

#include "engine/Colours.h"
#include "engine/Layout.h"
#include "model/SettingsRecord.h"
#include "platform/Gdi.h"

namespace hv {

// Arial of `height` pixels (16 at 96 DPI), normal weight, antialiased,
// tilted by a tenth of a degree.
FontSpec LabelFontSpec(int height);

// Draws the labels onto `dc` at their places; the font is created, selected
// and freed here.
void DrawSlotLabels(const DeviceContext& dc, const std::array<std::string, kLabelCount>& labels,
                    const std::array<bool, kLabelCount>& active, const std::array<SlotLabelPlace, 6>& places,
                    int fontHeight, const Palette& palette);

}  // namespace hv
