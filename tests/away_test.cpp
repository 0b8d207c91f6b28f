// What happens while nobody looks: alarms whose time passed in a sleep or a
// jump of the clock, a countdown that ends in a sleep, the days summer time
// begins and ends, the hidden window's live tip, and the labels' places in
// any dialog font and at any scaling.
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

// Berlin: 2027-03-28 02:00 CET becomes 03:00 CEST (01:00 UTC); 2027-10-31
// 03:00 CEST becomes 02:00 CET (01:00 UTC).
TEST(Away, SummerTimeSkippedHourRingsAtThreeTheRepeatedHourOnce) {
    struct Case {
        const char* name;
        std::int64_t fromUtc, toUtc;
        std::vector<std::int64_t> ringsAtUtc;
    };
    const Case cases[] = {
        {"spring", EpochOf(2027, 3, 28, 0, 0, 0), EpochOf(2027, 3, 28, 3, 0, 0), {EpochOf(2027, 3, 28, 1, 0, 0)}},
        {"autumn", EpochOf(2027, 10, 30, 23, 0, 0), EpochOf(2027, 10, 31, 3, 0, 0), {EpochOf(2027, 10, 31, 0, 30, 0)}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Rig r;
        r.Start(kAlarm1, "02", "30", "00");
        std::vector<std::int64_t> rang;
        for (std::int64_t s = c.fromUtc; s <= c.toUtc; ++s) {
            const Effects e = SecondTick(r.m, r.file, s * 1000 + 5, r.mono, BerlinTime).effects;
            if (Rang(e)) rang.push_back(s);
            if (r.m.timers.alarms[kAlarm1].ringing) AlarmAus(r.m, r.file);
        }
        EXPECT_EQ(rang, c.ringsAtUtc);
        EXPECT_FALSE(r.m.timers.missedNotice);
    }
}

TEST(Away, TheHiddenWindowsTipSaysWhatRunsAndItsTime) {
    Rig r;
    EXPECT_EQ(TrayViewOf(r.m), (TrayView{false, "Alarm aus\nCountdown aus\nStoppuhr aus\nStundensignal aus"}));
    r.Start(kAlarm1, "7", "30");
    r.Start(kAlarm2, "22");
    r.Tick(WallMs(23, 0, 0));  // after both: the next is tomorrow's 07:30
    EXPECT_EQ(TrayViewOf(r.m).tip.substr(0, 19), "Alarm an: 07:30:00\n");
    r.Tick(WallMs(8, 0, 0) + 86400000LL);
    EXPECT_EQ(TrayViewOf(r.m).tip.substr(0, 19), "Alarm an: 22:00:00\n");
    r.Start(kCountdownSlot, "120");
    const std::uint64_t run = r.Start(kStopwatchSlot).steps.at(0).run;
    r.mono += 61900;
    r.Tick(WallMs(8, 1, 2) + 86400000LL);
    r.m.timers.stopwatch.Count(run, r.mono);  // as its worker would
    const TrayView v = TrayViewOf(r.m);
    EXPECT_TRUE(v.activeIcon);
    EXPECT_NE(v.tip.find("Countdown an: 119:59:59\n"), std::string::npos) << v.tip;
    EXPECT_NE(v.tip.find("Stoppuhr an: 00:01:01\n"), std::string::npos) << v.tip;
    r.Select(kCountdownSlot);
    r.Extra1();  // paused
    EXPECT_NE(TrayViewOf(r.m).tip.find("Countdown pausiert: 119:59:59\n"), std::string::npos);
    // The longest tip still fits the notification structure's 127 characters.
    r.m.timers.missedNotice = true;
    r.m.timers.countdown.hours = 2147483;
    EXPECT_LE(TrayViewOf(r.m).tip.size(), kTrayTipLength);
}

// The controls' rectangles (dialog units) as the main window's template has
// them: slot selectors and overview fields, alarm 1-4, countdown, stopwatch.
struct DuRect {
    int x, y, w, h;
};
constexpr DuRect kSelectors[6] = {{13, 127, 12, 10}, {13, 145, 11, 10}, {13, 163, 13, 10},
                                  {13, 182, 12, 10}, {13, 200, 12, 10}, {13, 219, 13, 10}};
constexpr DuRect kOverviews[6] = {{92, 289, 84, 14},  {299, 289, 68, 14}, {92, 307, 84, 14},
                                  {299, 307, 67, 14}, {299, 326, 68, 14}, {92, 326, 84, 14}};

TEST(Layout, EachLabelStandsBesideItsSelectorAndBeforeItsOverviewInAnyFontAndScaling) {
    const SlotLabelPlace standard = SlotLabelPlaces({6, 13})[0];
    EXPECT_EQ(standard, (SlotLabelPlace{{40, 205}, {30, 470}, {130, 470}}));
    // Windows at 96 DPI, Wine's smaller font, 125 %, 150 % and 200 %.
    for (const BaseUnits u : {BaseUnits{6, 13}, BaseUnits{6, 12}, BaseUnits{8, 16}, BaseUnits{9, 20}, BaseUnits{12, 26}}) {
        SCOPED_TRACE(std::to_string(u.x) + " x " + std::to_string(u.y));
        const auto places = SlotLabelPlaces(u);
        const auto px = [&](int du, bool vertical) { return vertical ? du * u.y / 8 : du * u.x / 4; };
        for (int i = 0; i < 6; ++i) {
            const DuRect s = kSelectors[i], o = kOverviews[i];
            const SlotLabelPlace& p = places[static_cast<std::size_t>(i)];
            // Right of the selector by at most a few units, its top within a unit.
            EXPECT_GE(p.besideSelector.x, px(s.x + s.w, false)) << i;
            EXPECT_LE(p.besideSelector.x, px(s.x + s.w + 4, false)) << i;
            EXPECT_LE(std::abs(p.besideSelector.y - px(s.y, true)), px(1, true) + 1) << i;
            // Left of the overview field with room for a label, the colon just before it.
            EXPECT_GE(px(o.x, false) - p.beforeOverview.x, px(60, false)) << i;
            EXPECT_GT(p.colon.x, p.beforeOverview.x + px(60, false)) << i;
            EXPECT_LT(p.colon.x, px(o.x, false)) << i;
            EXPECT_LE(std::abs(p.beforeOverview.y - px(o.y, true)), px(1, true) + 1) << i;
            EXPECT_EQ(p.colon.y, p.beforeOverview.y) << i;
        }
    }
    EXPECT_EQ(ScaledHeight(16, {6, 13}), 16);
    EXPECT_EQ(ScaledHeight(70, {9, 20}), 108);
}

}  // namespace
}  // namespace hvtest
