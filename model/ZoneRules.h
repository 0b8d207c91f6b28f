#pragma once
// The machine's zone in the form Windows gives it for one year
// (TIME_ZONE_INFORMATION), and the local time of a moment under it.
#include <cstdint>

#include "model/LocalTime.h"

namespace hv {

// A change between standard and daylight time, laid out as Windows' SYSTEMTIME.
// month 0: no change. year 0: every year, on the day-th (1-4, 5 = last)
// dayOfWeek (0 = Sunday) of the month; otherwise once, on that date. The time
// is local: standard time for the change into daylight time, daylight time
// for the change back. Windows writes a change "at midnight" as 23:59:59.999.
struct ZoneChange {
    std::uint16_t year = 0, month = 0, dayOfWeek = 0, day = 0;
    std::uint16_t hour = 0, minute = 0, second = 0, milliseconds = 0;
};

// Minutes, UTC = local + bias; standardBias and daylightBias are added to
// bias while their time is in force, and count only with both changes given.
struct ZoneRules {
    std::int32_t bias = 0, standardBias = 0, daylightBias = 0;
    ZoneChange standardDate, daylightDate;
};

// The local calendar fields of seconds since 1970 UTC, under the rules of the
// local year (they are taken to hold for the years beside it too). Moments
// outside 1601-01-01 to 30827-12-31 UTC count as the nearer end.
LocalTime LocalFromUtc(std::int64_t epochSeconds, const ZoneRules& rules);

}  // namespace hv
