#include "engine/SecondWalk.h"

namespace hv {

SecondRange SecondsToExamine(std::optional<std::int64_t> lastExamined, std::int64_t now) {
    if (!lastExamined || now < *lastExamined || now - *lastExamined > kMaxCatchUpSeconds) return {now, now};
    return {*lastExamined + 1, now};
}

}  // namespace hv
