// Selecting a slot, Start with its entries, Stopp and the two extra-function
// buttons, through the message map as a user clicks and types.
#include <gtest/gtest.h>

#include "model/SettingsRecord.h"
#include "res/resource.h"
#include "tests/support/Scenario.h"

namespace hv::test {
namespace {

struct SlotIds {
    int selector, hours, minutes, seconds, overview;
};
constexpr SlotIds kAlarm[4] = {
    {IDC_ALARM1_CHECK, IDC_ALARM1_HOUR, IDC_ALARM1_MIN, IDC_ALARM1_SEC, IDC_ALARM1_OVERVIEW},
    {IDC_ALARM2_CHECK, IDC_ALARM2_HOUR, IDC_ALARM2_MIN, IDC_ALARM2_SEC, IDC_ALARM2_OVERVIEW},
    {IDC_ALARM3_CHECK, IDC_ALARM3_HOUR, IDC_ALARM3_MIN, IDC_ALARM3_SEC, IDC_ALARM3_OVERVIEW},
    {IDC_ALARM4_CHECK, IDC_ALARM4_HOUR, IDC_ALARM4_MIN, IDC_ALARM4_SEC, IDC_ALARM4_OVERVIEW},
};
constexpr SlotIds kCountdownIds = {IDC_COUNTDOWN_CHECK, IDC_COUNTDOWN_HOUR, IDC_COUNTDOWN_MIN, IDC_COUNTDOWN_SEC,
                                   IDC_COUNTDOWN_OVERVIEW};
constexpr int kSelectors[6] = {IDC_ALARM1_CHECK, IDC_ALARM2_CHECK, IDC_ALARM3_CHECK,
                               IDC_ALARM4_CHECK, IDC_COUNTDOWN_CHECK, IDC_STOPWATCH_CHECK};

class Slots : public ::testing::Test {
protected:
    void SetUp() override { s.WithSettings(SettingsRecord::Default().Bytes()).Start(); }

    // Types an entry (pasted text goes straight into the field) and presses Start.
    void Enter(const SlotIds& slot, const std::string& h, const std::string& m, const std::string& sec) {
        ASSERT_TRUE(s.Click(slot.selector));
        for (const auto& [id, text] : {std::pair{slot.hours, h}, {slot.minutes, m}, {slot.seconds, sec}})
            s.Wnd().Item(id).SetText(text);
        ASSERT_TRUE(s.Click(IDC_START));
    }
    // The buttons as "Start caption|Stopp caption|extra 1|extra 2", enabled marked by '+'.
    std::string Buttons() const {
        std::string out;
        for (int id : {IDC_START, IDC_STOP, IDC_EXTRA1, IDC_EXTRA2})
            out += (out.empty() ? "" : "|") + std::string(s.Enabled(id) ? "+" : "-") + s.Text(id);
        return out;
    }
    void ExpectOnlySelected(int selector) {
        for (int id : kSelectors) EXPECT_EQ(s.Check(id), id == selector ? 1 : 0) << id;
    }
    void ExpectHoursFocusedAndSelected(int hours) {
        EXPECT_EQ(s.FocusId(), hours);
        const auto* field = s.World().Control(s.Wnd(), hours);
        EXPECT_EQ(field->selFirst, 0);
        EXPECT_EQ(field->selLast, std::min(static_cast<int>(field->text.size()), 20));
    }
    char Stored(std::size_t offset) const { return (*s.FileBytes())[offset]; }
    std::string StoredAt(std::size_t offset, std::size_t n) const { return s.FileBytes()->substr(offset, n); }

    Scenario s;
};

TEST_F(Slots, SelectingEachSlotSetsChecksCaptionsFieldsAndFocus) {
    for (int k = 0; k < 4; ++k) {
        SCOPED_TRACE(k);
        ASSERT_TRUE(s.Click(kAlarm[k].selector));
        ExpectOnlySelected(kAlarm[k].selector);
        EXPECT_EQ(Buttons(), "+Alarmzeit setzen|-Alarmzeit aufheben|-nicht verfügbar|-nicht verfügbar");
        for (int j = 0; j < 4; ++j)
            for (int id : {kAlarm[j].hours, kAlarm[j].minutes, kAlarm[j].seconds}) EXPECT_EQ(s.Enabled(id), j == k);
        EXPECT_FALSE(s.Enabled(IDC_COUNTDOWN_HOUR));
        ExpectHoursFocusedAndSelected(kAlarm[k].hours);
    }
    // What was typed before is selected, to be typed over.
    ASSERT_TRUE(s.Type(IDC_ALARM4_HOUR, "12"));
    ASSERT_TRUE(s.Click(IDC_ALARM3_CHECK));
    ASSERT_TRUE(s.Click(IDC_ALARM4_CHECK));
    ExpectHoursFocusedAndSelected(IDC_ALARM4_HOUR);
    EXPECT_EQ(s.World().Control(s.Wnd(), IDC_ALARM4_HOUR)->selLast, 2);

    ASSERT_TRUE(s.Click(IDC_COUNTDOWN_CHECK));
    ExpectOnlySelected(IDC_COUNTDOWN_CHECK);
    EXPECT_EQ(Buttons(), "+Countdown setzen|-Countdown aufheben|-Countdown unterbrechen|-Countdown fortsetzen");
    EXPECT_TRUE(s.Enabled(IDC_COUNTDOWN_SEC));
    ExpectHoursFocusedAndSelected(IDC_COUNTDOWN_HOUR);

    ASSERT_TRUE(s.Click(IDC_STOPWATCH_CHECK));
    ExpectOnlySelected(IDC_STOPWATCH_CHECK);
    EXPECT_EQ(Buttons(), "+Stoppuhr starten|-Stoppuhr anhalten|-Stoppuhr weiterlaufen lassen|-Stoppuhr Reset");
    for (const auto& a : kAlarm) EXPECT_FALSE(s.Enabled(a.hours));
    EXPECT_FALSE(s.Enabled(IDC_COUNTDOWN_HOUR));
}

// The road of one alarm: alarm 2, 7 and 30, Start.
TEST_F(Slots, AnAlarmEntryIsCompletedArmedStoredAndStoppedAgain) {
    Enter(kAlarm[1], "7", "30", "");
    EXPECT_EQ(s.Text(IDC_ALARM2_OVERVIEW), "07:30:00");
    EXPECT_EQ(s.Text(IDC_ALARM2_HOUR), "7");  // the fields keep what was typed
    EXPECT_EQ(s.Text(IDC_ALARM2_SEC), "");
    EXPECT_EQ(StoredAt(settings::AlarmActive(1), 7), "t073000");
    EXPECT_EQ(Buttons(), "+Alarmzeit neu setzen|+Alarmzeit aufheben|-nicht verfügbar|-nicht verfügbar");
    EXPECT_TRUE(s.Dlg().State().alarms[1].active);

    ASSERT_TRUE(s.Click(IDC_ALARM1_CHECK));
    EXPECT_EQ(Buttons(), "+Alarmzeit setzen|-Alarmzeit aufheben|-nicht verfügbar|-nicht verfügbar");
    ASSERT_TRUE(s.Click(IDC_ALARM2_CHECK));
    EXPECT_EQ(Buttons(), "+Alarmzeit neu setzen|+Alarmzeit aufheben|-nicht verfügbar|-nicht verfügbar");

    Enter(kAlarm[2], "", "", "");  // all empty is midnight
    EXPECT_EQ(s.Text(IDC_ALARM3_OVERVIEW), "00:00:00");
    Enter(kAlarm[3], "23", "59", "59");
    EXPECT_EQ(s.Text(IDC_ALARM4_OVERVIEW), "23:59:59");
    Enter(kAlarm[0], "007", "0005", "9");  // in range, brought to two digits so it can ring
    EXPECT_EQ(s.Text(IDC_ALARM1_OVERVIEW), "07:05:09");
    EXPECT_EQ(StoredAt(settings::AlarmActive(0), 7), "t070509");

    ASSERT_TRUE(s.Click(IDC_ALARM2_CHECK));
    ASSERT_TRUE(s.Click(IDC_STOP));
    EXPECT_EQ(s.Text(IDC_ALARM2_OVERVIEW), "nicht gesetzt");
    EXPECT_EQ(Stored(settings::AlarmActive(1)), 'f');
    EXPECT_EQ(Buttons(), "+Alarmzeit setzen|-Alarmzeit aufheben|-nicht verfügbar|-nicht verfügbar");
    EXPECT_FALSE(s.Dlg().State().alarms[1].active);
    EXPECT_TRUE(s.World().messageBoxes.empty());
}

TEST_F(Slots, ARefusedAlarmEntryChangesNeitherTheArmedSlotNorTheFile) {
    Enter(kAlarm[0], "6", "45", "");
    const std::string stored = *s.FileBytes();
    for (const auto& [h, m, sec] : std::vector<std::array<std::string, 3>>{
             {"24", "00", "00"}, {"12", "60", "00"}, {"12", "00", "60"}, {"7 ", "30", ""}, {"7:30", "", ""},
             {"+7", "", ""}, {"99999999999999999999999", "", ""}}) {
        SCOPED_TRACE(h + "|" + m + "|" + sec);
        const std::size_t boxes = s.World().messageBoxes.size();
        Enter(kAlarm[0], h, m, sec);
        ASSERT_EQ(s.World().messageBoxes.size(), boxes + 1);
        const auto& box = s.World().messageBoxes.back();
        EXPECT_EQ(box.text, "Keine korrekte Eingabe!");
        EXPECT_EQ(box.caption, "Horovant");
        EXPECT_EQ(box.type, 0x10u);
        ExpectHoursFocusedAndSelected(IDC_ALARM1_HOUR);
        EXPECT_EQ(s.Text(IDC_ALARM1_OVERVIEW), "06:45:00");
        EXPECT_TRUE(s.Dlg().State().alarms[0].active);
        EXPECT_EQ(*s.FileBytes(), stored);
        EXPECT_EQ(Buttons(), "+Alarmzeit neu setzen|+Alarmzeit aufheben|-nicht verfügbar|-nicht verfügbar");
    }
    Enter(kAlarm[1], "25", "", "");  // a slot that was not armed stays so
    EXPECT_EQ(s.Text(IDC_ALARM2_OVERVIEW), "nicht gesetzt");
    EXPECT_FALSE(s.Enabled(IDC_STOP));
    EXPECT_EQ(*s.FileBytes(), stored);
}

TEST_F(Slots, EnterInAnEntryFieldActsAsStart) {
    ASSERT_TRUE(s.Click(IDC_ALARM3_CHECK));
    ASSERT_TRUE(s.Type(IDC_ALARM3_HOUR, "8"));
    s.World().PressEnter(s.Wnd());
    EXPECT_EQ(s.Text(IDC_ALARM3_OVERVIEW), "08:00:00");
}

TEST_F(Slots, ACountdownEntryCarriesAndIsStoredAsTyped) {
    struct Case {
        const char *h, *m, *sec, *shown, *stored;
    };
    for (const Case& c : {Case{"", "", "150", "00:02:30", "t000000150"}, Case{"0", "120", "0", "02:00:00", "t000120000"},
                          Case{"1", "75", "75", "02:16:15", "t001075075"}, Case{"30", "", "", "30:00:00", "t030000000"},
                          Case{"", "", "123456", "34:17:36", "t000000123"}}) {
        SCOPED_TRACE(c.shown);
        Enter(kCountdownIds, c.h, c.m, c.sec);
        EXPECT_EQ(s.Text(IDC_COUNTDOWN_OVERVIEW), c.shown);
        EXPECT_EQ(StoredAt(settings::kCountdownActive, 10), c.stored);
        EXPECT_EQ(Buttons(), "+Countdown neu setzen|+Countdown aufheben|+Countdown unterbrechen|-Countdown fortsetzen");
    }
    EXPECT_TRUE(s.World().messageBoxes.empty());
}

TEST_F(Slots, ARefusedCountdownEntryLeavesTheCountingOneAndTheFileAlone) {
    Enter(kCountdownIds, "", "1", "");
    s.Advance(2000);
    const std::string stored = *s.FileBytes();
    for (const auto& entry : std::vector<std::array<std::string, 3>>{
             {"", "", ""}, {"0", "00", "000"}, {"1 ", "", ""}, {"", "", "9999999999999999999999"},
             {"2147483648", "", ""}}) {
        SCOPED_TRACE(entry[0] + "|" + entry[2]);
        const std::size_t boxes = s.World().messageBoxes.size();
        Enter(kCountdownIds, entry[0], entry[1], entry[2]);
        ASSERT_EQ(s.World().messageBoxes.size(), boxes + 1);
        ExpectHoursFocusedAndSelected(IDC_COUNTDOWN_HOUR);
        EXPECT_EQ(*s.FileBytes(), stored);
        EXPECT_TRUE(s.Dlg().State().countdown.active);
    }
    s.Advance(1000);
    EXPECT_EQ(s.Text(IDC_COUNTDOWN_OVERVIEW), "00:00:58");
}

TEST_F(Slots, PauseResumeAndStoppOfTheCountdown) {
    Enter(kCountdownIds, "", "", "30");
    s.Advance(3000);
    ASSERT_TRUE(s.Click(IDC_EXTRA1));  // pause
    EXPECT_EQ(Stored(settings::kCountdownActive), 'f');
    EXPECT_EQ(Buttons(), "+Countdown neu setzen|+Countdown aufheben|-Countdown unterbrechen|+Countdown fortsetzen");
    const std::string rest = s.Text(IDC_COUNTDOWN_OVERVIEW);
    ASSERT_TRUE(s.Click(IDC_COUNTDOWN_CHECK));  // selected again while paused
    EXPECT_EQ(Buttons(), "+Countdown setzen|+Countdown aufheben|-Countdown unterbrechen|+Countdown fortsetzen");
    Enter(kCountdownIds, "0", "", "");  // refused: the paused one can still be stopped
    EXPECT_EQ(Buttons(), "+Countdown setzen|+Countdown aufheben|-Countdown unterbrechen|+Countdown fortsetzen");
    s.Advance(5000);
    EXPECT_EQ(s.Text(IDC_COUNTDOWN_OVERVIEW), rest);
    ASSERT_TRUE(s.Click(IDC_EXTRA2));  // resume
    EXPECT_EQ(Stored(settings::kCountdownActive), 't');
    // Resuming leaves the caption that selecting the paused countdown set.
    EXPECT_EQ(Buttons(), "+Countdown setzen|+Countdown aufheben|+Countdown unterbrechen|-Countdown fortsetzen");
    s.Advance(1000);
    EXPECT_NE(s.Text(IDC_COUNTDOWN_OVERVIEW), rest);
    ASSERT_TRUE(s.Click(IDC_COUNTDOWN_CHECK));  // and while it counts
    EXPECT_EQ(Buttons(), "+Countdown neu setzen|+Countdown aufheben|+Countdown unterbrechen|-Countdown fortsetzen");

    ASSERT_TRUE(s.Click(IDC_EXTRA1));
    Enter(kCountdownIds, "", "", "20");  // a paused countdown started anew counts
    EXPECT_EQ(Buttons(), "+Countdown neu setzen|+Countdown aufheben|+Countdown unterbrechen|-Countdown fortsetzen");

    ASSERT_TRUE(s.Click(IDC_STOP));
    EXPECT_EQ(s.FocusId(), IDC_COUNTDOWN_CHECK);
    EXPECT_EQ(s.Text(IDC_COUNTDOWN_OVERVIEW), "nicht gesetzt");
    EXPECT_EQ(Stored(settings::kCountdownActive), 'f');
    EXPECT_EQ(Buttons(), "+Countdown setzen|-Countdown aufheben|-Countdown unterbrechen|-Countdown fortsetzen");
    ASSERT_TRUE(s.Click(IDC_COUNTDOWN_CHECK));
    EXPECT_EQ(Buttons(), "+Countdown setzen|-Countdown aufheben|-Countdown unterbrechen|-Countdown fortsetzen");
}

// Started again while the ended one still rings: the ring is acknowledged
// first, so the next "Alarm aus" cannot reset the new countdown.
TEST_F(Slots, ACountdownStartedWhileTheEndedOneRingsAcknowledgesItFirst) {
    Enter(kCountdownIds, "", "", "2");
    s.Advance(3000);
    ASSERT_TRUE(s.Dlg().State().countdown.ringing);
    Enter(kCountdownIds, "", "1", "");
    EXPECT_FALSE(s.Dlg().State().AnythingRinging());
    EXPECT_FALSE(s.Enabled(IDC_ALARM_OFF));
    EXPECT_EQ(s.World().sounds.back().name, std::nullopt);
    EXPECT_EQ(Stored(settings::kCountdownActive), 't');
    s.Advance(2000);
    EXPECT_EQ(s.Text(IDC_COUNTDOWN_OVERVIEW), "00:00:58");
}

TEST_F(Slots, StoppOnARingingAlarmSilencesItThenDisarmsIt) {
    s.World().SetWallClockMs(s.World().WallClockMs() + 500);
    Enter(kAlarm[0], "12", "0", "2");
    s.Advance(3000);
    ASSERT_TRUE(s.Dlg().State().alarms[0].ringing);
    ASSERT_TRUE(s.Click(IDC_STOP));
    EXPECT_EQ(s.World().sounds.back().name, std::nullopt);
    EXPECT_FALSE(s.Dlg().State().AnythingRinging());
    EXPECT_FALSE(s.Dlg().State().alarms[0].active);
    EXPECT_EQ(Stored(settings::AlarmActive(0)), 'f');
    EXPECT_FALSE(s.Enabled(IDC_ALARM_OFF));
}

TEST_F(Slots, TheStopwatchStartsHoldsContinuesAndResets) {
    ASSERT_TRUE(s.Click(IDC_STOPWATCH_CHECK));
    const std::string before = *s.FileBytes();
    ASSERT_TRUE(s.Click(IDC_START));
    EXPECT_EQ(s.Text(IDC_STOPWATCH_OVERVIEW), "00:00:00,00");
    EXPECT_EQ(Buttons(), "+Stoppuhr neu starten|+Stoppuhr anhalten|-Stoppuhr weiterlaufen lassen|-Stoppuhr Reset");
    s.Advance(2550);
    ASSERT_TRUE(s.Click(IDC_STOP));
    EXPECT_EQ(s.Text(IDC_STOPWATCH_OVERVIEW), "00:00:02,5");
    EXPECT_EQ(Buttons(), "+Stoppuhr neu starten|-Stoppuhr anhalten|+Stoppuhr weiterlaufen lassen|+Stoppuhr Reset");
    // Each of these buttons disables itself; the keyboard goes on working.
    EXPECT_EQ(s.FocusId(), IDC_STOPWATCH_CHECK);
    ASSERT_TRUE(s.Click(IDC_EXTRA1));  // continue
    EXPECT_EQ(Buttons(), "+Stoppuhr neu starten|+Stoppuhr anhalten|-Stoppuhr weiterlaufen lassen|-Stoppuhr Reset");
    EXPECT_EQ(s.FocusId(), IDC_STOPWATCH_CHECK);
    s.Advance(1000);
    ASSERT_TRUE(s.Click(IDC_STOP));
    EXPECT_EQ(s.Text(IDC_STOPWATCH_OVERVIEW), "00:00:03,5");
    ASSERT_TRUE(s.Click(IDC_STOPWATCH_CHECK));
    EXPECT_EQ(Buttons(), "+Stoppuhr starten|-Stoppuhr anhalten|+Stoppuhr weiterlaufen lassen|+Stoppuhr Reset");
    ASSERT_TRUE(s.Click(IDC_EXTRA2));  // reset
    EXPECT_EQ(s.Text(IDC_STOPWATCH_OVERVIEW), "inaktiv");
    EXPECT_EQ(Buttons(), "+Stoppuhr starten|-Stoppuhr anhalten|-Stoppuhr weiterlaufen lassen|-Stoppuhr Reset");
    ASSERT_TRUE(s.Click(IDC_STOPWATCH_CHECK));
    EXPECT_EQ(Buttons(), "+Stoppuhr starten|-Stoppuhr anhalten|-Stoppuhr weiterlaufen lassen|-Stoppuhr Reset");
    EXPECT_EQ(*s.FileBytes(), before);  // the stopwatch stores nothing
}

// Stopp and continue within a tenth, again and again: the old worker still
// sleeps each time, yet only one ever counts.
TEST_F(Slots, QuickStoppAndContinueNeverCountTwice) {
    ASSERT_TRUE(s.Click(IDC_STOPWATCH_CHECK));
    ASSERT_TRUE(s.Click(IDC_START));
    for (int i = 0; i < 20; ++i) {
        s.Advance(40);
        ASSERT_TRUE(s.Click(IDC_STOP));
        s.Advance(10);
        ASSERT_TRUE(s.Click(IDC_EXTRA1));
    }
    s.Advance(3000);
    ASSERT_TRUE(s.Click(IDC_STOP));
    // 20 runs of 40 ms and one of 3 s; the held spells of 10 ms do not count.
    EXPECT_EQ(s.Text(IDC_STOPWATCH_OVERVIEW), "00:00:03,8");
}

}  // namespace
}  // namespace hv::test
