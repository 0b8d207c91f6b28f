// The settings file held by another program while the user changes
// something: a brief hold is waited out; a long one is reported once,
// naming the file, the program goes on, the file keeps its bytes, and the
// next change after it is free is written.
#include <gtest/gtest.h>

#include <functional>

#include "model/SettingsRecord.h"
#include "res/resource.h"
#include "tests/support/Scenario.h"

namespace hv::test {
namespace {

struct Writer {
    const char* name;
    std::function<void(Scenario&)> prepare;  // runs with the file free
    std::function<void(Scenario&)> change;   // runs with the file held
};

void Select(Scenario& s, int selector) { ASSERT_TRUE(s.Click(selector)); }

void EnterAlarm1(Scenario& s) {
    Select(s, IDC_ALARM1_CHECK);
    s.Wnd().Item(IDC_ALARM1_HOUR).SetText("6");
    ASSERT_TRUE(s.Click(IDC_START));
}

void EnterCountdown(Scenario& s, const char* seconds) {
    Select(s, IDC_COUNTDOWN_CHECK);
    s.Wnd().Item(IDC_COUNTDOWN_SEC).SetText(seconds);
    ASSERT_TRUE(s.Click(IDC_START));
}

const std::vector<Writer>& Writers() {
    static const std::vector<Writer> writers = {
        {"alarm Start", [](Scenario&) {}, EnterAlarm1},
        {"alarm Stopp", EnterAlarm1, [](Scenario& s) { ASSERT_TRUE(s.Click(IDC_STOP)); }},
        {"countdown Start", [](Scenario&) {}, [](Scenario& s) { EnterCountdown(s, "90"); }},
        {"countdown pause", [](Scenario& s) { EnterCountdown(s, "90"); }, [](Scenario& s) { ASSERT_TRUE(s.Click(IDC_EXTRA1)); }},
        {"countdown Stopp", [](Scenario& s) { EnterCountdown(s, "90"); }, [](Scenario& s) { ASSERT_TRUE(s.Click(IDC_STOP)); }},
        {"countdown end", [](Scenario& s) {
             s.Wnd().Item(IDC_CONTINUOUS_ALARM).SetCheck(0);
             EnterCountdown(s, "2");
         },
         [](Scenario& s) { s.Advance(3000); }},
        {"Alarm aus after the countdown", [](Scenario& s) { EnterCountdown(s, "2"); s.Advance(3000); },
         [](Scenario& s) { ASSERT_TRUE(s.Click(IDC_ALARM_OFF)); }},
        {"Sound", [](Scenario&) {}, [](Scenario& s) { ASSERT_TRUE(s.Click(IDC_SOUND)); }},
        {"Daueralarm", [](Scenario&) {}, [](Scenario& s) { ASSERT_TRUE(s.Click(IDC_CONTINUOUS_ALARM)); }},
        {"Stundensignal", [](Scenario&) {}, [](Scenario& s) { ASSERT_TRUE(s.Click(IDC_HOURLY_SIGNAL)); }},
        {"minimiert starten", [](Scenario&) {}, [](Scenario& s) { ASSERT_TRUE(s.Click(IDC_START_MINIMIZED)); }},
        {"mit Windows starten", [](Scenario&) {}, [](Scenario& s) { ASSERT_TRUE(s.Click(IDC_AUTOSTART)); }},
        {"label editor", [](Scenario&) {},
         [](Scenario& s) {
             s.World().onModalDialog = [&](Dialog& editor) {
                 editor.Wnd().Item(IDC_LABEL_IN1).SetText("Neu");
                 ASSERT_TRUE(s.World().Click(editor.Wnd(), IDC_LABEL_SET1));
             };
             ASSERT_TRUE(s.Click(IDC_LABELS));
             s.World().onModalDialog = nullptr;
         }},
    };
    return writers;
}

TEST(FileTrouble, EveryWriterReportsAHeldFileOnceAndWritesOnceItIsFree) {
    for (const Writer& w : Writers()) {
        SCOPED_TRACE(w.name);
        Scenario s;
        s.WithSettings(SettingsRecord::Default().Bytes()).Start();
        w.prepare(s);
        ASSERT_TRUE(s.World().messageBoxes.empty());
        const std::string before = *s.FileBytes();
        s.World().FindFile(kSettingsPath)->lockedByOtherProgram = true;
        w.change(s);
        ASSERT_EQ(s.World().messageBoxes.size(), 1u);
        EXPECT_NE(s.World().messageBoxes[0].text.find(kSettingsPath), std::string::npos);
        EXPECT_EQ(s.World().messageBoxes[0].type, 0x10u);
        EXPECT_EQ(*s.FileBytes(), before);
        EXPECT_FALSE(s.Ended());

        // Free again: the next change is written, whole.
        s.World().FindFile(kSettingsPath)->lockedByOtherProgram = false;
        ASSERT_TRUE(s.Click(IDC_HOURLY_SIGNAL));
        EXPECT_EQ(s.FileBytes()->size(), kSettingsRecordSize);
        EXPECT_EQ((*s.FileBytes())[settings::kHourlySignal], s.Check(IDC_HOURLY_SIGNAL) ? 'j' : 'n');
        EXPECT_EQ(s.World().messageBoxes.size(), 1u);
    }
}

// A scanner holds the file for a moment: waited out, nothing said.
TEST(FileTrouble, ABriefHoldIsWaitedOutALongOneIsReported) {
    Scenario s;
    s.WithSettings(RecordWith({{settings::kSoundOn, "f"}}));
    s.World().FindFile(kSettingsPath)->refusedOpens = 3;
    s.Start();
    EXPECT_EQ(s.Check(IDC_SOUND), 0);  // read after the hold
    s.World().FindFile(kSettingsPath)->refusedOpens = 4;
    ASSERT_TRUE(s.Click(IDC_SOUND));
    EXPECT_EQ((*s.FileBytes())[settings::kSoundOn], 't');
    EXPECT_TRUE(s.World().messageBoxes.empty());
    s.World().FindFile(kSettingsPath)->refusedOpens = 5;
    ASSERT_TRUE(s.Click(IDC_SOUND));
    EXPECT_EQ(s.World().messageBoxes.size(), 1u);
    EXPECT_EQ((*s.FileBytes())[settings::kSoundOn], 't');
}

}  // namespace
}  // namespace hv::test
