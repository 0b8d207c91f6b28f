#pragma once
// Calendar arithmetic, Berlin's local time, and a window timer delivered as
// Windows delivers it.
#include <algorithm>
#include <cstdint>
#include <ctime>
#include <random>

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

// A window timer: due on the first 15.625 ms clock tick at or after the
// time asked for, its message taken 0-16 ms later, and held back while the
// loop is busy (a busy spell delivers one message at its end). In µs.
class WindowsTimer {
public:
    explicit WindowsTimer(std::uint64_t seed) : m_random(seed) {}
    void Arm(std::int64_t nowUs, std::int64_t periodMs) {
        const std::int64_t due = nowUs + periodMs * 1000;
        m_dueUs =
            (due + kTickUs - 1) / kTickUs * kTickUs + std::uniform_int_distribution<std::int64_t>(0, 16000)(m_random);
    }
    void BusyUntil(std::int64_t us) { m_busyUntilUs = std::max(m_busyUntilUs, us); }
    bool Busy(std::int64_t nowUs) const { return nowUs < m_busyUntilUs; }
    std::int64_t NextDeliveryUs() const { return std::max(m_dueUs, m_busyUntilUs); }

private:
    static constexpr std::int64_t kTickUs = 15625;
    std::mt19937_64 m_random;
    std::int64_t m_dueUs = 0, m_busyUntilUs = 0;
};

}  // namespace hvtest
