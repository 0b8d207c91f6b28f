// The stopwatch's worker against a clock, with a sleep that oversleeps as
// Windows' Sleep(100) does (up to some 16 ms).
#include <gtest/gtest.h>

#include <random>

#include "engine/ClockText.h"
#include "engine/StopwatchCounting.h"
#include "tests/support/Rig.h"

namespace hvtest {
namespace {

std::int64_t Tenths(const StopwatchReading& r) {
    return ((r.hours * 60LL + r.minutes) * 60 + r.seconds) * 10 + r.tenths;
}

TEST(Stopwatch, NeverMoreThanATenthBehindThoughSleepsOversleep) {
    for (const std::uint64_t seed : {1u, 2u, 3u}) {
        std::mt19937_64 random(seed);
        StopwatchState state;
        std::int64_t now = 5000, worst = 0, sleeps = 0;
        const std::uint64_t run = state.Start(now);
        CountStopwatch(
            state, run, [&] { return now; },
            [&](std::int64_t ms) {
                EXPECT_TRUE(ms >= 0 && ms <= 100) << ms;
                EXPECT_EQ(Tenths(state.Reading()), (now - 5000) / 100);  // counted as far as the clock says
                now += ms + std::uniform_int_distribution<std::int64_t>(0, 16)(random);
                worst = std::max(worst, (now - 1 - 5000) / 100 - Tenths(state.Reading()));  // just before it wakes
                if (++sleeps, now > 5000 + 3'600'000) state.Stop(now);
            });
        EXPECT_LE(worst, 1);
        EXPECT_EQ(Tenths(state.Reading()), (now - 5000) / 100);
        EXPECT_TRUE(sleeps > 30000 && sleeps <= 36000) << sleeps;  // it sleeps, rather than spinning
    }
}

// Held time is kept to the millisecond; every start, stop, continue and
// reset begins a new run, and a worker of an older run counts nothing.
TEST(Stopwatch, StopAndContinueLoseNothingAndOldRunsCountNothing) {
    StopwatchState s;
    const std::uint64_t first = s.Start(0);
    EXPECT_EQ(StopwatchText(s.Stop(1234)), "00:00:01,2");
    const std::uint64_t second = s.Continue(5000);
    EXPECT_FALSE(s.Count(first, 10000) || s.NextTenthDueMs(first));
    int sleeps = 0;
    CountStopwatch(
        s, first, [] { return std::int64_t{20000}; }, [&](std::int64_t) { ++sleeps; });
    EXPECT_EQ(Tenths(s.Reading()) + sleeps, 12);
    EXPECT_TRUE(s.Count(second, 5300));
    EXPECT_EQ(Tenths(s.Reading()), 15);
    EXPECT_EQ(StopwatchText(s.Stop(5866)), "00:00:02,1");
    for (std::int64_t at = 6000; at < 7000; at += 100) s.Continue(at), s.Stop(at + 50);  // ten runs of 50 ms
    EXPECT_EQ(Tenths(s.Reading()), 26);
    s.Reset();
    EXPECT_FALSE(s.HasValue() || s.Count(second, 9000));
    EXPECT_EQ(s.NextTenthDueMs(s.Start(9000)), 9100);
}

// The display tick shows the reading while the stopwatch counts and the
// window can be seen, coming just after each tenth is counted (soon again
// while the worker is late); hidden, or once the stopwatch stands, none.
TEST(Stopwatch, DisplayTick) {
    Rig r;
    r.Start(5);
    r.m.timers.stopwatch.Count(r.m.timers.stopwatch.Start(0), 67300);
    DisplayTick(r.m);
    EXPECT_EQ(r.View().stopwatchOverview, "00:01:07,3");
    const struct {
        bool seen;
        std::int64_t now, in;  // -1: none
    } rows[] = {{true, 67300, 102}, {true, 67395, 7}, {true, 67402, 10}, {true, 69000, 10}, {false, 67300, -1}};
    for (const auto& row : rows)
        EXPECT_EQ(DisplayTickInMs(r.m, row.seen, row.now).value_or(-1), row.in) << row.now;
    Closing(r.m, 67399);  // the window goes: the worker's run ends, its time kept
    EXPECT_EQ(r.View().stopwatchOverview, "00:01:07,3");
    EXPECT_FALSE(DisplayTickInMs(r.m, true, 67400));
}

}  // namespace
}  // namespace hvtest
