#include "ui/MainWindowColours.h"

#include "platform/Constants.h"
#include "res/resource.h"

namespace hv {

BrushHandle MainWindowColours(const DeviceContext& dc, int controlId, int kind, BrushHandle white) {
    auto paint = [&](Color text) {
        dc.SetTextColor(text);
        dc.SetBkColor(kWhite);
        return white;
    };
    switch (controlId) {
        case IDC_CLOCK: return paint(kClockColour);
        case IDC_DATE: return paint(kDateColour);
        case IDC_STATUS: return paint(kStatusColour);
        default: return WhiteDialogColours(dc, kind, white);
    }
}

BrushHandle WhiteDialogColours(const DeviceContext& dc, int kind, BrushHandle white) {
    switch (kind) {
        case ctlcolor::kEdit:
        case ctlcolor::kBtn:
        case ctlcolor::kStatic:
            dc.SetTextColor(kBlack);
            dc.SetBkColor(kWhite);
            return white;
        case ctlcolor::kDlg: return white;
        default: return BrushHandle();
    }
}

}  // namespace hv
