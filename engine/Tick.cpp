#include "engine/Tick.h"

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

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
    // More at once than a tick ever catches up: the computer slept.
    const bool asleep = n > kMaxCatchUpSeconds;
    const CountdownTime left = CountOff({c.hours, c.minutes, c.seconds}, n);
    c.hours = left.hours;
    c.minutes = left.minutes;
    c.seconds = left.seconds;
    if (left.IsZero()) RingCountdown(m, file, out, asleep);
}

int SecondOfDay(const LocalTime& t) { return (t.hour * 60 + t.minute) * 60 + t.second; }
bool SameDate(const LocalTime& a, const LocalTime& b) { return a.year == b.year && a.month == b.month && a.day == b.day; }

// Within this span of its last ring an alarm does not ring again: only the
// hour that summer time's end repeats brings its time back so soon.
constexpr std::int64_t kRepeatGuardSeconds = 2 * 3600;

// Every armed alarm whose time of day the clock showed in the seconds
// after `last` and before `now`, once, the latest last.
std::vector<std::pair<int, std::int64_t>> MissedIn(const MainModel& m, std::int64_t last, std::int64_t now,
                                                  const LocalTimeOf& toLocal) {
    // A day and an hour show every time of day at least once.
    const std::int64_t first = std::max(last + 1, now - 25 * 3600);
    const int nowSecond = SecondOfDay(toLocal(now));
    std::array<std::int64_t, kAlarmSlotCount> at{};
    at.fill(-1);
    for (std::int64_t s = first; s < now; ++s) {
        const int sod = SecondOfDay(toLocal(s));
        for (int k = 0; k < kAlarmSlotCount; ++k) {
            const AlarmSlot& a = m.timers.alarms[static_cast<std::size_t>(k)];
            // One that rings this very second is not also missed.
            if (a.active && TargetSecond(a) == sod && sod != nowSecond) at[static_cast<std::size_t>(k)] = s;
        }
    }
    std::vector<std::pair<int, std::int64_t>> missed;
    for (int k = 0; k < kAlarmSlotCount; ++k)
        if (at[static_cast<std::size_t>(k)] >= 0) missed.emplace_back(k, at[static_cast<std::size_t>(k)]);
    std::sort(missed.begin(), missed.end(), [](const auto& a, const auto& b) { return a.second < b.second; });
    return missed;
}

// Alarms in slot order, then the countdown (once per tick, with the last
// second), then the full hour: an alarm and the hourly signal of one second
// ring in that order.
// A time of day that summer time skips rings at the first second after the
// skip; one that its end repeats rings at its first showing only.
void ExamineSecond(MainModel& m, SettingsFile& file, std::int64_t s, const LocalTime& t, const LocalTime& before,
                   bool lastOfTick, std::int64_t monoMs, Effects& out) {
    const int now = SecondOfDay(t), previous = SecondOfDay(before);
    const bool skipped = SameDate(before, t) && now - previous > 1;
    for (int k = 0; k < kAlarmSlotCount; ++k) {
        AlarmSlot& slot = m.timers.alarms[static_cast<std::size_t>(k)];
        const int target = TargetSecond(slot);
        if (!slot.active || target < 0) continue;
        if (target != now && !(skipped && target > previous && target < now)) continue;
        if (slot.rungAt && s > *slot.rungAt && s - *slot.rungAt < kRepeatGuardSeconds) continue;
        slot.rungAt = s;
        RingAlarm(m, k, out);
    }
    if (lastOfTick) StepCountdown(m, file, monoMs, out);
    if (m.options.hourlySignal && t.minute == 0 && t.second == 0) HourlySignal(m, out);
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
    return 1000 - (wallMs - FloorDiv(wallMs, 1000) * 1000) + kSecondTickMarginMs;
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

    const SecondRange seconds = SecondsToExamine(m.timers.lastExamined, now);
    const std::optional<std::int64_t> last = m.timers.lastExamined;
    if (last && now - *last > kMaxCatchUpSeconds) ReportMissed(m, MissedIn(m, *last, now, toLocal), r.effects);
    if (seconds.Empty()) {
        StepCountdown(m, file, monoMs, r.effects);
        return r;
    }
    m.timers.lastExamined = seconds.last;
    LocalTime before = toLocal(seconds.first - 1);
    for (std::int64_t s = seconds.first; s <= seconds.last; ++s) {
        const LocalTime t = s == now ? local : toLocal(s);
        ExamineSecond(m, file, s, t, before, s == seconds.last, monoMs, r.effects);
        before = t;
    }
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
