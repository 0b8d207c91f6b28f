#include "engine/Countdown.h"

#include <algorithm>

#include "model/Calendar.h"

namespace hv {

std::int64_t SecondsToCountOff(std::optional<std::int64_t>& countedUpToMs, std::optional<std::int64_t> startedMs,
                               std::int64_t nowMs) {
    if (!countedUpToMs) {
        countedUpToMs = nowMs;
        if (!startedMs) return 1;
        // Rounded up: the end stays within the last second before N.
        const std::int64_t late = nowMs - *startedMs - kEarlyTickToleranceMs;
        const std::int64_t n = std::max<std::int64_t>(1, late <= 0 ? 0 : (late + 999) / 1000);
        // Counted on from the start's phase, not the late tick's: the rest
        // would end up to a second after N.
        if (n > 1) countedUpToMs = *startedMs + (n - 1) * 1000 + kEarlyTickToleranceMs;
        return n;
    }
    // Never negative: a nested tick may already have counted past an outer
    // one that reads the clock later.
    const std::int64_t n = std::max<std::int64_t>((nowMs - *countedUpToMs + kEarlyTickToleranceMs) / 1000, 0);
    *countedUpToMs += n * 1000;
    return n;
}

CountdownTime CountOff(const CountdownTime& t, std::int64_t seconds) {
    if (seconds <= 0) return t;
    const std::int64_t total = std::int64_t{t.hours} * 3600 + std::int64_t{t.minutes} * 60 + t.seconds;
    const std::int64_t left = std::max<std::int64_t>(total - seconds, 0);
    const HoursMinutesSeconds split = SplitSeconds(left);
    return {split.hours, split.minutes, split.seconds};
}

}  // namespace hv
