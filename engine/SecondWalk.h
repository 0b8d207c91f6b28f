#pragma once
// Which wall-clock seconds one tick of the one-second timer examines for
// alarms and the full hour. Timer messages come late, merge while the loop is
// busy, and the clock can be set: looking only at the second a tick happens
// to land in misses some seconds and doubles others.
#include <cstdint>
#include <optional>

namespace hv {

// A larger jump forward is the clock being set or the machine waking from
// sleep: what lies between is not caught up.
constexpr std::int64_t kMaxCatchUpSeconds = 60;

struct SecondRange {
    std::int64_t first = 0, last = -1;  // inclusive; empty when first > last
    bool Empty() const { return first > last; }
};

// Every second after `lastExamined` up to `now`, so that over all ticks each
// second is examined exactly once. The first tick, a jump forward of more
// than kMaxCatchUpSeconds and a jump back examine `now` alone; a tick in a
// second already examined examines nothing.
SecondRange SecondsToExamine(std::optional<std::int64_t> lastExamined, std::int64_t now);

}  // namespace hv
