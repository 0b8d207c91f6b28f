#include "engine/Layout.h"

namespace hv {
namespace {

// At the standard base units (6 x 13) the labels stand here.
constexpr std::array<SlotLabelPlace, 6> kStandardPlaces = {{
    {{40, 205}, {30, 470}, {130, 470}},
    {{40, 235}, {340, 470}, {440, 470}},
    {{40, 265}, {30, 500}, {130, 500}},
    {{40, 295}, {340, 500}, {440, 500}},
    {{40, 325}, {340, 530}, {440, 530}},
    {{40, 355}, {30, 530}, {130, 530}},
}};
constexpr BaseUnits kStandard;

// Rounded to the nearest pixel, as the dialog manager maps its units.
int Scaled(int value, int to, int from) { return (2 * value * to + from) / (2 * from); }

Point Carried(Point p, const BaseUnits& u) { return {Scaled(p.x, u.x, kStandard.x), Scaled(p.y, u.y, kStandard.y)}; }

}  // namespace

std::array<SlotLabelPlace, 6> SlotLabelPlaces(const BaseUnits& units) {
    std::array<SlotLabelPlace, 6> places{};
    if (units.x <= 0 || units.y <= 0) return kStandardPlaces;
    for (std::size_t i = 0; i < places.size(); ++i) {
        const SlotLabelPlace& s = kStandardPlaces[i];
        places[i] = {Carried(s.besideSelector, units), Carried(s.beforeOverview, units), Carried(s.colon, units)};
    }
    return places;
}

int ScaledHeight(int standardHeight, const BaseUnits& units) {
    return units.y > 0 ? Scaled(standardHeight, units.y, kStandard.y) : standardHeight;
}

}  // namespace hv
