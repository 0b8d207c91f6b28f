// Alarm seconds missed and rung twice, over a million WM_TIMERs delivered as
// bench/windows_model.h describes Windows. Two measurements, each ours beside
// the old way in one run:
// 1. Every wall-clock second on a 1000 ms timer: the second the tick lands in,
//    against every second since the last tick (engine/SecondWalk).
// 2. The program's own tick (engine/Tick SecondTick) on a model with the four
//    alarms armed a few seconds ahead, again and again; rings are the
//    PlayLoop steps it returns. The old way: a 1000 ms period and the second
//    the tick lands in (the tick forgets what it examined). Ours: re-armed
//    with nextTickInMs, as the window does.
// Usage: hv_alarm_seconds_bench [ticks] [seed]   (not part of the tests)
#include <array>
#include <cstdio>
#include <cstdlib>
#include <optional>

#include "bench/windows_model.h"
#include "engine/ClockText.h"
#include "engine/SecondWalk.h"
#include "engine/Tick.h"

namespace {

struct Tally {
    long long seconds = 0, missed = 0, doubled = 0, rings = 0, notices = 0;
    void Judge(int rings) {
        ++seconds;
        missed += rings == 0;
        doubled += rings > 1 ? rings - 1 : 0;
    }
    void Print(const char* way) const {
        std::printf("  %-46s missed %7lld (%.2f %%)  doubled %6lld  of %lld\n", way, missed,
                    100.0 * static_cast<double>(missed) / static_cast<double>(seconds), doubled, seconds);
    }
};

void EverySecond(long ticks, std::uint64_t seed) {
    bench::WindowLoop loop(seed);
    loop.SetTimer(1000);
    std::vector<int> landsIn, walk;  // examinations per second since the first tick
    std::optional<std::int64_t> last;
    std::int64_t first = -1;
    for (long n = 0; n < ticks; ++n) {
        const std::int64_t now = bench::WallMs(loop.NextTimerMessage()) / 1000;
        if (first < 0) first = now;
        const auto i = static_cast<std::size_t>(now - first);
        landsIn.resize(i + 1);
        walk.resize(i + 1);
        ++landsIn[i];
        const hv::SecondRange r = hv::SecondsToExamine(last, now);
        for (std::int64_t s = r.first; s <= r.last; ++s) ++walk[static_cast<std::size_t>(s - first)];
        if (!r.Empty()) last = r.last;
        loop.MaybeBusy();
    }
    Tally a, b;
    for (std::size_t i = 0; i < landsIn.size(); ++i) {
        a.Judge(landsIn[i]);
        b.Judge(walk[i]);
    }
    std::printf("every wall-clock second, 1000 ms timer:\n");
    a.Print("the second the tick lands in");
    b.Print("every second since the last tick (SecondWalk)");
}

Tally Rings(long ticks, std::uint64_t seed, bool ours) {
    bench::WindowLoop loop(seed);
    bench::Random pick{std::mt19937_64(seed + 1)};
    bench::MemoryStore store;
    hv::SettingsFile file(store);
    hv::MainModel m;  // sound on, Daueralarm on: each ring plays its loop
    std::array<std::int64_t, hv::kAlarmSlotCount> target{};
    std::array<int, hv::kAlarmSlotCount> rings{};
    loop.SetTimer(ours ? hv::UntilNextTickMs(bench::WallMs(0)) : 1000);
    Tally tally;
    for (long n = 0; n < ticks; ++n) {
        const std::int64_t t = loop.NextTimerMessage(), now = bench::WallMs(t) / 1000;
        if (!ours) m.timers.lastExamined.reset();
        const hv::TickResult r = hv::SecondTick(m, file, bench::WallMs(t), t / 1000, bench::UtcTime);
        if (ours) loop.SetTimer(r.nextTickInMs);
        for (const hv::Step& s : r.effects.steps) tally.rings += s.kind == hv::Step::PlayLoop;
        for (std::size_t k = 0; k < target.size(); ++k) {
            hv::AlarmSlot& a = m.timers.alarms[k];
            // Which alarm rang shows in its notice; "Alarm aus" for the next.
            tally.notices += a.ringing;
            rings[k] += a.ringing;
            a.ringing = false;
            if (a.active && now <= target[k]) continue;
            if (a.active) tally.Judge(rings[k]);
            target[k] = now + pick.Uniform(1, 8);
            rings[k] = 0;
            const hv::LocalTime at = bench::UtcTime(target[k]);
            a = {true, false, hv::TwoDigits(at.hour), hv::TwoDigits(at.minute), hv::TwoDigits(at.second), {}};
        }
        loop.MaybeBusy();
    }
    return tally;
}

}  // namespace

int main(int argc, char** argv) {
    const long ticks = argc > 1 ? std::atol(argv[1]) : 1000000;
    const std::uint64_t seed = argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 1;
    std::printf("%ld WM_TIMERs: due times on the 15.625 ms tick, %lld us wake-up at most, "
                "%.0f %% followed by up to %lld s busy\n",
                ticks, static_cast<long long>(bench::kWakeUpMaxUs), bench::kBusyShare * 100,
                static_cast<long long>(bench::kBusyMaxUs / 1000000));
    EverySecond(ticks, seed);
    const Tally old = Rings(ticks, seed, false), ours = Rings(ticks, seed, true);
    std::printf("armed alarm seconds, the program's SecondTick, rings counted per armed second:\n");
    old.Print("old: 1000 ms period, the second it lands in");
    ours.Print("ours: re-armed with nextTickInMs");
    if (old.rings != old.notices || ours.rings != ours.notices) std::printf("rings and notices disagree\n");
    return 0;
}
