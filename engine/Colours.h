#pragma once
// The windows' colours: white everywhere, black text, the clock in a warm
// red, the date line blue, the status line red; the slot labels green while
// their slot is active and red while it is not.
#include <cstdint>

namespace hv {

using Colour = std::uint32_t;  // 0x00BBGGRR, as GDI takes it
constexpr Colour RgbColour(unsigned r, unsigned g, unsigned b) { return r | (g << 8) | (b << 16); }

constexpr Colour kWhite = RgbColour(255, 255, 255);
constexpr Colour kBlack = RgbColour(0, 0, 0);
constexpr Colour kClockColour = RgbColour(215, 56, 53);
constexpr Colour kDateColour = RgbColour(0, 0, 255);
constexpr Colour kStatusColour = RgbColour(255, 0, 0);
constexpr Colour kActiveLabelColour = RgbColour(46, 112, 36);
constexpr Colour kInactiveLabelColour = RgbColour(154, 43, 43);

// The answer to a control's colour question (WM_CTLCOLOR*), by its id (0 for
// the dialog itself) and kind (CTLCOLOR_MSGBOX 0 ... CTLCOLOR_STATIC 6).
struct ControlColours {
    bool whiteBrush = false;  // else the default processing answers
    bool setText = false;     // text colour and a white text background
    Colour text = kBlack;
};
ControlColours MainWindowColoursOf(int controlId, int kind);
// The label editor and the about window: black on white.
ControlColours WhiteDialogColoursOf(int kind);

}  // namespace hv
