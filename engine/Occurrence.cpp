#include "engine/Occurrence.h"

#include "model/Calendar.h"

namespace hv {

Occurrences OccurrencesIn(int target, std::int64_t after, std::int64_t upTo) {
    if (upTo <= after) return {};
    // The target's times are target + 86400 n; count those in (after, upTo].
    const std::int64_t count = FloorDiv(upTo - target, 86400) - FloorDiv(after - target, 86400);
    return {count, upTo - FloorMod(upTo - target, 86400)};
}

}  // namespace hv
