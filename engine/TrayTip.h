#pragma once
// What the notification-area icon shows: which functions are on, as the
// choice of icon, and the tip's lines.
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

struct MainModel;

// What is on: the timers, and the hourly signal.
ActiveFunctions ActiveOf(const MainModel& m);

// The icon and tip of the hidden window, following the state: what runs and,
// where it runs, its time (the next armed alarm, the countdown's remaining
// time, the stopwatch's reading in whole seconds), and a missed alarm.
struct TrayView {
    bool activeIcon = false;
    std::string tip;  // at most kTrayTipLength characters
    bool operator==(const TrayView&) const = default;
};
constexpr std::size_t kTrayTipLength = 127;  // the tip of the notification structure's second form
TrayView TrayViewOf(const MainModel& m);

}  // namespace hv
