// The stopwatch: counted by its worker on the monotonic clock, shown whole by
// the display tick, held, continued and restarted at once, and ended with the
// window.
#include <gtest/gtest.h>

#include "model/StopwatchState.h"
#include "res/resource.h"
#include "tests/support/Scenario.h"
#include "tests/support/ShownReading.h"

namespace hv::test {
namespace {

std::int64_t Tenths(const StopwatchReading& r) {
    return ((std::int64_t{r.hours} * 60 + r.minutes) * 60 + r.seconds) * 10 + r.tenths;
}

TEST(StopwatchState, AWorkerOfAnEarlierRunCountsNoMore) {
    StopwatchState w;
    EXPECT_FALSE(w.HasValue());
    const auto first = w.Start(1000);
    EXPECT_EQ(w.NextTenthDueMs(first), 1100);
    EXPECT_TRUE(w.Count(first, 1250));
    EXPECT_EQ(Tenths(w.Reading()), 2);
    EXPECT_EQ(w.NextTenthDueMs(first), 1300);
    EXPECT_EQ(Tenths(w.Stop(1390)), 3);  // every tenth that has passed
    const auto second = w.Continue(1400);
    EXPECT_FALSE(w.Count(first, 5000));  // the old worker wakes late
    EXPECT_FALSE(w.NextTenthDueMs(first));
    EXPECT_EQ(Tenths(w.Reading()), 3);
    EXPECT_TRUE(w.Count(second, 1500));
    EXPECT_EQ(Tenths(w.Reading()), 4);
    const auto third = w.Start(1510);  // from zero while counting
    EXPECT_FALSE(w.Count(second, 1600));
    EXPECT_EQ(Tenths(w.Reading()), 0);
    EXPECT_EQ(w.NextTenthDueMs(third), 1610);
    w.Reset();
    EXPECT_FALSE(w.HasValue() || w.Running());
    EXPECT_FALSE(w.NextTenthDueMs(third));
}

TEST(StopwatchState, ReadingsCarryWhole) {
    const StopwatchReading r = ReadingOf(599);
    EXPECT_EQ(r.minutes * 100 + r.seconds * 10 + r.tenths, 599);  // 00:00:59,9
    const StopwatchReading next = ReadingOf(600);
    EXPECT_EQ(next.minutes * 100 + next.seconds * 10 + next.tenths, 100);  // 00:01:00,0
    EXPECT_EQ(ReadingOf(36000 * 101 + 1).hours, 101);
}

class Stopwatch : public ::testing::Test {
protected:
    void SetUp() override { s.Start(); }
    std::int64_t ElapsedTenths() const { return (s.World().MonotonicMs() - startedMs) / 100; }
    void RunFromZero() {
        s.Dlg().RunStopwatch(true);
        startedMs = s.World().MonotonicMs();
    }
    Scenario s;
    std::int64_t startedMs = 0;
};

// Sleep(100) lasts up to a clock tick longer, and the loop's work adds to
// it: counted by deadlines the reading keeps up with the clock.
TEST_F(Stopwatch, EveryShownReadingIsWholeAndWithinATenthOfTheElapsedTime) {
    s.Advance(333);
    RunFromZero();
    EXPECT_TRUE(s.World().HasTimer(s.Wnd(), 2));
    std::int64_t last = 0;
    for (int i = 0; i < 6 * 60 * 100; ++i) {  // ten minutes in steps of 10 ms
        s.Advance(10);
        const std::int64_t shown = ShownTenths(s.Text(IDC_STOPWATCH_OVERVIEW));
        const std::int64_t elapsed = ElapsedTenths();
        if (i < 2 && shown < 0) continue;  // before the first display tick
        ASSERT_GE(shown, last) << i;
        ASSERT_LE(shown, elapsed) << i;
        ASSERT_GE(shown, elapsed - 1) << i;
        last = shown;
    }
    s.Advance(57);
    const StopwatchReading held = s.Dlg().HoldStopwatch();
    EXPECT_EQ(Tenths(held), ElapsedTenths());
    EXPECT_EQ(ShownTenths(s.Text(IDC_STOPWATCH_OVERVIEW)), Tenths(held));
    EXPECT_FALSE(s.World().HasTimer(s.Wnd(), 2));
    s.Advance(1000);
    EXPECT_EQ(ShownTenths(s.Text(IDC_STOPWATCH_OVERVIEW)), Tenths(held));
}

TEST_F(Stopwatch, QuickStopsAndContinuesKeepEveryMillisecondAndRestartIsFromExactlyZero) {
    RunFromZero();
    s.Advance(1000);
    std::int64_t runMs = 1000;
    EXPECT_EQ(Tenths(s.Dlg().HoldStopwatch()), 10);
    for (int i = 0; i < 5; ++i) {  // each within 100 ms, before the old worker wakes
        s.Dlg().RunStopwatch(false);
        s.Advance(30 + 7 * i);
        runMs += 30 + 7 * i;
        EXPECT_EQ(Tenths(s.Dlg().HoldStopwatch()), runMs / 100);
        s.Advance(5);  // held: this does not count
    }
    s.Dlg().RunStopwatch(false);
    s.Advance(5000);
    runMs += 5000;
    const std::int64_t reading = Tenths(s.Dlg().State().stopwatch.Reading());
    EXPECT_GE(reading, runMs / 100 - 1);  // the last tenth may be due as the 5 s end
    EXPECT_LE(reading, runMs / 100);
    EXPECT_EQ(s.Dlg().StopwatchWorkersAlive(), 1u);

    RunFromZero();  // from zero while a worker counts
    s.Advance(50);
    EXPECT_EQ(s.Text(IDC_STOPWATCH_OVERVIEW), "00:00:00,0");
    s.Advance(70);
    EXPECT_EQ(s.Text(IDC_STOPWATCH_OVERVIEW), "00:00:00,1");
}

TEST_F(Stopwatch, ClosingTheWindowWhileItRunsEndsTheWorker) {
    RunFromZero();
    s.Advance(2000);
    s.PressEscape();
    ASSERT_TRUE(s.Ended());
    s.World().Close(s.Dlg());
    EXPECT_EQ(s.Dlg().StopwatchWorkersAlive(), 0u);
    EXPECT_FALSE(s.Dlg().State().stopwatch.Running());
    EXPECT_EQ(s.World().workerPriorities.back(), 15);
}

}  // namespace
}  // namespace hv::test
