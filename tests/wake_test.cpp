// What reaches the person: the next ring that the wake timer is set to, the
// window in front while it rings, one hourly box at a time, and a window that
// never hides without its icon.
#include <gtest/gtest.h>

#include "engine/NextRing.h"
#include "tests/support/Rig.h"

namespace hvtest {
namespace {

std::int64_t At(int mo, int d, int h, int mi, int s = 0) { return EpochOf(2027, mo, d, h, mi, s) * 1000; }

// Ticks in UTC (0: the alarms armed, at hh:mm local), then when the next ring
// is due as the last tick leaves it, in UTC.
TEST(Wake, NextRingDue) {
    constexpr std::int64_t kArm = 0;
    // clang-format off
    const struct {
        const char* name;
        Zone zone;
        std::vector<std::pair<const char*, const char*>> alarms;
        std::vector<std::int64_t> ticks;
        std::optional<std::int64_t> due;
    } rows[] = {
        {"later today", BerlinTime, {{"7", "30"}}, {At(1, 4, 5, 0), kArm}, At(1, 4, 6, 30)},
        {"across midnight", BerlinTime, {{"6", "0"}}, {At(1, 4, 21, 0), kArm}, At(1, 5, 5, 0)},
        {"the earliest of several", BerlinTime, {{"7", "30"}, {"23", ""}, {"6", "15"}}, {At(1, 4, 5, 0), kArm}, At(1, 4, 5, 15)},
        {"its own second examined", BerlinTime, {{"6", "0"}}, {At(1, 4, 5, 0), kArm}, At(1, 5, 5, 0)},
        {"in the skipped hour", BerlinTime, {{"2", "30"}}, {At(3, 27, 23, 0), kArm}, At(3, 28, 1, 0)},
        {"the first second after the skip", BerlinTime, {{"3", "0"}}, {At(3, 27, 23, 0), kArm}, At(3, 28, 1, 0)},
        {"after the skipped hour", BerlinTime, {{"3", "30"}}, {At(3, 27, 23, 0), kArm}, At(3, 28, 1, 30)},
        {"skipped across midnight", AzoresTime, {{"0", "30"}}, {At(3, 27, 22, 0), kArm}, At(3, 28, 1, 0)},
        {"repeated hour, first showing", BerlinTime, {{"2", "30"}}, {At(10, 30, 22, 0), kArm}, At(10, 31, 0, 30)},
        {"armed in the second showing", BerlinTime, {{"2", "30"}}, {At(10, 31, 1, 10), kArm}, At(10, 31, 1, 30)},
        {"rung at the first showing", BerlinTime, {{"2", "30"}}, {At(10, 31, 0, 0), kArm, At(10, 31, 0, 30), At(10, 31, 1, 10)}, At(11, 1, 1, 30)},
        {"after the repeated hour", BerlinTime, {{"4", ""}}, {At(10, 30, 22, 0), kArm}, At(10, 31, 3, 0)},
        {"nothing armed", BerlinTime, {}, {At(1, 4, 5, 0)}, std::nullopt},
    };
    // clang-format on
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Rig r;
        for (const std::int64_t t : row.ticks) {
            for (std::size_t k = 0; t == kArm && k < row.alarms.size(); ++k)
                r.Start(static_cast<int>(k), row.alarms[k].first, row.alarms[k].second);
            if (t != kArm) SecondTick(r.m, r.file, t, r.mono, row.zone);
        }
        const std::int64_t now = row.ticks.back() == kArm ? row.ticks.front() : row.ticks.back();
        EXPECT_EQ(NextRingDue(r.m, now + 5, r.mono, row.zone), row.due);
    }
}

// Counting, the countdown is due at the tick that counts off its last
// second; paused or ringing, it is not; waking turned off sets no timer.
TEST(Wake, CountdownDueOnlyWhileCounting) {
    Rig r;
    const std::int64_t wall = WallMs(7, 0, 0, 5);
    r.Start(4, "", "1", "30");
    r.Tick(wall);  // counts the first second off
    EXPECT_EQ(NextRingDue(r.m, wall, r.mono, CivilTime), wall + 89000 - 200);
    r.Start(0, "7", "1");
    EXPECT_EQ(NextRingDue(r.m, wall + 300, r.mono + 300, CivilTime), WallMs(7, 1, 0));
    r.m.wakeForAlarm = false;
    EXPECT_EQ(WakeDue(r.m, wall, r.mono, CivilTime), std::nullopt);
    r.m.wakeForAlarm = true;
    r.Stop();
    r.Select(4);
    r.Extra1();  // paused
    EXPECT_EQ(NextRingDue(r.m, wall, r.mono, CivilTime), std::nullopt);
    r.Start(4, "", "", "1");
    r.Tick(wall + 1000);
    ASSERT_TRUE(r.m.timers.countdown.ringing);
    EXPECT_EQ(WakeDue(r.m, wall + 1000, r.mono, CivilTime), std::nullopt);
}

}  // namespace
}  // namespace hvtest
