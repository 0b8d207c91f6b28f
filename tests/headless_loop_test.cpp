// The message loop of the headless backend: window timers on the fake clock,
// their merging while the loop is busy, nested loops of message boxes and
// modal dialogs, painting, and worker threads that sleep in fake time.
#include <gtest/gtest.h>

#include <atomic>

#include "platform/MessageBox.h"
#include "platform/Thread.h"
#include "tests/headless_probe_dialog.h"

namespace hv::test {
namespace {

class HeadlessLoop : public ::testing::Test {
protected:
    void SetUp() override {
        ResetToProbeWorld();
        m_wnd = TheWorld().Open(m_dlg);
        ASSERT_TRUE(m_wnd.IsValid());
        TheWorld().PaintInvalidWindows();
        m_dlg.events.clear();
        m_start = TheWorld().MonotonicMs();
    }
    void TearDown() override {
        if (m_dlg.Wnd().IsValid()) TheWorld().Close(m_dlg);
        TheWorld().Reset();
    }
    // Timer events as (id, ms since the start).
    std::vector<std::pair<unsigned, std::int64_t>> Ticks() const {
        std::vector<std::pair<unsigned, std::int64_t>> out;
        for (const auto& e : m_dlg.events)
            if (e.message == msg::kTimer) out.emplace_back(e.id, e.atMs - m_start);
        return out;
    }

    ProbeDialog m_dlg;
    Window m_wnd;
    std::int64_t m_start = 0;
};

using TickList = std::vector<std::pair<unsigned, std::int64_t>>;

TEST_F(HeadlessLoop, TimersArriveOncePerPeriodInTimeOrder) {
    const std::int64_t wallBefore = TheWorld().WallClockMs();
    m_wnd.SetTimer(1, 1000);
    m_wnd.SetTimer(2, 300);
    TheWorld().Advance(1200);
    EXPECT_EQ(Ticks(), (TickList{{2, 300}, {2, 600}, {2, 900}, {1, 1000}, {2, 1200}}));
    EXPECT_EQ(TheWorld().MonotonicMs() - m_start, 1200);
    EXPECT_EQ(TheWorld().WallClockMs() - wallBefore, 1200);

    m_wnd.SetTimer(2, 0);  // raised to the 10 ms minimum; setting again restarts the period
    TheWorld().Advance(25);
    EXPECT_EQ(Ticks().size(), 7u);
    EXPECT_EQ(Ticks().back(), (std::pair<unsigned, std::int64_t>{2, 1220}));
}

TEST_F(HeadlessLoop, ABusyLoopGetsEachOverdueTimerOnceAndKeepsItsPhase) {
    m_wnd.SetTimer(1, 1000);
    TheWorld().Advance(400);
    TheWorld().Stall(3000);  // the handler runs for three seconds
    EXPECT_EQ(Ticks(), (TickList{{1, 3400}}));
    TheWorld().Advance(700);
    EXPECT_EQ(Ticks(), (TickList{{1, 3400}, {1, 4000}}));
}

TEST_F(HeadlessLoop, PostedMessagesComeBeforeTimers) {
    m_wnd.SetTimer(1, 100);
    for (unsigned i = 1; i <= 3; ++i) m_wnd.Post(msg::kUser, i, 0);
    TheWorld().Stall(100);
    std::vector<unsigned> order;
    for (const auto& e : m_dlg.events) order.push_back(e.message == msg::kTimer ? 0 : e.id);
    EXPECT_EQ(order, (std::vector<unsigned>{1, 2, 3, 0}));
}

TEST_F(HeadlessLoop, TimersTickInsideAMessageBox) {
    m_wnd.SetTimer(1, 1000);
    bool ownerEnabledInBox = true;
    m_dlg.onTimer = [&](unsigned) {
        if (Ticks().size() == 1) ShowMessageBox(m_wnd, "Stundensignal!", "Horovant", mb::kIconExclamation);
    };
    TheWorld().onMessageBox = [&](const headless::MessageBoxCall& box) {
        ownerEnabledInBox = m_wnd.IsEnabled();
        EXPECT_FALSE(TheWorld().Click(m_wnd, IDC_PUSH));
        TheWorld().Advance(2500);  // the user lets the box stand
        return mb::kIdOk;
    };
    TheWorld().Advance(1000);
    EXPECT_FALSE(ownerEnabledInBox);
    EXPECT_TRUE(m_wnd.IsEnabled());
    EXPECT_EQ(Ticks(), (TickList{{1, 1000}, {1, 2000}, {1, 3000}}));
    ASSERT_EQ(TheWorld().messageBoxes.size(), 1u);
    EXPECT_EQ(TheWorld().messageBoxes[0].owner, m_wnd.Handle().value);
    EXPECT_EQ(TheWorld().messageBoxes[0].answer, mb::kIdOk);
    EXPECT_EQ(TheWorld().MonotonicMs() - m_start, 3500);
}

TEST_F(HeadlessLoop, AModalDialogDisablesItsOwnerAndIsCancelledWhenLeftOpen) {
    m_wnd.SetTimer(1, 1000);
    m_wnd.Item(IDC_PUSH).Focus();
    int result = 0;
    bool ownerEnabledInside = true;
    m_dlg.onCommand = [&](int id) {
        if (id != IDC_PUSH) return;
        ProbeDialog child(IDD_PROBE_CHILD);
        result = child.DoModal(m_wnd);
    };
    TheWorld().onModalDialog = [&](Dialog& child) {
        ownerEnabledInside = m_wnd.IsEnabled();
        TheWorld().Advance(2000);  // the owner's timer goes on
    };
    TheWorld().Click(m_wnd, IDC_PUSH);
    EXPECT_FALSE(ownerEnabledInside);
    EXPECT_EQ(result, cmd::kCancel);
    EXPECT_EQ(Ticks().size(), 2u);
    EXPECT_TRUE(m_wnd.IsEnabled());
    EXPECT_EQ(FocusedWindow(), m_wnd.Item(IDC_PUSH));
    EXPECT_EQ(TheWorld().Dialogs(), (std::vector<Window>{m_wnd}));
    EXPECT_TRUE(TheWorld().IsInvalid(m_wnd));  // uncovered

    TheWorld().onModalDialog = [&](Dialog& child) { TheWorld().PressEnter(child.Wnd()); };
    TheWorld().Click(m_wnd, IDC_PUSH);
    EXPECT_EQ(result, cmd::kOk);
}

TEST_F(HeadlessLoop, InvalidWindowsArePaintedWhenTheQueueIsEmpty) {
    m_wnd.Invalidate(true);
    m_wnd.Post(msg::kUser, 7, 0);
    TheWorld().Pump();  // messages only
    EXPECT_EQ(m_dlg.Of(msg::kPaint).size(), 0u);
    TheWorld().Advance(0);
    EXPECT_EQ(m_dlg.Of(msg::kPaint).size(), 1u);
    EXPECT_FALSE(TheWorld().IsInvalid(m_wnd));

    m_wnd.Show(sw::kHide);
    m_wnd.Invalidate(true);
    TheWorld().Advance(100);
    EXPECT_EQ(m_dlg.Of(msg::kPaint).size(), 1u);  // hidden windows get no paint
    m_wnd.Show(sw::kShow);
    m_wnd.Update();
    EXPECT_EQ(m_dlg.Of(msg::kPaint).size(), 2u);
}

TEST_F(HeadlessLoop, AWorkerCountsInFakeTime) {
    std::atomic<bool> running{true};
    std::atomic<int> steps{0};
    WorkerThread worker;
    const Window target = m_wnd;
    ASSERT_TRUE(worker.Start(
        [&, target] {
            while (running) {
                ++steps;
                SleepMilliseconds(100);
            }
            target.Post(msg::kUser, 99, 0);
        },
        kThreadPriorityTimeCritical));
    TheWorld().Advance(1000);
    EXPECT_EQ(steps, 11);  // at 0, 100, ..., 1000
    TheWorld().Stall(500);  // a busy loop does not stop the worker
    EXPECT_EQ(steps, 16);
    running = false;
    TheWorld().Advance(100);
    EXPECT_FALSE(worker.IsRunning());
    EXPECT_EQ(m_dlg.Of(msg::kUser), (std::vector<unsigned>{99}));
    EXPECT_EQ(TheWorld().workerPriorities, (std::vector<int>{kThreadPriorityTimeCritical}));
}

TEST_F(HeadlessLoop, JoinAndResetEndWorkersThatSleep) {
    std::atomic<bool> running{true};
    WorkerThread stopping;
    stopping.Start(
        [&] {
            while (running) SleepMilliseconds(100);
        },
        0);
    running = false;
    stopping.Join();  // fake time passes for the sleeper while the caller waits
    EXPECT_FALSE(stopping.IsRunning());

    WorkerThread endless;
    endless.Start(
        [] {
            for (;;) SleepMilliseconds(100);
        },
        0);
    TheWorld().Advance(300);
    TheWorld().Reset();
    EXPECT_FALSE(endless.IsRunning());
}

}  // namespace
}  // namespace hv::test
