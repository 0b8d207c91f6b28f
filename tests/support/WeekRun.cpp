#include "tests/support/WeekRun.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <optional>
#include <random>

#include "platform/Services.h"
#include "res/resource.h"
#include "tests/support/Scenario.h"
#include "tests/support/ShownReading.h"

namespace hv::test {
namespace {

// Thursday 2027-10-28 00:00:30 CEST in Berlin; the clocks go back from
// 03:00 CEST to 02:00 CET on Sunday the 31st, at 01:00 UTC.
constexpr std::int64_t kWeekStartUtcMs = 1824674430000LL;
constexpr std::int64_t kFallBackUtcMs = 1824944400000LL;
constexpr std::int64_t kFriday071525Ms = 1824786925000LL;  // CEST, before alarm 2
constexpr std::int64_t kMonday235950Ms = 1825109990000LL;  // CET, before alarm 4 and midnight
constexpr std::int64_t kHourMs = 3600 * 1000;

constexpr const char* kAlarmWave = "C:\\Programme\\Horovant\\alarm-sound.wav";
constexpr int kSelectors[4] = {IDC_ALARM1_CHECK, IDC_ALARM2_CHECK, IDC_ALARM3_CHECK, IDC_ALARM4_CHECK};
constexpr int kFields[4][3] = {{IDC_ALARM1_HOUR, IDC_ALARM1_MIN, IDC_ALARM1_SEC},
                               {IDC_ALARM2_HOUR, IDC_ALARM2_MIN, IDC_ALARM2_SEC},
                               {IDC_ALARM3_HOUR, IDC_ALARM3_MIN, IDC_ALARM3_SEC},
                               {IDC_ALARM4_HOUR, IDC_ALARM4_MIN, IDC_ALARM4_SEC}};
constexpr int kOverviews[4] = {IDC_ALARM1_OVERVIEW, IDC_ALARM2_OVERVIEW, IDC_ALARM3_OVERVIEW, IDC_ALARM4_OVERVIEW};

// An alarm rung this long after its second still counts as its ring: the
// longest busy spell, and the ticks after it.
constexpr int kRingWindowSeconds = 90;

std::string Hms(int hour, int minute, int second) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", hour, minute, second);
    return text;
}

std::string Date(const LocalTime& t) {
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", t.year, t.month, t.day);
    return text;
}

int SecondOfDay(const LocalTime& t) { return (t.hour * 60 + t.minute) * 60 + t.second; }

Holdings Held(Scenario& s) {
    auto& w = s.World();
    return {w.liveFonts.size(), w.liveBrushes.size(), w.OpenDeviceContexts(), w.Dialogs().size()};
}

struct Stall {
    std::int64_t atMs, lengthMs;  // from the start of the run
};

// Busy spells over an alarm, over the change of time and over midnight, one
// while the stopwatch runs, and some anywhere but near the countdown's end,
// which they would only delay.
std::vector<Stall> PlanStalls(const WeekPlan& plan, std::mt19937_64& rng) {
    std::vector<Stall> stalls = {
        {40 * 60 * 1000, 7000},
        {kFriday071525Ms - kWeekStartUtcMs, 12000},
        {kFallBackUtcMs - kWeekStartUtcMs - 5000, 10000},
        {kMonday235950Ms - kWeekStartUtcMs, 20000},
    };
    std::uniform_int_distribution<std::int64_t> at(0, plan.hours * kHourMs), length(100, 30000);
    for (int i = 0; i < plan.randomStalls; ++i) {
        const Stall stall{at(rng), length(rng)};
        if (std::llabs(stall.atMs - kWeekCountdownMs) < 60000) continue;
        stalls.push_back(stall);
    }
    std::sort(stalls.begin(), stalls.end(), [](const Stall& a, const Stall& b) { return a.atMs < b.atMs; });
    return stalls;
}

void SetUpThroughTheControls(Scenario& s, WeekFigures& f) {
    const auto fault = [&](bool ok, const std::string& what) {
        if (!ok) f.setupFaults.push_back(what);
    };
    fault(s.Click(IDC_CONTINUOUS_ALARM) && s.Check(IDC_CONTINUOUS_ALARM) == 0, "Daueralarm stays on");
    for (int k = 0; k < 4; ++k) {
        bool typed = s.Click(kSelectors[k]);
        for (int part = 0; part < 3; ++part) typed = s.Type(kFields[k][part], kWeekAlarmEntries[k][part]) && typed;
        typed = s.Click(IDC_START) && typed;
        const int at = kWeekAlarmSeconds[k];
        fault(typed && s.Text(kOverviews[k]) == Hms(at / 3600, at / 60 % 60, at % 60),
              "alarm " + std::to_string(k + 1) + " shows " + s.Text(kOverviews[k]));
    }
    fault(s.Click(IDC_COUNTDOWN_CHECK) && s.Type(IDC_COUNTDOWN_HOUR, "100") && s.Click(IDC_START) &&
              s.Text(IDC_COUNTDOWN_OVERVIEW) == "100:00:00",
          "the countdown shows " + s.Text(IDC_COUNTDOWN_OVERVIEW));
    fault(s.Click(IDC_STOPWATCH_CHECK) && s.Click(IDC_START) && s.Dlg().State().stopwatch.Running(),
          "the stopwatch does not run");
}

}  // namespace

WeekFigures RunWeek(const WeekPlan& plan) {
    const auto began = std::chrono::steady_clock::now();
    WeekFigures f;
    std::mt19937_64 rng(plan.seed);
    Scenario s;
    auto& w = s.World();
    w.SetWallClockMs(kWeekStartUtcMs);
    // Each expiry on its clock tick and up to a tick (16 ms) late; longer
    // delays are the busy spells, in which expiries also merge.
    w.timerLatenessUs = [&rng](unsigned) { return static_cast<std::int64_t>(rng() % 16000); };
    s.Start();
    const std::int64_t mono0 = w.MonotonicMs();
    SetUpThroughTheControls(s, f);
    const auto elapsed = [&] { return w.MonotonicMs() - mono0; };

    const std::vector<Stall> stalls = PlanStalls(plan, rng);
    auto nextStall = stalls.begin();
    const std::int64_t endMs = plan.hours * kHourMs, holdMs = std::min(plan.stopwatchHours, plan.hours) * kHourMs;
    bool firstHourTaken = false, held = false;
    std::uniform_int_distribution<std::int64_t> step(1, 20 * 60 * 1000);
    while (elapsed() < endMs) {
        std::int64_t next = std::min(endMs, elapsed() + step(rng));
        if (!firstHourTaken) next = std::min(next, kHourMs);
        if (!held) next = std::min(next, holdMs);
        while (nextStall != stalls.end() && nextStall->atMs < elapsed()) ++nextStall;  // within an earlier one
        if (nextStall != stalls.end()) next = std::min(next, nextStall->atMs);
        s.Advance(next - elapsed());

        if (!held && s.Dlg().State().stopwatch.Running()) {
            const std::int64_t lag = elapsed() / 100 - ShownTenths(s.Text(IDC_STOPWATCH_OVERVIEW));
            f.stopwatchLagMin = f.stopwatchReadings ? std::min(f.stopwatchLagMin, lag) : lag;
            f.stopwatchLagMax = f.stopwatchReadings ? std::max(f.stopwatchLagMax, lag) : lag;
            ++f.stopwatchReadings;
        }
        if (!firstHourTaken && elapsed() >= kHourMs) {
            f.afterFirstHour = Held(s);
            firstHourTaken = true;
        }
        if (!held && elapsed() >= holdMs) {
            held = true;
            if (s.Click(IDC_STOP)) {
                f.stopwatchHeldTenths = ShownTenths(s.Text(IDC_STOPWATCH_OVERVIEW));
                f.stopwatchElapsedTenths = elapsed() / 100;
            }
        }
        if (nextStall != stalls.end() && elapsed() == nextStall->atMs) {
            w.Stall(nextStall->lengthMs);
            ++f.stalls;
            f.stalledMs += nextStall->lengthMs;
            ++nextStall;
        }
    }
    f.atEnd = Held(s);
    f.stopwatchWorkersAtEnd = s.Dlg().StopwatchWorkersAlive();
    f.countdownShownAtEnd = s.Text(IDC_COUNTDOWN_OVERVIEW);

    // The wall clock was never set: it is the monotonic clock moved.
    const auto wallSecondAt = [&](std::int64_t monoMs) { return (kWeekStartUtcMs + monoMs - mono0) / 1000; };
    const std::int64_t lastSecond = wallSecondAt(w.MonotonicMs());
    for (std::int64_t sec = kWeekStartUtcMs / 1000 + 1; sec <= lastSecond; ++sec) {
        const LocalTime t = ToLocalTime(sec);
        for (int k = 0; k < 4; ++k)
            if (SecondOfDay(t) == kWeekAlarmSeconds[k]) ++f.due[Date(t)][static_cast<std::size_t>(k)];
    }
    for (const auto& sound : w.sounds) {
        if (!sound.name || *sound.name != kAlarmWave) {
            f.otherSounds.push_back(sound.name.value_or("(stop)") + " at " + std::to_string(sound.atMs - mono0) + " ms");
            continue;
        }
        const std::int64_t sec = wallSecondAt(sound.atMs);
        bool attributed = false;
        for (int back = 0; back < kRingWindowSeconds && !attributed; ++back) {
            const LocalTime t = ToLocalTime(sec - back);
            for (int k = 0; k < 4 && !attributed; ++k) {
                if (SecondOfDay(t) != kWeekAlarmSeconds[k]) continue;
                ++f.rings[Date(t)][static_cast<std::size_t>(k)];
                attributed = true;
            }
        }
        if (attributed) continue;
        const std::int64_t sinceStart = sound.atMs - mono0;
        if (std::llabs(sinceStart - kWeekCountdownMs) < 60000) f.countdownEnds.push_back(sinceStart);
        else f.strays.push_back(std::to_string(sinceStart) + " ms");
    }

    const LocalTime now = ToLocalTime(lastSecond), before = ToLocalTime(lastSecond - 1);
    f.clockShown = s.Text(IDC_CLOCK);
    f.clockNow = " " + Hms(now.hour, now.minute, now.second) + " ";
    f.clockBefore = " " + Hms(before.hour, before.minute, before.second) + " ";
    f.dateShown = s.Text(IDC_DATE);
    char date[16];
    std::snprintf(date, sizeof date, "%02d.%02d.%04d", now.day, now.month, now.year);
    f.dateNow = date;
    f.handlerFailures = w.handlerFailures;
    for (const auto& box : w.messageBoxes) f.messageBoxes.push_back(box.text);
    f.realSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
    return f;
}

}  // namespace hv::test
