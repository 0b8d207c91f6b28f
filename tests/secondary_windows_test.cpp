// The label editor and the about window, run modally from the main window.
#include <gtest/gtest.h>

#include <functional>

#include "engine/LabelText.h"
#include "model/SettingsRecord.h"
#include "res/resource.h"
#include "tests/support/Scenario.h"

namespace hv::test {
namespace {

constexpr const char* kTooLong = "Änderung nicht möglich, da die max. Länge von 15 Zeichen überschritten worden ist.";
constexpr const char* kEmpty = "Änderung nicht möglich, da keine Bezeichnung eingegeben worden ist.";

TEST(PadLabel, BlanksUpToFifteenOnlyForOneToFourteenCharacters) {
    EXPECT_EQ(PadLabel("A"), "A              ");
    EXPECT_EQ(PadLabel("Vierzehn Zeich"), "Vierzehn Zeich ");
    EXPECT_EQ(PadLabel(""), "");
    EXPECT_EQ(PadLabel("Sechzehn Zeichen"), "Sechzehn Zeichen");
}

class LabelEditor : public ::testing::Test {
protected:
    void SetUp() override { s.Start(); }
    // Opens the editor with the button and lets `user` work in it; then
    // the editor closes the way `close` says (by default as a user cancels).
    void Edit(const std::function<void(const Window&)>& user, int closeWith = 0) {
        s.World().onModalDialog = [&](Dialog& editor) {
            ASSERT_EQ(editor.TemplateId(), IDD_BESCHRIFTUNG);
            EXPECT_FALSE(s.Wnd().IsEnabled());  // modal
            user(editor.Wnd());
            if (closeWith == 1) s.World().PressEnter(editor.Wnd());
            if (closeWith == 2) s.World().SystemCommand(editor.Wnd(), 0xF060);
        };
        ASSERT_TRUE(s.Click(IDC_LABELS));
        s.World().onModalDialog = nullptr;
        EXPECT_TRUE(s.Wnd().IsEnabled());
    }
    bool Rename(const Window& editor, int input, int button, const std::string& text) {
        editor.Item(input).SetText(text);
        return s.World().Click(editor, button);
    }
    Scenario s;
};

TEST_F(LabelEditor, ARenameShowsAtOnceAndReachesTheWindowAndTheFileHoweverItCloses) {
    for (int closeWith : {0, 1, 2}) {
        SCOPED_TRACE(closeWith);
        Edit(
            [&](const Window& editor) {
                EXPECT_EQ(editor.Item(IDC_LABEL_CUR2).Text(), s.Dlg().Labels()[1]);
                ASSERT_TRUE(Rename(editor, IDC_LABEL_IN2, IDC_LABEL_SET2, "Wecken"));
                EXPECT_EQ(editor.Item(IDC_LABEL_CUR2).Text(), "Wecken         ");
                EXPECT_EQ(editor.Item(IDC_LABEL_IN2).Text(), "");
                ASSERT_TRUE(Rename(editor, IDC_LABEL_IN5, IDC_LABEL_SET5, "Genau15Zeichen!"));
                editor.Item(IDC_LABEL_IN3).SetText("nur getippt");  // never confirmed
            },
            closeWith);
        EXPECT_EQ(s.Dlg().Labels()[1], "Wecken         ");
        EXPECT_EQ(s.Dlg().Labels()[4], "Genau15Zeichen!");
        EXPECT_EQ(s.Dlg().Labels()[2], "Alarmzeit 3    ");
        EXPECT_EQ(s.FileBytes()->substr(settings::Label(0), 75),
                  "Alarmzeit 1    Wecken         Alarmzeit 3    Alarmzeit 4    Genau15Zeichen!");
        EXPECT_EQ(s.FileBytes()->substr(settings::Label(5), 15), "Stoppuhr       ");
    }
    // The window draws the new label once the editor has closed.
    bool drawn = false;
    for (const auto& call : s.World().drawCalls) drawn = drawn || call.text.find("Wecken") == 0;
    EXPECT_TRUE(drawn);
}

TEST_F(LabelEditor, TooLongOrEmptyIsRefusedInTheStatusLineAndTheOldLabelStays) {
    Edit([&](const Window& editor) {
        ASSERT_TRUE(Rename(editor, IDC_LABEL_IN1, IDC_LABEL_SET1, "Sechzehn Zeichen"));
        EXPECT_EQ(editor.Item(IDC_LABEL_STATUS).Text(), kTooLong);
        EXPECT_EQ(editor.Item(IDC_LABEL_IN1).Text(), "Sechzehn Zeichen");
        EXPECT_EQ(s.World().Focus(), editor.Item(IDC_LABEL_IN1).Handle().value);
        const auto* input = s.World().Control(editor, IDC_LABEL_IN1);
        EXPECT_EQ(input->selFirst, 0);
        EXPECT_EQ(input->selLast, 16);
        ASSERT_TRUE(Rename(editor, IDC_LABEL_IN4, IDC_LABEL_SET4, ""));
        EXPECT_EQ(editor.Item(IDC_LABEL_STATUS).Text(), kEmpty);
        EXPECT_EQ(editor.Item(IDC_LABEL_CUR4).Text(), "Alarmzeit 4    ");
        ASSERT_TRUE(Rename(editor, IDC_LABEL_IN3, IDC_LABEL_SET3, " "));  // a blank is a label
        EXPECT_EQ(editor.Item(IDC_LABEL_STATUS).Text(), "");
        EXPECT_EQ(editor.Item(IDC_LABEL_CUR3).Text(), std::string(15, ' '));
    });
    EXPECT_EQ(s.Dlg().Labels()[0], "Alarmzeit 1    ");
    EXPECT_EQ(s.Dlg().Labels()[3], "Alarmzeit 4    ");
    EXPECT_EQ(s.Dlg().Labels()[2], std::string(15, ' '));
    EXPECT_TRUE(s.World().messageBoxes.empty());
}

TEST_F(LabelEditor, WhiteWithBlackTextAndItsCancelButtonOutOfReach) {
    Edit([&](const Window& editor) {
        EXPECT_FALSE(s.World().Click(editor, 2));  // hidden and disabled
        const auto colours = s.World().QueryColors(editor.Item(IDC_LABEL_CUR1));
        EXPECT_TRUE(colours.handled);
        EXPECT_EQ(colours.textColor, Rgb(0, 0, 0));
        EXPECT_EQ(colours.backgroundColor, Rgb(255, 255, 255));
        EXPECT_EQ(s.World().liveBrushes.at(colours.brush.value), Rgb(255, 255, 255));
        EXPECT_EQ(s.World().Focus(), editor.Item(IDC_LABEL_IN1).Handle().value);
        // Uncovered after a rename elsewhere: the focus is back on the first input.
        ASSERT_TRUE(Rename(editor, IDC_LABEL_IN3, IDC_LABEL_SET3, "Zug"));
        EXPECT_EQ(s.World().Focus(), editor.Item(IDC_LABEL_IN3).Handle().value);
        editor.Invalidate(true);
        s.World().PaintInvalidWindows();
        EXPECT_EQ(s.World().Focus(), editor.Item(IDC_LABEL_IN1).Handle().value);
        EXPECT_EQ(editor.Item(IDC_LABEL_CUR3).Text(), "Zug            ");
    });
}

// The about window, from the button and from the system menu; its two
// buttons hand their addresses to the shell, and it stays open.
TEST(AboutWindow, BothWaysOpenItAndItsButtonsOpenMailAndHomepage) {
    Scenario s;
    s.Start();
    int opened = 0;
    s.World().onModalDialog = [&](Dialog& about) {
        ++opened;
        ASSERT_EQ(about.TemplateId(), IDD_INFO);
        EXPECT_EQ(s.World().Control(about.Wnd(), IDC_MAIL)->text, "feedback@example.com");
        ASSERT_TRUE(s.World().Click(about.Wnd(), IDC_MAIL));
        ASSERT_TRUE(s.World().Click(about.Wnd(), IDC_HOMEPAGE));
        EXPECT_FALSE(about.IsEnded());
        s.World().Advance(2000);  // the main window's clock goes on behind it
        EXPECT_FALSE(s.Text(IDC_CLOCK).empty());
        ASSERT_TRUE(s.World().Click(about.Wnd(), 1));  // "zurück zur Anwendung"
        EXPECT_TRUE(about.IsEnded());
    };
    ASSERT_TRUE(s.Click(IDC_INFO));
    s.World().SystemCommand(s.Wnd(), 0x0010);
    s.World().SystemCommand(s.Wnd(), 0xF010);  // Move: not the about window
    s.World().Pump();
    EXPECT_EQ(opened, 2);
    ASSERT_EQ(s.World().shellCalls.size(), 4u);
    EXPECT_EQ(s.World().shellCalls[0].file, "mailto:feedback@example.com?subject=Horovant");
    EXPECT_EQ(s.World().shellCalls[0].show, 1);  // shown normally
    EXPECT_EQ(s.World().shellCalls[1].file, "https://www.example.com/");
    EXPECT_EQ(s.World().shellCalls[1].show, 10);
    EXPECT_FALSE(s.Ended());
    s.World().onModalDialog = nullptr;
    s.World().SystemCommand(s.Wnd(), 0xF060);  // Close still ends the program
    s.World().Pump();
    EXPECT_TRUE(s.Ended());
}

}  // namespace
}  // namespace hv::test
