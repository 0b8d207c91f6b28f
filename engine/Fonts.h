#pragma once
// The main window's own fonts, all Arial, at the dialog's base units: a
// screen scaled to 150 % gets them half as tall again.
#include "engine/Layout.h"
#include "model/FontSpec.h"

namespace hv {

struct MainWindowFonts {
    FontSpec clock;     // 70 pixels of the standard layout, bold
    FontSpec date;      // the date line and the status line
    FontSpec overview;  // the six overview fields
    FontSpec label;     // the drawn slot labels: normal, antialiased, a tenth of a degree tilted
};
MainWindowFonts MainWindowFontsFor(const BaseUnits& units);

}  // namespace hv
