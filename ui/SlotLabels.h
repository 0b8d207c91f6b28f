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

// Draws the labels onto `dc` at their places; the font is created, selected
// and freed here.
void DrawSlotLabels(const DeviceContext& dc, const std::array<std::string, kLabelCount>& labels,
                    const std::array<bool, kLabelCount>& active, const std::array<SlotLabelPlace, 6>& places,
                    const FontSpec& fontSpec, const Palette& palette);

}  // namespace hv
