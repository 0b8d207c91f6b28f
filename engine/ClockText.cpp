#include "engine/ClockText.h"

namespace hv {
namespace {

// The value with at least `digits` digits, zeros in front (values here are
// never negative).
std::string Digits(int value, std::size_t digits) {
    std::string s = std::to_string(value);
    if (s.size() < digits) s.insert(0, digits - s.size(), '0');
    return s;
}

}  // namespace

std::string ClockText(const LocalTime& t) {
    return " " + Digits(t.hour, 2) + ":" + Digits(t.minute, 2) + ":" + Digits(t.second, 2) + " ";
}

std::string DateLine(const LocalTime& t) {
    const bool known = t.dayOfWeek >= 1 && t.dayOfWeek <= 7;
    return std::string(known ? kWeekdayNames[static_cast<std::size_t>(t.dayOfWeek)] : "") + ", " + Digits(t.day, 2) +
           "." + Digits(t.month, 2) + "." + Digits(t.year, 4);
}

}  // namespace hv
