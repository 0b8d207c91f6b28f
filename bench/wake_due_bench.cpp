// What the wake timer's time costs the one-second tick: the program's tick
// (engine/Tick SecondTick) alone beside the tick followed by NextRingDue, as
// the window runs them, side by side in one run. Four alarms armed, the local
// clock Berlin's rules as Windows gives them, over the day before the autumn
// change and its day (where an alarm's next time may lie beyond the change
// of the offset, found by halving) and over two ordinary days.
// Usage: hv_wake_due_bench [rounds]   (not part of the tests)
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "engine/NextRing.h"
#include "model/ZoneRules.h"

namespace {

hv::LocalTime Berlin(std::int64_t s) {
    hv::ZoneRules r;
    r.bias = -60, r.daylightBias = -60;
    r.standardDate = {0, 10, 0, 5, 3, 0, 0, 0};  // last Sunday of October, 03:00
    r.daylightDate = {0, 3, 0, 5, 2, 0, 0, 0};   // last Sunday of March, 02:00
    return hv::LocalFromUtc(s, r);
}

// Nanoseconds per tick over two days from `startUtc`, with the wake time or without.
double PerTick(std::int64_t startUtc, bool wake, long long& sink) {
    struct Store : hv::ByteStore {
        std::string bytes = std::string(133, 'f');
        hv::FileError Read(std::size_t, std::string& b) override { return b = bytes, hv::FileError::None; }
        hv::FileError Create(const std::vector<std::string_view>&) override { return hv::FileError::None; }
        hv::FileError WriteAt(std::size_t, std::string_view) override { return hv::FileError::None; }
        void Pause(unsigned) override {}
    } store;
    hv::SettingsFile file(store);
    hv::MainModel m;
    const char* hours[] = {"02", "06", "07", "23"};
    for (int k = 0; k < 4; ++k) {
        hv::AlarmSlot& a = m.timers.alarms[static_cast<std::size_t>(k)];
        a.active = true, a.hourText = hours[k], a.minuteText = "30", a.secondText = "00";
    }
    constexpr long kTicks = 2 * 86400;
    const auto begin = std::chrono::steady_clock::now();
    for (long n = 0; n < kTicks; ++n) {
        const std::int64_t wallMs = (startUtc + n) * 1000 + 5;
        const hv::TickResult r = hv::SecondTick(m, file, wallMs, wallMs, Berlin);
        sink += r.nextTickInMs;
        if (wake) sink += hv::NextRingDue(m, wallMs, wallMs, Berlin).value_or(0);
    }
    const std::chrono::duration<double, std::nano> took = std::chrono::steady_clock::now() - begin;
    return took.count() / kTicks;
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 3;
    long long sink = 0;
    const struct {
        const char* name;
        std::int64_t startUtc;
    } spans[] = {{"the day before the autumn change and its day", 1824854400 /* 2027-10-30 UTC */},
                 {"two ordinary days", 1826064000 /* 2027-11-13 UTC */}};
    for (const auto& span : spans) {
        std::printf("%s:\n", span.name);
        for (int round = 0; round < rounds; ++round) {
            const double alone = PerTick(span.startUtc, false, sink), with = PerTick(span.startUtc, true, sink);
            std::printf("  round %d: tick %.0f ns, tick and wake time %.0f ns, ratio %.2f\n", round + 1, alone, with,
                        with / alone);
        }
    }
    return sink == 42 ? 1 : 0;
}
