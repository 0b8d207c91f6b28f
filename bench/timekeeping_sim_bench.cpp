// Stopwatch and countdown against the monotonic clock over a simulated day,
// with sleeps and timers as bench/windows_model.h describes Windows. Each
// ours beside the old way in one run:
// - stopwatch: counting a tenth per Sleep(100), which lasts seven clock
//   ticks (109.4 ms), against engine/StopwatchCounting's CountStopwatch on
//   the simulated clock and sleep;
// - countdown: a second per WM_TIMER of a 1000 ms timer, which drifts and
//   merges, against the program's own tick (engine/Tick SecondTick, which
//   counts off by engine/Countdown), re-armed with nextTickInMs.
// Usage: hv_timekeeping_sim_bench [hours] [seed]   (not part of the tests)
#include <cstdio>
#include <cstdlib>

#include "bench/windows_model.h"
#include "engine/StopwatchCounting.h"
#include "engine/Tick.h"

namespace {

double Seconds(std::int64_t us) { return static_cast<double>(us) / 1e6; }

void Stopwatch(std::int64_t runUs, std::uint64_t seed) {
    bench::Random r{std::mt19937_64(seed)};
    // Each pass counts a tenth, works a few microseconds and sleeps.
    std::int64_t t = 0, counted = 0;
    for (; t < runUs; t = bench::SleepEnds(r, t + r.Uniform(2, 20), 100)) ++counted;
    const std::int64_t oldError = (counted - runUs / 100000) * 100000;

    hv::StopwatchState sw;
    const std::uint64_t run = sw.Start(0);
    std::int64_t now = 0, worstLateUs = 0, oursError = 0;
    hv::CountStopwatch(
        sw, run, [&] { return now / 1000; },
        [&](std::int64_t ms) {
            if (now >= runUs) {  // all due by `now` is counted: compare, and end the run
                const hv::StopwatchReading e = sw.Reading();
                const std::int64_t tenths = ((std::int64_t{e.hours} * 60 + e.minutes) * 60 + e.seconds) * 10 + e.tenths;
                oursError = (tenths - now / 100000) * 100000;
                sw.Stop(now / 1000);
                return;
            }
            const std::int64_t dueUs = sw.NextTenthDueMs(run).value_or(0) * 1000;
            now = bench::SleepEnds(r, now, ms);
            worstLateUs = std::max(worstLateUs, now - dueUs);
        });
    std::printf("stopwatch, reading minus the tenths elapsed: a tenth per Sleep(100) %+.1f s (%.1f %% slow); "
                "ours %+.1f s, each tenth counted at most %.1f ms after it fell due\n",
                Seconds(oldError), -100.0 * static_cast<double>(oldError) / static_cast<double>(runUs),
                Seconds(oursError), static_cast<double>(worstLateUs) / 1000.0);
}

void Countdown(std::int64_t runUs, std::uint64_t seed) {
    // Started at 0, with the window's tick already running.
    bench::WindowLoop old(seed);
    old.SetTimer(1000);
    std::int64_t t = 0, counted = 0;
    for (std::int64_t next; (next = old.NextTimerMessage()) <= runUs; old.MaybeBusy()) {
        t = next;
        ++counted;
    }
    const double oldError = static_cast<double>(counted) - Seconds(t);

    bench::WindowLoop loop(seed);
    bench::MemoryStore store;
    hv::SettingsFile file(store);
    hv::MainModel m;
    hv::CountdownState& c = m.timers.countdown;
    c.active = true;
    c.hours = 1000;
    c.minutes = c.seconds = 0;
    loop.SetTimer(hv::UntilNextTickMs(bench::WallMs(0)));
    double lo = 1e9, hi = -1e9;  // seconds counted minus elapsed, at every tick
    for (std::int64_t next; (next = loop.NextTimerMessage()) <= runUs; loop.MaybeBusy()) {
        t = next;
        loop.SetTimer(hv::SecondTick(m, file, bench::WallMs(t), t / 1000, bench::UtcTime).nextTickInMs);
        const std::int64_t left = (std::int64_t{c.hours} * 60 + c.minutes) * 60 + c.seconds;
        const double error = static_cast<double>(1000 * 3600 - left) - Seconds(t);
        lo = std::min(lo, error);
        hi = std::max(hi, error);
    }
    std::printf("countdown, seconds counted minus elapsed at the last tick: a second per tick %+.1f s "
                "(%.2f %% slow); ours %+.2f s to %+.2f s at every tick\n",
                oldError, -100.0 * oldError / Seconds(runUs), lo, hi);
}

}  // namespace

int main(int argc, char** argv) {
    const double hours = argc > 1 ? std::atof(argv[1]) : 24.0;
    const std::uint64_t seed = argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 1;
    const auto runUs = static_cast<std::int64_t>(hours * 3.6e9);
    std::printf("%.1f h simulated\n", hours);
    Stopwatch(runUs, seed);
    Countdown(runUs, seed);
    return 0;
}
