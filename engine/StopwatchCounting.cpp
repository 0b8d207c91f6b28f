#include "engine/StopwatchCounting.h"

#include <algorithm>

namespace hv {

void CountStopwatch(StopwatchState& state, std::uint64_t run, const std::function<std::int64_t()>& nowMs,
                    const std::function<void(std::int64_t ms)>& sleepMs) {
    while (const auto due = state.NextTenthDueMs(run)) {
        const std::int64_t now = nowMs();
        if (*due > now) sleepMs(std::min<std::int64_t>(*due - now, kTenthMs));
        if (!state.Count(run, nowMs())) break;
    }
}

}  // namespace hv
