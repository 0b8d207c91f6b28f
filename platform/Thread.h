#pragma once
// A worker thread. The body must not throw (it is wrapped anyway); it never
// touches controls: it may post messages to a window.
#include <functional>
#include <memory>

namespace hv {

constexpr int kThreadPriorityTimeCritical = 15;

class WorkerThread {
public:
    WorkerThread() = default;
    ~WorkerThread();  // waits for the thread to end
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;

    bool Start(std::function<void()> body, int priority);
    bool IsRunning() const;   // started and not yet finished
    void Join();              // waits for the end (no-op when not started)

private:
    struct State;
    std::shared_ptr<State> m_state;
};

}  // namespace hv
