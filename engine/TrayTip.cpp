#include "engine/TrayTip.h"

#include "engine/ClockText.h"
#include "engine/MainModel.h"
#include "engine/Tick.h"
#include "model/Calendar.h"

namespace hv {

ActiveFunctions ActiveOf(const MainModel& m) {
    const TimekeepingState& t = m.timers;
    return {t.AnyAlarmActive(), t.countdown.active, t.stopwatch.Running(), m.options.hourlySignal};
}


namespace {

// The armed alarm that comes next after the time of day `now`.
std::string NextAlarm(const TimekeepingState& t, int now) {
    int best = -1, bestWait = 0;
    for (const AlarmSlot& a : t.alarms) {
        const int target = TargetSecond(a);
        if (!a.active || target < 0) continue;
        const int wait = ((target - now) % 86400 + 86400) % 86400;
        if (best < 0 || wait < bestWait) best = target, bestWait = wait;
    }
    if (best < 0) return {};
    const HoursMinutesSeconds split = SplitSeconds(best);
    return CountdownText(split.hours, split.minutes, split.seconds);
}

}  // namespace

TrayView TrayViewOf(const MainModel& m) {
    const TimekeepingState& t = m.timers;
    const ActiveFunctions on = ActiveOf(m);
    // The first line says what the status line says.
    std::string tip = t.AnythingRinging() ? "Alarmzeit erreicht!\n" : t.missedCount > 0 ? "Alarm verpasst!\n" : "";
    const std::string next = NextAlarm(t, m.secondOfDay < 0 ? 0 : m.secondOfDay);
    tip += next.empty() ? "Alarm aus\n" : "Alarm an: " + next + "\n";
    const CountdownState& c = t.countdown;
    if (c.active) tip += "Countdown an: " + CountdownText(c.hours, c.minutes, c.seconds) + "\n";
    else if (c.HasValue() && !c.ringing) tip += "Countdown pausiert: " + CountdownText(c.hours, c.minutes, c.seconds) + "\n";
    else tip += "Countdown aus\n";
    if (on.stopwatch) {
        const StopwatchReading r = t.stopwatch.Reading();
        tip += "Stoppuhr an: " + CountdownText(r.hours, r.minutes, r.seconds) + "\n";
    } else {
        tip += "Stoppuhr aus\n";
    }
    tip += on.hourlySignal ? "Stundensignal an" : "Stundensignal aus";
    if (tip.size() > kTrayTipLength) tip.resize(kTrayTipLength);
    return {on.Any(), tip};
}

}  // namespace hv
