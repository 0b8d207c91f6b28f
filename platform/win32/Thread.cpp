#include "platform/Thread.h"

#include <process.h>

#include <atomic>
#include <memory>
#include <utility>

#include "platform/Diagnostics.h"
#include "platform/win32/Win32.h"

namespace hv {
namespace {

// What the running thread shares with its WorkerThread; each holds a
// reference, so neither can pull the body or the flag away from the other.
struct Shared {
    std::function<void()> body;
    std::atomic<bool> running{false};
};

unsigned __stdcall ThreadEntry(void* parameter) {
    const std::unique_ptr<std::shared_ptr<Shared>> held(static_cast<std::shared_ptr<Shared>*>(parameter));
    const std::shared_ptr<Shared> shared = *held;
    try {
        shared->body();
    } catch (...) {
        // Nobody could catch it on this thread; the thread ends, not unseen.
        ReportFailure(Window(), 0, "a worker thread ended with an exception");
    }
    shared->running = false;
    return 0;
}

}  // namespace

struct WorkerThread::State {
    std::shared_ptr<Shared> shared = std::make_shared<Shared>();
    HANDLE handle = nullptr;
    unsigned threadId = 0;

    State() = default;
    State(const State&) = delete;
    State& operator=(const State&) = delete;
    ~State() {
        if (handle) CloseHandle(handle);
    }
};

WorkerThread::~WorkerThread() { Join(); }

bool WorkerThread::Start(std::function<void()> body, int priority) {
    if (IsRunning()) return false;
    Join();
    auto state = std::make_shared<State>();
    state->shared->body = std::move(body);
    state->shared->running = true;

    // The thread's own reference, handed over to ThreadEntry once it exists.
    auto held = std::make_unique<std::shared_ptr<Shared>>(state->shared);
    // Created suspended so that the body runs at its priority from its first
    // instruction on.
    unsigned id = 0;
    const auto h = _beginthreadex(nullptr, 0, ThreadEntry, held.get(), CREATE_SUSPENDED, &id);
    if (h == 0) return false;
    held.release();
    state->handle = reinterpret_cast<HANDLE>(h);
    state->threadId = id;
    SetThreadPriority(state->handle, priority);
    ResumeThread(state->handle);
    m_state = std::move(state);
    return true;
}

bool WorkerThread::IsRunning() const { return m_state && m_state->shared->running; }

void WorkerThread::Join() {
    if (!m_state || !m_state->handle) return;
    // The thread cannot wait for itself.
    if (GetCurrentThreadId() == m_state->threadId) return;
    WaitForSingleObject(m_state->handle, INFINITE);
}

}  // namespace hv
