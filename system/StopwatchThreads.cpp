#include "system/StopwatchThreads.h"

#include <algorithm>

#include "engine/StopwatchCounting.h"
#include "platform/Services.h"

namespace hv {

bool StopwatchThreads::Launch(StopwatchState& state, std::uint64_t run, const Window& window) {
    JoinFinished();
    auto thread = std::make_unique<WorkerThread>();
    const bool started = thread->Start(
        [&state, run, window] {
            CountStopwatch(state, run, MonotonicMilliseconds,
                           [](std::int64_t ms) { SleepMilliseconds(static_cast<unsigned>(ms)); });
            window.Post(WM_STOPWATCHDONE, 0, 0);
        },
        kThreadPriorityTimeCritical);
    if (!started) return false;
    m_threads.push_back(std::move(thread));
    return true;
}

void StopwatchThreads::JoinFinished() {
    m_threads.erase(std::remove_if(m_threads.begin(), m_threads.end(), [](const auto& t) { return !t->IsRunning(); }),
                    m_threads.end());
}

void StopwatchThreads::JoinAll() { m_threads.clear(); }

}  // namespace hv
