#include "engine/MainView.h"

#include "engine/ClockText.h"
#include "engine/Signalling.h"
#include "res/resource.h"

namespace hv {
namespace {

constexpr int kSelectorIds[6] = {IDC_ALARM1_CHECK, IDC_ALARM2_CHECK,    IDC_ALARM3_CHECK,
                                 IDC_ALARM4_CHECK, IDC_COUNTDOWN_CHECK, IDC_STOPWATCH_CHECK};
constexpr int kHoursIds[5] = {IDC_ALARM1_HOUR, IDC_ALARM2_HOUR, IDC_ALARM3_HOUR, IDC_ALARM4_HOUR, IDC_COUNTDOWN_HOUR};

std::string SelectorName(const std::string& label) {
    std::string name;
    for (char c : label.substr(0, label.find_last_not_of(' ') + 1)) name += c == '&' ? "&&" : std::string(1, c);
    return name;
}

// The shared buttons: captions by the selected slot, enabled as its state
// allows them.
void ShowSlotButtons(const MainModel& m, MainView& v) {
    const TimekeepingState& t = m.timers;
    const int slot = SlotIndexOf(t.selector);
    const bool again = m.startAgain;
    v.start = {kStartCaption, false};
    v.stop = {kStopCaption, false};
    v.extra1 = v.extra2 = {kNotAvailable, false};
    if (slot < 0) return;
    if (slot < kAlarmSlotCount) {
        v.start = {again ? kResetAlarm : kSetAlarm, true};
        v.stop = {kClearAlarm, t.alarms[static_cast<std::size_t>(slot)].active};
    } else if (slot == kCountdownSlot) {
        const CountdownState& c = t.countdown;
        v.start = {again ? kResetCountdown : kSetCountdown, true};
        v.stop = {kClearCountdown, c.HasValue() || c.ringing};  // Stopp also ends its ring
        v.extra1 = {kPauseCountdown, c.HasValue() && c.active};
        v.extra2 = {kResumeCountdown, c.HasValue() && !c.active};
    } else {
        const bool running = t.stopwatch.Running(), held = t.stopwatch.HasValue() && !running;
        v.start = {again ? kRestartStopwatch : kStartStopwatch, true};
        v.stop = {kHoldStopwatch, running};
        v.extra1 = {kContinueStopwatch, held};
        v.extra2 = {kResetStopwatch, held};
    }
}

std::string CountdownOverview(const CountdownState& c) {
    if (c.ringing) return "00:00:00";  // until "Alarm aus"
    if (!c.HasValue()) return kNotSet;
    return CountdownText(c.hours, c.minutes, c.seconds);
}

}  // namespace

MainView ViewOf(const MainModel& m) {
    const TimekeepingState& t = m.timers;
    MainView v;
    const int selected = SlotIndexOf(t.selector);
    if (selected >= 0) v.selectorChecked[static_cast<std::size_t>(selected)] = true;
    for (std::size_t i = 0; i < v.selectorName.size(); ++i) v.selectorName[i] = SelectorName(m.labels[i]);
    ShowSlotButtons(m, v);
    // Whatever rings waits for "Alarm aus", and no option may change meanwhile.
    const bool ringing = t.AnythingRinging();
    v.alarmOffEnabled = ringing || t.hourlySignalPending || t.missedCount > 0;
    v.holdAttention = ringing;
    v.checks = m.options;
    v.soundEnabled = !ringing;
    v.continuousAlarmEnabled = !ringing && m.options.sound;
    for (std::size_t k = 0; k < kAlarmSlotCount; ++k) {
        const AlarmSlot& a = t.alarms[k];
        v.alarmOverview[k] = a.active ? AlarmTimeText(a) : kNotSet;
        v.labelActive[k] = a.active;
    }
    v.countdownOverview = CountdownOverview(t.countdown);
    v.stopwatchOverview = t.stopwatch.HasValue() ? m.stopwatchText : kInactive;
    v.status = StatusOf(m);
    v.clock = m.clock;
    v.date = m.date;
    v.labelActive[kCountdownSlot] = t.countdown.active;
    v.labelActive[kStopwatchSlot] = t.stopwatch.Running();
    v.openEntrySlot = selected == kStopwatchSlot ? -1 : selected;
    return v;
}

int HoursFieldOf(int slot) { return kHoursIds[slot]; }

FocusMove FocusAtPaint(const MainModel& m, bool windowHasFocus) {
    const int selected = SlotIndexOf(m.timers.selector);
    if (selected >= 0 && selected < kStopwatchSlot) return {HoursFieldOf(selected), false};
    return windowHasFocus ? FocusMove{} : FocusWhenLost(m);
}

FocusMove FocusWhenLost(const MainModel& m) {
    const int selected = SlotIndexOf(m.timers.selector);
    return {selected >= 0 ? kSelectorIds[selected] : IDC_STATUS, false};
}

}  // namespace hv
