// The resource script reader on a probe script: the preprocessor, the texts
// as the ANSI calls see them, the styles the resource compiler would write,
// and reports of what it cannot read.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/headless/ResourceScript.h"
#include "tests/data/probe_resource.h"

namespace hv::headless {
namespace {

std::string DataPath(const char* name) {
    return (std::filesystem::path(__FILE__).parent_path() / "data" / name).string();
}

// Reads a script given as text, from a scratch file of the running test
// (tests may run in parallel processes).
ResourceScript ReadText(const std::string& text) {
    const std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    const auto path = std::filesystem::temp_directory_path() / ("hv_" + name + ".rc");
    {
        std::ofstream out(path, std::ios::binary);
        out << text;
    }
    ResourceScript script = ResourceScript::Read(path.string());
    std::filesystem::remove(path);
    return script;
}

TEST(ResourceScriptReader, PreprocessorFollowsIncludesConditionsAndComments) {
    const ResourceScript script = ResourceScript::Read(DataPath("probe.rc"));
    ASSERT_TRUE(script.Errors().empty()) << script.Errors().front();
    EXPECT_EQ(script.Define("IDD_PROBE"), 300);  // from the included header
    EXPECT_EQ(script.Define("IDC_PROBE_LOCAL"), 1200);
    EXPECT_FALSE(script.Define("IDC_NOT_DEFINED"));
    EXPECT_EQ(script.Dialogs().size(), 2u);  // the commented-out CONTROL made nothing
    EXPECT_TRUE(script.HasIcon(IDI_PROBE));
    EXPECT_FALSE(script.HasIcon(IDD_PROBE));
}

TEST(ResourceScriptReader, TextsBecomeWindows1252WithQuotesAndEscapes) {
    const ResourceScript script = ResourceScript::Read(DataPath("probe.rc"));
    EXPECT_EQ(script.String(IDS_PROBE_GREETING), "Gr\xFC\xDF" "e \"aus\" dem\tTest \x96 \x80");
    EXPECT_FALSE(script.String(IDS_PROBE_GREETING + 1));
}

TEST(ResourceScriptReader, StylesGetTheCompilersDefaults) {
    const ResourceScript script = ResourceScript::Read(DataPath("probe.rc"));
    const DialogTemplate* probe = script.Dialog(IDD_PROBE);
    ASSERT_NE(probe, nullptr);
    EXPECT_EQ(probe->caption, "Probe");
    EXPECT_EQ(probe->style, 0x90C800C0u);
    EXPECT_EQ((std::vector<int>{probe->x, probe->y, probe->cx, probe->cy}), (std::vector<int>{10, 20, 200, 120}));
    EXPECT_EQ(probe->fontFace, "MS Shell Dlg");
    EXPECT_EQ(probe->fontWeight, 400);
    ASSERT_EQ(probe->controls.size(), 15u);

    // CONTROL starts from WS_CHILD | WS_VISIBLE; NOT takes a bit away.
    EXPECT_EQ(probe->controls[0].style, 0x58810000u);  // WS_DISABLED added
    EXPECT_EQ(probe->controls[1].style, 0x40810000u);  // NOT WS_VISIBLE
    EXPECT_EQ(probe->controls[2].text, "42");
    EXPECT_EQ(probe->controls[2].className, "Edit");
    const ControlTemplate& icon = probe->controls[13];
    EXPECT_EQ(icon.id, -1);
    EXPECT_EQ(icon.ordinal, IDI_PROBE);
    EXPECT_EQ(icon.text, "");

    // Without FONT there is no DS_SETFONT; CAPTION brings WS_CAPTION.
    const DialogTemplate* child = script.Dialog(IDD_PROBE_CHILD);
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(child->style, 0x90C00080u);
    EXPECT_EQ(child->fontSize, 0);

    const ResourceScript bare = ReadText("7 DIALOGEX 0, 0, 10, 10\nCAPTION \"c\"\nBEGIN\nEND\n");
    ASSERT_TRUE(bare.Errors().empty());
    EXPECT_EQ(bare.Dialog(7)->style, 0x80C80000u);  // WS_POPUP | WS_BORDER | WS_SYSMENU | WS_CAPTION
}

TEST(ResourceScriptReader, ReportsWhatItCannotRead) {
    const ResourceScript shortForm =
        ReadText("7 DIALOGEX 0, 0, 10, 10\nBEGIN\n  LTEXT \"x\", 1, 0, 0, 5, 5\nEND\n");
    ASSERT_EQ(shortForm.Errors().size(), 1u);
    EXPECT_NE(shortForm.Errors()[0].find(":3: LTEXT"), std::string::npos) << shortForm.Errors()[0];

    const ResourceScript unknownName =
        ReadText("7 DIALOGEX 0, 0, 10, 10\nBEGIN\n  CONTROL \"x\", 1, \"Button\", BS_PUSHBUTTN, 0, 0, 5, 5\nEND\n");
    ASSERT_EQ(unknownName.Errors().size(), 1u);
    EXPECT_NE(unknownName.Errors()[0].find("BS_PUSHBUTTN"), std::string::npos);

    const ResourceScript unclosed = ReadText("#if 1\n7 DIALOGEX 0, 0, 10, 10\nBEGIN\nEND\n");
    EXPECT_FALSE(unclosed.Errors().empty());

    EXPECT_FALSE(ResourceScript::Read(DataPath("missing.rc")).Errors().empty());
}

}  // namespace
}  // namespace hv::headless
