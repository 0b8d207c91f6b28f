// Properties: the window's invariants over random walks, and a week of
// one-second ticks as Windows delivers them, in Berlin across a change of
// summer time: late and merged timer messages, busy spells of up to 30 s
// (also right after a countdown's Start), the clock set. Every alarm rings
// once on each date the clock shows its time (or skips it in spring), and a
// countdown of N s ends N - 1 to N s after its Start.
#include <gtest/gtest.h>

#include <map>

#include "engine/ClockText.h"
#include "tests/support/Walk.h"

namespace hvtest {
namespace {

constexpr int kAlarms[4] = {0, 2 * 3600 + 30 * 60, 7 * 3600 + 30 * 60 + 15, 86399};  // second of the day
constexpr std::int64_t kJitterMs = 40;  // a 15.625 ms clock tick and 16 ms of lateness, either way

std::string Day(const LocalTime& t) {
    return std::to_string(t.year) + "-" + TwoDigits(t.month) + "-" + TwoDigits(t.day);
}
std::string Hms(const LocalTime& t) {
    return TwoDigits(t.hour) + ":" + TwoDigits(t.minute) + ":" + TwoDigits(t.second);
}
int SecondOfDay(const LocalTime& t) { return (t.hour * 60 + t.minute) * 60 + t.second; }

using Uniform = std::uniform_int_distribution<std::int64_t>;

struct Week {
    std::map<std::string, int> rings, hours;  // "date hh:mm:ss" of an alarm, "date hh" of a full hour
    std::int64_t firstSecond = -1, lastSecond = 0;
    int countdowns = 0;
};

Week RunWeek(std::int64_t startEpoch, std::uint64_t seed) {
    Week w;
    Rig r;
    Stundensignal(r.m, r.file);
    for (int k = 0; k < 4; ++k) {
        const std::string hms = Hms(CivilTime(kAlarms[k]));
        r.Start(k, hms.substr(0, 2), hms.substr(3, 2), hms.substr(6));
    }
    std::mt19937_64 random(seed);
    const auto chance = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random) == 0; };
    const auto uniform = [&](std::int64_t lo, std::int64_t hi) { return Uniform(lo, hi)(random); };
    WindowsTimer timer(seed);
    std::int64_t monoUs = 0, offsetMs = startEpoch * 1000, busyEndUs = -1, setAtUs = -3600000000LL;
    timer.Arm(0, UntilNextTickMs(offsetMs));
    std::int64_t countdownStartMs = -1, countdownMs = 0, startAtUs = -1;
    while (monoUs < 7LL * 86400 * 1000000) {
        const std::int64_t due = timer.NextDeliveryUs();
        if (startAtUs >= 0 && startAtUs < due && !timer.Busy(startAtUs)) {  // a Start between two ticks
            r.mono = startAtUs / 1000;
            countdownMs = (chance(2) ? uniform(1, 120) : uniform(1, 20000)) * 1000;
            r.Start(4, "", "", std::to_string(countdownMs / 1000));
            countdownStartMs = r.mono, startAtUs = -1;
            if (chance(3))
                timer.BusyUntil(busyEndUs = r.mono * 1000 + uniform(0, 30000000));  // busy from just after Start
        }
        monoUs = due, r.mono = monoUs / 1000;
        const std::int64_t wallMs = r.mono + offsetMs;
        timer.Arm(monoUs, SecondTick(r.m, r.file, wallMs, r.mono, BerlinTime).nextTickInMs);
        const std::int64_t second = wallMs / 1000;
        const LocalTime now = BerlinTime(second);
        w.firstSecond = w.firstSecond < 0 ? second : w.firstSecond, w.lastSecond = second;
        for (int k = 0; k < 4; ++k) {
            if (!r.m.timers.alarms[static_cast<std::size_t>(k)].ringing) continue;
            const int lag = (SecondOfDay(now) - kAlarms[k] + 86400) % 86400;
            // Late by the catch-up at most, or by the hour spring skips.
            EXPECT_TRUE(lag <= 31 || (now.hour == 3 && now.minute == 0 && lag <= 1800 + 31))
                << Day(now) << " " << Hms(now) << " alarm " << k;
            ++w.rings[Day(BerlinTime(second - lag)) + " " + Hms(CivilTime(kAlarms[k]))];
        }
        if (r.m.timers.hourlySignalPending) ++w.hours[Day(now) + " " + TwoDigits(now.hour)];
        if (r.m.timers.countdown.ringing) {
            const std::int64_t took = r.mono - countdownStartMs - countdownMs;
            EXPECT_GE(took, -1000 - kJitterMs) << countdownMs;
            EXPECT_TRUE(took <= kJitterMs || monoUs == busyEndUs) << took;  // else the end waited for the loop
            countdownStartMs = -1, ++w.countdowns;
        }
        AlarmAus(r.m, r.file);
        if (countdownStartMs < 0 && startAtUs < 0 && chance(200)) startAtUs = monoUs + uniform(0, 999999);
        // Busy over each alarm, over the change of time, over midnight, and at random.
        std::int64_t busyMs = chance(3000) ? uniform(0, 30000) : 0;
        for (const int a : kAlarms)
            if (SecondOfDay(now) == (a + 86390) % 86400 && chance(2)) busyMs = 25000;
        if ((now.hour == 1 || now.hour == 2) && now.minute == 59 && now.second == 50) busyMs = 20000;
        if (SecondOfDay(now) == 86385) busyMs = 30000;
        if (busyMs > 0) timer.BusyUntil(busyEndUs = monoUs + busyMs * 1000);
        // The clock set: a little at hh:50:30, two minutes forward and back away from every alarm.
        if (monoUs - setAtUs < 3600000000LL || now.second != 30) continue;
        // clang-format off
        const std::int64_t by = now.minute == 50 && now.hour % 5 == 1 ? uniform(-10, 10) * 1000
                              : now.minute == 20 && now.hour % 12 == 3 ? 120000 : now.minute == 40 && now.hour % 12 == 9 ? -120000 : 0;
        // clang-format on
        offsetMs += by, setAtUs = by ? monoUs : setAtUs;
    }
    return w;
}

// What the clock shows between the first and the last tick, second by
// second: each alarm once a date where it shows or skips its time; the full
// hours as often as they show.
Week Shown(const Week& run) {
    Week w;
    LocalTime before = BerlinTime(run.firstSecond - 1);
    for (std::int64_t s = run.firstSecond; s <= run.lastSecond; ++s) {
        const LocalTime t = BerlinTime(s);
        const bool skips = t.day == before.day && SecondOfDay(t) - SecondOfDay(before) > 1;
        for (const int a : kAlarms)
            if (SecondOfDay(t) == a || (skips && a > SecondOfDay(before) && a < SecondOfDay(t)))
                w.rings[Day(t) + " " + Hms(CivilTime(a))] = 1;
        if (t.minute == 0 && t.second == 0) ++w.hours[Day(t) + " " + TwoDigits(t.hour)];
        before = t;
    }
    return w;
}

TEST(Week, SpringForwardRingsTheSkippedHoursAlarmAtThree) {
    const Week w = RunWeek(EpochOf(2027, 3, 24, 23, 10, 30), 3);  // Thursday 00:10:30 CET
    EXPECT_EQ(w.rings, Shown(w).rings);
    EXPECT_EQ(w.hours, Shown(w).hours);
    EXPECT_EQ(w.rings.at("2027-03-28 02:30:00"), 1);
    EXPECT_EQ(w.rings.at("2027-03-29 02:30:00"), 1);
    EXPECT_EQ(w.hours.count("2027-03-28 02"), 0u);
    EXPECT_EQ(w.hours.at("2027-03-28 03"), 1);
    EXPECT_EQ(w.rings.size(), 28u);
    EXPECT_GT(w.countdowns, 20);
}

TEST(Week, FallBackRingsTheRepeatedHoursAlarmOnce) {
    const Week w = RunWeek(EpochOf(2027, 10, 27, 22, 10, 30), 4);  // Thursday 00:10:30 CEST
    EXPECT_EQ(w.rings, Shown(w).rings);
    EXPECT_EQ(w.hours, Shown(w).hours);
    EXPECT_EQ(w.rings.at("2027-10-31 02:30:00"), 1);
    EXPECT_EQ(w.rings.at("2027-10-31 07:30:15"), 1);
    EXPECT_EQ(w.hours.at("2027-10-31 02"), 2);
    EXPECT_EQ(w.rings.size(), 26u);  // the week's extra hour ends it before 2027-11-04 00:00:00
    EXPECT_GT(w.countdowns, 20);
}

// The window's invariants, and each alarm time rung or said once, over
// seeded random walks in Berlin and the Azores across both changes of time.
TEST(RandomWalk, InvariantsHoldAfterEveryStep) {
    const struct {
        std::uint64_t seed;
        Zone zone;
        int month, day;
    } walks[] = {{1, BerlinTime, 10, 30}, {8, BerlinTime, 3, 27}, {2027, AzoresTime, 3, 27}, {5, AzoresTime, 10, 30}};
    for (const auto& w : walks) {
        Walk walk(w.seed, w.zone, EpochOf(2027, w.month, w.day, 20, 0, 0));
        while (walk.counts.steps < 1500 && walk.problems.empty()) walk.Step();
        for (const std::string& p : walk.problems) ADD_FAILURE() << "seed " << w.seed << ", " << p;
        const WalkCounts& c = walk.counts;  // it went where it should
        EXPECT_TRUE(c.broughtBack && c.countdownEnds && c.fileErrors && c.holdsWaited && c.rung && c.said) << w.seed;
    }
}

}  // namespace
}  // namespace hvtest
