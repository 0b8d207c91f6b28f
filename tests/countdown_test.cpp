// The countdown: its arithmetic, how the tick counts it off on the monotonic
// clock, and how it ends (with and without Daueralarm, hidden, selected or
// not, with a settings file that cannot be written).
#include <gtest/gtest.h>

#include <random>

#include "engine/Countdown.h"
#include "model/SettingsRecord.h"
#include "res/resource.h"
#include "tests/support/Scenario.h"

namespace hv::test {
namespace {

// One second off as a clock borrows: the countdown's one-step rule.
CountdownTime OneSecondOff(CountdownTime t) {
    if (t.seconds != 0) {
        --t.seconds;
    } else {
        t.seconds = 59;
        if (t.minutes != 0) {
            --t.minutes;
        } else {
            --t.hours;
            t.minutes = 59;
        }
    }
    return t;
}

bool Same(const CountdownTime& a, const CountdownTime& b) {
    return a.hours == b.hours && a.minutes == b.minutes && a.seconds == b.seconds;
}

TEST(CountOff, ManySecondsAtOnceAsManySingleStepsAndNeverBelowZero) {
    for (std::int32_t h = 0; h <= 2; ++h)
        for (std::int32_t m = 0; m < 60; m += 7)
            for (std::int32_t sec = 0; sec < 60; ++sec) {
                const CountdownTime start{h, m, sec};
                const std::int64_t total = h * 3600 + m * 60 + sec;
                CountdownTime stepped = start;
                for (std::int64_t n = 1; n <= std::min<std::int64_t>(total, 130); ++n) {
                    stepped = OneSecondOff(stepped);
                    ASSERT_TRUE(Same(CountOff(start, n), stepped)) << h << ":" << m << ":" << sec << " - " << n;
                }
                EXPECT_TRUE(CountOff(start, total + 5).IsZero());
            }
    EXPECT_TRUE(Same(CountOff({0, 0, 0}, 1), {0, 0, 0}));  // never borrows below zero
    EXPECT_TRUE(Same(CountOff({100, 0, 0}, 1), {99, 59, 59}));
    EXPECT_TRUE(Same(CountOff({2147483, 0, 0}, 1), {2147482, 59, 59}));
}

TEST(SecondsToCountOff, TheFirstTickCountsOneLaterTicksWhatHasPassed) {
    std::optional<std::int64_t> upTo;
    EXPECT_EQ(SecondsToCountOff(upTo, 5000), 1);
    EXPECT_EQ(SecondsToCountOff(upTo, 6010), 1);
    EXPECT_EQ(SecondsToCountOff(upTo, 6500), 0);   // a second tick within the same second
    EXPECT_EQ(SecondsToCountOff(upTo, 9016), 3);   // a merged tick catches up
    EXPECT_EQ(SecondsToCountOff(upTo, 9850), 1);   // a little early still counts
    EXPECT_EQ(SecondsToCountOff(upTo, 9900), 0);
    EXPECT_EQ(SecondsToCountOff(upTo, 3000), 0);   // never negative
    EXPECT_EQ(upTo, 10000);
}

class Countdown : public ::testing::Test {
protected:
    // As Start leaves it: running from `h:m:s`, half a second into a second.
    void StartCountdown(std::int32_t h, std::int32_t m, std::int32_t sec, SlotSelector selected = SlotSelector::None) {
        if (!started) s.WithSettings(RecordWith({{settings::kCountdownActive, "t"}})).Start();
        started = true;
        s.Advance(500);
        auto& c = s.Dlg().State().countdown;
        c.hours = h;
        c.minutes = m;
        c.seconds = sec;
        c.active = true;
        c.countedUpToMs.reset();
        s.Dlg().State().selector = selected;
        // Checked, as a click on the selector leaves it.
        if (selected == SlotSelector::Stopwatch) s.Wnd().Item(IDC_STOPWATCH_CHECK).SetCheck(1);
        if (selected == SlotSelector::Countdown) s.Wnd().Item(IDC_COUNTDOWN_CHECK).SetCheck(1);
        startedMs = s.World().MonotonicMs();
    }
    CountdownState& State() { return s.Dlg().State().countdown; }
    std::int64_t SinceStartMs() const { return s.World().MonotonicMs() - startedMs; }
    // Advances until the countdown is no longer active; the time taken.
    std::int64_t RunToEnd(std::int64_t limitMs) {
        while (State().active && SinceStartMs() < limitMs) s.Advance(10);
        return SinceStartMs();
    }
    Scenario s;
    bool started = false;
    std::int64_t startedMs = 0;
};

TEST_F(Countdown, EndsBetweenNMinusOneAndNSecondsAfterItsStartWithoutDrift) {
    std::mt19937 random(7);
    s.World().timerLatenessUs = [&random](unsigned) { return std::uniform_int_distribution<std::int64_t>(0, 16000)(random); };
    for (const std::int32_t n : {1, 3, 3600}) {
        SCOPED_TRACE(n);
        StartCountdown(0, 0, 0);
        State().hours = n / 3600;
        State().minutes = n / 60 % 60;
        State().seconds = n % 60;
        const std::int64_t took = RunToEnd((n + 2) * 1000LL);
        EXPECT_GE(took, (n - 1) * 1000LL);
        EXPECT_LE(took, n * 1000LL);
        EXPECT_EQ(s.Text(IDC_COUNTDOWN_OVERVIEW), "00:00:00");
        ASSERT_TRUE(s.Click(IDC_ALARM_OFF));
    }
}

TEST_F(Countdown, ABusyLoopOrAClockSetChangesNothingPausingKeepsTheRest) {
    StartCountdown(0, 1, 0);
    s.Advance(10000);
    EXPECT_EQ(s.Text(IDC_COUNTDOWN_OVERVIEW), "00:00:50");
    s.World().Stall(3000);  // three seconds without a message
    s.Advance(100);
    EXPECT_EQ(s.Text(IDC_COUNTDOWN_OVERVIEW), "00:00:47");
    s.World().SetWallClockMs(s.World().WallClockMs() + 3600000);
    s.Advance(1000);
    s.World().SetWallClockMs(s.World().WallClockMs() - 7200000);
    s.Advance(1000);
    EXPECT_EQ(s.Text(IDC_COUNTDOWN_OVERVIEW), "00:00:45");

    State().active = false;  // paused
    s.Advance(20000);
    EXPECT_EQ(s.Text(IDC_COUNTDOWN_OVERVIEW), "00:00:45");
    State().active = true;  // resumed
    State().countedUpToMs.reset();
    startedMs = s.World().MonotonicMs();
    EXPECT_LE(RunToEnd(50000), 45000);
    EXPECT_GE(SinceStartMs(), 44000);
}

TEST_F(Countdown, MoreThanNinetyNineHoursShowsEveryDigit) {
    StartCountdown(120, 0, 0);
    s.Advance(1000);
    EXPECT_EQ(s.Text(IDC_COUNTDOWN_OVERVIEW), "119:59:59");
}

TEST_F(Countdown, WithDaueralarmItRingsUntilAlarmAusWhichStopsTheSlot) {
    StartCountdown(0, 0, 2, SlotSelector::Countdown);
    s.Wnd().Item(IDC_EXTRA1).Enable(true);
    s.Wnd().Item(IDC_STOP).Enable(true);
    RunToEnd(3000);
    EXPECT_TRUE(State().ringing);
    EXPECT_FALSE(State().HasValue());
    EXPECT_EQ(s.Text(IDC_COUNTDOWN_OVERVIEW), "00:00:00");
    EXPECT_EQ(s.Text(IDC_STATUS), "Folgende Alarmzeit erreicht: Countdown      ");
    EXPECT_FALSE(s.Enabled(IDC_EXTRA1));
    EXPECT_EQ(s.World().sounds.back().flags, 0x20009u);
    EXPECT_EQ((*s.FileBytes())[settings::kCountdownActive], 't');  // until acknowledged

    ASSERT_TRUE(s.Click(IDC_ALARM_OFF));
    EXPECT_EQ(s.Text(IDC_COUNTDOWN_OVERVIEW), "nicht gesetzt");
    EXPECT_EQ(s.Text(IDC_START), "Countdown setzen");
    EXPECT_FALSE(s.Enabled(IDC_STOP));
    EXPECT_FALSE(State().ringing || State().active);
    EXPECT_EQ((*s.FileBytes())[settings::kCountdownActive], 'f');
}

// The shared buttons belong to the selected slot: a running stopwatch keeps
// its Stopp and its caption when the countdown ends.
TEST_F(Countdown, EndingItLeavesTheButtonsOfAnotherSelectedSlotAlone) {
    for (const bool continuous : {false, true}) {
        SCOPED_TRACE(continuous);
        StartCountdown(0, 0, 1, SlotSelector::Stopwatch);
        s.Wnd().Item(IDC_CONTINUOUS_ALARM).SetCheck(continuous ? 1 : 0);
        s.Wnd().Item(IDC_START).SetText("Stoppuhr starten");
        s.Wnd().Item(IDC_STOP).Enable(true);
        s.Wnd().Item(IDC_EXTRA1).Enable(true);
        RunToEnd(2000);
        if (continuous) {
            ASSERT_TRUE(s.Click(IDC_ALARM_OFF));
        }
        EXPECT_EQ(s.Text(IDC_COUNTDOWN_OVERVIEW), "nicht gesetzt");
        EXPECT_EQ(s.Text(IDC_START), "Stoppuhr starten");
        EXPECT_TRUE(s.Enabled(IDC_EXTRA1));
        EXPECT_EQ((*s.FileBytes())[settings::kCountdownActive], 'f');
    }
}

TEST_F(Countdown, WithoutDaueralarmItStopsAtOnceAndTheHiddenWindowsTipSaysSo) {
    StartCountdown(0, 0, 3, SlotSelector::Countdown);
    s.Wnd().Item(IDC_CONTINUOUS_ALARM).SetCheck(0);
    ASSERT_TRUE(s.Click(IDC_TRAY));
    EXPECT_NE(s.World().trayCalls.back().tip.find("Countdown an"), std::string::npos);
    RunToEnd(4000);
    EXPECT_EQ(s.World().sounds.back().flags, 0x20001u);
    EXPECT_FALSE(State().active || State().ringing || State().HasValue());
    EXPECT_EQ(s.Text(IDC_COUNTDOWN_OVERVIEW), "nicht gesetzt");
    EXPECT_EQ(s.Text(IDC_START), "Countdown setzen");
    EXPECT_EQ((*s.FileBytes())[settings::kCountdownActive], 'f');
    EXPECT_FALSE(s.Wnd().IsVisible());
    const auto& modify = s.World().trayCalls.back();
    EXPECT_EQ(modify.action, 1u);  // NIM_MODIFY
    EXPECT_EQ(modify.tip, "Alarm aus\nCountdown aus\nStoppuhr aus\nStundensignal aus");
}

TEST_F(Countdown, AnAlarmInTheSameSecondRingsFirstTheCountdownsNoticeStays) {
    s.WithSettings(RecordWith({{settings::AlarmActive(0), "t120003"}})).Start();
    started = true;
    StartCountdown(0, 0, 3);
    s.Advance(3000);
    EXPECT_TRUE(s.Dlg().State().alarms[0].ringing);
    EXPECT_TRUE(State().ringing);
    EXPECT_EQ(s.Text(IDC_STATUS), "Folgende Alarmzeit erreicht: Countdown      ");
    ASSERT_TRUE(s.Click(IDC_ALARM_OFF));
    EXPECT_FALSE(s.Dlg().State().AnythingRinging());
}

// The end's write fails: reported as every write is, and the hourly signal
// of the same tick is still given.
TEST_F(Countdown, AFailedWriteAtItsEndIsReportedAndTheTickGoesOn) {
    s.World().SetWallClockMs(1796558397000LL);  // 12:59:57
    s.WithSettings(RecordWith({{settings::kHourlySignal, "j"}, {settings::kContinuousAlarm, "f"}})).Start();
    started = true;
    StartCountdown(0, 0, 3);
    s.World().FindFile(kSettingsPath)->lockedByOtherProgram = true;
    s.Advance(3000);
    ASSERT_EQ(s.World().messageBoxes.size(), 1u);
    EXPECT_NE(s.World().messageBoxes[0].text.find("config.dat"), std::string::npos);
    EXPECT_EQ(s.World().messageBoxes[0].type, 0x10u);
    EXPECT_FALSE(State().active);
    EXPECT_TRUE(s.Dlg().State().hourlySignalPending);
    EXPECT_EQ(s.World().sounds.back().name, "C:\\Programme\\Horovant\\stunden-sound.wav");
}

}  // namespace
}  // namespace hv::test
