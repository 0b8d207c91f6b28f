#pragma once
// When a daily time of day comes, on a local clock that skips an hour in
// spring and repeats one in autumn. Local times are counted as seconds of the
// local calendar (days since 1970-01-01 times 86400 plus the second of the
// day): an hour that summer time skips is a jump in that count, the repeated
// hour a step back, wherever midnight falls.
#include <cstdint>

#include "model/LocalTime.h"

namespace hv {

std::int64_t LocalSeconds(const LocalTime& t);

struct Occurrences {
    std::int64_t count = 0;
    std::int64_t latest = 0;  // in local seconds; meaningful when count > 0
};

// The times the time of day `target` (0..86399) comes after the local time
// `after` and up to `upTo`: a span the clock skipped counts like one it
// showed, and nothing comes twice below what was already looked at.
Occurrences OccurrencesIn(int target, std::int64_t after, std::int64_t upTo);

}  // namespace hv
