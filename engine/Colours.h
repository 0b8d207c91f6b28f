#pragma once
// The windows' colours: white everywhere, black text, the clock in a warm
// red, the date line blue, the status line red; the slot labels green while
// their slot is active and red while it is not.
#include "model/Colour.h"

namespace hv {

constexpr Colour kWhite = RgbColour(255, 255, 255);
constexpr Colour kBlack = RgbColour(0, 0, 0);
constexpr Colour kClockColour = RgbColour(215, 56, 53);
constexpr Colour kDateColour = RgbColour(0, 0, 255);
constexpr Colour kStatusColour = RgbColour(255, 0, 0);
constexpr Colour kActiveLabelColour = RgbColour(46, 112, 36);
constexpr Colour kInactiveLabelColour = RgbColour(154, 43, 43);

// The colours the windows paint with: their own, or, while a high-contrast
// theme is on, the theme's (its background and text, its highlight for an
// active slot's label), in which every text stays readable.
struct Palette {
    Colour window = kWhite, text = kBlack, clock = kClockColour, date = kDateColour, status = kStatusColour;
    Colour activeLabel = kActiveLabelColour, inactiveLabel = kInactiveLabelColour;
    bool operator==(const Palette&) const = default;
};
struct ThemeColours {
    Colour window, windowText, highlight;  // COLOR_WINDOW, COLOR_WINDOWTEXT, COLOR_HIGHLIGHT
};
Palette PaletteFor(bool highContrast, const ThemeColours& theme);

// The answer to a control's colour question (WM_CTLCOLOR*), by its id (0 for
// the dialog itself) and kind (CTLCOLOR_MSGBOX 0 ... CTLCOLOR_STATIC 6).
struct ControlColours {
    bool windowBrush = false;  // the palette's background, else the default processing answers
    bool setText = false;      // text colour on the palette's background
    Colour text = kBlack;
    bool operator==(const ControlColours&) const = default;
};
ControlColours MainWindowColoursOf(int controlId, int kind, const Palette& palette);
// The label editor and the about window: text on the background.
ControlColours WhiteDialogColoursOf(int kind, const Palette& palette);

}  // namespace hv
