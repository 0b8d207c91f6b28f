#pragma once
// The Arial fonts of the main window's clock, date/status and overview fields.
#include "platform/Gdi.h"

namespace hv {

constexpr int kClockFontHeight = 70, kClockFontWeight = 700;
constexpr int kDateFontHeight = 18, kDateFontWeight = 670;
constexpr int kOverviewFontHeight = 16, kOverviewFontWeight = 670;
constexpr int kLabelFontHeight = 16;
// Heights are pixels of the standard layout (base units 6 x 13).

// Arial with a positive cell height, DEFAULT_CHARSET, OUT_STRING_PRECIS,
// CLIP_CHARACTER_PRECIS, DEFAULT_QUALITY.
inline FontSpec ArialFieldFont(int height, int weight) {
    FontSpec spec;
    spec.height = height;
    spec.weight = weight;
    spec.charSet = 1;
    spec.outPrecision = 1;
    spec.clipPrecision = 1;
    spec.quality = 0;
    spec.pitchAndFamily = 0;
    spec.faceName = "Arial";
    return spec;
}

}  // namespace hv
