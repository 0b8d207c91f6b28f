// The random walk of the tests (tests/support/Walk.h) on any seed and
// number of steps: what it did, and every invariant that did not hold.
// Usage: hv_walk_bench [steps] [seed] [berlin|azores] [autumn|spring] [-v]
// (not part of the tests); it starts a few hours before the change of time.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>

#include "tests/support/Walk.h"

int main(int argc, char** argv) {
    const long steps = argc > 1 ? std::atol(argv[1]) : 10000;
    const std::uint64_t seed = argc > 2 ? std::strtoull(argv[2], nullptr, 10) : std::random_device{}();
    const bool azores = argc > 3 && std::strcmp(argv[3], "azores") == 0;
    const bool spring = argc > 4 && std::strcmp(argv[4], "spring") == 0;
    const bool verbose = argc > 5 && std::strcmp(argv[5], "-v") == 0;
    std::printf("hv_walk_bench %ld %llu %s %s\n", steps, static_cast<unsigned long long>(seed),
                azores ? "azores" : "berlin", spring ? "spring" : "autumn");

    const auto began = std::chrono::steady_clock::now();
    hvtest::Walk walk(seed, azores ? hvtest::AzoresTime : hvtest::BerlinTime,
                      hvtest::EpochOf(2027, spring ? 3 : 10, spring ? 27 : 30, 20, 0, 0));
    std::size_t reported = 0;
    while (walk.counts.steps < steps) {
        walk.Step();
        if (verbose) std::printf("%6ld %s\n", walk.counts.steps, walk.last.c_str());
        for (; reported < walk.problems.size(); ++reported)
            std::printf("  PROBLEM %s\n", walk.problems[reported].c_str());
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();

    const hvtest::WalkCounts& c = walk.counts;
    std::printf("steps          %ld in %.2f s (%.0f a second), %.1f simulated hours\n", c.steps, seconds,
                static_cast<double>(c.steps) / seconds, c.hours);
    std::printf("commands       %ld sent, %ld declined on a disabled control\n", c.commands, c.declined);
    std::printf("time           %ld one-second ticks, the clock set %ld times\n", c.ticks, c.clockSets);
    std::printf("signals        %ld alarm sounds, %ld windows brought back, %ld countdown ends, %ld hourly signals\n",
                c.alarmSounds, c.broughtBack, c.countdownEnds, c.hourly);
    std::printf("alarm times    %ld rung, %ld said missed\n", c.rung, c.said);
    std::printf("file           %ld holds waited out, %ld write errors, %ld starts\n", c.holdsWaited, c.fileErrors,
                c.restarts);
    std::printf("%s\n", walk.problems.empty() ? "every invariant held" : "INVARIANTS BROKEN");
    return walk.problems.empty() ? 0 : 1;
}
