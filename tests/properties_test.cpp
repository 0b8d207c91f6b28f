// The window's invariants over seeded random walks in Berlin and the
// Azores across both changes of summer time, with the one-second timer
// delivered as Windows delivers it (late, merged while busy), busy spells,
// sleeps and the clock set: every alarm time rung or said once, every full
// hour the clock shows signalled once, and a countdown of N s ended N - 1 to
// N s after its Start (later only when its tick waited for the loop).
#include <gtest/gtest.h>

#include "tests/support/Walk.h"

namespace hvtest {
namespace {

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
        EXPECT_TRUE(c.broughtBack && c.countdownEnds && c.fileErrors && c.holdsWaited && c.rung && c.said && c.hourly) << w.seed;
    }
}

}  // namespace
}  // namespace hvtest
