// Worker threads on fake time: a real std::thread whose sleeps last until the
// fake monotonic clock has moved on by the requested time. The loop moves the
// clock step by step and lets every woken worker run until it sleeps again or
// ends, so what a worker counts depends on fake time alone.
#include "platform/Thread.h"

#include <atomic>
#include <thread>

#include "platform/Diagnostics.h"
#include "platform/Services.h"
#include "platform/headless/WorldImpl.h"

namespace hv {
namespace {
thread_local bool t_isWorker = false;
}

struct WorkerThread::State {
    std::thread thread;
    std::atomic<bool> finished{false};
};

WorkerThread::~WorkerThread() { Join(); }

bool WorkerThread::Start(std::function<void()> body, int priority) {
    if (IsRunning()) return false;
    Join();
    auto& world = headless::World::Get();
    auto& s = world.Internals();
    world.workerPriorities.push_back(priority);
    auto state = std::make_shared<State>();
    {
        std::lock_guard<std::mutex> g(s.lock);
        ++s.awakeWorkers;
        ++s.liveWorkers;
    }
    state->thread = std::thread([state, body = std::move(body), &s]() {
        t_isWorker = true;
        try {
            body();
        } catch (const headless::WorkerAbandoned&) {
            // The world was reset under the worker.
        } catch (...) {
            ReportFailure(Window(), 0, "a worker thread ended with an exception");
        }
        std::lock_guard<std::mutex> g(s.lock);
        state->finished = true;
        --s.awakeWorkers;
        --s.liveWorkers;
        s.changed.notify_all();
    });
    m_state = std::move(state);
    return true;
}

bool WorkerThread::IsRunning() const { return m_state && !m_state->finished; }

// The joining thread blocks, so fake time passes for the workers until this
// one has ended.
void WorkerThread::Join() {
    if (!m_state) return;
    if (m_state->thread.joinable() && m_state->thread.get_id() != std::this_thread::get_id()) {
        auto& s = headless::State();
        for (;;) {
            s.SettleWorkers();
            if (m_state->finished) break;
            std::int64_t wake = 0;
            {
                std::lock_guard<std::mutex> g(s.lock);
                if (s.sleepers.empty()) break;  // it waits for something else: just wait
                wake = *s.sleepers.begin();
            }
            s.MoveClockTo(wake);
        }
        m_state->thread.join();
    }
    m_state.reset();
}

void SleepMilliseconds(unsigned ms) {
    auto& s = headless::State();
    if (!t_isWorker) {  // the dialog thread: time passes, nothing is delivered
        s.PassTime(ms);
        return;
    }
    std::unique_lock<std::mutex> l(s.lock);
    if (s.abandon) throw headless::WorkerAbandoned{};
    if (ms == 0) return;
    // Sleep ends on the first clock tick after the time has passed, as
    // Windows' does: Sleep(100) lasts 100 to 115.6 ms at the default tick.
    const std::int64_t wake = s.CeilToTick(s.monoUs + std::int64_t{ms} * 1000);
    s.sleepers.insert(wake);
    --s.awakeWorkers;
    s.changed.notify_all();
    // MoveClockTo counts the worker awake again when it wakes it; Reset does
    // the same when it abandons it.
    s.changed.wait(l, [&] { return s.monoUs >= wake || s.abandon; });
    if (s.abandon) throw headless::WorkerAbandoned{};
}

}  // namespace hv
