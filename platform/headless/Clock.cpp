// The clocks of the model. Local time is UTC plus a fixed offset: the fake
// zone has no daylight saving.
#include "platform/Services.h"
#include "platform/headless/WorldImpl.h"

namespace hv {
using headless::State;

namespace {

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

}  // namespace

std::int64_t WallClockMilliseconds() {
    auto& s = State();
    std::lock_guard<std::mutex> g(s.lock);
    return s.wallMs;
}

std::int64_t WallClockSeconds() { return FloorDiv(WallClockMilliseconds(), 1000); }

// Civil date from days since 1970-01-01 in the proleptic Gregorian calendar,
// counted in 400-year eras that begin on 1 March, so the leap day comes last.
LocalTime ToLocalTime(std::int64_t epochSeconds) {
    std::int64_t offset = 0;
    {
        auto& s = State();
        std::lock_guard<std::mutex> g(s.lock);
        offset = s.utcOffset;
    }
    const std::int64_t local = epochSeconds + offset;
    const std::int64_t days = FloorDiv(local, 86400);
    const std::int64_t secondOfDay = local - days * 86400;

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

std::int64_t MonotonicMilliseconds() { return State().Monotonic(); }

}  // namespace hv
