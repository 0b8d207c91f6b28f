#pragma once
// When the next ring is due, for a timer that wakes the computer from sleep:
// the earliest time an armed alarm's time of day comes on the local clock,
// or the counting countdown's end.
#include <cstdint>
#include <optional>
#include <string>

#include "engine/MainModel.h"
#include "engine/Tick.h"

namespace hv {

// The first wall-clock second after `now` whose local time reaches `local`
// (in local seconds): a time that summer time skips is reached at the first
// second after the skip, one that its end repeats at its first showing.
// Assumes local time is behind `local` at `now`, and at most one change of
// the offset in any day (as every zone has).
std::int64_t FirstSecondReaching(std::int64_t local, std::int64_t now, const LocalTimeOf& toLocal);

// As wall-clock milliseconds since 1970; none while nothing is armed or
// counting. The seconds the last tick examined are behind; a paused or
// ringing countdown is not due.
std::optional<std::int64_t> NextRingDue(const MainModel& m, std::int64_t wallMs, std::int64_t monoMs,
                                        const LocalTimeOf& toLocal);

// What the wake timer is set to: the next ring, unless the user turned waking off.
std::optional<std::int64_t> WakeDue(const MainModel& m, std::int64_t wallMs, std::int64_t monoMs,
                                    const LocalTimeOf& toLocal);

// The per-user registry value: missing or unreadable means on, because
// waking people is the program's job.
bool WakeForAlarmOf(const std::optional<std::string>& storedDword);
constexpr const char* kWakeForAlarmValue = "WakeForAlarm";

}  // namespace hv
