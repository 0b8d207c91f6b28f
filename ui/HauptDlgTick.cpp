// The main window's two timers: the one-second tick (clock, date, alarms,
// countdown, full hour) and the display tick of the running stopwatch.
#include "engine/ClockText.h"
#include "engine/Countdown.h"
#include "engine/SecondWalk.h"
#include "platform/Diagnostics.h"
#include "ui/HauptDlg.h"

namespace hv {
namespace {

constexpr unsigned kTickTimer = 1;
constexpr unsigned kDisplayTimer = 2, kDisplayPeriodMs = 10;
// The tick is set to fall due this long after the next wall-clock second
// begins, so that it never reads the second before.
constexpr std::int64_t kSecondTickMarginMs = 5;

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

}  // namespace

void HauptDlg::OnTimer(unsigned timerId) {
    if (timerId == kTickTimer) OnSecondTick();
    else if (timerId == kDisplayTimer) OnDisplayTick();
}

// A period of 1000 ms drifts by up to a clock tick each time and loses its
// phase to the wall clock; set anew at every tick, the timer stays just
// after the start of each second, and a tick that came early is followed
// at once by the one it should have been.
void HauptDlg::ArmSecondTick(std::int64_t wallMs) {
    const std::int64_t untilNext = 1000 - (wallMs - FloorDiv(wallMs, 1000) * 1000);
    Wnd().SetTimer(kTickTimer, static_cast<unsigned>(untilNext + kSecondTickMarginMs));
}

void HauptDlg::OnSecondTick() {
    const std::int64_t wallMs = WallClockMilliseconds();
    ArmSecondTick(wallMs);
    const std::int64_t now = FloorDiv(wallMs, 1000);
    const LocalTime local = ToLocalTime(now);
    m_clockEdit.SetText(ClockText(local));
    m_dateEdit.SetText(DateLine(local));

    // Every second since the last tick, each once. Marked as examined before
    // anything rings: the hourly box runs a nested loop whose ticks must not
    // signal these seconds again.
    const SecondRange seconds = SecondsToExamine(m_lastExamined, now);
    if (seconds.Empty()) {
        StepCountdown();
        return;
    }
    m_lastExamined = seconds.last;
    for (std::int64_t s = seconds.first; s <= seconds.last; ++s) ExamineSecond(s, s == seconds.last);
}

// Alarms in slot order, then the countdown (once per tick, with the last
// second), then the full hour: an alarm and the hourly signal of one second
// ring in that order.
void HauptDlg::ExamineSecond(std::int64_t second, bool lastOfTick) {
    const LocalTime t = ToLocalTime(second);
    const std::string hourNow = TwoDigits(t.hour), minuteNow = TwoDigits(t.minute), secondNow = TwoDigits(t.second);
    for (int k = 0; k < kAlarmSlotCount; ++k) {
        const AlarmSlot& slot = m_state.alarms[static_cast<std::size_t>(k)];
        if (slot.active && slot.secondText == secondNow && slot.minuteText == minuteNow && slot.hourText == hourNow)
            RingAlarm(k + 1);
    }
    if (lastOfTick) StepCountdown();
    if (IsOn(m_hourlySignalCheck) && t.minute == 0 && t.second == 0) HourlySignal();
}

void HauptDlg::StepCountdown() {
    CountdownState& c = m_state.countdown;
    if (!c.active) {
        c.countedUpToMs.reset();
        return;
    }
    const std::int64_t n = SecondsToCountOff(c.countedUpToMs, MonotonicMilliseconds());
    if (n == 0) return;
    const CountdownTime left = CountOff({c.hours, c.minutes, c.seconds}, n);
    c.hours = left.hours;
    c.minutes = left.minutes;
    c.seconds = left.seconds;
    if (left.IsZero()) {
        RingCountdown();
    } else {
        m_countdownOverview.SetText(CountdownText(c.hours, c.minutes, c.seconds));
    }
}

// Shows the reading only when it changed: the field is not repainted a
// hundred times a second for nothing.
void HauptDlg::OnDisplayTick() {
    if (!m_state.stopwatch.Running()) {
        Wnd().KillTimer(kDisplayTimer);
        return;
    }
    const std::string text = StopwatchText(m_state.stopwatch.Reading());
    if (m_stopwatchOverview.Text() != text) m_stopwatchOverview.SetText(text);
}

void HauptDlg::RunStopwatch(bool fromZero) {
    const std::int64_t now = MonotonicMilliseconds();
    const std::uint64_t run = fromZero ? m_state.stopwatch.Start(now) : m_state.stopwatch.Continue(now);
    if (!m_workers.Launch(m_state.stopwatch, run, Wnd())) ReportFailure(Wnd(), 0, "the stopwatch's worker did not start");
    Wnd().SetTimer(kDisplayTimer, kDisplayPeriodMs);
}

StopwatchReading HauptDlg::HoldStopwatch() {
    const StopwatchReading r = m_state.stopwatch.Stop(MonotonicMilliseconds());
    Wnd().KillTimer(kDisplayTimer);
    m_stopwatchOverview.SetText(StopwatchText(r));
    return r;
}

LResult HauptDlg::OnStopwatchDone(WParam, LParam) {
    m_workers.JoinFinished();
    return 0;
}

void HauptDlg::EndStopwatchWorkers() {
    if (m_state.stopwatch.Running()) m_state.stopwatch.Stop(MonotonicMilliseconds());
    m_workers.JoinAll();
}

}  // namespace hv
