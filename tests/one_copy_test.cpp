// A second start while the program runs shows the running window and ends.
#include <gtest/gtest.h>

#include "app/ZeitApp.h"
#include "res/resource.h"
#include "tests/support/Scenario.h"

namespace hv::test {
namespace {

TEST(OneCopy, ASecondStartBringsTheHiddenWindowBackAndEnds) {
    Scenario s;
    s.Start();  // the copy that runs, hidden in the notification area
    ASSERT_TRUE(s.Click(IDC_TRAY));
    ASSERT_FALSE(s.Wnd().IsVisible());
    s.World().sessionMutexes.insert("Horovant.EineKopie");
    const std::size_t windows = s.World().Dialogs().size();
    ZeitApp second;
    EXPECT_FALSE(second.InitInstance());
    EXPECT_EQ(s.World().Dialogs().size(), windows);  // no second window
    s.World().Pump();
    s.World().PaintInvalidWindows();
    EXPECT_TRUE(s.Wnd().IsVisible());
    EXPECT_FALSE(s.World().HasTrayIcon(s.Wnd().Handle().value, 1));
    EXPECT_FALSE(s.Dlg().State().inTray || s.Dlg().State().minimiseOnFirstPaint);
    EXPECT_EQ(s.World().foregroundWindow, s.Wnd().Handle().value);
}

}  // namespace
}  // namespace hv::test
