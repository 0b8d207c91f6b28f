#include "engine/Colours.h"

#include "res/resource.h"

namespace hv {
namespace {
constexpr int kEdit = 1, kBtn = 3, kDlg = 4, kStatic = 6;
}  // namespace

ControlColours MainWindowColoursOf(int controlId, int kind) {
    switch (controlId) {
        case IDC_CLOCK: return {true, true, kClockColour};
        case IDC_DATE: return {true, true, kDateColour};
        case IDC_STATUS: return {true, true, kStatusColour};
        default: return WhiteDialogColoursOf(kind);
    }
}

ControlColours WhiteDialogColoursOf(int kind) {
    switch (kind) {
        case kEdit:
        case kBtn:
        case kStatic: return {true, true, kBlack};
        case kDlg: return {true, false, kBlack};
        default: return {};
    }
}

}  // namespace hv
