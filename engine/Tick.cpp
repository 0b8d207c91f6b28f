#include "engine/Tick.h"

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

#include "engine/ClockText.h"
#include "engine/Countdown.h"
#include "engine/Occurrence.h"
#include "engine/SecondWalk.h"
#include "model/Calendar.h"
#include "engine/Signalling.h"

namespace hv {
namespace {

void StepCountdown(MainModel& m, SettingsFile& file, std::int64_t monoMs, Effects& out) {
    CountdownState& c = m.timers.countdown;
    if (!c.active) {
        c.countedUpToMs.reset();
        return;
    }
    const std::int64_t n = SecondsToCountOff(c.countedUpToMs, c.startedMs, monoMs);
    if (n == 0) return;
    // More at once than a tick ever catches up: the computer slept.
    const bool asleep = n > kMaxCatchUpSeconds;
    const CountdownTime left = CountOff({c.hours, c.minutes, c.seconds}, n);
    c.hours = left.hours;
    c.minutes = left.minutes;
    c.seconds = left.seconds;
    if (left.IsZero()) RingCountdown(m, file, out, asleep);
}

int SecondOfDay(const LocalTime& t) { return (t.hour * 60 + t.minute) * 60 + t.second; }

// Every armed alarm whose time came between what was looked at and the
// second before `nowLocal` (a sleep, the clock set forward): said, not rung,
// and looked at no more. The second itself is examined as usual.
void ReportGap(MainModel& m, std::int64_t nowLocal, TickResult& r) {
    std::vector<MissedAlarm> missed;
    for (int k = 0; k < kAlarmSlotCount; ++k) {
        AlarmSlot& slot = m.timers.alarms[static_cast<std::size_t>(k)];
        const int target = TargetSecond(slot);
        if (!slot.active || target < 0 || !slot.examinedUpTo) continue;
        const Occurrences o = OccurrencesIn(target, *slot.examinedUpTo, nowLocal - 1);
        if (o.count > 0) missed.push_back({k, o.count, o.latest});
        r.missed[static_cast<std::size_t>(k)] += static_cast<int>(o.count);
        slot.examinedUpTo = std::max(*slot.examinedUpTo, nowLocal - 1);
    }
    ReportMissed(m, missed, r.effects);
}

// Alarms in slot order, then the countdown (once per tick, with the last
// second), then the full hour: an alarm and the hourly signal of one second
// ring in that order. An alarm rings when its time of day came since it was
// last looked at: a time that summer time skips at the first second after
// the skip, one that its end repeats at its first showing only.
void ExamineSecond(MainModel& m, SettingsFile& file, const LocalTime& t, bool lastOfTick, std::int64_t monoMs,
                   TickResult& r) {
    const std::int64_t local = LocalSeconds(t);
    m.timers.lastExaminedLocal = local;
    for (int k = 0; k < kAlarmSlotCount; ++k) {
        AlarmSlot& slot = m.timers.alarms[static_cast<std::size_t>(k)];
        const int target = TargetSecond(slot);
        if (!slot.active || target < 0) {
            slot.examinedUpTo.reset();
            continue;
        }
        const std::int64_t from = slot.examinedUpTo.value_or(local - 1);
        slot.examinedUpTo = std::max(from, local);
        if (OccurrencesIn(target, from, local).count == 0) continue;
        ++r.rang[static_cast<std::size_t>(k)];
        RingAlarm(m, k, r.effects);
    }
    if (lastOfTick) StepCountdown(m, file, monoMs, r.effects);
    if (!m.options.hourlySignal || t.minute != 0 || t.second != 0) return;
    ++r.hours;
    HourlySignal(m, r.effects);
}

}  // namespace

int TargetSecond(const AlarmSlot& a) {
    const auto two = [](const std::string& s) {
        return s.size() == 2 && s[0] >= '0' && s[0] <= '9' && s[1] >= '0' && s[1] <= '9' ? (s[0] - '0') * 10 + s[1] - '0'
                                                                                          : -1;
    };
    const int h = two(a.hourText), mi = two(a.minuteText), se = two(a.secondText);
    return h < 0 || mi < 0 || se < 0 ? -1 : (h * 60 + mi) * 60 + se;
}

// A period of 1000 ms drifts by up to a clock tick each time and loses its
// phase to the wall clock; set anew at every tick, the timer stays just
// after the start of each second, and a tick that came early is followed
// at once by the one it should have been.
std::int64_t UntilNextTickMs(std::int64_t wallMs) {
    return 1000 - FloorMod(wallMs, 1000) + kSecondTickMarginMs;
}

TickResult SecondTick(MainModel& m, SettingsFile& file, std::int64_t wallMs, std::int64_t monoMs,
                      const LocalTimeOf& toLocal) {
    TickResult r;
    r.nextTickInMs = UntilNextTickMs(wallMs);
    const std::int64_t now = FloorDiv(wallMs, 1000);
    const LocalTime local = toLocal(now);
    m.clock = ClockText(local);
    m.secondOfDay = SecondOfDay(local);
    m.date = DateLine(local);

    const std::optional<std::int64_t> last = m.timers.lastExamined;
    // The clock set back by hand: the times it shows again come anew.
    if (last && now < *last)
        for (AlarmSlot& slot : m.timers.alarms) slot.examinedUpTo.reset();
    if (last && now - *last > kMaxCatchUpSeconds) ReportGap(m, LocalSeconds(local), r);
    const SecondRange seconds = SecondsToExamine(last, now);
    if (seconds.Empty()) {
        StepCountdown(m, file, monoMs, r.effects);
        return r;
    }
    // Marked before anything rings: a tick nested in the hourly box must
    // not examine these seconds again.
    m.timers.lastExamined = seconds.last;
    for (std::int64_t s = seconds.first; s <= seconds.last; ++s)
        ExamineSecond(m, file, s == now ? local : toLocal(s), s == seconds.last, monoMs, r);
    return r;
}

void DisplayTick(MainModel& m) {
    if (m.timers.stopwatch.Running()) m.stopwatchText = StopwatchText(m.timers.stopwatch.Reading());
}

std::optional<std::int64_t> DisplayTickInMs(const MainModel& m, bool windowSeen, std::int64_t monoMs) {
    // The worker counts a tenth when it falls due; a little later it is there.
    constexpr std::int64_t kAfterTheTenthMs = 2, kLateWorkerMs = 10;
    const std::optional<std::int64_t> next = m.timers.stopwatch.NextTenthAtMs();
    if (!windowSeen || !next) return std::nullopt;
    const std::int64_t in = *next + kAfterTheTenthMs - monoMs;
    return in > 0 ? in : kLateWorkerMs;
}

}  // namespace hv
