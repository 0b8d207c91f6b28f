#include "engine/Fonts.h"

namespace hv {
namespace {

// Heights in pixels of the standard layout (base units 6 x 13). The fields'
// fonts: DEFAULT_CHARSET, OUT_STRING_PRECIS, CLIP_CHARACTER_PRECIS,
// DEFAULT_QUALITY.
FontSpec Arial(int standardHeight, int weight, const BaseUnits& units) {
    FontSpec spec;
    spec.height = ScaledHeight(standardHeight, units);
    spec.weight = weight;
    spec.charSet = 1;
    spec.outPrecision = 1;
    spec.clipPrecision = 1;
    spec.faceName = "Arial";
    return spec;
}

}  // namespace

MainWindowFonts MainWindowFontsFor(const BaseUnits& units) {
    MainWindowFonts f{Arial(70, 700, units), Arial(18, 670, units), Arial(16, 670, units), Arial(16, 400, units)};
    f.label.escapement = f.label.orientation = 1;
    f.label.charSet = 0;           // ANSI_CHARSET
    f.label.outPrecision = 7;      // OUT_TT_ONLY_PRECIS
    f.label.clipPrecision = 0x80;  // CLIP_EMBEDDED
    f.label.quality = 4;           // ANTIALIASED_QUALITY
    f.label.pitchAndFamily = 0x50; // FF_DECORATIVE | DEFAULT_PITCH
    return f;
}

}  // namespace hv
