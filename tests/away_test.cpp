// What happens while nobody looks: alarms whose time passed in a sleep or a
// jump of the clock, a countdown that ends in a sleep, the hidden window's
// live tip, and the labels' places in any dialog font and at any scaling.
// (Summer time's days are in the week of properties_test.)
#include <gtest/gtest.h>

#include "engine/Layout.h"
#include "engine/TrayTip.h"
#include "tests/support/Rig.h"

namespace hvtest {
namespace {

constexpr int kAlarm1 = 0, kAlarm2 = 1;

bool Rang(const Effects& e) { return CountOf(e, Step::PlayLoop) + CountOf(e, Step::PlayOnce) > 0; }

TEST(Away, AlarmsThatPassedInAGapAreSaidNeverRungAndAlarmAusEndsTheNotice) {
    struct Case {
        const char* name;
        std::int64_t from, to;  // wall ms of the tick before and after the gap
        const char* status;     // "" when nothing is missed
        bool rings;             // an alarm rings at the tick after the gap
    };
    // Alarm 1 at 07:30:00, alarm 2 at 08:00:00.
    const Case cases[] = {
        {"30 s are caught up", WallMs(7, 29, 50), WallMs(7, 30, 20), "", true},
        {"2 min of sleep", WallMs(7, 29, 0), WallMs(7, 31, 0), "Alarm verpasst: Alarmzeit 1 (07:30:00)", false},
        {"8 h of sleep", WallMs(1, 0, 0), WallMs(9, 0, 0), "2 Alarme verpasst, zuletzt: Alarmzeit 2 (08:00:00)", false},
        {"3 days, each once", WallMs(9, 0, 0), WallMs(9, 0, 0) + 3 * 86400000LL,
         "2 Alarme verpasst, zuletzt: Alarmzeit 2 (08:00:00)", false},
        {"back at the alarm's second", WallMs(7, 0, 0), WallMs(8, 0, 0), "Alarm verpasst: Alarmzeit 1 (07:30:00)", true},
        {"the clock set back", WallMs(9, 0, 0), WallMs(7, 30, 0), "", true},
        {"nothing armed in the gap", WallMs(8, 1, 0), WallMs(9, 0, 0), "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Rig r;
        r.Start(kAlarm1, "7", "30");
        r.Start(kAlarm2, "8");
        r.Tick(c.from);
        const Effects e = r.Tick(c.to);
        EXPECT_EQ(Rang(e), c.rings);
        if (!c.rings) EXPECT_EQ(r.m.status, c.status);
        EXPECT_EQ(r.m.timers.missedNotice, *c.status != '\0' && !c.rings);
        EXPECT_EQ(CountOf(e, Step::BringBack) > 0, *c.status != '\0' || c.rings);
        if (!r.m.timers.missedNotice) continue;
        EXPECT_TRUE(r.View().alarmOffEnabled);
        EXPECT_EQ(TrayViewOf(r.m).tip.rfind("Alarm verpasst!\n", 0), 0u);
        AlarmAus(r.m, r.file);
        EXPECT_EQ(r.View().status, "");
        EXPECT_FALSE(r.View().alarmOffEnabled);
        EXPECT_TRUE(r.m.timers.alarms[kAlarm1].active);  // still armed for the next day
    }
}

TEST(Away, ACountdownCountsRealTimeAcrossASleepAndSaysItEndedThere) {
    for (const bool continuous : {true, false}) {
        SCOPED_TRACE(continuous);
        Rig r;
        if (!continuous) Daueralarm(r.m, r.file);
        r.Tick(WallMs(12, 0, 0));
        r.Start(kCountdownSlot, "", "10");
        r.mono += 1000;
        r.Tick(WallMs(12, 0, 1));
        r.mono += 3600 * 1000;  // an hour asleep; the monotonic clock went on
        const Effects e = r.Tick(WallMs(13, 0, 1));
        EXPECT_FALSE(r.m.timers.countdown.active);
        EXPECT_EQ(r.m.timers.countdown.ringing, continuous);
        EXPECT_EQ(CountOf(e, continuous ? Step::PlayLoop : Step::PlayOnce), 1);
        EXPECT_EQ(r.m.status, continuous ? "Im Ruhezustand abgelaufen: Countdown      " : "");
        EXPECT_EQ(r.Bytes()[settings::kCountdownActive], continuous ? 't' : 'f');
    }
}

TEST(Away, TheHiddenWindowsTipSaysWhatRunsAndItsTime) {
    Rig r;
    EXPECT_EQ(TrayViewOf(r.m), (TrayView{false, "Alarm aus\nCountdown aus\nStoppuhr aus\nStundensignal aus"}));
    r.Start(kAlarm1, "7", "30");
    r.Start(kAlarm2, "22");
    r.Start(kCountdownSlot, "120");
    const std::uint64_t run = r.Start(kStopwatchSlot).steps.at(0).run;
    r.Tick(WallMs(23, 0, 0));  // after both alarms: the next is tomorrow's 07:30
    r.mono += 61900;
    r.m.timers.stopwatch.Count(run, r.mono);  // as its worker would
    EXPECT_EQ(TrayViewOf(r.m),
              (TrayView{true, "Alarm an: 07:30:00\nCountdown an: 119:59:59\nStoppuhr an: 00:01:01\nStundensignal aus"}));
    r.m.timers.missedNotice = true;
    r.m.timers.countdown.hours = 2147483;  // the longest tip fits the structure's 127 characters
    EXPECT_LE(TrayViewOf(r.m).tip.size(), kTrayTipLength);
}

// The places move with the dialog's units (Wine's smaller font, 125 %, 150 %,
// 200 %): alarm 4's selector at (13, 182, 12, 10) and the countdown's
// overview field at (299, 326) in dialog units keep their labels beside them.
TEST(Layout, LabelsMoveWithTheDialogsUnits) {
    EXPECT_EQ(SlotLabelPlaces({6, 13})[0], (SlotLabelPlace{{40, 205}, {30, 470}, {130, 470}}));
    for (const BaseUnits u : {BaseUnits{6, 12}, BaseUnits{8, 16}, BaseUnits{9, 20}, BaseUnits{12, 26}}) {
        const auto p = SlotLabelPlaces(u);
        EXPECT_LE(std::abs(p[3].besideSelector.y - 182 * u.y / 8), u.y / 8 + 1) << u.y;
        EXPECT_GE(p[3].besideSelector.x, 25 * u.x / 4) << u.x;
        EXPECT_LE(std::abs(p[4].beforeOverview.y - 326 * u.y / 8), u.y / 8 + 1) << u.y;
        EXPECT_GT(p[4].colon.x, p[4].beforeOverview.x + 60 * u.x / 4) << u.x;
        EXPECT_LT(p[4].colon.x, 299 * u.x / 4) << u.x;
    }
    EXPECT_EQ(ScaledHeight(16, {6, 13}), 16);
    EXPECT_EQ(ScaledHeight(70, {9, 20}), 108);
}

}  // namespace
}  // namespace hvtest
