// A week of the main window, headless, with the stopwatch running all the
// way (tests/support/WeekRun.h has the plan; tests/week_test.cpp the short
// variant). Prints what rang when, the countdown's end, the stopwatch's lag,
// what the program holds, and how long the simulation took.
// Usage: hv_week_bench [hours] [seed] [stopwatch hours]   (not part of the tests)
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/support/WeekRun.h"

namespace {

void List(const char* what, const std::vector<std::string>& items) {
    std::printf("%-20s %zu\n", what, items.size());
    for (const auto& item : items) std::printf("    %s\n", item.c_str());
}

void PrintHoldings(const char* when, const hv::test::Holdings& h) {
    std::printf("%-20s fonts %zu, brushes %zu, open DCs %zu, windows %zu\n", when, h.fonts, h.brushes,
                h.deviceContexts, h.windows);
}

}  // namespace

int main(int argc, char** argv) {
    hv::test::WeekPlan plan;
    if (argc > 1) plan.hours = std::strtoll(argv[1], nullptr, 10);
    if (argc > 2) plan.seed = std::strtoull(argv[2], nullptr, 10);
    plan.stopwatchHours = argc > 3 ? std::strtoll(argv[3], nullptr, 10) : plan.hours;
    const hv::test::WeekFigures f = hv::test::RunWeek(plan);

    std::printf("%lld h from Thursday 2027-10-28 00:00:30 CEST, seed %llu, stopwatch %lld h: %.1f s\n",
                static_cast<long long>(plan.hours), static_cast<unsigned long long>(plan.seed),
                static_cast<long long>(plan.stopwatchHours), f.realSeconds);
    std::printf("busy spells          %d, %.1f s in all\n", f.stalls, static_cast<double>(f.stalledMs) / 1000);

    int wrongDays = 0;
    std::printf("date          rang (due) of alarms 01:30:00 07:15:30 12:00:00 23:59:59\n");
    for (const auto& [date, due] : f.due) {
        const auto it = f.rings.find(date);
        const std::array<int, 4> rang = it == f.rings.end() ? std::array<int, 4>{} : it->second;
        std::printf("%s   ", date.c_str());
        for (int k = 0; k < 4; ++k) std::printf("  %d (%d)", rang[k], due[k]);
        wrongDays += rang != due;
        std::printf("\n");
    }
    for (const auto& [date, rang] : f.rings)
        if (!f.due.count(date)) ++wrongDays, std::printf("%s    rang on a day with nothing due\n", date.c_str());
    std::printf("days not as due      %d\n", wrongDays);
    List("stray alarm sounds", f.strays);
    List("other sound calls", f.otherSounds);

    std::printf("countdown of 100 h   ");
    for (long long end : f.countdownEnds) std::printf("ended %+lld ms from 100 h ", end - hv::test::kWeekCountdownMs);
    std::printf("(%zu ends); shows \"%s\"\n", f.countdownEnds.size(), f.countdownShownAtEnd.c_str());

    std::printf("stopwatch            %d readings, shown %lld to %lld tenths behind the time; held %lld, elapsed %lld "
                "tenths; workers left %zu\n",
                f.stopwatchReadings, static_cast<long long>(f.stopwatchLagMin),
                static_cast<long long>(f.stopwatchLagMax), static_cast<long long>(f.stopwatchHeldTenths),
                static_cast<long long>(f.stopwatchElapsedTenths), f.stopwatchWorkersAtEnd);
    PrintHoldings("after the first hour", f.afterFirstHour);
    PrintHoldings("at the end", f.atEnd);
    std::printf("clock at the end     \"%s\" (local \"%s\"), date \"%s\" (%s)\n", f.clockShown.c_str(),
                f.clockNow.c_str(), f.dateShown.c_str(), f.dateNow.c_str());
    List("setup faults", f.setupFaults);
    List("handler failures", f.handlerFailures);
    List("message boxes", f.messageBoxes);
    return 0;
}
