// Which seconds the one-second tick examines: each exactly once however the
// ticks come, with the bounds for clock jumps.
#include <gtest/gtest.h>

#include <map>
#include <random>

#include "engine/SecondWalk.h"

namespace hv {
namespace {

std::vector<std::int64_t> Seconds(SecondRange r) {
    std::vector<std::int64_t> out;
    for (std::int64_t s = r.first; s <= r.last; ++s) out.push_back(s);
    return out;
}

TEST(SecondWalk, LateMergedAndDoubledTicksExamineEverySecondOnce) {
    // Ticks at random whole seconds: gaps of 0 (two ticks in one second) to
    // 60 (a loop busy for a minute).
    std::mt19937 random(7);
    std::map<std::int64_t, int> examined;
    std::optional<std::int64_t> last;
    const std::int64_t begin = 1796554800;
    std::int64_t now = begin;
    for (int tick = 0; tick < 20000; ++tick) {
        if (tick) now += std::uniform_int_distribution<int>(0, 60)(random);
        const SecondRange r = SecondsToExamine(last, now);
        for (std::int64_t s : Seconds(r)) ++examined[s];
        if (!r.Empty()) last = r.last;
    }
    ASSERT_EQ(examined.size(), static_cast<std::size_t>(now - begin + 1));
    for (const auto& [second, times] : examined) ASSERT_EQ(times, 1) << second;
}

TEST(SecondWalk, ClockJumpsAreNotCaughtUp) {
    EXPECT_EQ(Seconds(SecondsToExamine(std::nullopt, 500)), (std::vector<std::int64_t>{500}));
    EXPECT_EQ(Seconds(SecondsToExamine(500, 500)), std::vector<std::int64_t>{});   // same second again
    EXPECT_EQ(Seconds(SecondsToExamine(500, 560)).size(), 60u);                    // a minute busy: caught up
    EXPECT_EQ(Seconds(SecondsToExamine(500, 561)), (std::vector<std::int64_t>{561}));  // set forward
    EXPECT_EQ(Seconds(SecondsToExamine(500, 440)), (std::vector<std::int64_t>{440}));  // set back: repeats
}

}  // namespace
}  // namespace hv
