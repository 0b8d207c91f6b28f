// What happens while nobody looks: alarms whose time passed in a sleep or a
// jump of the clock, a countdown that ends in a sleep, the hidden window's
// live tip, summer time's days, and the labels' places in any dialog font
// and at any scaling.
#include <gtest/gtest.h>

#include "engine/Fonts.h"
#include "engine/Layout.h"
#include "engine/TrayTip.h"
#include "tests/support/Rig.h"

namespace hvtest {
namespace {

constexpr int kAlarm1 = 0, kAlarm2 = 1;

// Alarm 1 at 07:30:00, alarm 2 at 08:00:00, alarm 3 at 09:00:10: ticks
// (0: a new countdown started), then what the status line says, and after
// each "Alarm aus" until it is empty: what rings first, then what was missed.
TEST(Away, EachAlarmTimeRungOrSaidAndEveryNoticeAcknowledgedInTurn) {
    const std::string a1 = "Alarmzeit 1 (07:30:00)", a2 = "Alarmzeit 2 (08:00:00)";
    const std::string rang1 = "Folgende Alarmzeit erreicht: Alarmzeit 1    ", rang2 = "Folgende Alarmzeit erreicht: Alarmzeit 2    ";
    const std::string rang3 = "Folgende Alarmzeit erreicht: Alarmzeit 3    ", missed1 = "Alarm verpasst: " + a1;
    const std::string asleep = "Im Ruhezustand abgelaufen: Countdown      ";
    // clang-format off
    const struct {
        const char* name;
        std::vector<std::int64_t> ticks;
        std::vector<std::string> said;
        int came;  // alarm times rung or said
        const char* countdown = "";
    } cases[] = {
        {"30 s are caught up", {WallMs(7, 29, 50), WallMs(7, 30, 20)}, {rang1}, 1},
        {"60 s are caught up", {WallMs(7, 29, 30), WallMs(7, 30, 30)}, {rang1}, 1},
        {"61 s are missed", {WallMs(7, 29, 30), WallMs(7, 30, 31)}, {missed1}, 1},
        {"8 h of sleep", {WallMs(1, 0, 0), WallMs(9, 0, 0)}, {"2 Alarme verpasst, zuletzt: " + a2}, 2},
        {"3 days, each time", {WallMs(9, 0, 0), WallMs(9, 0, 0) + 3 * 86400000LL}, {"9 Alarme verpasst, zuletzt: " + a2}, 9},
        {"back at an alarm's second", {WallMs(7, 0, 0), WallMs(8, 0, 0)}, {rang2, missed1}, 2},
        {"a later ring over the notice", {WallMs(7, 0, 0), WallMs(7, 31, 0), WallMs(9, 0, 10)}, {rang3, "2 Alarme verpasst, zuletzt: " + a2}, 3},
        {"notices add up", {WallMs(7, 0, 0), WallMs(7, 31, 0), WallMs(8, 30, 0)}, {"2 Alarme verpasst, zuletzt: " + a2}, 2},
        {"a countdown ended asleep", {WallMs(7, 0, 0), WallMs(7, 31, 0)}, {asleep, missed1}, 1, "10"},
        {"a new countdown over its ring", {WallMs(7, 0, 0), WallMs(7, 31, 0), 0}, {missed1}, 1, "10"},
        {"the clock set back", {WallMs(9, 0, 0), WallMs(7, 30, 0)}, {rang1}, 1},
        {"nothing armed in the gap", {WallMs(8, 1, 0), WallMs(9, 0, 0)}, {""}, 0},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Rig r;
        r.Start(kAlarm1, "7", "30");
        r.Start(kAlarm2, "8");
        r.Start(2, "9", "0", "10");
        if (*c.countdown) r.Start(kCountdownSlot, "", "", c.countdown);
        int rang = 0, missed = 0;
        for (std::size_t i = 0; i < c.ticks.size(); ++i) {
            if (c.ticks[i] == 0) { r.Start(kCountdownSlot, "", "", "30"); continue; }
            r.mono += i ? c.ticks[i] - c.ticks[i - 1] : 0;  // the monotonic clock goes on in a sleep
            const TickResult t = SecondTick(r.m, r.file, c.ticks[i], r.mono, CivilTime);
            for (int k = 0; k < 3; ++k) rang += t.rang[k], missed += t.missed[k];
        }
        EXPECT_EQ(rang + missed, c.came);  // every time that came, once
        for (const std::string& said : c.said) {
            const MainView v = r.View();
            EXPECT_EQ(v.status, said);
            EXPECT_EQ(v.alarmOffEnabled, !said.empty());
            // The tip's first line says the same.
            const char* tip = said.empty() ? "Alarm an" : said.find("verpasst") < said.size() ? "Alarm verpasst!\n" : "Alarmzeit erreicht!\n";
            EXPECT_EQ(TrayViewOf(r.m).tip.rfind(tip, 0), 0u);
            AlarmAus(r.m, r.file);
        }
        EXPECT_EQ(r.View().status, "");
    }
}

TEST(Away, ACountdownCountsRealTimeAcrossASleepAndSaysItEndedThere) {
    // A minute is a busy loop, no sleep.
    for (const std::int64_t away : {3600, 61, 60}) {
        for (const bool continuous : {true, false}) {
            SCOPED_TRACE(std::to_string(away) + (continuous ? " continuous" : ""));
            Rig r;
            if (!continuous) Daueralarm(r.m, r.file);
            r.Tick(WallMs(12, 0, 0));
            r.Start(kCountdownSlot, "", "", "10");
            r.Tick(WallMs(12, 0, 1), 1000);
            const Effects e = r.Tick(WallMs(12, 0, 1) + away * 1000, away * 1000);  // the monotonic clock went on
            EXPECT_FALSE(r.m.timers.countdown.active);
            EXPECT_EQ(r.m.timers.countdown.ringing, continuous);
            EXPECT_EQ(CountOf(e, continuous ? Step::PlayLoop : Step::PlayOnce), 1);
            EXPECT_EQ(r.View().status, !continuous ? ""
                                       : away > 60 ? "Im Ruhezustand abgelaufen: Countdown      "
                                                   : "Folgende Alarmzeit erreicht: Countdown      ");
            EXPECT_EQ(r.Bytes()[settings::kCountdownActive], continuous ? 't' : 'f');
        }
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
    r.Tick(WallMs(12, 0, 0));  // between the two: the next after now, not the earliest
    r.Select(kCountdownSlot), r.Extra1();
    EXPECT_EQ(TrayViewOf(r.m).tip, "Alarm an: 22:00:00\nCountdown pausiert: 119:58:57\nStoppuhr an: 00:01:01\nStundensignal aus");
    r.m.timers.missedCount = 1;
    r.m.timers.countdown.hours = 2147483;  // the longest tip fits the structure's 127 characters
    EXPECT_LE(TrayViewOf(r.m).tip.size(), kTrayTipLength);
}

// Alarm 1 at a time of day in a zone that changes: ticks (UTC; 0: Start
// again), and how often it rang and was said missed.
TEST(Away, SummerTimeRingsOrSaysEachAlarmTimeOnce) {
    const auto at = [](int mo, int d, int h, int mi, int s) { return EpochOf(2027, mo, d, h, mi, s); };
    // clang-format off
    const struct {
        const char* name;
        Zone zone;
        const char* hour;  // the alarm at hh:30:00
        std::vector<std::int64_t> ticks;
        int rang, missed;
    } rows[] = {
        {"skip across midnight", AzoresTime, "00", {at(3, 28, 0, 59, 59), at(3, 28, 1, 0, 0)}, 1, 0},
        {"asleep over the skipped hour", BerlinTime, "02", {at(3, 28, 0, 30, 0), at(3, 28, 2, 0, 0)}, 0, 1},
        {"asleep over the skip across midnight", AzoresTime, "00", {at(3, 27, 23, 0, 0), at(3, 28, 2, 0, 0)}, 0, 1},
        {"asleep at the first showing, awake at the second", BerlinTime, "02",
         {at(10, 31, 0, 0, 0), at(10, 31, 1, 10, 0), at(10, 31, 1, 29, 59), at(10, 31, 1, 30, 0)}, 1, 0},
        {"rung at the first showing, asleep over the second", BerlinTime, "02",
         {at(10, 31, 0, 29, 59), at(10, 31, 0, 30, 0), at(10, 31, 2, 0, 0)}, 1, 0},
        {"asleep over both showings", AzoresTime, "00", {at(10, 30, 23, 0, 0), at(10, 31, 2, 0, 0)}, 0, 1},
        {"armed again in the repeated hour", BerlinTime, "02",
         {at(10, 31, 0, 29, 59), at(10, 31, 0, 30, 0), at(10, 31, 1, 20, 0), 0, at(10, 31, 1, 29, 59), at(10, 31, 1, 30, 0)}, 2, 0},
    };
    // clang-format on
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Rig r;
        r.Start(kAlarm1, row.hour, "30");
        int rang = 0, missed = 0;
        for (const std::int64_t s : row.ticks) {
            if (s == 0) {
                r.Start(kAlarm1, row.hour, "30");
                continue;
            }
            const TickResult result = SecondTick(r.m, r.file, s * 1000, r.mono, row.zone);
            rang += result.rang[kAlarm1], missed += result.missed[kAlarm1];
        }
        EXPECT_EQ(rang, row.rang);
        EXPECT_EQ(missed, row.missed);
    }
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
    // The window's own fonts grow with them.
    const MainWindowFonts standard = MainWindowFontsFor({6, 13}), large = MainWindowFontsFor({9, 20});
    EXPECT_EQ(std::vector<int>({standard.clock.height, standard.date.height, standard.overview.height,
                                standard.label.height, large.clock.height, large.label.height}),
              std::vector<int>({70, 18, 16, 16, 108, 25}));
    EXPECT_TRUE(large.clock.weight == 700 && large.label.weight == 400 && large.label.escapement == 1);
}

}  // namespace
}  // namespace hvtest
