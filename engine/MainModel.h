#pragma once
// Everything the main window shows and decides from, as plain data: the
// timer state, the five options, the six labels, and the one fact about the
// shared buttons that no state shows (Start's caption says "neu" after Start
// was pressed on the selected slot).
#include <array>
#include <string>

#include "engine/StoredRecord.h"
#include "engine/Texts.h"
#include "model/SettingsRecord.h"
#include "model/TimekeepingState.h"

namespace hv {

struct Options {
    bool sound = true;
    bool continuousAlarm = true;
    bool hourlySignal = false;
    bool startMinimized = false;
    bool autostart = false;
};

struct Button {
    std::string caption;
    bool enabled = false;
    bool operator==(const Button&) const = default;
};

struct MainModel {
    TimekeepingState timers;
    Options options;
    std::array<std::string, kLabelCount> labels;
    // Start's caption says "neu" ("Alarmzeit neu setzen"): the selected slot
    // was armed, counting or running when selected, or Start was pressed on
    // it since, and neither Stopp nor Reset nor the countdown's end undid it.
    bool startAgain = false;
    std::string ringNotice;  // the status line's text while something rings
    std::string clock, date;
    int secondOfDay = -1;  // the local time of the last tick, for the next alarm
    std::string stopwatchText = kInactive;  // the stopwatch's overview as last shown
    StoredRecord stored;  // the settings file's record: read yet, and what the user changed before
    // Waking the computer for the next ring; kept per user beside the
    // settings file, which stays as it is.
    bool wakeForAlarm = true;
};

// Index 0..5 of a slot in screen and label order (alarm 1-4, countdown,
// stopwatch), -1 for none.
int SlotIndexOf(SlotSelector s);
SlotSelector SelectorOfSlot(int index);
constexpr int kCountdownSlot = 4, kStopwatchSlot = 5;

// The record's options, labels and armed alarms, as a start finds them.
void ApplyStartStates(MainModel& m, const SettingsRecord& record);

}  // namespace hv
