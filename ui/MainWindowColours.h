#pragma once
// The windows' answers to WM_CTLCOLOR*: the colours engine/Colours decides,
// set on the control's device context, and the background brush.
#include "engine/Colours.h"
#include "platform/Gdi.h"

namespace hv {

BrushHandle AnswerColours(const DeviceContext& dc, const ControlColours& c, const Palette& palette, BrushHandle window);
// The palette for the theme in force now.
Palette SystemPalette();

}  // namespace hv
