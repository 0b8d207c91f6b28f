// The message loop of the headless backend, as Windows runs it: window timers
// fall due on the clock tick, come late and drift, merge while the loop is
// busy; message boxes and modal dialogs run nested loops in which timers
// tick; worker threads sleep in fake time; failing handlers are recorded.
#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>

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

TEST_F(HeadlessLoop, TimersFallDueOnTheClockTickInTimeOrder) {
    const std::int64_t wallBefore = TheWorld().WallClockMs();
    m_wnd.SetTimer(1, 1000);
    m_wnd.SetTimer(2, 300);  // 19.2 ticks of 15.625 ms: 20 ticks
    TheWorld().Advance(1200);
    EXPECT_EQ(Ticks(), (TickList{{2, 312}, {2, 625}, {2, 937}, {1, 1000}}));
    EXPECT_EQ(TheWorld().MonotonicMs() - m_start, 1200);
    EXPECT_EQ(TheWorld().WallClockMs() - wallBefore, 1200);

    // Raised to the 10 ms minimum, then to the tick: 64 a second, not 100.
    m_wnd.SetTimer(2, 0);
    m_dlg.events.clear();
    TheWorld().Advance(1000);
    EXPECT_EQ(Ticks().size(), 64u);
}

TEST_F(HeadlessLoop, LateExpiriesDriftByATickEachPeriod) {
    TheWorld().timerLatenessUs = [](unsigned) { return 5000; };
    m_wnd.SetTimer(1, 1000);
    TheWorld().Advance(10000);
    // Each period starts at the late expiry and ends on the next tick after
    // a full second: 1015.625 ms, so ten seconds see nine ticks.
    const TickList ticks = Ticks();
    ASSERT_EQ(ticks.size(), 9u);
    EXPECT_EQ(ticks[0].second, 1005);
    EXPECT_EQ(ticks[1].second, 2020);
    EXPECT_EQ(ticks[8].second, 9130);
}

TEST_F(HeadlessLoop, ABusyLoopGetsEachOverdueTimerOnceAndKeepsItsPhase) {
    m_wnd.SetTimer(1, 1000);
    TheWorld().Advance(400);
    TheWorld().Stall(3000);  // the handler runs for three seconds
    EXPECT_EQ(Ticks(), (TickList{{1, 3400}}));
    TheWorld().Advance(700);
    EXPECT_EQ(Ticks(), (TickList{{1, 3400}, {1, 4000}}));

    // Posted messages come before a timer that is due.
    for (unsigned i = 1; i <= 3; ++i) m_wnd.Post(msg::kUser, i, 0);
    TheWorld().Stall(1000);
    std::vector<unsigned> order;
    for (const auto& e : m_dlg.events) order.push_back(e.message == msg::kTimer ? 0 : e.id);
    EXPECT_EQ(order, (std::vector<unsigned>{0, 0, 1, 2, 3, 0}));
}

TEST_F(HeadlessLoop, TheWallClockRunsAtItsOwnRateAndCanBeSet) {
    auto& w = TheWorld();
    const std::int64_t wall = w.WallClockMs();
    w.SetWallClockRatePpm(1000);  // a clock a thousandth fast
    w.Advance(10000);
    EXPECT_EQ(w.WallClockMs() - wall, 10010);
    EXPECT_EQ(w.MonotonicMs() - m_start, 10000);

    m_wnd.SetTimer(1, 1000);
    w.SetWallClockMs(w.WallClockMs() - 3600000);  // the user sets the clock back an hour
    w.Advance(1000);
    EXPECT_EQ(Ticks().size(), 1u);  // timers run on the monotonic clock
    EXPECT_EQ(w.WallClockMs() - wall, 10010 - 3600000 + 1001);
}

TEST_F(HeadlessLoop, TimersTickWhileAMessageBoxStands) {
    m_wnd.SetTimer(1, 1000);
    bool ownerEnabledInBox = true;
    bool clickedInBox = true;
    m_dlg.onTimer = [&](unsigned) {
        if (Ticks().size() == 1) ShowMessageBox(m_wnd, "Stundensignal!", "Horovant", mb::kIconExclamation);
    };
    TheWorld().onMessageBox = [&](const headless::MessageBoxCall&) {
        ownerEnabledInBox = m_wnd.IsEnabled();
        clickedInBox = TheWorld().Click(m_wnd, IDC_PUSH);
        return mb::kIdOk;
    };
    TheWorld().messageBoxOpenMs = 2500;  // the user lets the box stand
    TheWorld().Advance(1000);
    EXPECT_FALSE(ownerEnabledInBox);
    EXPECT_FALSE(clickedInBox);
    EXPECT_TRUE(m_wnd.IsEnabled());
    EXPECT_EQ(Ticks(), (TickList{{1, 1000}, {1, 2000}, {1, 3000}}));
    ASSERT_EQ(TheWorld().messageBoxes.size(), 1u);
    EXPECT_EQ(TheWorld().messageBoxes[0].owner, m_wnd.Handle().value);
    EXPECT_EQ(TheWorld().messageBoxes[0].answer, mb::kIdOk);
    EXPECT_EQ(TheWorld().MonotonicMs() - m_start, 3500);
}

TEST_F(HeadlessLoop, AHiddenModalDialogShowsWhenItsLoopGoesIdle) {
    m_wnd.SetTimer(1, 1000);
    m_wnd.Item(IDC_PUSH).Focus();
    int result = 0;
    bool ownerEnabledInside = true, shownInside = false;
    m_dlg.onCommand = [&](int id) {
        if (id != IDC_PUSH) return;
        ProbeDialog child(IDD_PROBE_CHILD);  // its template is not visible
        result = child.DoModal(m_wnd);
    };
    TheWorld().onModalDialog = [&](Dialog& child) {
        ownerEnabledInside = m_wnd.IsEnabled();
        shownInside = child.Wnd().IsVisible() && !TheWorld().IsInvalid(child.Wnd());
        TheWorld().Advance(2000);  // the owner's timer goes on
        EXPECT_TRUE(TheWorld().Click(child.Wnd(), cmd::kOk));
    };
    TheWorld().Click(m_wnd, IDC_PUSH);
    EXPECT_TRUE(shownInside);
    EXPECT_FALSE(ownerEnabledInside);
    EXPECT_EQ(result, cmd::kOk);
    EXPECT_EQ(Ticks().size(), 2u);
    EXPECT_TRUE(m_wnd.IsEnabled());
    EXPECT_EQ(FocusedWindow(), m_wnd.Item(IDC_PUSH));
    EXPECT_EQ(TheWorld().Dialogs(), (std::vector<Window>{m_wnd}));
    EXPECT_TRUE(TheWorld().IsInvalid(m_wnd));  // uncovered

    TheWorld().onModalDialog = nullptr;  // left open: the user closes it
    TheWorld().Click(m_wnd, IDC_PUSH);
    EXPECT_EQ(result, cmd::kCancel);
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

TEST_F(HeadlessLoop, AFailingHandlerIsRecordedAndItsPaintStillValidated) {
    m_dlg.onCommand = [](int) { throw std::runtime_error("click failed"); };
    EXPECT_TRUE(TheWorld().Click(m_wnd, IDC_PUSH));
    EXPECT_TRUE(TheWorld().Click(m_wnd, IDC_PUSH));  // the window goes on
    m_dlg.throwOnPaint = true;
    m_wnd.Invalidate(true);
    TheWorld().Advance(100);
    EXPECT_FALSE(TheWorld().IsInvalid(m_wnd));
    EXPECT_EQ(m_dlg.Of(msg::kPaint).size(), 1u);
    ASSERT_EQ(TheWorld().handlerFailures.size(), 3u);
    EXPECT_NE(TheWorld().handlerFailures[0].find("click failed"), std::string::npos);
    EXPECT_NE(TheWorld().handlerFailures[2].find("paint failed"), std::string::npos);
}

TEST_F(HeadlessLoop, AWorkerSleepsWholeTicks) {
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
    EXPECT_EQ(steps, 10);  // Sleep(100) lasts seven ticks: at 0, 109.375, ..., 984.375
    TheWorld().Stall(500);  // a busy loop does not stop the worker
    EXPECT_EQ(steps, 14);
    running = false;
    TheWorld().Advance(200);
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
