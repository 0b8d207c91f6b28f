#include "engine/Colours.h"

#include "res/resource.h"

namespace hv {
namespace {
constexpr int kEdit = 1, kBtn = 3, kDlg = 4, kStatic = 6;
}  // namespace

Palette PaletteFor(bool highContrast, const ThemeColours& theme) {
    if (!highContrast) return {};
    const Colour text = theme.windowText;
    return {theme.window, text, text, text, text, theme.highlight, text};
}

ControlColours MainWindowColoursOf(int controlId, int kind, const Palette& palette) {
    switch (controlId) {
        case IDC_CLOCK: return {true, true, palette.clock};
        case IDC_DATE: return {true, true, palette.date};
        case IDC_STATUS: return {true, true, palette.status};
        default: return WhiteDialogColoursOf(kind, palette);
    }
}

ControlColours WhiteDialogColoursOf(int kind, const Palette& palette) {
    switch (kind) {
        case kEdit:
        case kBtn:
        case kStatic: return {true, true, palette.text};
        case kDlg: return {true, false, palette.text};
        default: return {};
    }
}

}  // namespace hv
