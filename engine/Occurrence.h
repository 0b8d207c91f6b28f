#pragma once
// When a daily time of day comes, on a local clock that skips an hour in
// spring and repeats one in autumn, counted in seconds of the local calendar
// (LocalSeconds).
#include <cstdint>

#include "model/Calendar.h"

namespace hv {

struct Occurrences {
    std::int64_t count = 0;
    std::int64_t latest = 0;  // in local seconds; meaningful when count > 0
};

// The times the time of day `target` (0..86399) comes after the local time
// `after` and up to `upTo`: a span the clock skipped counts like one it
// showed, and nothing comes twice below what was already looked at.
Occurrences OccurrencesIn(int target, std::int64_t after, std::int64_t upTo);

}  // namespace hv
