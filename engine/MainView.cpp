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
    v.start = m.start;
    v.stop = m.stop;
    v.extra1 = m.extra1;
    v.extra2 = m.extra2;
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
