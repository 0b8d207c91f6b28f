// What reaches the person: the next ring that the wake timer is set to, the
// window in front while it rings, one hourly box at a time, and a window that
// never hides without its icon.
#include <gtest/gtest.h>

#include "engine/NextRing.h"
#include "engine/Signalling.h"
#include "tests/support/Rig.h"

namespace hvtest {
namespace {

using K = Step::Kind;

std::int64_t At(int mo, int d, int h, int mi, int s = 0) { return EpochOf(2027, mo, d, h, mi, s) * 1000; }

// Ticks in UTC (0: the alarms armed, at hh:mm local, and the countdown
// started; 1: the countdown paused), then when the next ring is due as the
// last tick leaves it, in UTC. A counting countdown is due at the tick that
// counts off its last second.
TEST(Wake, NextRingDue) {
    constexpr std::int64_t kArm = 0, kPause = 1;
    // clang-format off
    const struct {
        const char* name;
        Zone zone;
        std::vector<std::pair<const char*, const char*>> alarms;
        std::vector<std::int64_t> ticks;
        std::optional<std::int64_t> due;
        const char* countdown = nullptr;  // seconds
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
        {"a countdown counting", BerlinTime, {}, {kArm, At(1, 4, 5, 0)}, At(1, 4, 5, 1, 28) + 805, "90"},
        {"an alarm before the countdown", BerlinTime, {{"6", "1"}}, {kArm, At(1, 4, 5, 0)}, At(1, 4, 5, 1), "90"},
        {"a countdown paused", BerlinTime, {}, {kArm, At(1, 4, 5, 0), kPause}, std::nullopt, "90"},
        {"a countdown ringing", BerlinTime, {}, {kArm, At(1, 4, 5, 0)}, std::nullopt, "1"},
    };
    // clang-format on
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Rig r;
        for (const std::int64_t t : row.ticks) {
            for (std::size_t k = 0; t == kArm && k < row.alarms.size(); ++k)
                r.Start(static_cast<int>(k), row.alarms[k].first, row.alarms[k].second);
            if (t == kArm && row.countdown) r.Start(4, "", "", row.countdown);
            if (t == kPause) r.Select(4), r.Extra1();
            if (t > kPause) SecondTick(r.m, r.file, t, r.mono, row.zone);
        }
        const std::int64_t now = *std::max_element(row.ticks.begin(), row.ticks.end());
        EXPECT_EQ(NextRingDue(r.m, now + 5, r.mono, row.zone), row.due);
    }
}

// Turned off in the system menu, no wake timer is set; the registry's
// value missing or odd means on.
TEST(Wake, OffOnlyWhenTheUserSaysSo) {
    Rig r;
    r.Start(0, "7");
    EXPECT_EQ(WakeDue(r.m, WallMs(6, 0, 0), r.mono, CivilTime), WallMs(7, 0, 0));
    r.m.wakeForAlarm = false;
    EXPECT_EQ(WakeDue(r.m, WallMs(6, 0, 0), r.mono, CivilTime), std::nullopt);
    EXPECT_TRUE(WakeForAlarmOf(std::nullopt) && WakeForAlarmOf("\1") && WakeForAlarmOf(std::string("\1\0\0\0", 4)));
    EXPECT_FALSE(WakeForAlarmOf(std::string(4, '\0')));
}

// A ring that waits for "Alarm aus" comes in front and flashes until then
// (a new countdown over it ends it too); a missed alarm's notice flashes only.
TEST(Wake, InFrontWhileSomethingRings) {
    Rig r;
    r.Start(0, "7", "30");
    r.Tick(WallMs(7, 0, 0));
    EXPECT_EQ(Kinds(r.Tick(WallMs(7, 31, 0))), std::vector<K>{K::Alert});  // missed
    EXPECT_FALSE(r.View().holdAttention);
    for (const char* next : {"9", ""}) {
        r.Start(4, "", "", "1");
        EXPECT_EQ(Kinds(r.Tick(WallMs(7, 31, 1))), (std::vector<K>{K::PlayLoop, K::Alert}));
        EXPECT_TRUE(r.View().holdAttention);
        *next ? (void)r.Start(4, "", "", next) : (void)AlarmAus(r.m, r.file);
        EXPECT_FALSE(r.View().holdAttention) << next;
    }
}

// Hidden, without sound: the hour opens the box; the ticks go on under it,
// and a further hour while it is open opens none, the next after it one again.
TEST(Wake, OneHourlyBoxAtATime) {
    Rig r;
    Sound(r.m, r.file);
    Stundensignal(r.m, r.file);
    TrayMinimieren(r.m);
    int boxes = 0;
    for (const std::int64_t t : {WallMs(6, 59, 59, 5), WallMs(7, 0, 0, 5), WallMs(7, 0, 0, 600), WallMs(8, 0, 0, 5)})
        boxes += CountOf(r.Tick(t), K::HourlyBox);
    EXPECT_EQ(boxes, 1);
    EXPECT_EQ(r.View().clock, " 08:00:00 ");
    HourlyBoxClosed(r.m);  // OK pressed
    EXPECT_EQ(CountOf(r.Tick(WallMs(9, 0, 0, 5)), K::HourlyBox), 1);
}

// The shell's answer to the icon: hidden with it; without it, minimised in
// the taskbar and asked again, unless the user opened the window there.
TEST(Wake, NeverHiddenWithoutItsIcon) {
    const struct {
        bool inTray, iconThere, restored, inTrayAfter;
        std::vector<K> steps;
    } rows[] = {
        {true, true, false, true, {K::HideWindow}},    {true, false, false, true, {K::WaitForTray}},
        {true, false, true, false, {K::BringBack}},    {true, true, true, false, {K::BringBack}},
        {false, true, false, false, {}},
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
