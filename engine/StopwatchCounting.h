#pragma once
// The stopwatch's worker loop, given a clock and a sleep: tenth k is counted
// when the monotonic clock reaches k * 100 ms after the start, catching up
// what a long sleep missed, so the reading never falls behind the elapsed
// time by more than a tenth.
#include <cstdint>
#include <functional>

#include "model/StopwatchState.h"

namespace hv {

// Counts run `run` of `state` until it is over.
void CountStopwatch(StopwatchState& state, std::uint64_t run, const std::function<std::int64_t()>& nowMs,
                    const std::function<void(std::int64_t ms)>& sleepMs);

}  // namespace hv
