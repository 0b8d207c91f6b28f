#include "ui/MainWindowColours.h"

namespace hv {

BrushHandle AnswerColours(const DeviceContext& dc, const ControlColours& c, const Palette& palette, BrushHandle window) {
    if (c.setText) {
        dc.SetTextColor(c.text);
        dc.SetBkColor(palette.window);
    }
    return c.windowBrush ? window : BrushHandle();
}

Palette SystemPalette() {
    constexpr int kWindow = 5, kWindowText = 8, kHighlight = 13;  // COLOR_*
    return PaletteFor(HighContrastOn(), {SysColour(kWindow), SysColour(kWindowText), SysColour(kHighlight)});
}

}  // namespace hv
