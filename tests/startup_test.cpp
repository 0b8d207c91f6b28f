// Start-up of the main window, headless: the states a settings record gives,
// where the settings file is looked for, and how the window ends.
#include <gtest/gtest.h>

#include "app/ZeitApp.h"
#include "model/SettingsFile.h"
#include "model/SettingsRecord.h"
#include "res/resource.h"
#include "tests/support/Scenario.h"

namespace hv::test {
namespace {

const int kEntryFields[] = {IDC_ALARM1_HOUR, IDC_ALARM1_MIN, IDC_ALARM1_SEC, IDC_ALARM2_HOUR, IDC_ALARM2_MIN,
                            IDC_ALARM2_SEC, IDC_ALARM3_HOUR, IDC_ALARM3_MIN, IDC_ALARM3_SEC, IDC_ALARM4_HOUR,
                            IDC_ALARM4_MIN, IDC_ALARM4_SEC, IDC_COUNTDOWN_HOUR, IDC_COUNTDOWN_MIN,
                            IDC_COUNTDOWN_SEC};
const int kAlarmOverviews[] = {IDC_ALARM1_OVERVIEW, IDC_ALARM2_OVERVIEW, IDC_ALARM3_OVERVIEW, IDC_ALARM4_OVERVIEW};

TEST(StartUp, FirstStartShowsTheDefaultStatesAndCreatesTheFile) {
    Scenario s;
    s.Start();
    for (int id : kAlarmOverviews) EXPECT_EQ(s.Text(id), "nicht gesetzt");
    EXPECT_EQ(s.Text(IDC_COUNTDOWN_OVERVIEW), "nicht gesetzt");
    EXPECT_EQ(s.Text(IDC_STOPWATCH_OVERVIEW), "inaktiv");
    EXPECT_EQ(s.Check(IDC_SOUND), 1);
    EXPECT_EQ(s.Check(IDC_CONTINUOUS_ALARM), 1);
    EXPECT_TRUE(s.Enabled(IDC_CONTINUOUS_ALARM));
    EXPECT_EQ(s.Check(IDC_HOURLY_SIGNAL), 0);
    EXPECT_EQ(s.Check(IDC_START_MINIMIZED), 0);
    EXPECT_EQ(s.Check(IDC_AUTOSTART), 0);
    for (int id : {IDC_START, IDC_STOP, IDC_ALARM_OFF, IDC_EXTRA1, IDC_EXTRA2}) EXPECT_FALSE(s.Enabled(id)) << id;
    EXPECT_EQ(s.Text(IDC_EXTRA1), "nicht verf\xFC" "gbar");
    const auto& state = s.Dlg().State();
    EXPECT_EQ(state.selector, SlotSelector::None);
    EXPECT_FALSE(state.minimiseOnFirstPaint);
    EXPECT_FALSE(state.countdown.HasValue());
    EXPECT_FALSE(state.stopwatch.HasValue());
    EXPECT_FALSE(state.countdown.active || state.stopwatch.Running() || state.inTray || state.hourlySignalPending);
    // The disabled entry fields cannot keep it; an unchecked selector would
    // select itself on taking it.
    EXPECT_EQ(s.FocusId(), IDC_STATUS);

    EXPECT_EQ(s.FileBytes(), SettingsRecord::Default().Bytes());
    EXPECT_TRUE(s.World().messageBoxes.empty());
    const auto& labels = s.Dlg().Labels();
    EXPECT_EQ(labels[0], "Alarmzeit 1    ");
    EXPECT_EQ(labels[5], "Stoppuhr       ");
}

TEST(StartUp, StartsTheSecondTickInStepWithTheClockAndAddsTheAboutEntry) {
    Scenario s;
    s.World().SetWallClockMs(1796554800250);  // a quarter of a second into the second
    s.Start();
    // Due just after the next second begins; no display tick while the
    // stopwatch stands.
    const std::vector<std::pair<unsigned, unsigned>> timers = {{1, 755}};
    EXPECT_EQ(s.World().timersStarted, timers);
    EXPECT_FALSE(s.World().HasTimer(s.Wnd(), 2));
    const auto menu = s.World().SystemMenuItems(s.Wnd());
    ASSERT_GE(menu.size(), 2u);
    EXPECT_TRUE(menu[menu.size() - 2].separator);
    EXPECT_EQ(menu.back().id, 0x0010u);
    EXPECT_EQ(menu.back().text, "&Info \xFC" "ber Horovant...");
}

TEST(StartUp, FieldsGetTheirArialFonts) {
    Scenario s;
    s.Start();
    const auto fontOf = [&](int id) -> FontSpec {
        const auto it = s.World().liveFonts.find(s.World().Control(s.Wnd(), id)->font.value);
        return it == s.World().liveFonts.end() ? FontSpec{} : it->second;
    };
    const auto expectArial = [&](int id, int height, int weight) {
        const FontSpec f = fontOf(id);
        EXPECT_EQ(f.faceName, "Arial") << id;
        EXPECT_EQ(f.height, height) << id;
        EXPECT_EQ(f.weight, weight) << id;
        EXPECT_EQ(std::vector<int>({f.width, f.italic, f.underline, f.strikeOut, f.charSet, f.outPrecision,
                                    f.clipPrecision, f.quality, f.pitchAndFamily}),
                  std::vector<int>({0, 0, 0, 0, 1, 1, 1, 0, 0}))
            << id;
    };
    expectArial(IDC_CLOCK, 70, 700);
    expectArial(IDC_DATE, 18, 670);
    expectArial(IDC_STATUS, 18, 670);  // the status line uses the date font
    for (int id : kAlarmOverviews) expectArial(id, 16, 670);
    expectArial(IDC_COUNTDOWN_OVERVIEW, 16, 670);
    expectArial(IDC_STOPWATCH_OVERVIEW, 16, 670);
    EXPECT_EQ(s.World().liveFonts.size(), 3u);  // three fonts, shared by their fields
}

TEST(StartUp, ArmedAlarmAndOptionsAreRestoredFromTheRecord) {
    Scenario s;
    const std::string record = RecordWith({{settings::AlarmActive(1), "t073000"},
                                           {settings::kHourlySignal, "j"},
                                           {settings::kAutostart, "t"}});
    s.WithSettings(record).Start();
    const auto& alarm2 = s.Dlg().State().alarms[1];
    EXPECT_TRUE(alarm2.active);
    EXPECT_EQ(alarm2.hourText + alarm2.minuteText + alarm2.secondText, "073000");
    EXPECT_EQ(s.Text(IDC_ALARM2_OVERVIEW), "07:30:00");
    EXPECT_EQ(s.Text(IDC_ALARM1_OVERVIEW), "nicht gesetzt");
    EXPECT_FALSE(s.Dlg().State().alarms[0].active);
    EXPECT_EQ(s.Check(IDC_HOURLY_SIGNAL), 1);
    EXPECT_TRUE(s.Dlg().State().hourlySignalOn);
    EXPECT_EQ(s.Check(IDC_AUTOSTART), 1);
    EXPECT_EQ(s.FileBytes(), record);  // read, not rewritten
}

TEST(StartUp, SoundOffGreysTheCheckedContinuousAlarm) {
    for (const char* continuous : {"t", "f"}) {
        Scenario s;
        s.WithSettings(RecordWith({{settings::kSoundOn, "f"}, {settings::kContinuousAlarm, continuous}})).Start();
        EXPECT_EQ(s.Check(IDC_SOUND), 0);
        EXPECT_EQ(s.Check(IDC_CONTINUOUS_ALARM), 1) << continuous;
        EXPECT_FALSE(s.Enabled(IDC_CONTINUOUS_ALARM));
    }
    Scenario s;
    s.WithSettings(RecordWith({{settings::kContinuousAlarm, "f"}})).Start();
    EXPECT_EQ(s.Check(IDC_CONTINUOUS_ALARM), 0);
    EXPECT_TRUE(s.Enabled(IDC_CONTINUOUS_ALARM));
}

TEST(StartUp, StartMinimisedSetsTheFirstPaintFlag) {
    Scenario s;
    s.WithSettings(RecordWith({{settings::kStartMinimized, "j"}})).Start();
    EXPECT_EQ(s.Check(IDC_START_MINIMIZED), 1);
    EXPECT_TRUE(s.Dlg().State().minimiseOnFirstPaint);
}

TEST(StartUp, GarbledRecordsStartConsistently) {
    // Any length, any bytes: no crash, no rewrite, consistent marks.
    std::string garbage = "\x01j\xFFt99zz99";
    for (std::size_t n = 0; n <= 140; ++n) {
        Scenario s;
        const std::string bytes = (garbage + std::string(140, 'x')).substr(0, n);
        s.WithSettings(bytes).Start();
        EXPECT_EQ(s.FileBytes(), bytes);
        for (int id : kAlarmOverviews) EXPECT_EQ(s.Text(id), "nicht gesetzt");
        // Unknown sound mark: off, so the continuous alarm is forced on.
        if (n > settings::kSoundOn) {
            EXPECT_EQ(s.Check(IDC_SOUND), 0);
            EXPECT_EQ(s.Check(IDC_CONTINUOUS_ALARM), 1);
            EXPECT_FALSE(s.Enabled(IDC_CONTINUOUS_ALARM));
        }
        for (const auto& label : s.Dlg().Labels()) EXPECT_EQ(label.size(), 15u);
    }
}

TEST(StartUp, AFileThatCannotBeReadIsReportedOnceAndKept) {
    const std::string record = RecordWith({{settings::AlarmActive(0), "t063000"}});
    // Held by another program; rights that allow writing but not reading
    // (creating it anew would succeed and lose it); a read error.
    for (int how = 0; how < 3; ++how) {
        Scenario s;
        s.WithSettings(record);
        auto* file = s.World().FindFile(kSettingsPath);
        (how == 0 ? file->lockedByOtherProgram : how == 1 ? file->denyRead : file->readFails) = true;
        s.Start();
        ASSERT_EQ(s.World().messageBoxes.size(), 1u) << how;
        EXPECT_NE(s.World().messageBoxes[0].text.find(kSettingsPath), std::string::npos)
            << s.World().messageBoxes[0].text;
        EXPECT_EQ(s.World().messageBoxes[0].caption, "Horovant");
        // The defaults apply in memory; the stored record is untouched.
        EXPECT_EQ(s.Text(IDC_ALARM1_OVERVIEW), "nicht gesetzt") << how;
        EXPECT_EQ(s.Check(IDC_SOUND), 1);
        EXPECT_TRUE(s.World().HasTimer(s.Wnd(), 1));
        EXPECT_EQ(s.FileBytes(), record) << how;
    }
}

TEST(StartUp, AProductDirThatIsGoneIsReportedOnceAndNothingIsCreated) {
    Scenario s;
    s.WithProductDir("D:\\Entfernt\\Horovant\\").Start();
    ASSERT_EQ(s.World().messageBoxes.size(), 1u);
    EXPECT_EQ(s.World().messageBoxes[0].text,
              "Der Ordner der Datei \"D:\\Entfernt\\Horovant\\config.dat\" wurde nicht gefunden.");
    EXPECT_TRUE(s.World().files.empty());
    EXPECT_EQ(s.Check(IDC_SOUND), 1);
    EXPECT_EQ(s.Text(IDC_STOPWATCH_OVERVIEW), "inaktiv");
}

TEST(StartUp, AShortFileLengthenedByAFieldWriteKeepsItsOtherDefaults) {
    std::string written;
    {
        Scenario s;
        s.WithSettings("jn").Start();  // a file cut short, say by a full disk
        // The next change the user makes writes its own field only.
        ASSERT_TRUE(g_settingsFile.RewriteField(settings::kAutostart, "t"));
        written = *s.FileBytes();
    }
    ASSERT_EQ(written.size(), kSettingsRecordSize);
    Scenario s;
    s.WithSettings(written).Start();
    EXPECT_EQ(s.Check(IDC_START_MINIMIZED), 1);
    EXPECT_EQ(s.Check(IDC_AUTOSTART), 1);
    // The zeros between were never written: Sound stays on, Daueralarm usable.
    EXPECT_EQ(s.Check(IDC_SOUND), 1);
    EXPECT_EQ(s.Check(IDC_CONTINUOUS_ALARM), 1);
    EXPECT_TRUE(s.Enabled(IDC_CONTINUOUS_ALARM));
    EXPECT_EQ(s.Check(IDC_HOURLY_SIGNAL), 0);
    for (int id : kAlarmOverviews) EXPECT_EQ(s.Text(id), "nicht gesetzt");
    EXPECT_EQ(s.Dlg().Labels()[0], "Alarmzeit 1    ");
    EXPECT_EQ(s.FileBytes(), written);
}

TEST(StartUp, ADefaultRecordThatCannotBeWrittenIsReportedOnce) {
    Scenario s;
    s.World().diskFreeBytes = 0;
    s.Start();
    ASSERT_EQ(s.World().messageBoxes.size(), 1u);
    EXPECT_NE(s.World().messageBoxes[0].text.find("config.dat"), std::string::npos);
    EXPECT_EQ(s.Text(IDC_STOPWATCH_OVERVIEW), "inaktiv");
    EXPECT_TRUE(s.World().HasTimer(s.Wnd(), 1));
    s.Advance(3000);
    EXPECT_EQ(s.World().messageBoxes.size(), 1u);
}

TEST(SettingsLocation, WithoutProductDirTheFileLiesBesideTheProgram) {
    Scenario s;  // current directory is the system folder
    s.Start();
    EXPECT_EQ(s.Dlg().SettingsPath(), "C:\\Programme\\Horovant\\config.dat");
    EXPECT_TRUE(s.FileBytes("C:\\Programme\\Horovant\\config.dat"));
    EXPECT_FALSE(s.FileBytes("C:\\windows\\system32\\config.dat"));
}

TEST(SettingsLocation, ProductDirIsUsedAsStored) {
    {
        Scenario s;
        s.World().folders.insert("D:\\Tools\\Horovant");
        s.WithProductDir(std::string("D:\\Tools\\Horovant\\\0", 19)).Start();
        EXPECT_EQ(s.Dlg().SettingsPath(), "D:\\Tools\\Horovant\\config.dat");
        EXPECT_TRUE(s.FileBytes("D:\\Tools\\Horovant\\config.dat"));
    }
    {
        Scenario s;  // without its last backslash: still the file in that folder
        s.World().folders.insert("C:\\Programme\\Horovant");
        s.WithProductDir("C:\\Programme\\Horovant").Start();
        EXPECT_EQ(s.Dlg().SettingsPath(), "C:\\Programme\\Horovant\\config.dat");
    }
    {
        Scenario s;  // longer than any fixed buffer would hold
        const std::string dir = "C:\\" + std::string(150, 'a') + "\\";
        s.WithProductDir(dir).Start();
        EXPECT_EQ(s.Dlg().SettingsPath(), dir + "config.dat");
    }
    {
        Scenario s;  // an empty value counts as missing
        s.WithProductDir("").Start();
        EXPECT_EQ(s.Dlg().SettingsPath(), "C:\\Programme\\Horovant\\config.dat");
    }
}

TEST(Ending, EscCloseAndTheQuitButtonEndTheWindowWithoutWriting) {
    const std::string record = RecordWith({{settings::AlarmActive(0), "t120000"}});
    {
        Scenario s;
        s.WithSettings(record).Start();
        s.PressEscape();
        EXPECT_TRUE(s.Ended());
        EXPECT_EQ(s.Dlg().Result(), 2);
        EXPECT_EQ(s.FileBytes(), record);
    }
    {
        Scenario s;
        s.WithSettings(record).Start();
        EXPECT_TRUE(s.Click(2));  // "Anwendung beenden"
        EXPECT_TRUE(s.Ended());
    }
    {
        Scenario s;
        s.WithSettings(record).Start();
        s.World().SystemCommand(s.Wnd(), 0xF060);  // Close
        EXPECT_TRUE(s.Ended());
        EXPECT_EQ(s.FileBytes(), record);
    }
}

TEST(Ending, EnterWhileStartIsDisabledDoesNotEndTheWindow) {
    Scenario s;
    s.Start();
    s.World().PressEnter(s.Wnd());
    EXPECT_FALSE(s.Ended());
}

TEST(Application, InitInstanceRunsTheMainWindowAndReturnsFalse) {
    Scenario s;  // the world, with no main window opened by the harness
    ZeitApp app;
    app.SetName("Horovant");
    bool sawMainWindow = false;
    s.World().onModalDialog = [&](Dialog& dialog) {
        sawMainWindow = dialog.TemplateId() == IDD_HAUPT && dialog.Item(IDC_CLOCK).IsValid();
        s.World().PressEscape(dialog.Wnd());
    };
    EXPECT_FALSE(app.InitInstance());
    EXPECT_TRUE(sawMainWindow);
    EXPECT_EQ(app.RegistryKeyName(), "Quorrin");
    EXPECT_EQ(s.FileBytes(), SettingsRecord::Default().Bytes());
}

}  // namespace
}  // namespace hv::test
