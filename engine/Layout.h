#pragma once
// Where the window draws what is not a control, and how large its own fonts
// are, for the layout the dialog really got: its base units (the dialog
// font in pixels, which carries the DPI) and the DPI itself.
#include <array>

namespace hv {

struct Point {
    int x = 0, y = 0;
    bool operator==(const Point&) const = default;
};

struct SlotLabelPlace {
    Point besideSelector;
    Point beforeOverview;
    Point colon;
    bool operator==(const SlotLabelPlace&) const = default;
};

// The dialog's horizontal and vertical base units (MapDialogRect of 4 x 8
// dialog units): 6 x 13 for "MS Shell Dlg" at 96 DPI on Windows.
struct BaseUnits {
    int x = 6, y = 13;
};

// The six slot labels' places in client pixels, alarm 1 to 4, countdown,
// stopwatch: the standard layout's pixels carried to these base units, so
// that each label keeps its place beside its selector and before its
// overview field in whatever font and at whatever scaling the dialog got.
std::array<SlotLabelPlace, 6> SlotLabelPlaces(const BaseUnits& units);

// A font height given for the standard layout, for these base units: the
// window's own fonts keep their size beside the controls in any dialog font
// and at any scaling.
int ScaledHeight(int standardHeight, const BaseUnits& units);

}  // namespace hv
