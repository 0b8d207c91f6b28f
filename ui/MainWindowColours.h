#pragma once
// The main window's colours: white everywhere, black text, the clock in a
// warm red, the date line blue, the status line red.
#include "platform/Gdi.h"

namespace hv {

constexpr Color kWhite = Rgb(255, 255, 255);
constexpr Color kBlack = Rgb(0, 0, 0);
constexpr Color kClockColour = Rgb(215, 56, 53);
constexpr Color kDateColour = Rgb(0, 0, 255);
constexpr Color kStatusColour = Rgb(255, 0, 0);

// The answer to WM_CTLCOLOR* for a control id (0 for the dialog itself) and
// kind: sets the text colours on `dc` and returns the brush, or no brush to
// leave the colours to the default processing.
BrushHandle MainWindowColours(const DeviceContext& dc, int controlId, int kind, BrushHandle white);
// The same for the label editor and the about window: black on white.
BrushHandle WhiteDialogColours(const DeviceContext& dc, int kind, BrushHandle white);

}  // namespace hv
