#pragma once
// The threads that count the stopwatch while it runs. A stopped worker may
// still sleep for up to a tenth; it no longer counts, and a new run gets a
// thread of its own at once.
#include <cstdint>
#include <memory>
#include <vector>

#include "model/StopwatchState.h"
#include "platform/Thread.h"
#include "platform/Window.h"

namespace hv {

// Posted to the window as a worker ends. In the WM_APP range: a dialog takes
// WM_USER + 1 as DM_SETDEFID.
constexpr unsigned WM_STOPWATCHDONE = 0x8000 + 103;  // WM_APP + 103

class StopwatchThreads {
public:
    ~StopwatchThreads() { JoinAll(); }
    // Counts run `run` of `state` at time-critical priority until it is over.
    bool Launch(StopwatchState& state, std::uint64_t run, const Window& window);
    void JoinFinished();
    void JoinAll();

private:
    std::vector<std::unique_ptr<WorkerThread>> m_threads;
};

}  // namespace hv
