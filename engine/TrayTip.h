#pragma once
// What the notification-area icon shows: which functions are on, as the tip's
// four lines and as the choice of icon.
#include <string>

#include "model/TimekeepingState.h"

namespace hv {

struct ActiveFunctions {
    bool anyAlarm = false;
    bool countdown = false;
    bool stopwatch = false;
    bool hourlySignal = false;

    bool Any() const { return anyAlarm || countdown || stopwatch || hourlySignal; }
};

// What is on in the timer state.
ActiveFunctions ActiveOf(const TimekeepingState& t);

// "Alarm an/aus\nCountdown an/aus\nStoppuhr an/aus\nStundensignal an/aus":
// 50 to 54 characters, so the tip's 63 never cut it.
std::string TrayTipText(const ActiveFunctions& on);

}  // namespace hv
