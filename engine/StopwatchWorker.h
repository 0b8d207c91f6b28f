#pragma once
// The thread that counts the stopwatch while it runs, and the threads the
// window keeps of it. A worker counts tenth k when the monotonic clock
// reaches k * 100 ms after the start, catching up what a long sleep missed,
// so the reading never falls behind the elapsed time by more than a tenth.
#include <cstdint>
#include <memory>
#include <vector>

#include "model/StopwatchState.h"
#include "platform/Thread.h"
#include "platform/Window.h"

namespace hv {

// Posted to the window as a worker ends.
constexpr unsigned WM_STOPWATCHDONE = 0x0400 + 1;  // WM_USER + 1

// Counts run `run` of `state` until it is over, then posts WM_STOPWATCHDONE.
void StopwatchWorker(StopwatchState& state, std::uint64_t run, const Window& window);

// Every worker thread started and not yet joined. A stopped worker may still
// sleep for up to a tenth; it no longer counts, and a new run gets a thread
// of its own at once.
class StopwatchWorkers {
public:
    ~StopwatchWorkers() { JoinAll(); }
    bool Launch(StopwatchState& state, std::uint64_t run, const Window& window);
    void JoinFinished();
    void JoinAll();
    std::size_t Alive() const;

private:
    std::vector<std::unique_ptr<WorkerThread>> m_threads;
};

}  // namespace hv
