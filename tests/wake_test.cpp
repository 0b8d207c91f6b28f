// What reaches the person: the next ring that the wake timer is set to, the
// window in front while it rings, one hourly box at a time, and a window that
// never hides without its icon.
#include <gtest/gtest.h>

#include "engine/NextRing.h"
#include "engine/Signalling.h"
#include "engine/TickCycle.h"
#include "tests/support/Rig.h"

namespace hvtest {
namespace {

using K = Step::Kind;

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

// A ring that waits for "Alarm aus" comes in front and flashes until then;
// a missed alarm's notice flashes only; each way a ring ends takes the
// window out of the front.
TEST(Wake, InFrontWhileSomethingRings) {
    const auto front = [](Rig& r) { return r.View().holdAttention; };
    Rig r;
    r.Start(0, "7", "30");
    r.Tick(WallMs(7, 0, 0));
    EXPECT_EQ(Kinds(r.Tick(WallMs(7, 31, 0))), std::vector<K>{K::Alert});  // missed
    EXPECT_FALSE(front(r));
    r.Start(4, "", "", "1");
    EXPECT_EQ(Kinds(r.Tick(WallMs(7, 31, 1))), (std::vector<K>{K::PlayLoop, K::Alert}));
    EXPECT_TRUE(front(r));
    r.Start(4, "", "", "9");  // a new countdown over its ring
    EXPECT_FALSE(front(r));
    r.Start(1, "7", "31", "2");
    r.Tick(WallMs(7, 31, 2));
    EXPECT_TRUE(front(r));
    AlarmAus(r.m, r.file);
    EXPECT_FALSE(front(r));
}

// Hidden, without sound: the hour opens the box; a further hour while it is
// open opens none (the clock ticks on under it), the next after it one again.
TEST(Wake, OneHourlyBoxAtATime) {
    struct Window : TickWindow {
        Rig& r;
        std::vector<std::int64_t> walls;
        int boxes = 0;
        explicit Window(Rig& rig) : r(rig) {}
        std::int64_t WallMs() const override { return walls.front(); }
        std::int64_t MonoMs() const override { return r.mono; }
        LocalTime Local(std::int64_t s) const override { return CivilTime(s); }
        void SetTickTimer(std::int64_t) override { walls.erase(walls.begin()); }
        void Apply(const Effects& e) override {
            if (!CountOf(e, Step::HourlyBox)) return;
            ++boxes;
            while (!walls.empty() && walls.front() < hvtest::WallMs(8, 0, 30)) RunSecondTick(r.m, r.file, *this);
            HourlyBoxClosed(r.m);  // OK pressed
        }
    };
    Rig r;
    Sound(r.m, r.file);
    Stundensignal(r.m, r.file);
    TrayMinimieren(r.m);
    Window w(r);
    w.walls = {WallMs(6, 59, 59, 5), WallMs(7, 0, 0, 5), WallMs(7, 0, 0, 600), WallMs(7, 0, 1, 5),
               WallMs(8, 0, 0, 5),   WallMs(8, 0, 30),   WallMs(9, 0, 0, 5)};
    while (!w.walls.empty()) RunSecondTick(r.m, r.file, w);
    EXPECT_EQ(w.boxes, 2);
    EXPECT_EQ(r.View().clock, " 09:00:00 ");
}

// The shell's answer to the icon: hidden with it; without it, minimised in
// the taskbar and asked again, unless the user opened the window there.
TEST(Wake, NeverHiddenWithoutItsIcon) {
    const struct {
        bool inTray, iconThere, restored;
        std::vector<K> steps;
        bool inTrayAfter;
    } rows[] = {
        {true, true, false, {K::HideWindow}, true},     {true, false, false, {K::WaitForTray}, true},
        {true, false, true, {K::BringBack}, false},     {true, true, true, {K::BringBack}, false},
        {false, true, false, {}, false},
    };
    for (const auto& row : rows) {
        Rig r;
        if (row.inTray) TrayMinimieren(r.m);
        EXPECT_EQ(Kinds(TrayIconAnswered(r.m, row.iconThere, row.restored)), row.steps);
        EXPECT_EQ(r.m.timers.inTray, row.inTrayAfter);
    }
    Rig r;  // started minimised: at the first paint; later ones paint the icon of a window waiting in the taskbar
    r.m.timers.minimiseOnFirstPaint = true;
    EXPECT_EQ(Kinds(Paint(r.m)), std::vector<K>{K::HideToTray});
    EXPECT_TRUE(Paint(r.m).steps.empty());
}

}  // namespace
}  // namespace hvtest
