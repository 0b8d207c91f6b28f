// Machine checks of the resources: ids are unique within each template, the
// main window finds every control it binds, and it draws on the resources it
// names.
#include <gtest/gtest.h>

#include <map>

#include "platform/headless/ResourceScript.h"
#include "res/resource.h"
#include "tests/support/Scenario.h"

namespace hv::test {
namespace {

TEST(ResourceIds, ControlIdsAreUniqueWithinEachTemplate) {
    const auto script = headless::ResourceScript::Program();
    ASSERT_TRUE(script->Errors().empty());
    for (int templateId : {IDD_HAUPT, IDD_BESCHRIFTUNG, IDD_INFO}) {
        const auto* dialog = script->Dialog(templateId);
        ASSERT_NE(dialog, nullptr) << templateId;
        std::map<int, int> seen;
        for (const auto& control : dialog->controls) {
            if (control.id == IDC_STATIC) continue;
            EXPECT_EQ(++seen[control.id], 1) << "template " << templateId << " id " << control.id;
        }
    }
    EXPECT_EQ(script->Dialog(IDD_HAUPT)->controls.size(), 67u);
}

TEST(ResourceIds, TheMainWindowFindsEveryControlItBindsAndItsResources) {
    Scenario s;
    s.Start();
    EXPECT_TRUE(s.Dlg().MissingBindings().empty());
    const auto script = headless::ResourceScript::Program();
    EXPECT_TRUE(script->String(IDS_ABOUTBOX));
    EXPECT_TRUE(script->HasIcon(IDR_MAINFRAME));
    EXPECT_TRUE(script->HasIcon(IDI_ACTIVE));
    for (int bitmap : {IDB_BANNER, IDB_ARROW, IDB_LOGO}) EXPECT_TRUE(script->HasBitmap(bitmap)) << bitmap;
}

}  // namespace
}  // namespace hv::test
