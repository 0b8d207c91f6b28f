#include "engine/Occurrence.h"

namespace hv {
namespace {

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

// Days from 1970-01-01 of a date of the proleptic Gregorian calendar.
std::int64_t DaysOf(std::int64_t y, int m, int d) {
    y -= m <= 2;
    const std::int64_t era = FloorDiv(y, 400);
    const std::int64_t yearOfEra = y - era * 400;
    const std::int64_t dayOfYear = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

}  // namespace

std::int64_t LocalSeconds(const LocalTime& t) {
    return DaysOf(t.year, t.month, t.day) * 86400 + (t.hour * 60 + t.minute) * 60 + t.second;
}

Occurrences OccurrencesIn(int target, std::int64_t after, std::int64_t upTo) {
    if (upTo <= after) return {};
    // The target's times are target + 86400 n; count those in (after, upTo].
    const std::int64_t count = FloorDiv(upTo - target, 86400) - FloorDiv(after - target, 86400);
    return {count, upTo - (((upTo - target) % 86400) + 86400) % 86400};
}

}  // namespace hv
