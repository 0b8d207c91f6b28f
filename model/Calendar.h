#pragma once
// Calendar arithmetic on the proleptic Gregorian calendar, in whole days and
// seconds since 1970-01-01, rounding towards minus infinity so that moments
// before 1970 count as well.
#include <cstdint>

#include "model/LocalTime.h"

namespace hv {

constexpr std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}
constexpr std::int64_t FloorMod(std::int64_t a, std::int64_t b) { return a - FloorDiv(a, b) * b; }

// Whole seconds, not negative, as hours, minutes and seconds: the one split
// of the clock, the countdown, the stopwatch and the tray tip.
struct HoursMinutesSeconds {
    std::int32_t hours = 0, minutes = 0, seconds = 0;
};
constexpr HoursMinutesSeconds SplitSeconds(std::int64_t s) {
    return {static_cast<std::int32_t>(s / 3600), static_cast<std::int32_t>(s / 60 % 60), static_cast<std::int32_t>(s % 60)};
}

// Days from 1970-01-01 of a date.
constexpr std::int64_t DaysOf(std::int64_t y, int m, int d) {
    y -= m <= 2;
    const std::int64_t era = FloorDiv(y, 400);
    const std::int64_t yearOfEra = y - era * 400;
    const std::int64_t dayOfYear = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    return era * 146097 + yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear - 719468;
}

// The date of a day counted from 1970-01-01, into `t`.
constexpr void SetDate(std::int64_t days, LocalTime& t) {
    const std::int64_t z = days + 719468;
    const std::int64_t era = FloorDiv(z, 146097);
    const std::int64_t dayOfEra = z - era * 146097;
    const std::int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t mp = (5 * dayOfYear + 2) / 153;
    t.day = static_cast<int>(dayOfYear - (153 * mp + 2) / 5 + 1);
    t.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    t.year = static_cast<int>(yearOfEra + era * 400 + (t.month <= 2));
}

// A local time as seconds of the local calendar: the hour that summer time
// skips is a jump in this count, the repeated hour a step back, wherever
// midnight falls.
constexpr std::int64_t LocalSeconds(const LocalTime& t) {
    return DaysOf(t.year, t.month, t.day) * 86400 + (t.hour * 60 + t.minute) * 60 + t.second;
}

}  // namespace hv
