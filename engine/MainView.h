#pragma once
// What the main window shows for a model: every caption, enabled state,
// check mark, overview and status text, label colour and the entry fields
// open. The window writes it to its controls, a text only when it changed.
#include <array>
#include <string>

#include "engine/MainModel.h"

namespace hv {

struct MainView {
    std::array<bool, 6> selectorChecked{};  // alarm 1-4, countdown, stopwatch
    // Each selector's own text, never drawn: what a screen reader announces
    // for it, its label without the padding ('&' doubled, not a mnemonic).
    std::array<std::string, 6> selectorName;
    Button start, stop, extra1, extra2;
    bool alarmOffEnabled = false;
    Options checks;
    bool soundEnabled = true, continuousAlarmEnabled = true;
    std::array<std::string, kAlarmSlotCount> alarmOverview;
    std::string countdownOverview, stopwatchOverview;
    std::string status, clock, date;
    std::array<bool, kLabelCount> labelActive{};  // green, else red
    int openEntrySlot = -1;                       // 0..3 an alarm's fields, 4 the countdown's, -1 none
    // Until "Alarm aus": the window stays in front of the active program, and
    // the display and the computer stay on.
    bool holdAttention = false;
    bool operator==(const MainView&) const = default;
};

MainView ViewOf(const MainModel& m);

// Never an unchecked slot selector as the focus (FocusMove): on Windows a
// radio button that gets the focus clicks itself.
// The hours entry field of an alarm (slot 0..3) or of the countdown (4).
int HoursFieldOf(int slot);

// At every paint: the selected alarm's or countdown's hours field; without
// one, the focus stays unless the window has none (then as below).
FocusMove FocusAtPaint(const MainModel& m, bool windowHasFocus);
// After a command or tick disabled the control that had the focus: the
// selected slot's selector, or the status line while none is selected, where
// Enter meets the disabled Start and does nothing.
FocusMove FocusWhenLost(const MainModel& m);

}  // namespace hv
