#pragma once
// The main window's two timers as decisions: the one-second tick (clock and
// date, alarms, the countdown, the full hour) and the display tick of the
// running stopwatch.
#include <array>
#include <cstdint>
#include <functional>
#include <optional>

#include "engine/Effects.h"
#include "model/LocalTime.h"
#include "engine/MainModel.h"
#include "model/SettingsFile.h"

namespace hv {

using LocalTimeOf = std::function<LocalTime(std::int64_t epochSeconds)>;

// The one-second timer is set to fall due this long after the next
// wall-clock second begins, so that it never reads the second before.
constexpr std::int64_t kSecondTickMarginMs = 5;

// An alarm's target as a second of the day, -1 for texts that are not a time.
int TargetSecond(const AlarmSlot& a);

// How long until the one-second timer should fall due, at `wallMs`.
std::int64_t UntilNextTickMs(std::int64_t wallMs);

struct TickResult {
    Effects effects;
    std::int64_t nextTickInMs = 1000;  // the one-second timer's next period
    // Per alarm slot: how often it rang, and how many of its times were said
    // missed instead.
    std::array<int, kAlarmSlotCount> rang{}, missed{};
    int hours = 0;  // full hours signalled
};

// Every wall-clock second since the last tick, each once, marked examined
// before anything rings (a nested tick under the hourly box must not signal
// them again); per second the alarms 1 to 4, the countdown with the last
// one, then the full hour.
TickResult SecondTick(MainModel& m, SettingsFile& file, std::int64_t wallMs, std::int64_t monoMs,
                      const LocalTimeOf& toLocal);

// The stopwatch's reading, shown while it runs.
void DisplayTick(MainModel& m);
// When the display tick comes next: while the stopwatch runs and the window
// can be seen, just after the worker counts the next tenth (soon again
// while the worker is late); none otherwise, so that a stopwatch running
// in the notification area for hours does not wake the program a hundred
// times a second. Its whole seconds then come with the second tick.
std::optional<std::int64_t> DisplayTickInMs(const MainModel& m, bool windowSeen, std::int64_t monoMs);

}  // namespace hv
