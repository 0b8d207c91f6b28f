#pragma once
// What the monkey reads from the window and the world between two actions,
// and the invariants it holds them to.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace hv {
class HauptDlg;
}

namespace hv::test {

// What a restart from the file must show again: the four alarm overviews,
// the six labels and the marks of the five option boxes.
constexpr std::size_t kRestoredItems = 4 + 6 + 5;
constexpr std::size_t kFirstOptionItem = 10, kSoundItem = 10, kContinuousAlarmItem = 11;
using Restored = std::array<std::string, kRestoredItems>;
std::string RestoredItemName(std::size_t i);

struct Observation {
    Restored restored;
    std::int64_t monoMs = 0, wallMs = 0;
    bool visible = false;
    bool soundOn = false;
    bool stopwatchRunning = false, stopwatchHasValue = false;
    std::int64_t stopwatchTenths = 0;
    std::size_t workersAlive = 0;
    bool countdownCounting = false, countdownRinging = false;
    std::int64_t countdownLeft = 0;  // seconds, while counting
    std::array<bool, 4> alarmActive{}, alarmRinging{};
    std::array<std::string, 4> alarmTarget;  // "hhmmss" as the slot compares it
    // Records so far, to find this action's.
    std::size_t sounds = 0, workersStarted = 0;
};
Observation Observe(HauptDlg& dlg);

// Invariants of one moment: slot selectors, the shared buttons as the
// selected slot's state has them, the option boxes, the settings file and
// the handlers. `notes` gets states the button tables do not list.
void CheckWindow(HauptDlg& dlg, std::vector<std::string>& violations, std::vector<std::string>& notes);

// Invariants of one action that only let time pass (`timeStep`) or that did
// anything else (`pressedStart`: it may have started the stopwatch from
// zero): the stopwatch and the countdown keep to the monotonic clock, at
// most one stopwatch worker counts, and armed alarms ring when their second
// comes and not otherwise.
void CheckAction(const Observation& before, const Observation& after, bool timeStep, bool pressedStart,
                 std::vector<std::string>& violations);

}  // namespace hv::test
