#include "engine/StopwatchWorker.h"

#include <algorithm>

#include "platform/Services.h"

namespace hv {

void StopwatchWorker(StopwatchState& state, std::uint64_t run, const Window& window) {
    while (const auto due = state.NextTenthDueMs(run)) {
        const std::int64_t now = MonotonicMilliseconds();
        if (*due > now) SleepMilliseconds(static_cast<unsigned>(std::min<std::int64_t>(*due - now, kTenthMs)));
        if (!state.Count(run, MonotonicMilliseconds())) break;
    }
    window.Post(WM_STOPWATCHDONE, 0, 0);
}

bool StopwatchWorkers::Launch(StopwatchState& state, std::uint64_t run, const Window& window) {
    JoinFinished();
    auto thread = std::make_unique<WorkerThread>();
    if (!thread->Start([&state, run, window] { StopwatchWorker(state, run, window); }, kThreadPriorityTimeCritical))
        return false;
    m_threads.push_back(std::move(thread));
    return true;
}

void StopwatchWorkers::JoinFinished() {
    m_threads.erase(std::remove_if(m_threads.begin(), m_threads.end(), [](const auto& t) { return !t->IsRunning(); }),
                    m_threads.end());
}

void StopwatchWorkers::JoinAll() { m_threads.clear(); }

std::size_t StopwatchWorkers::Alive() const {
    return static_cast<std::size_t>(
        std::count_if(m_threads.begin(), m_threads.end(), [](const auto& t) { return t->IsRunning(); }));
}

}  // namespace hv
