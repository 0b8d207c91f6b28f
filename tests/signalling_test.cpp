// What rings when, as the one-second tick finds it, and "Alarm aus".
#include <gtest/gtest.h>

#include "engine/TickCycle.h"
#include "tests/support/Rig.h"

namespace hvtest {
namespace {

using K = Step::Kind;
const Step kOnce{K::PlayOnce, "alarm-sound.wav"}, kLoop{K::PlayLoop, "alarm-sound.wav"}, kBack{K::Alert, ""};
const Step kChime{K::PlayOnce, "stunden-sound.wav"}, kBox{K::HourlyBox, "Stundensignal!"};

// In one line: which of alarms 1-4, the countdown and the hour wait for
// "Alarm aus"; the notice's label; "Alarm aus", "Sound", "Daueralarm"
// enabled; the countdown's overview and stored flag.
std::string Ringing(const Rig& r) {
    const TimekeepingState& t = r.m.timers;
    const MainView v = r.View();
    std::string s;
    for (const AlarmSlot& a : t.alarms) s += a.ringing ? "A" : "-";
    s += std::string(t.countdown.ringing ? "C" : "-") + (t.hourlySignalPending ? "H" : "-");
    const std::string notice = "Folgende Alarmzeit erreicht: ";
    s += " '" + (v.status.rfind(notice, 0) == 0 ? v.status.substr(notice.size()) : v.status) + "' ";
    for (const bool on : {v.alarmOffEnabled, v.soundEnabled, v.continuousAlarmEnabled}) s += on ? "+" : "-";
    return s + " " + v.countdownOverview + " " + r.Bytes()[122];
}

TEST(Signalling, TableOfWhatRingsHow) {
    // clang-format off
    const struct {
        char what;  // Alarm 3, Countdown, Hour, falling due at 07:00:00
        bool sound, continuous, inTray;
        std::vector<Step> steps;
        bool inTrayAfter;
        std::string ringing;
    } rows[] = {
        {'A', true, false, false, {kOnce}, false, "------ '' -++ nicht gesetzt f"},
        {'A', true, false, true, {kOnce}, true, "------ '' -++ nicht gesetzt f"},
        {'A', true, true, false, {kLoop, kBack}, false, "--A--- 'Alarmzeit 3    ' +-- nicht gesetzt f"},
        {'A', true, true, true, {kLoop, kBack}, false, "--A--- 'Alarmzeit 3    ' +-- nicht gesetzt f"},
        {'A', false, true, true, {kBack}, false, "--A--- 'Alarmzeit 3    ' +-- nicht gesetzt f"},
        {'C', true, false, false, {kOnce}, false, "------ '' -++ nicht gesetzt f"},
        {'C', true, false, true, {kOnce}, true, "------ '' -++ nicht gesetzt f"},
        {'C', true, true, true, {kLoop, kBack}, false, "----C- 'Countdown      ' +-- 00:00:00 t"},
        {'C', false, true, false, {kBack}, false, "----C- 'Countdown      ' +-- 00:00:00 t"},
        {'H', true, true, false, {kChime}, false, "-----H '' +++ nicht gesetzt f"},
        {'H', false, true, false, {}, false, "-----H '' ++- nicht gesetzt f"},
        {'H', true, true, true, {kChime}, true, "------ '' -++ nicht gesetzt f"},
        {'H', false, true, true, {kBox}, true, "------ '' -+- nicht gesetzt f"},
    };
    // clang-format on
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what + std::to_string(row.sound) + std::to_string(row.continuous) +
                     std::to_string(row.inTray));
        Rig r;
        if (!row.continuous) Daueralarm(r.m, r.file);
        if (!row.sound) Sound(r.m, r.file);  // and Daueralarm with it
        if (row.what == 'A') r.Start(2, "7", "0", "0");
        if (row.what == 'C') r.Start(4, "", "", "2");
        if (row.what == 'H') Stundensignal(r.m, r.file);
        if (row.inTray) TrayMinimieren(r.m);
        r.Tick(WallMs(6, 59, 59, 5));
        EXPECT_EQ(r.Tick(WallMs(7, 0, 0, 5), 1000).steps, row.steps);
        EXPECT_EQ(r.m.timers.inTray, row.inTrayAfter);
        EXPECT_EQ(r.View().clock + r.View().date, " 07:00:00 Montag, 04.01.2027");
        EXPECT_EQ(Ringing(r), row.ringing);
        const MainView v = r.View();
        EXPECT_EQ(v.labelActive[2], row.what == 'A');            // an alarm rings again tomorrow
        const bool ringing = row.what == 'C' && row.continuous;  // a ringing countdown's Stopp as Start left it
        if (row.what == 'C') {
            EXPECT_EQ(Buttons(v), std::string(ringing ? "Countdown neu setzen+ Countdown aufheben+ "
                                                      : "Countdown setzen+ Countdown aufheben- ") +
                                      "Countdown unterbrechen- Countdown fortsetzen- ");
        }
    }
}

// Several in one second: alarms in slot order, then the countdown, then the
// hour, whose chime must not cut off a looping alarm. One "Alarm aus" for
// all, or Stopp on the selected alarm 1, which silences first.
TEST(Signalling, SeveralInOneSecond) {
    // clang-format off
    const struct {
        bool continuous, countdown, hour;
        std::vector<Step> steps;
        std::string ringing;
        bool byStopp = false;
    } rows[] = {
        {true, false, false, {kLoop, kBack, kLoop, kBack}, "A--A-- 'Alarmzeit 4    ' +-- nicht gesetzt f"},
        {true, false, false, {kLoop, kBack, kLoop, kBack}, "A--A-- 'Alarmzeit 4    ' +-- nicht gesetzt f", true},
        {true, false, true, {kLoop, kBack, kLoop, kBack, kLoop, kBack}, "AA-A-H 'Alarmzeit 4    ' +-- nicht gesetzt f"},
        {true, true, true, {kLoop, kBack, kLoop, kBack, kLoop, kBack, kLoop, kBack}, "AA-ACH 'Countdown      ' +-- 00:00:00 t"},
        {false, true, true, {kOnce, kOnce, kOnce, kOnce, kChime}, "-----H '' +++ nicht gesetzt f"},
    };
    // clang-format on
    for (const auto& row : rows) {
        Rig r;
        if (!row.continuous) Daueralarm(r.m, r.file);
        if (row.hour) Stundensignal(r.m, r.file);
        if (row.countdown) r.Start(4, "", "", "2");
        if (row.hour) r.Start(1, "6", "59", "59");
        r.Start(3, "7", "", "");
        r.Start(0, "7", "", "");
        r.Tick(WallMs(6, 59, 58));
        EXPECT_EQ(r.Tick(WallMs(7, 0, 0), 1000).steps, row.steps);  // 06:59:59 and 07:00:00 in one tick
        EXPECT_EQ(Ringing(r), row.ringing);
        const std::string bytes = r.Bytes();
        EXPECT_EQ(Kinds(row.byStopp ? r.Stop() : AlarmAus(r.m, r.file)), std::vector<K>{K::Silence});
        EXPECT_EQ(Ringing(r), "------ '' -++ nicht gesetzt f");
        // An alarm's ring is not stored; Stopp disarms the slot, whose buttons are the selected ones.
        EXPECT_EQ(r.Bytes(),
                  bytes.substr(0, 2) + (row.byStopp ? "f" : "t") + bytes.substr(3, 119) + "f" + bytes.substr(123));
        EXPECT_EQ(
            Buttons(r.View()).substr(0, row.byStopp ? 38 : 42),
            row.byStopp ? "Alarmzeit setzen+ Alarmzeit aufheben- " : "Alarmzeit neu setzen+ Alarmzeit aufheben+ ");
    }
}

// A new countdown over one that still rings acknowledges that ring alone;
// the notice goes back to the alarm that rang last.
TEST(Signalling, NewCountdownOverItsRingLeavesAnAlarmRinging) {
    Rig r;
    Stundensignal(r.m, r.file);
    r.Start(3, "6", "59", "59");
    r.Start(0, "7", "", "");
    r.Start(4, "", "", "2");
    r.Tick(WallMs(6, 59, 59));
    r.Tick(WallMs(7, 0, 0), 1000);
    EXPECT_EQ(Ringing(r), "A--ACH 'Countdown      ' +-- 00:00:00 t");
    EXPECT_EQ(r.Start(4, "", "", "30").steps, std::vector<Step>{});
    EXPECT_EQ(Ringing(r), "A--A-H 'Alarmzeit 1    ' +-- 00:00:30 t");
    AlarmAus(r.m, r.file);  // leaves the new countdown alone
    EXPECT_EQ(Ringing(r), "------ '' -++ 00:00:30 t");
    // With no alarm ringing, the countdown's ring is silenced.
    r.Start(4, "", "", "1");
    r.Tick(WallMs(7, 0, 1));
    EXPECT_EQ(Kinds(r.Start(4, "", "", "5")), std::vector<K>{K::Silence});
    EXPECT_EQ(Ringing(r), "------ '' -++ 00:00:05 t");
}

// Each tick sets the next for 5 ms after the next wall-clock second begins.
TEST(Tick, NextTickJustAfterTheNextSecond) {
    EXPECT_EQ(UntilNextTickMs(WallMs(7, 5, 9, 0)) + UntilNextTickMs(WallMs(7, 5, 9, 250)), 1005 + 755);
    EXPECT_EQ(UntilNextTickMs(WallMs(7, 5, 9, 999)) + UntilNextTickMs(-1), 6 + 6);
}

// The first tick after Start counts one second (more when it comes late),
// later ticks what has passed on the monotonic clock: a countdown of 3 s;
// one of an hour paused and resumed.
TEST(Tick, CountdownEndsBetweenNMinusOneAndNSeconds) {
    // clang-format off
    const struct {
        const char* entry;
        std::vector<std::int64_t> ticksAfterStart;  // ms of the monotonic clock; -1 pause, -2 resume, -3 Start again
        std::string shown;                           // the overview after each tick
        int wallStepMs = 1000;                       // 0: the clock set back by as much as time passed
    } rows[] = {
        {"3", {5, 1005, 2005}, "00:00:02 00:00:01 00:00:00 "},
        {"3", {995, 1810, 2800}, "00:00:02 00:00:01 00:00:00 "},
        {"3", {995, 1790, 2790}, "00:00:02 00:00:02 00:00:01 "},
        {"3", {30, 2530}, "00:00:02 00:00:00 "},
        {"3", {1600, 2600}, "00:00:01 00:00:00 "},
        {"3", {30, 30, 1030}, "00:00:02 00:00:02 00:00:01 "},
        {"3", {5, 1005, 2005}, "00:00:02 00:00:01 00:00:00 ", 0},
        {"3", {5, -3, 1500}, "00:00:02 00:00:01 "},
        {"3600", {5, -1, 5000, -2, 5100, 6100}, "00:59:59 00:59:59 00:59:58 00:59:57 "},
    };
    // clang-format on
    for (const auto& row : rows) {
        Rig r;
        r.Start(4, "", "", row.entry);
        const std::int64_t start = r.mono;
        std::string shown;
        for (const std::int64_t t : row.ticksAfterStart) {
            if (t < 0) {
                t == -1 ? r.Extra1() : t == -2 ? r.Extra2() : r.Start(4, "", "", row.entry);
                continue;
            }
            r.mono = start + t;
            r.Tick(WallMs(7, 0, 0, 5) + row.wallStepMs * static_cast<std::int64_t>(shown.size() / 9));
            shown += r.View().countdownOverview + " ";
        }
        EXPECT_EQ(shown, row.shown);
    }
}

}  // namespace
}  // namespace hvtest
