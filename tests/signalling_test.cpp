// The one-second tick and what it signals: alarms, the hourly signal and
// "Alarm aus", with ticks that come late, merge, or meet a clock that is set
// or changes to and from daylight-saving time.
#include <gtest/gtest.h>

#include "model/SettingsRecord.h"
#include "res/resource.h"
#include "tests/support/Scenario.h"

namespace hv::test {
namespace {

constexpr const char* kAlarmWave = "C:\\Programme\\Horovant\\alarm-sound.wav";
constexpr const char* kHourlyWave = "C:\\Programme\\Horovant\\stunden-sound.wav";
constexpr unsigned kSingle = 0x20001, kLoop = 0x20009;
// 2026-12-06 12:59:57 in Berlin.
constexpr std::int64_t kBeforeOnePmMs = 1796558397000LL;

// Sound on, Daueralarm on: the defaults.
std::string Armed(std::initializer_list<std::pair<int, const char*>> alarms,
                  std::initializer_list<std::pair<std::size_t, std::string>> more = {}) {
    std::string bytes = RecordWith(more);
    for (const auto& [slot, time] : alarms) bytes.replace(settings::AlarmActive(slot - 1), 7, std::string("t") + time);
    return bytes;
}

int CountPlays(const headless::World& w, const char* file) {
    int n = 0;
    for (const auto& call : w.sounds) n += call.name && *call.name == file;
    return n;
}

bool Ringing(Scenario& s) { return s.Dlg().State().AnythingRinging(); }

TEST(AlarmTime, AContinuousAlarmRingsUntilAlarmAusAndStaysArmedForTheNextDay) {
    Scenario s;
    s.WithSettings(Armed({{1, "120003"}})).Start();
    s.Advance(2500);
    EXPECT_TRUE(s.World().sounds.empty());
    s.Advance(1000);
    ASSERT_EQ(s.World().sounds.size(), 1u);
    // Beside the program, not in the current directory (the system folder).
    EXPECT_EQ(s.World().sounds[0].name, kAlarmWave);
    EXPECT_EQ(s.World().sounds[0].flags, kLoop);
    EXPECT_EQ(s.Text(IDC_STATUS), "Folgende Alarmzeit erreicht: Alarmzeit 1    ");
    EXPECT_TRUE(s.Enabled(IDC_ALARM_OFF));
    EXPECT_FALSE(s.Enabled(IDC_SOUND));
    EXPECT_FALSE(s.Enabled(IDC_CONTINUOUS_ALARM));
    s.Advance(5000);
    EXPECT_EQ(s.World().sounds.size(), 1u);

    ASSERT_TRUE(s.Click(IDC_ALARM_OFF));
    EXPECT_EQ(s.World().sounds.back().name, std::nullopt);
    EXPECT_EQ(s.World().sounds.back().flags, 0u);
    EXPECT_EQ(s.Text(IDC_STATUS), "");
    EXPECT_FALSE(s.Enabled(IDC_ALARM_OFF));
    EXPECT_TRUE(s.Enabled(IDC_SOUND));
    EXPECT_TRUE(s.Enabled(IDC_CONTINUOUS_ALARM));
    EXPECT_FALSE(Ringing(s));
    EXPECT_TRUE(s.Dlg().State().alarms[0].active);
    EXPECT_EQ(s.Text(IDC_ALARM1_OVERVIEW), "12:00:03");

    s.World().SetWallClockMs(1796554800000LL + 86400000LL + 1500);  // the next day, 12:00:01.5
    s.Advance(2000);
    EXPECT_EQ(CountPlays(s.World(), kAlarmWave), 2);
    EXPECT_TRUE(s.Enabled(IDC_ALARM_OFF));
}

TEST(AlarmTime, WithoutDaueralarmOneSoundAndNothingElseWithoutSoundTheNoticeAlone) {
    {
        Scenario s;
        s.WithSettings(Armed({{2, "120002"}}, {{settings::kContinuousAlarm, "f"}})).Start();
        s.Advance(3000);
        ASSERT_EQ(s.World().sounds.size(), 1u);
        EXPECT_EQ(s.World().sounds[0].flags, kSingle);
        EXPECT_EQ(s.Text(IDC_STATUS), "");
        EXPECT_FALSE(s.Enabled(IDC_ALARM_OFF));
        EXPECT_TRUE(s.Enabled(IDC_SOUND));
        EXPECT_FALSE(Ringing(s));
    }
    Scenario s;  // without sound Daueralarm is forced on
    s.WithSettings(Armed({{2, "120002"}}, {{settings::kSoundOn, "f"}, {settings::kContinuousAlarm, "f"}})).Start();
    s.Advance(3000);
    EXPECT_TRUE(s.World().sounds.empty());
    EXPECT_EQ(s.Text(IDC_STATUS), "Folgende Alarmzeit erreicht: Alarmzeit 2    ");
    EXPECT_TRUE(s.Enabled(IDC_ALARM_OFF));
    ASSERT_TRUE(s.Click(IDC_ALARM_OFF));
    EXPECT_TRUE(s.Enabled(IDC_SOUND));
    EXPECT_FALSE(s.Enabled(IDC_CONTINUOUS_ALARM));  // stays forced while sound is off
}

TEST(AlarmTime, TwoAlarmsInOneSecondBothRingTheLaterLabelShowsOneAlarmAusClearsBoth) {
    Scenario s;
    s.WithSettings(Armed({{2, "120003"}, {4, "120003"}}, {{settings::Label(3), "Tabletten      "}})).Start();
    s.Advance(3500);
    EXPECT_EQ(CountPlays(s.World(), kAlarmWave), 2);
    EXPECT_TRUE(s.Dlg().State().alarms[1].ringing);
    EXPECT_TRUE(s.Dlg().State().alarms[3].ringing);
    EXPECT_EQ(s.Text(IDC_STATUS), "Folgende Alarmzeit erreicht: Tabletten      ");
    ASSERT_TRUE(s.Click(IDC_ALARM_OFF));
    EXPECT_FALSE(Ringing(s));
    EXPECT_FALSE(s.Enabled(IDC_ALARM_OFF));
}

TEST(AlarmTime, AnAlarmRingsBackInTheWindowFromTheNotificationArea) {
    Scenario s;
    s.WithSettings(Armed({{3, "120003"}})).Start();
    ASSERT_TRUE(s.Click(IDC_TRAY));
    ASSERT_FALSE(s.Wnd().IsVisible());
    s.Advance(3500);
    EXPECT_TRUE(s.Wnd().IsVisible());
    EXPECT_FALSE(s.Dlg().State().inTray);
    EXPECT_FALSE(s.World().HasTrayIcon(s.Wnd().Handle().value, 1));
}

// Windows delivers a 1000 ms timer late, merged while the loop is busy, or
// not in the second it was meant for: every second is still looked at once.
TEST(AlarmTime, LateAndMergedTicksMissNoSecondAndDoubleNone) {
    Scenario s;
    s.WithSettings(Armed({{1, "120003"}, {2, "120004"}, {3, "120007"}}, {{settings::kContinuousAlarm, "f"}})).Start();
    s.Advance(2500);
    s.World().Stall(2000);  // the loop is busy from 12:00:02.5 to 12:00:04.5
    s.Advance(500);
    EXPECT_EQ(CountPlays(s.World(), kAlarmWave), 2);
    int late = 0;
    s.World().timerLatenessUs = [&late](unsigned) { return late++ == 0 ? 1100000 : 0; };
    s.Advance(1000);  // the tick for 12:00:06 comes in 12:00:07
    s.Advance(5000);
    EXPECT_EQ(CountPlays(s.World(), kAlarmWave), 3);
}

TEST(AlarmTime, AClockSetBackRingsAgainAClockSetFarForwardSkipsWhatLiesBetween) {
    Scenario s;
    s.WithSettings(Armed({{1, "120003"}, {2, "120500"}, {3, "120530"}}, {{settings::kContinuousAlarm, "f"}})).Start();
    s.Advance(4000);
    EXPECT_EQ(CountPlays(s.World(), kAlarmWave), 1);
    s.World().SetWallClockMs(1796554800000LL);  // back to 12:00:00
    s.Advance(4000);
    EXPECT_EQ(CountPlays(s.World(), kAlarmWave), 2);
    s.World().SetWallClockMs(1796554800000LL + 5 * 60000 + 10000);  // on to 12:05:10, past 12:05:00
    s.Advance(1000);
    EXPECT_EQ(CountPlays(s.World(), kAlarmWave), 2);
    s.World().SetWallClockMs(1796554800000LL + 5 * 60000 + 40000);  // 30 s on: caught up
    s.Advance(1000);
    EXPECT_EQ(CountPlays(s.World(), kAlarmWave), 3);
}

TEST(AlarmTime, DaylightSavingSkipsTheSpringHourAndRepeatsTheAutumnOne) {
    {
        Scenario s;  // 2027-03-28: 02:00 CET becomes 03:00 CEST
        s.World().SetWallClockMs(1806195590000LL);  // 01:59:50 CET
        s.WithSettings(Armed({{1, "023000"}, {2, "030000"}}, {{settings::kContinuousAlarm, "f"}})).Start();
        s.Advance(60 * 60 * 1000);
        EXPECT_EQ(CountPlays(s.World(), kAlarmWave), 1);  // 03:00:00 only
        EXPECT_EQ(s.Text(IDC_DATE), "Sonntag, 28.03.2027");
    }
    Scenario s;  // 2027-10-31: 03:00 CEST becomes 02:00 CET
    s.World().SetWallClockMs(1824940800000LL + 29 * 60000);  // 00:29 UTC, 02:29 CEST
    s.WithSettings(Armed({{1, "023000"}}, {{settings::kContinuousAlarm, "f"}})).Start();
    s.Advance(62 * 60 * 1000);
    EXPECT_EQ(CountPlays(s.World(), kAlarmWave), 2);
}

TEST(HourlySignal, WithTheWindowShownTheChimeAndAlarmAusWithoutSoundOnlyAlarmAus) {
    for (const bool sound : {true, false}) {
        SCOPED_TRACE(sound);
        Scenario s;
        s.World().SetWallClockMs(kBeforeOnePmMs);
        s.WithSettings(RecordWith({{settings::kHourlySignal, "j"}, {settings::kSoundOn, sound ? "t" : "f"}})).Start();
        s.Advance(4000);
        EXPECT_EQ(CountPlays(s.World(), kHourlyWave), sound ? 1 : 0);
        if (sound) EXPECT_EQ(s.World().sounds.back().flags, kSingle);
        EXPECT_TRUE(s.Enabled(IDC_ALARM_OFF));
        EXPECT_EQ(s.Text(IDC_STATUS), "");
        EXPECT_TRUE(s.World().messageBoxes.empty());
        ASSERT_TRUE(s.Click(IDC_ALARM_OFF));
        EXPECT_FALSE(s.Enabled(IDC_ALARM_OFF));
        EXPECT_FALSE(s.Dlg().State().hourlySignalPending);
    }
}

TEST(HourlySignal, UncheckedItIsNotGivenAtMidnightItIs) {
    Scenario s;
    s.World().SetWallClockMs(kBeforeOnePmMs);
    s.Start();
    s.Advance(4000);
    EXPECT_TRUE(s.World().sounds.empty());
    s.World().SetWallClockMs(1796597998000LL);  // 23:59:58
    s.Wnd().Item(IDC_HOURLY_SIGNAL).SetCheck(1);
    s.Advance(3000);
    EXPECT_EQ(CountPlays(s.World(), kHourlyWave), 1);
}

// The box's own loop dispatches ticks while it stands: they keep the clock
// going and must not give the same full hour again.
TEST(HourlySignal, HiddenWithoutSoundOneBoxWhileTimePassesTheWindowStaysHidden) {
    Scenario s;
    s.World().SetWallClockMs(kBeforeOnePmMs);
    s.WithSettings(RecordWith({{settings::kHourlySignal, "j"}, {settings::kSoundOn, "f"}})).Start();
    ASSERT_TRUE(s.Click(IDC_TRAY));
    s.World().messageBoxOpenMs = 6000;
    std::string clockWhileOpen;
    s.World().onMessageBox = [&](const headless::MessageBoxCall&) {
        clockWhileOpen = s.Text(IDC_CLOCK);
        return 1;
    };
    s.Advance(10000);
    ASSERT_EQ(s.World().messageBoxes.size(), 1u);
    EXPECT_EQ(s.World().messageBoxes[0].text, "Stundensignal!");
    EXPECT_EQ(s.World().messageBoxes[0].caption, "Horovant");
    EXPECT_EQ(s.World().messageBoxes[0].type, 0x30u);
    EXPECT_EQ(clockWhileOpen, " 13:00:06 ");
    EXPECT_FALSE(s.Wnd().IsVisible());
    EXPECT_FALSE(s.Dlg().State().hourlySignalPending);
    EXPECT_FALSE(s.Enabled(IDC_ALARM_OFF));
}

TEST(HourlySignal, HiddenWithSoundTheChimeAloneNoBox) {
    Scenario s;
    s.World().SetWallClockMs(kBeforeOnePmMs);
    s.WithSettings(RecordWith({{settings::kHourlySignal, "j"}})).Start();
    ASSERT_TRUE(s.Click(IDC_TRAY));
    s.Advance(4000);
    EXPECT_EQ(CountPlays(s.World(), kHourlyWave), 1);
    EXPECT_TRUE(s.World().messageBoxes.empty());
    EXPECT_FALSE(s.Wnd().IsVisible());
}

// The chime would replace the alarm's looping sound: one chime, then silence.
TEST(HourlySignal, AContinuousAlarmAtTheFullHourKeepsRingingOneAlarmAusEndsBoth) {
    Scenario s;
    s.World().SetWallClockMs(kBeforeOnePmMs);
    s.WithSettings(Armed({{1, "130000"}}, {{settings::kHourlySignal, "j"}})).Start();
    s.Advance(4000);
    ASSERT_EQ(s.World().sounds.size(), 1u);
    EXPECT_EQ(s.World().sounds[0].flags, kLoop);
    EXPECT_TRUE(s.Dlg().State().hourlySignalPending);
    EXPECT_EQ(s.Text(IDC_STATUS), "Folgende Alarmzeit erreicht: Alarmzeit 1    ");
    ASSERT_TRUE(s.Click(IDC_ALARM_OFF));
    EXPECT_FALSE(Ringing(s));
    EXPECT_FALSE(s.Dlg().State().hourlySignalPending);
    EXPECT_FALSE(s.Enabled(IDC_ALARM_OFF));
}

}  // namespace
}  // namespace hv::test
