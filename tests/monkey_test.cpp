// The monkey on fixed seeds: two thousand random user actions each, every
// invariant held after each of them, and enough of the program reached on
// the way that holding them says something. Other seeds: build/native/hv_monkey.
#include <gtest/gtest.h>

#include "tests/support/Monkey.h"

namespace hv::test {
namespace {

std::string Failure(const MonkeyResult& r) {
    std::string out = "hv_monkey 2000 " + std::to_string(r.seed) + " -v repeats it; the last actions:\n";
    const std::size_t from = r.steps.size() > 25 ? r.steps.size() - 25 : 0;
    for (std::size_t i = from; i < r.steps.size(); ++i) out += "  " + r.steps[i] + "\n";
    for (const auto& v : r.violations) out += "at action " + std::to_string(v.step) + ": " + v.text + "\n";
    return out;
}

class Monkey : public ::testing::TestWithParam<std::uint64_t> {};

TEST_P(Monkey, EveryInvariantHoldsAfterEachOfTwoThousandRandomActions) {
    const MonkeyResult r = RunMonkey(GetParam(), 2000);
    ASSERT_TRUE(r.violations.empty()) << Failure(r);
    const MonkeyCounts& c = r.counts;
    EXPECT_EQ(c.actions, 2000u);
    // What the run went through: refused clicks, alarms and the countdown's
    // end ringing, the stopwatch, failed writes, renames, midnight and the
    // change to winter time, restarts compared with the window before and
    // starts from a file another program held.
    EXPECT_GT(c.refusedDisabled, 0u);
    EXPECT_GT(c.alarmSounds, 0u);
    EXPECT_GT(c.continuousAlarms, 0u);
    EXPECT_GT(c.countdownEnds, 0u);
    EXPECT_GT(c.stopwatchStarts, 0u);
    EXPECT_GT(c.fileErrorBoxes, 0u);
    EXPECT_GT(c.badEntryBoxes, 0u);
    EXPECT_GT(c.renames, 0u);
    EXPECT_GT(c.trayHides, 0u);
    EXPECT_GT(c.midnights, 0u);
    EXPECT_GT(c.daylightSavingChanges, 0u);
    EXPECT_GT(c.restartsCompared, 0u);
    EXPECT_GT(c.restartsFromLockedFile, 0u);
}

INSTANTIATE_TEST_SUITE_P(FixedSeeds, Monkey, ::testing::Values(2u, 8u, 15u));

// A seed names a run: the bench repeats what a failing test did.
TEST(MonkeySeed, TheSameSeedDoesTheSameAgain) {
    const MonkeyResult first = RunMonkey(7, 300), second = RunMonkey(7, 300);
    EXPECT_EQ(first.steps, second.steps);
    EXPECT_NE(first.steps, RunMonkey(8, 300).steps);
}

}  // namespace
}  // namespace hv::test
