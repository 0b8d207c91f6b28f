#include "ui/MainWindowColours.h"

namespace hv {

BrushHandle AnswerColours(const DeviceContext& dc, const ControlColours& c, BrushHandle white) {
    if (c.setText) {
        dc.SetTextColor(c.text);
        dc.SetBkColor(kWhite);
    }
    return c.whiteBrush ? white : BrushHandle();
}

}  // namespace hv
