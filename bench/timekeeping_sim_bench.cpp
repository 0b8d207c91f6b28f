// Stopwatch and countdown against the monotonic clock over a simulated day,
// with sleeps and timers as Windows delivers them: a sleep ends on the first
// 15.625 ms clock tick after its time plus a little scheduling delay, a
// periodic timer expires on a tick plus some lateness and counts its next
// period from then, and ticks merge while the loop is busy. Beside each other
// in one simulation: counting a tenth per Sleep(100) and a second per tick,
// and our way (tenths by deadline, seconds by the monotonic clock with the
// tick set anew after each wall-clock second).
// Usage: hv_timekeeping_sim [hours] [seed]   (not part of the tests)
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <random>

#include "engine/Countdown.h"
#include "model/StopwatchState.h"

namespace {

constexpr std::int64_t kTickUs = 15625;

std::int64_t CeilToTick(std::int64_t us) { return (us + kTickUs - 1) / kTickUs * kTickUs; }

struct Random {
    std::mt19937_64 engine;
    std::int64_t Uniform(std::int64_t lo, std::int64_t hi) {
        return std::uniform_int_distribution<std::int64_t>(lo, hi)(engine);
    }
    bool Chance(double p) { return std::bernoulli_distribution(p)(engine); }
};

// Sleep(ms) from `nowUs`: the tick after the time, then the thread runs.
std::int64_t SleepEnds(Random& r, std::int64_t nowUs, std::int64_t ms) {
    return CeilToTick(nowUs + ms * 1000) + r.Uniform(0, 500);
}

void Stopwatch(Random& r, std::int64_t runUs) {
    // Counting a tenth per pass of "count, Sleep(100)"; the pass's own work
    // takes a few microseconds.
    std::int64_t t = 0, counted = 0;
    while (t < runUs) {
        ++counted;
        t = SleepEnds(r, t + r.Uniform(2, 20), 100);
    }
    const double sleepWay = static_cast<double>(counted * 100000 - runUs) / 1000.0;

    // Ours: tenth k when the clock reaches k * 100 ms. How late each tenth
    // is counted after it fell due, and the reading against the clock at the end.
    hv::StopwatchState state;
    const std::uint64_t run = state.Start(0);
    std::int64_t now = 0, worstLateUs = 0;
    while (now < runUs) {
        const std::int64_t due = *state.NextTenthDueMs(run);
        const std::int64_t nowMs = now / 1000;
        now = due > nowMs ? SleepEnds(r, now, due - nowMs) : now + r.Uniform(2, 20);
        state.Count(run, now / 1000);
        if (now - due * 1000 > worstLateUs) worstLateUs = now - due * 1000;
    }
    const hv::StopwatchReading reading = state.Reading();
    const std::int64_t tenths =
        ((std::int64_t{reading.hours} * 60 + reading.minutes) * 60 + reading.seconds) * 10 + reading.tenths;
    std::printf("stopwatch after %.1f h: Sleep(100) per tenth %+.1f s; ours %+.3f s at the end, "
                "each tenth counted at most %.1f ms after it fell due\n",
                static_cast<double>(runUs) / 3.6e9, sleepWay / 1000.0,
                static_cast<double>(tenths * 100000 - now) / 1e6, static_cast<double>(worstLateUs) / 1000.0);
}

void Countdown(Random& r, std::int64_t runUs) {
    // A second per tick of a 1000 ms periodic timer; 1 % of ticks find the
    // loop busy for up to 3 s, and the expiries meanwhile merge into one.
    std::int64_t expiry = CeilToTick(1000000) + r.Uniform(0, 16000), counted = 0, freeAt = 0;
    while (true) {
        const std::int64_t delivered = expiry > freeAt ? expiry : freeAt;
        if (delivered > runUs) break;
        while (expiry <= delivered) expiry = CeilToTick(expiry + 1000000) + r.Uniform(0, 16000);
        ++counted;
        freeAt = delivered + (r.Chance(0.01) ? r.Uniform(0, 3000000) : 0);
    }
    const double tickWay = static_cast<double>(counted * 1000000 - runUs) / 1e6;

    // Ours: the tick set anew for 5 ms after the next wall-clock second (the
    // wall clock here runs 50 ppm fast against the monotonic one), each tick
    // counting off the seconds that have passed.
    std::optional<std::int64_t> upTo;
    std::int64_t t = 0, ours = 0;
    freeAt = 0;
    std::int64_t firstTick = -1;
    while (true) {
        const double wallUs = static_cast<double>(t) * (1.0 + 50e-6);
        const std::int64_t wallMs = static_cast<std::int64_t>(wallUs / 1000.0);
        const std::int64_t untilNextMs = 1000 - wallMs % 1000 + 5;
        std::int64_t next = CeilToTick(t + untilNextMs * 1000) + r.Uniform(0, 16000);
        if (next < freeAt) next = freeAt;
        if (next > runUs) break;
        t = next;
        if (firstTick < 0) firstTick = t;
        ours += hv::SecondsToCountOff(upTo, t / 1000);
        freeAt = t + (r.Chance(0.01) ? r.Uniform(0, 3000000) : 0);
    }
    // A countdown of N seconds ends on the tick that counts the N-th: the
    // first tick counts one, so compare with the seconds since it, plus one.
    const double oursError = static_cast<double>(ours) - (static_cast<double>(t - firstTick) / 1e6 + 1.0);
    std::printf("countdown after %.1f h: a second per tick %+.1f s; ours %+.2f s\n",
                static_cast<double>(runUs) / 3.6e9, tickWay, oursError);
}

}  // namespace

int main(int argc, char** argv) {
    const double hours = argc > 1 ? std::atof(argv[1]) : 24.0;
    Random r{std::mt19937_64(argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 1)};
    const auto runUs = static_cast<std::int64_t>(hours * 3.6e9);
    Stopwatch(r, runUs);
    Countdown(r, runUs);
    return 0;
}
