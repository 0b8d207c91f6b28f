// Faults a Windows user would meet and the window's own checks let through:
// the focus choosing a slot, one ring silencing another, the hourly box's
// title, a failed write or registry change half done, and what the window
// leaves alone while hidden.
#include <gtest/gtest.h>

#include "app/ZeitApp.h"
#include "model/FileErrorText.h"
#include "model/SettingsRecord.h"
#include "res/resource.h"
#include "tests/support/Scenario.h"

namespace hv::test {
namespace {

constexpr unsigned kSingle = 0x20001, kLoop = 0x20009;
constexpr std::int64_t kNoonMs = 1796554800000LL;  // Sunday 2026-12-06 12:00:00 in Berlin
constexpr const char* kMachineRun = "HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

void Hold(Scenario& s, bool held) { s.World().FindFile(kSettingsPath)->lockedByOtherProgram = held; }

void StartCountdown(Scenario& s, const char* seconds) {
    ASSERT_TRUE(s.Click(IDC_COUNTDOWN_CHECK));
    s.Wnd().Item(IDC_COUNTDOWN_SEC).SetText(seconds);
    ASSERT_TRUE(s.Click(IDC_START));
}

// Windows' radio button clicks itself when it gets the focus unchecked; the
// headless button does the same, so a focus on alarm 1's selector would
// select it here too.
TEST(UserFaults, WhileNoSlotIsChosenTheFocusChoosesNoneAndKeysStillReachTheWindow) {
    Scenario s;
    s.WithSettings(RecordWith({{settings::kHourlySignal, "j"}}));
    s.World().SetWallClockMs(kNoonMs + 3600000 - 1500);  // 12:59:58.5
    s.Start();
    const auto idle = [&] {
        EXPECT_EQ(s.Dlg().State().selector, SlotSelector::None);
        EXPECT_FALSE(s.Enabled(IDC_START));
        EXPECT_EQ(s.Text(IDC_START), "Start");
        for (int id : {IDC_ALARM1_CHECK, IDC_ALARM2_CHECK, IDC_COUNTDOWN_CHECK}) EXPECT_EQ(s.Check(id), 0);
        EXPECT_EQ(s.FocusId(), IDC_STATUS);
    };
    idle();
    s.World().PressEnter(s.Wnd());
    idle();
    EXPECT_EQ(s.FileBytes()->substr(settings::AlarmActive(0), 1), "f");
    s.Advance(2000);  // the full hour: "Alarm aus" for it
    ASSERT_TRUE(s.Enabled(IDC_ALARM_OFF));
    ASSERT_TRUE(s.Click(IDC_ALARM_OFF));  // with the mouse: it takes the focus, then disables itself
    idle();
    s.PressEscape();
    EXPECT_TRUE(s.Ended());
}

TEST(UserFaults, ANewCountdownAcknowledgesItsOwnRingAlone) {
    {  // an alarm rings, then the countdown: the alarm rings on
        Scenario s;
        s.WithSettings(RecordWith({{settings::AlarmActive(1), "t120002"}})).Start();
        StartCountdown(s, "4");
        s.Advance(5000);
        ASSERT_TRUE(s.Dlg().State().alarms[1].ringing);
        ASSERT_TRUE(s.Dlg().State().countdown.ringing);
        const std::size_t sounds = s.World().sounds.size();
        StartCountdown(s, "60");
        EXPECT_EQ(s.World().sounds.size(), sounds);  // the loop goes on
        EXPECT_EQ(s.World().sounds.back().flags, kLoop);
        EXPECT_EQ(s.Text(IDC_STATUS), "Folgende Alarmzeit erreicht: Alarmzeit 2    ");
        EXPECT_TRUE(s.Enabled(IDC_ALARM_OFF));
        EXPECT_FALSE(s.Enabled(IDC_SOUND));
        EXPECT_FALSE(s.Enabled(IDC_CONTINUOUS_ALARM));
        EXPECT_TRUE(s.Dlg().State().alarms[1].ringing);
        EXPECT_TRUE(s.Dlg().State().countdown.active);
        // "Alarm aus" then ends the alarm's ring, not the new countdown.
        ASSERT_TRUE(s.Click(IDC_ALARM_OFF));
        EXPECT_EQ(s.World().sounds.back().name, std::nullopt);
        EXPECT_TRUE(s.Dlg().State().countdown.active);
        EXPECT_EQ(s.Text(IDC_COUNTDOWN_OVERVIEW), "00:01:00");
    }
    {  // the countdown rings over a pending hourly signal, nothing else rings
        Scenario s;
        s.WithSettings(RecordWith({{settings::kHourlySignal, "j"}}));
        s.World().SetWallClockMs(kNoonMs + 3600000 - 4000);  // 12:59:56
        s.Start();
        StartCountdown(s, "2");
        s.Advance(5000);
        ASSERT_TRUE(s.Dlg().State().countdown.ringing);
        ASSERT_TRUE(s.Dlg().State().hourlySignalPending);
        StartCountdown(s, "60");
        EXPECT_EQ(s.World().sounds.back().name, std::nullopt);  // its loop is silenced
        EXPECT_EQ(s.Text(IDC_STATUS), "");
        EXPECT_TRUE(s.Enabled(IDC_SOUND));
        EXPECT_TRUE(s.Enabled(IDC_CONTINUOUS_ALARM));
        EXPECT_TRUE(s.Dlg().State().hourlySignalPending);
        EXPECT_TRUE(s.Enabled(IDC_ALARM_OFF));
        EXPECT_FALSE(s.Dlg().State().countdown.ringing);
    }
}

TEST(UserFaults, TheHourlyBoxSaysHorovantWhateverTheFileIsCalled) {
    Scenario s;  // no application object: the harness's caption
    ZeitApp app;
    app.SetName("Horovant (1)");
    s.WithSettings(RecordWith({{settings::kHourlySignal, "j"}, {settings::kSoundOn, "f"}}));
    s.World().SetWallClockMs(kNoonMs + 3600000 - 1500);
    s.Start();
    ASSERT_TRUE(s.Click(IDC_TRAY));
    s.Advance(2000);
    ASSERT_EQ(s.World().messageBoxes.size(), 1u);
    EXPECT_EQ(s.World().messageBoxes[0].text, "Stundensignal!");
    EXPECT_EQ(s.World().messageBoxes[0].caption, "Horovant");
    Hold(s, true);  // the other boxes keep the program file's name
    s.Wnd().Post(WM_TRAYNOTIFY, 1, 0x202);
    s.Advance(0);
    ASSERT_TRUE(s.Click(IDC_SOUND));
    ASSERT_EQ(s.World().messageBoxes.size(), 2u);
    EXPECT_EQ(s.World().messageBoxes[1].caption, "Horovant (1)");
}

TEST(UserFaults, AWriteThatFailsLeavesMemoryAndFileAlikeAndTheRegistryAsItWas) {
    Scenario s;
    s.World().moduleFileName = "C:\\Programme\\Horovant\\Horovant.exe";
    s.WithSettings(RecordWith({{settings::kAutostart, "t"}})).Start();
    // A countdown's stored parts are cut to their three bytes each: the
    // autostart byte behind them stays, the file keeps its length.
    StartCountdown(s, "123456");
    EXPECT_EQ(s.FileBytes()->size(), kSettingsRecordSize);
    EXPECT_EQ(s.FileBytes()->substr(settings::kCountdownActive), "t000000123t");

    Hold(s, true);
    ASSERT_TRUE(s.Click(IDC_ALARM1_CHECK));
    s.Wnd().Item(IDC_ALARM1_HOUR).SetText("6");
    ASSERT_TRUE(s.Click(IDC_START));
    EXPECT_FALSE(s.Dlg().State().alarms[0].active);
    EXPECT_EQ(s.Text(IDC_ALARM1_OVERVIEW), "nicht gesetzt");
    EXPECT_FALSE(s.Enabled(IDC_STOP));

    // The box is checked and its Run value there: unchecking fails on the
    // file, and the value just deleted comes back.
    s.World().registry[kMachineRun]["Horovant"] = {2, std::string("\"C:\\Programme\\Horovant\\Horovant.exe\"\0", 38)};
    ASSERT_TRUE(s.Click(IDC_AUTOSTART));
    EXPECT_EQ(s.Check(IDC_AUTOSTART), 1);
    EXPECT_EQ(s.World().registry[kMachineRun].count("Horovant"), 1u);
    Hold(s, false);
    ASSERT_TRUE(s.Click(IDC_AUTOSTART));
    ASSERT_EQ(s.World().registry[kMachineRun].count("Horovant"), 0u);
    Hold(s, true);  // and checking it fails on the file: the new value goes again
    ASSERT_TRUE(s.Click(IDC_AUTOSTART));
    EXPECT_EQ(s.Check(IDC_AUTOSTART), 0);
    EXPECT_EQ(s.World().registry[kMachineRun].count("Horovant"), 0u);
    EXPECT_EQ(s.World().messageBoxes.size(), 3u);
}

TEST(UserFaults, TheFileErrorNamesTheFileByItsFullPathAlsoWhenGivenRelative) {
    Scenario s;  // current directory: the system folder
    const std::string text = FileErrorText(FileError::SharingViolation, "config.dat");
    EXPECT_NE(text.find("\"C:\\windows\\system32\\config.dat\""), std::string::npos) << text;
}

TEST(UserFaults, HiddenWithoutDaueralarmAnAlarmLeavesWindowAndTipAlone) {
    Scenario s;
    s.WithSettings(RecordWith({{settings::AlarmActive(0), "t120002"}, {settings::kContinuousAlarm, "f"}})).Start();
    ASSERT_TRUE(s.Click(IDC_TRAY));
    const std::size_t trayCalls = s.World().trayCalls.size();
    s.Advance(3500);
    ASSERT_EQ(s.World().sounds.size(), 1u);
    EXPECT_EQ(s.World().sounds[0].flags, kSingle);
    EXPECT_FALSE(s.Wnd().IsVisible());
    EXPECT_TRUE(s.Dlg().State().inTray);
    EXPECT_EQ(s.World().trayCalls.size(), trayCalls);
}

TEST(UserFaults, TheLabelEditorClosedWithoutARenameStoresTheFiveLabelsAgain) {
    Scenario s;
    // Labels as a short write left them: NUL-cut, padded when read.
    s.WithSettings(RecordWith({{settings::Label(0), std::string("Wecker\0\0\0\0\0\0\0\0\0", 15)},
                               {settings::Label(5), std::string("Uhr\0\0\0\0\0\0\0\0\0\0\0\0", 15)}}))
        .Start();
    s.World().onModalDialog = [&](Dialog& editor) { s.World().PressEscape(editor.Wnd()); };
    ASSERT_TRUE(s.Click(IDC_LABELS));
    EXPECT_EQ(s.FileBytes()->substr(settings::Label(0), 75),
              "Wecker         Alarmzeit 2    Alarmzeit 3    Alarmzeit 4    Countdown      ");
    EXPECT_EQ(s.FileBytes()->substr(settings::Label(5), 15), std::string("Uhr\0\0\0\0\0\0\0\0\0\0\0\0", 15));
}

}  // namespace
}  // namespace hv::test
