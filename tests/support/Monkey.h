#pragma once
// A monkey for the main window: random actions a user could take, drawn
// from a seed, on the real window in the headless world, with the program's
// invariants checked after every action. The same seed gives the same run.
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace hv::test {

struct MonkeyCounts {
    std::size_t actions = 0;
    std::size_t clicks = 0;
    std::size_t refusedDisabled = 0;  // the control was disabled
    std::size_t refusedHidden = 0;    // the window was in the notification area
    std::size_t refusedOther = 0;     // not a button (group box, static)
    std::map<int, std::size_t> refusedById;
    std::size_t typed = 0, typedRefused = 0, pasted = 0, pastedRefused = 0;
    std::size_t enters = 0, escapes = 0, escapesIgnored = 0;
    std::size_t trayHides = 0, trayShows = 0;
    std::size_t editorRuns = 0, renames = 0, aboutRuns = 0;
    std::size_t timeSteps = 0;
    std::int64_t simulatedMs = 0;
    std::size_t midnights = 0, daylightSavingChanges = 0;  // crossed by a time step
    std::size_t clockSets = 0, locks = 0;
    std::size_t messageBoxes = 0, badEntryBoxes = 0, fileErrorBoxes = 0, hourlyBoxes = 0;
    std::size_t alarmSounds = 0, hourlySounds = 0, continuousAlarms = 0, countdownEnds = 0;
    std::size_t stopwatchStarts = 0;
    std::size_t restarts = 0, restartsCompared = 0, restartsFromLockedFile = 0;
    std::size_t maxWorkersAlive = 0;
};

struct MonkeyFinding {
    std::size_t step = 0;  // 1-based; 0 for the check after the last action
    std::string text;
};

struct MonkeyResult {
    std::uint64_t seed = 0;
    MonkeyCounts counts;
    // Invariants that did not hold; the run stops at the first.
    std::vector<MonkeyFinding> violations;
    // States the program reached that its button tables do not list, and
    // other oddities worth a look; each kind once, at its first step.
    std::vector<MonkeyFinding> notes;
    std::vector<std::string> steps;  // what each action was, one line each
};

// Resets the headless world, runs `actions` random actions from `seed`, then
// restarts the program once more from its file and compares; the world is
// reset again at the end.
MonkeyResult RunMonkey(std::uint64_t seed, std::size_t actions);

}  // namespace hv::test
