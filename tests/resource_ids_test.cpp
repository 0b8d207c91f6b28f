// Machine checks of the compiled resources: ids are unique within each
// template, the main window finds every control it binds, and the pictures
// and strings it names are there.
#include <gtest/gtest.h>

#include <map>

#include "platform/headless/CompiledResources.h"
#include "res/resource.h"
#include "tests/support/Scenario.h"

namespace hv::test {
namespace {

TEST(ResourceIds, ControlIdsAreUniqueWithinEachTemplate) {
    const auto res = headless::CompiledResources::Program();
    ASSERT_EQ(res->Error(), "");
    EXPECT_EQ(res->DialogIds(), (std::vector<int>{IDD_INFO, IDD_HAUPT, IDD_BESCHRIFTUNG}));
    for (int templateId : res->DialogIds()) {
        std::map<int, int> seen;
        for (const auto& control : res->Dialog(templateId)->controls) {
            if (control.id == IDC_STATIC) continue;
            EXPECT_EQ(++seen[control.id], 1) << "template " << templateId << " id " << control.id;
        }
    }
    EXPECT_EQ(res->Dialog(IDD_HAUPT)->controls.size(), 67u);
}

TEST(ResourceIds, TheMainWindowFindsEveryControlItBindsAndItsResources) {
    Scenario s;
    s.Start();
    EXPECT_TRUE(s.Dlg().MissingBindings().empty());
    const auto res = headless::CompiledResources::Program();
    EXPECT_EQ(res->String(IDS_ABOUTBOX), "&Info \xFC" "ber Horovant...");
    EXPECT_TRUE(res->HasIcon(IDR_MAINFRAME));
    EXPECT_TRUE(res->HasIcon(IDI_ACTIVE));
    for (int bitmap : {IDB_BANNER, IDB_ARROW, IDB_LOGO}) EXPECT_TRUE(res->Bitmap(bitmap)) << bitmap;

    // The banner static takes the size of its 300 x 43 bitmap, as on Windows,
    // not the size its template gives it.
    const auto controls = s.World().Children(s.Wnd());
    ASSERT_EQ(controls.size(), 67u);
    const Window banner(WindowHandle(controls[61]->handle));
    EXPECT_EQ(controls[61]->className, "Static");
    EXPECT_EQ(banner.ClientRect(), (Rect{0, 0, 300, 43}));
    EXPECT_EQ(Window(WindowHandle(controls[62]->handle)).ClientRect(), (Rect{0, 0, 80, 16}));  // 53 x 10 units
}

}  // namespace
}  // namespace hv::test
