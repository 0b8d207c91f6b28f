#include "engine/Tick.h"

#include "engine/ClockText.h"
#include "engine/Countdown.h"
#include "engine/SecondWalk.h"
#include "engine/Signalling.h"

namespace hv {
namespace {

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

void StepCountdown(MainModel& m, SettingsFile& file, std::int64_t monoMs, Effects& out) {
    CountdownState& c = m.timers.countdown;
    if (!c.active) {
        c.countedUpToMs.reset();
        return;
    }
    const std::int64_t n = SecondsToCountOff(c.countedUpToMs, c.startedMs, monoMs);
    if (n == 0) return;
    const CountdownTime left = CountOff({c.hours, c.minutes, c.seconds}, n);
    c.hours = left.hours;
    c.minutes = left.minutes;
    c.seconds = left.seconds;
    if (left.IsZero()) RingCountdown(m, file, out);
}

// Alarms in slot order, then the countdown (once per tick, with the last
// second), then the full hour: an alarm and the hourly signal of one second
// ring in that order.
void ExamineSecond(MainModel& m, SettingsFile& file, const LocalTime& t, bool lastOfTick, std::int64_t monoMs,
                   Effects& out) {
    const std::string hourNow = TwoDigits(t.hour), minuteNow = TwoDigits(t.minute), secondNow = TwoDigits(t.second);
    for (int k = 0; k < kAlarmSlotCount; ++k) {
        const AlarmSlot& slot = m.timers.alarms[static_cast<std::size_t>(k)];
        if (slot.active && slot.secondText == secondNow && slot.minuteText == minuteNow && slot.hourText == hourNow)
            RingAlarm(m, k, out);
    }
    if (lastOfTick) StepCountdown(m, file, monoMs, out);
    if (m.options.hourlySignal && t.minute == 0 && t.second == 0) HourlySignal(m, out);
}

}  // namespace

// A period of 1000 ms drifts by up to a clock tick each time and loses its
// phase to the wall clock; set anew at every tick, the timer stays just
// after the start of each second, and a tick that came early is followed
// at once by the one it should have been.
std::int64_t UntilNextTickMs(std::int64_t wallMs) {
    return 1000 - (wallMs - FloorDiv(wallMs, 1000) * 1000) + kSecondTickMarginMs;
}

TickResult SecondTick(MainModel& m, SettingsFile& file, std::int64_t wallMs, std::int64_t monoMs,
                      const LocalTimeOf& toLocal) {
    TickResult r;
    r.nextTickInMs = UntilNextTickMs(wallMs);
    const std::int64_t now = FloorDiv(wallMs, 1000);
    const LocalTime local = toLocal(now);
    m.clock = ClockText(local);
    m.date = DateLine(local);

    const SecondRange seconds = SecondsToExamine(m.timers.lastExamined, now);
    if (seconds.Empty()) {
        StepCountdown(m, file, monoMs, r.effects);
        return r;
    }
    m.timers.lastExamined = seconds.last;
    for (std::int64_t s = seconds.first; s <= seconds.last; ++s)
        ExamineSecond(m, file, s == now ? local : toLocal(s), s == seconds.last, monoMs, r.effects);
    return r;
}

Effects DisplayTick(MainModel& m) {
    Effects out;
    if (!m.timers.stopwatch.Running()) {
        out.Add(Step::DisplayTickOff);
        return out;
    }
    m.stopwatchText = StopwatchText(m.timers.stopwatch.Reading());
    return out;
}

}  // namespace hv
