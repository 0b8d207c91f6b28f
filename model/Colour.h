#pragma once
// A colour as GDI takes it (a COLORREF): 0x00BBGGRR. The one colour type of
// the decisions and of the platform's painting.
#include <cstdint>

namespace hv {

using Colour = std::uint32_t;
constexpr Colour RgbColour(unsigned r, unsigned g, unsigned b) { return r | (g << 8) | (b << 16); }

}  // namespace hv
