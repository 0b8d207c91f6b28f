#include "engine/MainModel.h"

namespace hv {

int SlotIndexOf(SlotSelector s) {
    switch (s) {
        case SlotSelector::Alarm1: return 0;
        case SlotSelector::Alarm2: return 1;
        case SlotSelector::Alarm3: return 2;
        case SlotSelector::Alarm4: return 3;
        case SlotSelector::Countdown: return kCountdownSlot;
        case SlotSelector::Stopwatch: return kStopwatchSlot;
        case SlotSelector::None: break;
    }
    return -1;
}

SlotSelector SelectorOfSlot(int index) {
    constexpr SlotSelector kBySlot[] = {SlotSelector::Alarm1, SlotSelector::Alarm2,    SlotSelector::Alarm3,
                                        SlotSelector::Alarm4, SlotSelector::Countdown, SlotSelector::Stopwatch};
    return index >= 0 && index < 6 ? kBySlot[index] : SlotSelector::None;
}

void ApplyStartStates(MainModel& m, const SettingsRecord& record) {
    for (int i = 0; i < kLabelCount; ++i) m.labels[static_cast<std::size_t>(i)] = record.Label(i);
    for (int k = 0; k < kAlarmSlotCount; ++k) {
        if (!record.AlarmArmed(k)) continue;
        AlarmSlot& slot = m.timers.alarms[static_cast<std::size_t>(k)];
        const auto time = record.AlarmTime(k);
        slot.hourText = time[0];
        slot.minuteText = time[1];
        slot.secondText = time[2];
        slot.active = true;
    }
    m.options.autostart = record.Autostart();
    m.options.startMinimized = record.StartMinimized();
    m.timers.minimiseOnFirstPaint = record.StartMinimized();
    m.options.hourlySignal = record.HourlySignal();
    // Without sound, only the continuous alarm's notice can announce an
    // alarm, so it is forced on and cannot be switched off.
    m.options.sound = record.SoundOn();
    m.options.continuousAlarm = !record.SoundOn() || record.ContinuousAlarm();
}

}  // namespace hv
