#include "model/ZoneRules.h"

#include <algorithm>
#include <limits>

#include "model/Calendar.h"

namespace hv {
namespace {

// Windows' own range of dates; inside it no sum below can overflow.
constexpr std::int64_t kFirstSecond = -11644473600;  // 1601-01-01 00:00:00 UTC
constexpr std::int64_t kLastSecond = 910670515199;   // 30827-12-31 23:59:59 UTC

// 0 = Sunday; 1970-01-01 was a Thursday.
int WeekdayOf(std::int64_t days) { return static_cast<int>(FloorMod(days + 4, 7)); }
int DaysInMonth(std::int64_t y, int m) { return static_cast<int>(DaysOf(y + (m == 12), m % 12 + 1, 1) - DaysOf(y, m, 1)); }

bool Valid(const ZoneChange& c) {
    if (c.month < 1 || c.month > 12 || c.hour > 23 || c.minute > 59 || c.second > 59 || c.milliseconds > 999)
        return false;
    if (c.year == 0) return c.dayOfWeek <= 6 && c.day >= 1 && c.day <= 5;
    return c.day >= 1 && c.day <= DaysInMonth(c.year, c.month);
}

// The moment of a change in year y (a dated change keeps its own year), in
// ms since 1970 UTC; bias is the one in force before it.
std::int64_t ChangeMs(const ZoneChange& c, std::int64_t y, std::int64_t bias) {
    std::int64_t day = 0;
    if (c.year != 0) {
        day = DaysOf(c.year, c.month, c.day);
    } else {
        const std::int64_t first = DaysOf(y, c.month, 1);
        day = first + FloorMod(c.dayOfWeek - WeekdayOf(first), 7) + 7 * (c.day - 1);
        if (day >= first + DaysInMonth(y, c.month)) day -= 7;  // 5: the last, when there are four
    }
    return (((day * 24 + c.hour) * 60 + c.minute + bias) * 60 + c.second) * 1000 + c.milliseconds;
}

// The bias in force at a moment: the one set by the latest change at or
// before it, in the year of its local standard time or the next (a change
// back at New Year's midnight lies in the next). Before all of them, as in
// the south's summer, the opposite of the earliest holds.
std::int64_t BiasAt(std::int64_t seconds, const ZoneRules& r) {
    if (!Valid(r.standardDate) || !Valid(r.daylightDate)) return r.bias;
    const std::int64_t standard = std::int64_t{r.bias} + r.standardBias;
    const std::int64_t daylight = std::int64_t{r.bias} + r.daylightBias;
    const std::int64_t ms = seconds * 1000;
    LocalTime t;
    SetDate(FloorDiv(seconds - standard * 60, 86400), t);
    bool found = false;
    std::int64_t latest = 0, latestBias = 0;
    std::int64_t earliest = std::numeric_limits<std::int64_t>::max(), earliestBias = 0;
    for (std::int64_t y = t.year; y <= t.year + 1; ++y) {
        for (const bool intoDaylight : {true, false}) {
            const std::int64_t at =
                intoDaylight ? ChangeMs(r.daylightDate, y, standard) : ChangeMs(r.standardDate, y, daylight);
            if (at <= ms && (!found || at >= latest)) found = true, latest = at, latestBias = intoDaylight ? daylight : standard;
            if (at < earliest) earliest = at, earliestBias = intoDaylight ? standard : daylight;
        }
    }
    return found ? latestBias : earliestBias;
}

}  // namespace

LocalTime LocalFromUtc(std::int64_t epochSeconds, const ZoneRules& rules) {
    const std::int64_t utc = std::clamp(epochSeconds, kFirstSecond, kLastSecond);
    const std::int64_t local = utc - BiasAt(utc, rules) * 60;
    const std::int64_t days = FloorDiv(local, 86400);
    const std::int64_t second = local - days * 86400;
    LocalTime t;
    SetDate(days, t);
    const HoursMinutesSeconds split = SplitSeconds(second);
    t.hour = split.hours, t.minute = split.minutes, t.second = split.seconds;
    t.dayOfWeek = WeekdayOf(days) + 1;
    return t;
}

}  // namespace hv
