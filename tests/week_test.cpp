// A week left running across the end of daylight-saving time: every alarm
// rings once a day, the countdown of 100 hours ends when its time is up, the
// stopwatch keeps to the tenth, and nothing piles up. The stopwatch's 10 ms
// display tick makes a simulated hour cost a second, so here it is held
// after three hours; bench/week.cpp lets it run the whole week.
#include <gtest/gtest.h>

#include "tests/support/WeekRun.h"

namespace hv::test {

// Found by GoogleTest through the type's namespace.
void PrintTo(const Holdings& h, std::ostream* out) {
    *out << h.fonts << " fonts, " << h.brushes << " brushes, " << h.deviceContexts << " DCs, " << h.windows
         << " windows";
}

namespace {

// The first tick after Start counts one second. A Start between the
// beginning of a wall-clock second and its tick (5 ms later by design, up to
// a clock tick later by rounding, and up to a tick late as Windows delivers
// it) has its first tick more than a second later, and the end comes that
// much after the full time.
constexpr std::int64_t kLastTickMs = 5 + 16 + 16;  // margin, rounding to the tick, lateness

TEST(Week, AlarmsCountdownAndStopwatchKeepTimeForAWeekAcrossTheChangeOfTime) {
    WeekPlan plan;
    plan.seed = 20271031;
    plan.stopwatchHours = 3;
    const WeekFigures f = RunWeek(plan);
    EXPECT_EQ(f.setupFaults, std::vector<std::string>{});
    EXPECT_EQ(f.handlerFailures, std::vector<std::string>{});
    EXPECT_EQ(f.messageBoxes, std::vector<std::string>{});
    EXPECT_GE(f.stalls, 4);

    // Seven dates, each alarm once on each, the day of 25 hours included.
    ASSERT_EQ(f.due.size(), 7u);
    for (const auto& [date, due] : f.due) EXPECT_EQ(due, (std::array<int, 4>{1, 1, 1, 1})) << date;
    EXPECT_EQ(f.rings, f.due);
    EXPECT_EQ(f.strays, std::vector<std::string>{});
    EXPECT_EQ(f.otherSounds, std::vector<std::string>{});

    ASSERT_EQ(f.countdownEnds.size(), 1u);
    EXPECT_GE(f.countdownEnds[0], kWeekCountdownMs - 1000);
    EXPECT_LE(f.countdownEnds[0], kWeekCountdownMs + kLastTickMs);
    EXPECT_EQ(f.countdownShownAtEnd, "nicht gesetzt");

    EXPECT_GT(f.stopwatchReadings, 10);
    EXPECT_GE(f.stopwatchLagMin, 0);
    EXPECT_LE(f.stopwatchLagMax, 1);
    EXPECT_EQ(f.stopwatchHeldTenths, f.stopwatchElapsedTenths);
    EXPECT_EQ(f.stopwatchWorkersAtEnd, 0u);

    EXPECT_EQ(f.atEnd, f.afterFirstHour);
    EXPECT_GT(f.atEnd.fonts, 0u);
    EXPECT_EQ(f.atEnd.windows, 1u);
    EXPECT_EQ(f.atEnd.deviceContexts, 0u);

    EXPECT_TRUE(f.clockShown == f.clockNow || f.clockShown == f.clockBefore) << f.clockShown << " at" << f.clockNow;
    EXPECT_NE(f.dateShown.find(f.dateNow), std::string::npos) << f.dateShown;
}

}  // namespace
}  // namespace hv::test
