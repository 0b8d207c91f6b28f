#pragma once
// The countdown's arithmetic: how many seconds a tick counts off, measured on
// the monotonic clock, and counting them off the remaining hours, minutes and
// seconds. Counting ticks instead would run slow by every late or merged
// timer message; a clock that is set changes nothing here.
#include <cstdint>
#include <optional>

namespace hv {

struct CountdownTime {
    std::int32_t hours = 0, minutes = 0, seconds = 0;
    bool IsZero() const { return hours == 0 && minutes == 0 && seconds == 0; }
};

// A tick may come this much before the next whole second is up and still
// count it: ticks follow the wall clock's second, which drifts a little
// against the monotonic one.
constexpr std::int64_t kEarlyTickToleranceMs = 200;

// The whole seconds that a tick at `nowMs` counts off. The first tick after
// a start or resume at `startedMs` (no `countedUpToMs` yet) counts one, so a
// countdown of N seconds ends between N - 1 and N seconds after it began;
// when that tick came late (the loop was busy), it counts the further
// seconds passed since too. Each later tick counts the seconds that have
// passed since, and moves `countedUpToMs` on.
std::int64_t SecondsToCountOff(std::optional<std::int64_t>& countedUpToMs, std::optional<std::int64_t> startedMs,
                               std::int64_t nowMs);

// `t` less `seconds`, borrowing as a clock does (minutes and seconds of the
// result lie in 0..59); never below zero.
CountdownTime CountOff(const CountdownTime& t, std::int64_t seconds);

}  // namespace hv
