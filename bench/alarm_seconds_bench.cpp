// Missed and doubled alarm seconds over a million one-second ticks that come
// as Windows delivers them: each expiry on the 15.625 ms clock tick plus a
// random lateness, the next period counted from the late expiry, and ticks
// merged while the loop is busy. Beside each other in one simulation: looking
// at the second a tick lands in, and examining every second since the last
// tick (engine/SecondWalk).
// Usage: hv_alarm_seconds_bench [ticks] [seed]   (not part of the tests)
#include <cstdint>
#include <cstdio>
#include <algorithm>
#include <cstdlib>
#include <optional>
#include <random>
#include <vector>

#include "engine/SecondWalk.h"

namespace {

constexpr std::int64_t kTickUs = 15625;
constexpr std::int64_t kPeriodUs = 1000000;

std::int64_t CeilToTick(std::int64_t us) { return (us + kTickUs - 1) / kTickUs * kTickUs; }

struct Tally {
    std::vector<std::uint8_t> seen;
    void Examine(std::int64_t second, std::int64_t firstSecond) {
        const auto i = static_cast<std::size_t>(second - firstSecond);
        if (i >= seen.size()) seen.resize(i + 1, 0);
        if (seen[i] < 255) ++seen[i];
    }
    void Report(const char* way) const {
        std::int64_t missed = 0, doubled = 0;
        for (std::uint8_t n : seen) {
            if (n == 0) ++missed;
            if (n > 1) doubled += n - 1;
        }
        std::printf("%-34s missed %8lld  doubled %8lld  of %zu seconds\n", way, static_cast<long long>(missed),
                    static_cast<long long>(doubled), seen.size());
    }
};

}  // namespace

int main(int argc, char** argv) {
    const long ticks = argc > 1 ? std::atol(argv[1]) : 1000000;
    std::mt19937_64 random(argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 1);
    std::uniform_int_distribution<std::int64_t> lateness(0, 16000);  // µs beyond the clock tick
    std::uniform_int_distribution<std::int64_t> busyFor(0, 3000000);  // a handler that takes long
    std::bernoulli_distribution busy(0.01);

    const std::int64_t wallAtZero = 1796554800LL * 1000000;  // the wall clock where monotonic time is 0
    std::int64_t expiry = CeilToTick(kPeriodUs) + lateness(random);
    std::int64_t freeAt = 0;  // the loop takes the next message from then on
    const std::int64_t firstSecond = (wallAtZero + expiry) / 1000000;  // that of the first tick
    Tally spec, ours;
    std::optional<std::int64_t> last;
    for (long n = 0; n < ticks; ++n) {
        // The timer's expiries while the loop is busy merge into one message.
        const std::int64_t delivered = std::max(expiry, freeAt);
        while (expiry <= delivered) expiry = CeilToTick(expiry + kPeriodUs) + lateness(random);
        const std::int64_t second = (wallAtZero + delivered) / 1000000;
        spec.Examine(second, firstSecond);
        const hv::SecondRange r = hv::SecondsToExamine(last, second);
        for (std::int64_t s = r.first; s <= r.last; ++s) ours.Examine(s, firstSecond);
        if (!r.Empty()) last = r.last;
        freeAt = delivered + (busy(random) ? busyFor(random) : 0);
    }
    std::printf("%ld ticks, 1000 ms period on a 15.625 ms tick, 0-16 ms late, 1%% of ticks busy 0-3 s\n", ticks);
    spec.Report("the second the tick lands in:");
    ours.Report("every second since the last tick:");
    return 0;
}
