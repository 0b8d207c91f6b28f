// The clocks of the model: a monotonic clock that only the loop moves, and a
// wall clock that follows it at its own rate and can be set. Local time
// follows the zone's daylight-saving rule, as Windows converts it.
#include "platform/Services.h"
#include "platform/headless/WorldImpl.h"

namespace hv {
using headless::State;

namespace {

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

// Days since 1970-01-01 of a date in the proleptic Gregorian calendar,
// counted in 400-year eras that begin on 1 March, so the leap day comes last.
std::int64_t DaysFromCivil(std::int64_t y, int m, int d) {
    y -= m <= 2;
    const std::int64_t era = FloorDiv(y, 400);
    const std::int64_t yearOfEra = y - era * 400;
    const std::int64_t dayOfYear = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

LocalTime CivilFromSeconds(std::int64_t seconds) {
    const std::int64_t days = FloorDiv(seconds, 86400);
    const std::int64_t secondOfDay = seconds - days * 86400;
    const std::int64_t shifted = days + 719468;  // days from 0000-03-01
    const std::int64_t era = FloorDiv(shifted, 146097);
    const std::int64_t dayOfEra = shifted - era * 146097;
    const std::int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t monthIndex = (5 * dayOfYear + 2) / 153;  // 0 = March
    LocalTime t;
    t.day = static_cast<int>(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
    t.month = static_cast<int>(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
    t.year = static_cast<int>(yearOfEra + era * 400 + (t.month <= 2 ? 1 : 0));
    t.hour = static_cast<int>(secondOfDay / 3600);
    t.minute = static_cast<int>(secondOfDay / 60 % 60);
    t.second = static_cast<int>(secondOfDay % 60);
    // 1970-01-01 was a Thursday, day 5 when Sunday is day 1.
    t.dayOfWeek = static_cast<int>((days % 7 + 7 + 4) % 7 + 1);
    return t;
}

// 01:00 UTC of the last Sunday of a month (31 days long: March, October).
std::int64_t LastSundayAt0100Utc(int year, int month) {
    const std::int64_t last = DaysFromCivil(year, month, 31);
    const std::int64_t weekday = ((last % 7) + 7 + 4) % 7;  // 0 = Sunday
    return (last - weekday) * 86400 + 3600;
}

}  // namespace

std::int64_t WallClockMilliseconds() {
    auto& s = State();
    std::lock_guard<std::mutex> g(s.lock);
    return FloorDiv(s.WallUs(), 1000);
}

std::int64_t WallClockSeconds() { return FloorDiv(WallClockMilliseconds(), 1000); }

LocalTime ToLocalTime(std::int64_t epochSeconds) {
    headless::TimeZone zone;
    {
        auto& s = State();
        std::lock_guard<std::mutex> g(s.lock);
        zone = s.zone;
    }
    std::int64_t offset = zone.standardOffsetSeconds;
    if (zone.euDaylightSaving) {
        const int year = CivilFromSeconds(epochSeconds).year;
        if (epochSeconds >= LastSundayAt0100Utc(year, 3) && epochSeconds < LastSundayAt0100Utc(year, 10)) offset += 3600;
    }
    return CivilFromSeconds(epochSeconds + offset);
}

std::int64_t MonotonicMilliseconds() { return FloorDiv(State().MonotonicUs(), 1000); }

namespace headless {

std::int64_t World::Impl::WallUs() {
    return wallBaseUs + (monoUs - wallBaseMonoUs) * (1000000 + wallRatePpm) / 1000000;
}

std::int64_t World::Impl::MonotonicUs() {
    std::lock_guard<std::mutex> g(lock);
    return monoUs;
}

std::int64_t World::Impl::CeilToTick(std::int64_t us) { return -FloorDiv(-us, kTickUs) * kTickUs; }

void World::SetWallClockMs(std::int64_t utcMs) {
    std::lock_guard<std::mutex> l(m_impl->lock);
    m_impl->wallBaseUs = utcMs * 1000;
    m_impl->wallBaseMonoUs = m_impl->monoUs;
}

std::int64_t World::WallClockMs() const { return WallClockMilliseconds(); }

void World::SetWallClockRatePpm(int ppm) {
    std::lock_guard<std::mutex> l(m_impl->lock);
    m_impl->wallBaseUs = m_impl->WallUs();
    m_impl->wallBaseMonoUs = m_impl->monoUs;
    m_impl->wallRatePpm = ppm;
}

void World::SetTimeZone(TimeZone zone) {
    std::lock_guard<std::mutex> l(m_impl->lock);
    m_impl->zone = zone;
}

std::int64_t World::MonotonicMs() const { return MonotonicMilliseconds(); }

}  // namespace headless
}  // namespace hv
