// The Win32 behaviour of dialogs that the program relies on, in the headless
// backend: what a click, Esc and Enter do, which window has the focus, and
// what typing into an edit gives.
#include <gtest/gtest.h>

#include "tests/headless_probe_dialog.h"

namespace hv::test {
namespace {

class HeadlessDialog : public ::testing::Test {
protected:
    void SetUp() override {
        ResetToProbeWorld();
        m_wnd = TheWorld().Open(m_dlg);
        ASSERT_TRUE(m_wnd.IsValid());
    }
    void TearDown() override {
        if (m_dlg.Wnd().IsValid()) TheWorld().Close(m_dlg);
        TheWorld().Reset();
    }
    std::vector<unsigned> Clicks() const { return m_dlg.Of(msg::kCommand); }
    int FocusId() const {
        const auto* n = TheWorld().Find(TheWorld().Focus());
        return n && n->parent == m_wnd.Handle().value ? n->id : 0;
    }

    ProbeDialog m_dlg;
    Window m_wnd;
};

TEST_F(HeadlessDialog, DisabledHiddenAndInertControlsIgnoreClicks) {
    auto& w = TheWorld();
    EXPECT_FALSE(w.Click(m_wnd, IDC_DEFAULT));  // disabled in the template
    m_wnd.Item(IDC_DEFAULT).Enable(true);
    EXPECT_TRUE(w.Click(m_wnd, IDC_DEFAULT));

    m_wnd.Item(IDC_PUSH).Show(sw::kHide);
    EXPECT_FALSE(w.Click(m_wnd, IDC_PUSH));
    m_wnd.Item(IDC_PUSH).Show(sw::kShow);
    m_wnd.Enable(false);  // as under a modal window
    EXPECT_FALSE(w.Click(m_wnd, IDC_PUSH));
    m_wnd.Enable(true);

    EXPECT_FALSE(w.Click(m_wnd, IDC_FRAME));  // a group box is no button
    EXPECT_FALSE(w.Click(m_wnd, -1));         // a static without SS_NOTIFY
    EXPECT_FALSE(w.Click(m_wnd, 4711));
    EXPECT_EQ(Clicks(), (std::vector<unsigned>{IDC_DEFAULT}));
}

TEST_F(HeadlessDialog, ManualButtonsWaitForTheHandlerAutomaticOnesToggle) {
    auto& w = TheWorld();
    const auto check = [&](int id) { return m_wnd.Item(id).Check(); };
    w.Click(m_wnd, IDC_MANUAL_CHECK);
    w.Click(m_wnd, IDC_MANUAL_RADIO);
    EXPECT_EQ(check(IDC_MANUAL_CHECK), 0);
    EXPECT_EQ(check(IDC_MANUAL_RADIO), 0);
    EXPECT_EQ(Clicks(), (std::vector<unsigned>{IDC_MANUAL_CHECK, IDC_MANUAL_RADIO}));
    m_wnd.Item(IDC_MANUAL_CHECK).SetCheck(1);  // what the handler does
    EXPECT_EQ(check(IDC_MANUAL_CHECK), 1);

    w.Click(m_wnd, IDC_AUTO_CHECK);
    EXPECT_EQ(check(IDC_AUTO_CHECK), 1);
    w.Click(m_wnd, IDC_AUTO_CHECK);
    EXPECT_EQ(check(IDC_AUTO_CHECK), 0);

    m_wnd.Item(IDC_PUSH).SetCheck(1);  // means nothing to a push button
    EXPECT_EQ(check(IDC_PUSH), 0);
}

TEST_F(HeadlessDialog, EscapeAndCloseSendTheCancelCommand) {
    TheWorld().PressEscape(m_wnd);
    ASSERT_EQ(m_dlg.events.size(), 1u);
    EXPECT_EQ(m_dlg.events[0].id, unsigned(cmd::kCancel));
    EXPECT_EQ(m_dlg.events[0].code, bn::kClicked);
    EXPECT_EQ(m_dlg.events[0].lParam, static_cast<LParam>(m_wnd.Item(cmd::kCancel).Handle().value));
    EXPECT_TRUE(m_dlg.IsEnded());
    EXPECT_EQ(m_dlg.Result(), cmd::kCancel);

    // A template without a Cancel button gets lParam 0; Close takes the same way.
    ProbeDialog child(IDD_PROBE_CHILD);
    const Window childWnd = TheWorld().Open(child);
    TheWorld().PressEscape(childWnd);  // not shown yet: no key reaches it
    EXPECT_TRUE(child.events.empty());
    childWnd.Show(sw::kShow);
    TheWorld().PressEscape(childWnd);
    ASSERT_EQ(child.events.size(), 1u);
    EXPECT_EQ(child.events[0].lParam, 0);
    ProbeDialog other;
    TheWorld().SystemCommand(TheWorld().Open(other), cmd::kScClose);
    EXPECT_EQ(other.Of(msg::kCommand), (std::vector<unsigned>{unsigned(cmd::kCancel)}));
    EXPECT_TRUE(other.IsEnded());
    TheWorld().Close(child);
    TheWorld().Close(other);
}

TEST_F(HeadlessDialog, EnterPressesTheDefaultButtonOnlyWhileItIsEnabled) {
    auto& w = TheWorld();
    w.PressEnter(m_wnd);  // the default button is disabled: Windows only beeps
    EXPECT_TRUE(Clicks().empty());
    m_wnd.Item(IDC_DEFAULT).Enable(true);
    w.PressEnter(m_wnd);
    EXPECT_EQ(Clicks(), (std::vector<unsigned>{IDC_DEFAULT}));

    w.Click(m_wnd, IDC_PUSH);  // a focused push button takes Enter itself
    w.PressEnter(m_wnd);
    EXPECT_EQ(Clicks(), (std::vector<unsigned>{IDC_DEFAULT, IDC_PUSH, IDC_PUSH}));

    ProbeDialog child(IDD_PROBE_CHILD);
    const Window childWnd = w.Open(child);
    childWnd.Show(sw::kShow);
    w.PressEnter(childWnd);
    EXPECT_TRUE(child.IsEnded());
    EXPECT_EQ(child.Result(), cmd::kOk);
    w.Close(child);
}

TEST_F(HeadlessDialog, FirstFocusGoesToTheFirstUsableTabStop) {
    // Template order: a disabled and a hidden tab stop come first.
    EXPECT_EQ(FocusId(), IDC_NUMBER);
    const auto* number = TheWorld().Control(m_wnd, IDC_NUMBER);
    EXPECT_EQ(number->selFirst, 0);
    EXPECT_EQ(number->selLast, 2);  // the dialog manager selects the whole text

    ProbeDialog quiet;  // WM_INITDIALOG returns FALSE: the focus is left alone
    quiet.focusFirstTabStop = false;
    TheWorld().Open(quiet);
    EXPECT_EQ(FocusId(), IDC_NUMBER);
    TheWorld().Close(quiet);
}

TEST_F(HeadlessDialog, DisabledWindowsNeitherTakeNorKeepTheFocus) {
    const Window number = m_wnd.Item(IDC_NUMBER);
    m_wnd.Item(IDC_DISABLED_EDIT).Focus();
    EXPECT_EQ(FocusedWindow(), number);
    number.Enable(false);
    EXPECT_FALSE(FocusedWindow().IsValid());

    // A hidden dialog puts its focus aside and gets it back when shown.
    m_wnd.Item(IDC_PUSH).Focus();
    m_wnd.Show(sw::kHide);
    EXPECT_FALSE(FocusedWindow().IsValid());
    m_wnd.Show(sw::kShow);
    EXPECT_EQ(FocusedWindow(), m_wnd.Item(IDC_PUSH));
}

TEST_F(HeadlessDialog, TypingObeysTheEditStyles) {
    auto& w = TheWorld();
    EXPECT_FALSE(w.Type(m_wnd, IDC_NUMBER, "1a2"));  // ES_NUMBER refuses the letter
    EXPECT_EQ(m_wnd.Item(IDC_NUMBER).Text(), "12");
    EXPECT_FALSE(w.Type(m_wnd, IDC_READONLY, "x"));
    EXPECT_FALSE(w.Type(m_wnd, IDC_DISABLED_EDIT, "x"));
    EXPECT_EQ(m_wnd.Item(IDC_READONLY).Text(), "fest");
    EXPECT_TRUE(w.Type(m_wnd, IDC_NUMBER, "007"));
    EXPECT_EQ(m_wnd.Item(IDC_NUMBER).Text(), "007");
}

TEST_F(HeadlessDialog, ClientAreaIsTheTemplateSizeInPixels) {
    // 200 x 120 dialog units at base units 6 x 13.
    EXPECT_EQ(m_wnd.ClientRect(), (Rect{0, 0, 300, 195}));
    EXPECT_EQ(m_wnd.Item(IDC_PUSH).ClientRect(), (Rect{0, 0, 75, 23}));  // 22.75 rounds up
}

}  // namespace
}  // namespace hv::test
