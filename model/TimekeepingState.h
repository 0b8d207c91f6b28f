#pragma once
// The one record that every handler of the main window reads and changes:
// the four daily alarm times, the countdown, the stopwatch, which slot the
// shared buttons act on, and a few window-level flags.
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "model/StopwatchState.h"

namespace hv {

// In hours, minutes and seconds alike: no countdown exists, or the stopwatch
// has no value. An entry can never produce it (minutes and seconds are
// carried into 0..59).
constexpr std::int32_t kNoValue = 100;

// Which slot Start, Stopp and the two extra-function buttons act on. The
// values are not in screen order; an alarm slot is 1 or a value above 3.
enum class SlotSelector : std::int32_t {
    None = 0,
    Alarm1 = 1,
    Countdown = 2,
    Stopwatch = 3,
    Alarm2 = 4,
    Alarm3 = 5,
    Alarm4 = 6,
};

constexpr int kAlarmSlotCount = 4;

struct AlarmSlot {
    bool active = false;   // armed: compared against the time of day each second
    bool ringing = false;  // continuous alarm waiting for "Alarm aus"
    // The target as two-digit texts; the tick compares texts, not numbers.
    std::string hourText;
    std::string minuteText;
    std::string secondText;
    // The local time (in seconds of the local calendar) up to which its time
    // of day has been looked for: the hour that summer time's end repeats
    // lies below it and does not bring the time again. None while disarmed.
    std::optional<std::int64_t> examinedUpTo;
};

struct CountdownState {
    bool active = false;
    bool ringing = false;
    std::int32_t hours = kNoValue;
    std::int32_t minutes = kNoValue;
    std::int32_t seconds = kNoValue;
    // Monotonic time up to which whole seconds have been counted off; none
    // until the first tick after a start or resume, which counts one.
    std::optional<std::int64_t> countedUpToMs;
    // Monotonic time of the last start or resume, for a first tick that comes late.
    std::optional<std::int64_t> startedMs;

    bool HasValue() const { return !(hours == kNoValue && minutes == kNoValue && seconds == kNoValue); }
};

struct TimekeepingState {
    std::array<AlarmSlot, kAlarmSlotCount> alarms{};
    CountdownState countdown;
    StopwatchState stopwatch;
    SlotSelector selector = SlotSelector::None;

    bool hourlySignalPending = false;   // "Alarm aus" enabled for an hourly signal
    bool hourlyBoxOpen = false;         // a further full hour opens no second box over it
    // Alarm times that passed unrung (a sleep, the clock set forward), not
    // yet acknowledged: how many, and the latest as "label (hh:mm:ss)".
    std::int64_t missedCount = 0;
    std::string missedLast;
    bool inTray = false;                // window hidden in the notification area
    bool minimiseOnFirstPaint = false;  // a paint hides the window into the tray
    int lastNoticeAlarm = -1;           // alarm slot 0..3 whose notice the status line showed last
    // The last wall-clock second that a tick examined for alarms and the
    // hour, and the local time it showed (in seconds of the local calendar).
    std::optional<std::int64_t> lastExamined, lastExaminedLocal;

    bool AnyAlarmActive() const {
        for (const auto& a : alarms)
            if (a.active) return true;
        return false;
    }
    bool AnythingRinging() const {
        for (const auto& a : alarms)
            if (a.ringing) return true;
        return countdown.ringing;
    }
};

}  // namespace hv
