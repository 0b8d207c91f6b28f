// The notification-area icon: its tip and picture for what is on, hiding and
// restoring the window, the start into the tray, and Explorer restarting.
#include <gtest/gtest.h>

#include "engine/TrayTip.h"
#include "model/SettingsRecord.h"
#include "platform/Resources.h"
#include "res/resource.h"
#include "tests/support/Scenario.h"

namespace hv::test {
namespace {

TEST(TrayTip, FourLinesOfWhatIsOn) {
    EXPECT_EQ(TrayTipText({}), "Alarm aus\nCountdown aus\nStoppuhr aus\nStundensignal aus");
    EXPECT_EQ(TrayTipText({}).size(), 54u);
    EXPECT_EQ(TrayTipText({true, true, true, true}), "Alarm an\nCountdown an\nStoppuhr an\nStundensignal an");
    EXPECT_EQ(TrayTipText({false, true, false, false}), "Alarm aus\nCountdown an\nStoppuhr aus\nStundensignal aus");
    EXPECT_EQ(TrayTipText({false, false, true, false}), "Alarm aus\nCountdown aus\nStoppuhr an\nStundensignal aus");
}

class Tray : public ::testing::Test {
protected:
    bool IconThere() const { return s.World().HasTrayIcon(s.Wnd().Handle().value, 1); }
    void Notify(unsigned mouseMessage) {
        s.Wnd().Post(WM_TRAYNOTIFY, 1, static_cast<LParam>(mouseMessage));
        s.Advance(0);
    }
    Scenario s;
};

TEST_F(Tray, TheIconShowsWhichFunctionsAreOn) {
    s.Start();
    auto& state = s.Dlg().State();
    for (int flags = 0; flags < 16; ++flags) {
        SCOPED_TRACE(flags);
        state.alarms = {};
        state.alarms[2].active = flags & 1;  // alarm 3 alone is enough
        state.countdown.active = flags & 2;
        if (flags & 4) state.stopwatch.Start(0); else state.stopwatch.Reset();
        state.hourlySignalOn = flags & 8;
        ASSERT_TRUE(s.Click(IDC_TRAY));
        const auto& add = s.World().trayCalls.back();
        EXPECT_EQ(add.action, 0u);  // NIM_ADD
        EXPECT_EQ(add.id, 1u);
        EXPECT_EQ(add.flags, 7u);
        EXPECT_EQ(add.callbackMessage, 0x8064u);
        EXPECT_EQ(add.icon, LoadSharedIcon(flags ? IDI_ACTIVE : IDR_MAINFRAME, 16, 16));
        EXPECT_EQ(add.tip, TrayTipText({bool(flags & 1), bool(flags & 2), bool(flags & 4), bool(flags & 8)}));
        EXPECT_FALSE(s.Wnd().IsVisible());
        EXPECT_TRUE(state.inTray);
        Notify(0x202);
    }
}

TEST_F(Tray, OnlyAButtonReleaseOverTheIconBringsTheWindowBack) {
    s.Start();
    s.Click(IDC_TRAY);
    ASSERT_TRUE(IconThere());
    // Mouse move, left press, double-click, middle release.
    for (unsigned ignored : {0x200u, 0x201u, 0x203u, 0x208u}) {
        Notify(ignored);
        EXPECT_FALSE(s.Wnd().IsVisible()) << ignored;
        EXPECT_TRUE(IconThere()) << ignored;
    }
    for (unsigned release : {0x202u, 0x205u}) {  // left and right
        Notify(release);
        EXPECT_TRUE(s.Wnd().IsVisible()) << release;
        EXPECT_FALSE(IconThere()) << release;
        EXPECT_FALSE(s.Dlg().State().inTray);
        EXPECT_FALSE(s.World().IsInvalid(s.Wnd()));  // painted again
        s.Click(IDC_TRAY);
    }
    // Restoring a shown window (as an alarm does) finds no icon and harms nothing.
    Notify(0x205);
    EXPECT_EQ(s.Dlg().OnTrayNotify(0, 0x205), 0);
    EXPECT_TRUE(s.Wnd().IsVisible());
}

TEST_F(Tray, StartedMinimisedItHidesAtItsFirstPaintAndStaysShownOnceRestored) {
    s.WithSettings(RecordWith({{settings::kStartMinimized, "j"}})).Start();
    EXPECT_FALSE(s.Wnd().IsVisible());
    EXPECT_TRUE(IconThere());
    EXPECT_TRUE(s.Dlg().State().inTray);
    s.Advance(5000);
    EXPECT_FALSE(s.Wnd().IsVisible());
    Notify(0x202);
    EXPECT_TRUE(s.Wnd().IsVisible());
    EXPECT_FALSE(s.Dlg().State().minimiseOnFirstPaint);
    s.Wnd().Invalidate(true);
    s.Advance(1000);
    EXPECT_TRUE(s.Wnd().IsVisible());
    EXPECT_FALSE(IconThere());
    EXPECT_EQ(s.Check(IDC_START_MINIMIZED), 1);  // the option itself stays
}

TEST_F(Tray, WhenExplorerRestartsTheHiddenWindowGetsItsIconBack) {
    s.Start();
    s.Dlg().State().hourlySignalOn = true;
    s.Click(IDC_TRAY);
    const auto added = s.World().trayCalls.back();
    s.Dlg().State().hourlySignalOn = false;  // the icon is a snapshot of the moment it was added
    s.World().RestartTaskbar();
    EXPECT_FALSE(IconThere());
    s.Advance(0);
    ASSERT_TRUE(IconThere());
    const auto again = s.World().trayCalls.back();
    EXPECT_EQ(again.action, 0u);
    EXPECT_EQ(again.icon, added.icon);
    EXPECT_EQ(again.tip, added.tip);
    Notify(0x202);
    EXPECT_TRUE(s.Wnd().IsVisible());

    // A shown window has no icon to restore.
    const std::size_t calls = s.World().trayCalls.size();
    s.World().RestartTaskbar();
    s.Advance(0);
    EXPECT_EQ(s.World().trayCalls.size(), calls);
}

}  // namespace
}  // namespace hv::test
