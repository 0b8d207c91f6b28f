#pragma once
// A week of the main window in fake time, as a user leaves it running: four
// daily alarms with Daueralarm off, a countdown of 100 hours and the
// stopwatch, all set through the controls; every timer expiry a little late
// at random, a few busy spells, and the end of daylight-saving time inside
// the week (Thursday 2027-10-28 00:00:30 to Thursday 2027-11-04 in Berlin).
// The figures say what happened; the test and bench/week.cpp judge them.
#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace hv::test {

struct WeekPlan {
    std::uint64_t seed = 1;
    std::int64_t hours = 169;           // seven whole days in Berlin, and half a minute
    std::int64_t stopwatchHours = 169;  // then Stopp holds it
    int randomStalls = 12;              // busy spells of up to 30 s, beside four placed ones
};

// The alarm times typed, and what they become.
constexpr std::array<std::array<const char*, 3>, 4> kWeekAlarmEntries = {
    {{"1", "30", ""}, {"7", "15", "30"}, {"12", "0", "0"}, {"23", "59", "59"}}};
constexpr std::array<int, 4> kWeekAlarmSeconds = {1 * 3600 + 30 * 60, 7 * 3600 + 15 * 60 + 30, 12 * 3600,
                                                  23 * 3600 + 59 * 60 + 59};
constexpr std::int64_t kWeekCountdownMs = 100LL * 3600 * 1000;

// What the program holds that a long run could leak.
struct Holdings {
    std::size_t fonts = 0, brushes = 0, deviceContexts = 0, windows = 0;
    bool operator==(const Holdings&) const = default;
};

struct WeekFigures {
    // Rings of each alarm by the local date it was due on: as they came, and
    // as the local clock says they fall due within the run.
    std::map<std::string, std::array<int, 4>> rings, due;
    // Monotonic ms from the countdown's Start to each alarm sound near its end.
    std::vector<std::int64_t> countdownEnds;
    std::string countdownShownAtEnd;
    // Alarm sounds of no alarm and not the countdown's; every other sound call.
    std::vector<std::string> strays, otherSounds;

    // Tenths elapsed since Start less the tenths shown, over the readings
    // taken while it ran; then the reading Stopp held, against the time.
    std::int64_t stopwatchLagMin = 0, stopwatchLagMax = 0;
    int stopwatchReadings = 0;
    std::int64_t stopwatchHeldTenths = -1, stopwatchElapsedTenths = -1;

    Holdings afterFirstHour, atEnd;
    std::size_t stopwatchWorkersAtEnd = 0;  // threads not yet ended
    int stalls = 0;
    std::int64_t stalledMs = 0;
    // The clock at the end, and the local time of this second and the one before.
    std::string clockShown, clockNow, clockBefore, dateShown, dateNow;

    std::vector<std::string> setupFaults, handlerFailures, messageBoxes;
    double realSeconds = 0;
};

WeekFigures RunWeek(const WeekPlan& plan);

}  // namespace hv::test
