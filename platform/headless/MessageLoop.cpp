// The message loop of the model: sent and posted messages, the default
// dialog processing the program relies on, painting, window timers on the
// fake monotonic clock, and the clock's stepping with worker threads.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <limits>

#include "platform/Dialog.h"
#include "platform/headless/WorldImpl.h"

namespace hv::headless {
namespace {
// A worker that neither sleeps nor ends within this much real time is taken
// to wait for something else; the loop goes on without it.
constexpr auto kSettleWait = std::chrono::seconds(5);
}  // namespace

// --- messages -----------------------------------------------------------------------

LResult World::Impl::Deliver(std::uintptr_t window, unsigned message, WParam w, LParam l) {
    Node* n = Live(window);
    if (!n) return 0;
    if (message == msg::kIconEraseBkgnd) {
        DrawCall call;
        call.kind = DrawCall::IconEraseBkgnd;
        call.window = window;
        call.dc = w;
        Record(call);
    }
    if (n->dialog) {
        LResult result = 0;
        if (n->dialog->Dispatch(message, w, l, result)) return result;
    }
    // Default dialog processing (DefDlgProc) of what the program leaves to it.
    n = Live(window);
    if (!n || n->className != kDialogClass) return 0;
    switch (message) {
        case msg::kSysCommand:
            if ((w & 0xFFF0) == win::kScClose) Deliver(window, msg::kClose, 0, 0);
            return 0;
        case msg::kClose: {
            const Node* cancel = LiveChild(window, cmd::kCancel);
            if (cancel && !cancel->enabled) return 0;
            PostChecked(window, msg::kCommand, MakeWParam(cmd::kCancel, bn::kClicked),
                        static_cast<LParam>(cancel ? cancel->handle : 0));
            return 0;
        }
        case msg::kPaint:
            Validate(window);
            return 0;
        default:
            return 0;
    }
}

bool World::Impl::PostChecked(std::uintptr_t window, unsigned message, WParam w, LParam l) {
    std::lock_guard<std::mutex> g(lock);
    if (!liveWindows.count(window)) return false;
    queue.push_back({window, message, w, l});
    changed.notify_all();
    return true;
}

bool World::Impl::PopPosted(Posted& out) {
    std::lock_guard<std::mutex> g(lock);
    if (queue.empty()) return false;
    out = queue.front();
    queue.pop_front();
    return true;
}

void World::Pump() {
    m_impl->SettleWorkers();
    Posted p;
    while (m_impl->PopPosted(p)) {
        m_impl->Deliver(p.window, p.message, p.w, p.l);
        m_impl->SettleWorkers();
    }
}

// --- painting -------------------------------------------------------------------------

void World::Impl::Paint(std::uintptr_t window) {
    if (painting.count(window)) return;  // no second WM_PAINT from inside the first
    painting.insert(window);
    const unsigned before = validations[window];
    Deliver(window, msg::kPaint, 0, 0);
    painting.erase(window);
    // A handler that does not validate is asked again and again on Windows,
    // a loop that never idles: a fault of the program, recorded as such.
    if (validations[window] == before) {
        World::Get().handlerFailures.push_back("WM_PAINT left the window invalid");
        Validate(window);
    }
}

void World::PaintInvalidWindows() {
    // The loop asks after every message; most of the time nothing needs it.
    if (m_impl->invalid.empty()) return;
    const std::vector<std::uintptr_t> oldestFirst = m_impl->creationOrder;  // a paint may open a window
    for (auto handle : oldestFirst) {
        const Node* n = m_impl->Live(handle);
        if (n && n->className == kDialogClass && m_impl->invalid.count(handle) && m_impl->IsVisible(*n))
            m_impl->Paint(handle);
    }
    // Controls paint themselves.
    for (auto it = m_impl->invalid.begin(); it != m_impl->invalid.end();) {
        const Node* n = m_impl->Live(*it);
        if (n && n->className != kDialogClass && m_impl->IsVisible(*n)) it = m_impl->invalid.erase(it);
        else ++it;
    }
}

// --- timers and time ---------------------------------------------------------------------

std::int64_t World::Impl::Expiry(std::int64_t dueUs, unsigned timerId) {
    std::int64_t late = 0;
    auto& lateness = World::Get().timerLatenessUs;
    if (lateness) late = std::max<std::int64_t>(lateness(timerId), 0);
    return CeilToTick(dueUs) + late;
}

// Windows posts no WM_TIMER while other messages wait; a timer that expired
// several times meanwhile arrives once, and its later expiries keep their phase.
bool World::Impl::FireOneDueTimer() {
    const std::int64_t now = MonotonicUs();
    auto best = timers.end();
    for (auto it = timers.begin(); it != timers.end(); ++it) {
        if (it->second.dueUs > now) continue;
        if (best == timers.end() || it->second.dueUs < best->second.dueUs ||
            (it->second.dueUs == best->second.dueUs && it->second.serial < best->second.serial))
            best = it;
    }
    if (best == timers.end()) return false;
    const auto [window, id] = best->first;
    Timer& t = best->second;
    while (t.dueUs <= now) t.dueUs = Expiry(t.dueUs + t.periodUs, id);
    Deliver(window, msg::kTimer, id, 0);
    return true;
}

void World::Impl::MoveClockTo(std::int64_t t) {
    std::lock_guard<std::mutex> g(lock);
    if (t <= monoUs) return;
    monoUs = t;
    int woken = 0;
    while (!sleepers.empty() && *sleepers.begin() <= t) {
        sleepers.erase(sleepers.begin());
        ++woken;
    }
    if (woken) {
        awakeWorkers += woken;
        changed.notify_all();
    }
}

void World::Impl::SettleWorkers() {
    std::unique_lock<std::mutex> l(lock);
    if (awakeWorkers == 0) return;
    if (!changed.wait_for(l, kSettleWait, [&] { return awakeWorkers == 0; }))
        std::fprintf(stderr, "headless: a worker thread neither sleeps nor ends\n");
}

void World::Impl::PassTime(std::int64_t us) {
    const std::int64_t target = MonotonicUs() + std::max<std::int64_t>(us, 0);
    for (;;) {
        SettleWorkers();
        std::int64_t next = target;
        {
            std::lock_guard<std::mutex> g(lock);
            if (!sleepers.empty()) next = std::min(next, *sleepers.begin());
        }
        MoveClockTo(next);
        if (next >= target) break;
    }
    SettleWorkers();
}

void World::Advance(std::int64_t ms) {
    Impl& s = *m_impl;
    const std::int64_t target = s.MonotonicUs() + std::max<std::int64_t>(ms, 0) * 1000;
    for (;;) {
        Pump();
        PaintInvalidWindows();
        {
            std::lock_guard<std::mutex> g(s.lock);
            if (!s.queue.empty()) continue;
        }
        if (s.FireOneDueTimer()) continue;
        // Nothing to do now: on to the next timer or worker wake-up.
        std::int64_t next = std::numeric_limits<std::int64_t>::max();
        for (const auto& [key, timer] : s.timers) next = std::min(next, timer.dueUs);
        {
            std::lock_guard<std::mutex> g(s.lock);
            if (!s.sleepers.empty()) next = std::min(next, *s.sleepers.begin());
        }
        const std::int64_t now = s.MonotonicUs();
        if (next > target) {
            if (now >= target) break;
            next = target;
        }
        s.MoveClockTo(std::max(next, now));
    }
}

void World::Stall(std::int64_t ms) {
    m_impl->PassTime(ms * 1000);
    Advance(0);
}

}  // namespace hv::headless
