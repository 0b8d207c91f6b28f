// hv_monkey [actions=10000] [seed] [-v]: random user actions on the main
// window in the headless world, any seed; prints what it did and whether
// every invariant held (exit status 1 when one did not). Without a seed it
// takes a fresh one and prints it; -v prints every action.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "tests/support/Monkey.h"

using hv::test::MonkeyResult;

namespace {

void PrintRefusals(const hv::test::MonkeyCounts& c) {
    std::vector<std::pair<std::size_t, int>> byCount;
    for (const auto& [id, n] : c.refusedById) byCount.emplace_back(n, id);
    std::sort(byCount.rbegin(), byCount.rend());
    std::printf("  refused by control id:");
    for (const auto& [n, id] : byCount) std::printf(" %d:%zu", id, n);
    std::printf("\n");
}

void Print(const MonkeyResult& r, double seconds, bool verbose) {
    const auto& c = r.counts;
    if (verbose)
        for (const auto& line : r.steps) std::printf("%s\n", line.c_str());
    std::printf("hv_monkey: seed %llu, %zu actions in %.1f s (%.0f actions/s), %.1f simulated hours\n",
                static_cast<unsigned long long>(r.seed), c.actions, seconds,
                seconds > 0 ? static_cast<double>(c.actions) / seconds : 0.0,
                static_cast<double>(c.simulatedMs) / 3600000.0);
    std::printf("clicks %zu: %zu refused (%zu disabled, %zu with the window hidden, %zu not a button)\n", c.clicks,
                c.refusedDisabled + c.refusedHidden + c.refusedOther, c.refusedDisabled, c.refusedHidden,
                c.refusedOther);
    PrintRefusals(c);
    std::printf("typed %zu (%zu with refused characters or into a closed field), pasted %zu (%zu refused), "
                "Enter %zu, Esc %zu (%zu did not reach the window)\n",
                c.typed, c.typedRefused, c.pasted, c.pastedRefused, c.enters, c.escapes, c.escapesIgnored);
    std::printf("tray: hidden %zu, icon messages %zu; label editor %zu times (%zu renames), about window %zu\n",
                c.trayHides, c.trayShows, c.editorRuns, c.renames, c.aboutRuns);
    std::printf("time steps %zu (over midnight %zu, over the change to winter time %zu), clock set %zu times, "
                "config.dat held by another program %zu times\n",
                c.timeSteps, c.midnights, c.daylightSavingChanges, c.clockSets, c.locks);
    std::printf("message boxes %zu: %zu wrong entries, %zu file errors, %zu hourly notices\n", c.messageBoxes,
                c.badEntryBoxes, c.fileErrorBoxes, c.hourlyBoxes);
    std::printf("signals: %zu alarm sounds, %zu hourly sounds, %zu continuous alarms, %zu countdown ends; "
                "%zu stopwatch workers started, at most %zu alive at once\n",
                c.alarmSounds, c.hourlySounds, c.continuousAlarms, c.countdownEnds, c.stopwatchStarts,
                c.maxWorkersAlive);
    std::printf("restarts %zu: %zu compared with the window before, %zu from a file another program held\n",
                c.restarts, c.restartsCompared, c.restartsFromLockedFile);
    for (const auto& note : r.notes) std::printf("note (first at action %zu): %s\n", note.step, note.text.c_str());
    if (r.violations.empty()) {
        std::printf("invariants: all held after every action\n");
        return;
    }
    if (!verbose) {
        const std::size_t from = r.steps.size() > 30 ? r.steps.size() - 30 : 0;
        std::printf("last actions:\n");
        for (std::size_t i = from; i < r.steps.size(); ++i) std::printf("  %s\n", r.steps[i].c_str());
    }
    for (const auto& v : r.violations) std::printf("VIOLATED at action %zu: %s\n", v.step, v.text.c_str());
}

}  // namespace

int main(int argc, char** argv) {
    std::size_t actions = 10000;
    std::uint64_t seed = std::random_device{}();
    bool verbose = false;
    std::vector<std::string> args(argv + 1, argv + argc);
    std::erase_if(args, [&](const std::string& a) { return a == "-v" ? (verbose = true) : false; });
    if (args.size() > 2 || (!args.empty() && args[0].find_first_not_of("0123456789") != std::string::npos)) {
        std::fprintf(stderr, "usage: hv_monkey [actions=10000] [seed] [-v]\n");
        return 2;
    }
    if (args.size() >= 1) actions = std::strtoull(args[0].c_str(), nullptr, 10);
    if (args.size() >= 2) seed = std::strtoull(args[1].c_str(), nullptr, 10);
    const auto start = std::chrono::steady_clock::now();
    const MonkeyResult result = hv::test::RunMonkey(seed, actions);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    Print(result, seconds, verbose);
    return result.violations.empty() ? 0 : 1;
}
