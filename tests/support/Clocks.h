#pragma once
// Calendar arithmetic, and local time in Berlin and the Azores.
#include <cstdint>
#include <ctime>

#include "model/LocalTime.h"

namespace hvtest {

// Seconds since 1970 of a UTC date and time, and the calendar fields of such
// seconds with no zone applied.
inline std::int64_t EpochOf(int y, int mo, int d, int h, int mi, int s) {
    std::tm t{};
    t.tm_year = y - 1900, t.tm_mon = mo - 1, t.tm_mday = d, t.tm_hour = h, t.tm_min = mi, t.tm_sec = s;
    return timegm(&t);
}
inline hv::LocalTime CivilTime(std::int64_t s) {
    std::tm t{};
    const std::time_t at = static_cast<std::time_t>(s);
    gmtime_r(&at, &t);
    return {t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec, t.tm_wday + 1};
}

using Zone = hv::LocalTime (*)(std::int64_t);

// The EU rule: summer time from 01:00 UTC on the last Sunday of March to
// 01:00 UTC on the last Sunday of October, an hour ahead of the standard
// offset (in seconds east of UTC).
inline std::int64_t LastSundayOneUtc(int year, int month) {
    const std::int64_t last = EpochOf(year, month, 31, 1, 0, 0);
    return last - (CivilTime(last).dayOfWeek - 1) * 86400;
}
inline hv::LocalTime EuZoneTime(std::int64_t s, std::int64_t standardOffset) {
    const int y = CivilTime(s).year;
    const bool summer = s >= LastSundayOneUtc(y, 3) && s < LastSundayOneUtc(y, 10);
    return CivilTime(s + standardOffset + (summer ? 3600 : 0));
}
// Europe/Berlin: 01:59:59 to 03:00:00 in spring, 02:00-02:59 twice in autumn.
inline hv::LocalTime BerlinTime(std::int64_t s) { return EuZoneTime(s, 3600); }
// Atlantic/Azores, whose spring skip crosses midnight (Saturday 23:59:59 to
// Sunday 01:00:00) and whose autumn repeats 00:00-00:59.
inline hv::LocalTime AzoresTime(std::int64_t s) { return EuZoneTime(s, -3600); }

}  // namespace hvtest
