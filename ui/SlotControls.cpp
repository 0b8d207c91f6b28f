// The six slot selectors, Stopp and the two extra-function buttons: one set
// of buttons acts on whichever slot is selected.
#include "model/SettingsFile.h"
#include "ui/Captions.h"
#include "ui/HauptDlg.h"

namespace hv {

void HauptDlg::SelectSlot(SlotSelector selected) {
    const std::array<std::pair<const Control*, SlotSelector>, 6> selectors = {{
        {&m_alarmCheck[0], SlotSelector::Alarm1},
        {&m_alarmCheck[1], SlotSelector::Alarm2},
        {&m_alarmCheck[2], SlotSelector::Alarm3},
        {&m_alarmCheck[3], SlotSelector::Alarm4},
        {&m_countdownCheck, SlotSelector::Countdown},
        {&m_stopwatchCheck, SlotSelector::Stopwatch},
    }};
    for (const auto& [button, slot] : selectors) button->SetCheck(slot == selected ? 1 : 0);
    m_startButton.Enable(true);
    m_state.selector = selected;

    const int alarm = AlarmIndexOf(selected);
    if (alarm >= 0) {
        m_startButton.SetText(m_state.alarms[static_cast<std::size_t>(alarm)].active ? kResetAlarm : kSetAlarm);
        m_stopButton.SetText(kClearAlarm);
        m_extraButton1.SetText(kNotAvailable);
        m_extraButton2.SetText(kNotAvailable);
    } else if (selected == SlotSelector::Countdown) {
        m_startButton.SetText(m_state.countdown.active ? kResetCountdown : kSetCountdown);
        m_stopButton.SetText(kClearCountdown);
        m_extraButton1.SetText(kPauseCountdown);
        m_extraButton2.SetText(kResumeCountdown);
    } else {
        m_startButton.SetText(m_state.stopwatch.Running() ? kRestartStopwatch : kStartStopwatch);
        m_stopButton.SetText(kHoldStopwatch);
        m_extraButton1.SetText(kContinueStopwatch);
        m_extraButton2.SetText(kResetStopwatch);
    }
    EnableEntryFieldsOfSelectedSlot();
    EnableSlotButtons();
    // The hours field, ready to be typed over; the stopwatch has none.
    const Control* hours = alarm >= 0 ? &m_alarmHourEdit[static_cast<std::size_t>(alarm)]
                           : selected == SlotSelector::Countdown ? &m_countdownHourEdit
                                                                 : nullptr;
    if (hours) {
        hours->Focus();
        hours->SelectText(0, 20);
    }
}

// Stopp and the extra-function buttons as the selected slot's state has them.
void HauptDlg::EnableSlotButtons() {
    const int alarm = AlarmIndexOf(m_state.selector);
    if (alarm >= 0) {
        m_stopButton.Enable(m_state.alarms[static_cast<std::size_t>(alarm)].active);
        m_extraButton1.Enable(false);
        m_extraButton2.Enable(false);
    } else if (m_state.selector == SlotSelector::Countdown) {
        const CountdownState& c = m_state.countdown;
        m_stopButton.Enable(c.HasValue());
        m_extraButton1.Enable(c.HasValue() && c.active);
        m_extraButton2.Enable(c.HasValue() && !c.active);
    } else if (m_state.selector == SlotSelector::Stopwatch) {
        const bool running = m_state.stopwatch.Running();
        const bool held = m_state.stopwatch.HasValue() && !running;
        m_stopButton.Enable(running);
        m_extraButton1.Enable(held);
        m_extraButton2.Enable(held);
    }
}

void HauptDlg::OnStopp() {
    const int alarm = AlarmIndexOf(m_state.selector);
    if (alarm >= 0) {
        StopAlarm(alarm);
    } else if (m_state.selector == SlotSelector::Countdown) {
        StopCountdown();
    } else if (m_state.selector == SlotSelector::Stopwatch && m_state.stopwatch.Running()) {
        HoldStopwatch();
        m_extraButton1.Enable(true);
        m_extraButton2.Enable(true);
        m_stopButton.Enable(false);
        DrawSlotLabels();
    }
}

void HauptDlg::StopAlarm(int k) {
    AlarmSlot& slot = m_state.alarms[static_cast<std::size_t>(k)];
    m_alarmOverview[static_cast<std::size_t>(k)].SetText(kNotSet);
    if (slot.ringing) OnAlarmAus();
    slot.active = false;
    m_stopButton.Enable(false);
    // A failed write has been reported; the handler goes no further.
    if (!g_settingsFile.RewriteField(settings::AlarmActive(k), "f")) return;
    m_startButton.SetText(kSetAlarm);
    DrawSlotLabels();
}

void HauptDlg::StopCountdown() {
    CountdownState& c = m_state.countdown;
    m_countdownOverview.SetText(kNotSet);
    c.active = false;
    c.countedUpToMs.reset();
    m_stopButton.Enable(false);
    m_extraButton1.Enable(false);
    m_extraButton2.Enable(false);
    c.hours = c.minutes = c.seconds = kNoValue;
    if (!g_settingsFile.RewriteField(settings::kCountdownActive, "f")) return;
    m_startButton.SetText(kSetCountdown);
    if (c.ringing) OnAlarmAus();
    DrawSlotLabels();
}

// Pause the countdown, or let the held stopwatch run on. Each acts only in
// the state its button is enabled for.
void HauptDlg::OnZusatzfunktion1() {
    const bool held = m_state.stopwatch.HasValue() && !m_state.stopwatch.Running();
    if (m_state.selector == SlotSelector::Countdown && m_state.countdown.active) {
        m_state.countdown.active = false;
        m_state.countdown.countedUpToMs.reset();
        m_extraButton1.Enable(false);
        m_extraButton2.Enable(true);
        if (!g_settingsFile.RewriteField(settings::kCountdownActive, "f")) return;
    } else if (m_state.selector == SlotSelector::Stopwatch && held) {
        RunStopwatch(false);
        m_extraButton2.Enable(false);
        m_extraButton1.Enable(false);
        m_stopButton.Enable(true);
    }
    DrawSlotLabels();
}

// Resume the countdown, or reset the held stopwatch.
void HauptDlg::OnZusatzfunktion2() {
    const CountdownState& c = m_state.countdown;
    const bool held = m_state.stopwatch.HasValue() && !m_state.stopwatch.Running();
    if (m_state.selector == SlotSelector::Countdown && c.HasValue() && !c.active && !c.ringing) {
        m_state.countdown.active = true;
        m_state.countdown.countedUpToMs.reset();  // the first tick counts one, as after Start
        m_extraButton2.Enable(false);
        m_extraButton1.Enable(true);
        if (!g_settingsFile.RewriteField(settings::kCountdownActive, "t")) return;
    } else if (m_state.selector == SlotSelector::Stopwatch && held) {
        m_state.stopwatch.Reset();
        m_stopwatchOverview.SetText(kInactive);
        m_extraButton2.Enable(false);
        m_extraButton1.Enable(false);
        m_startButton.SetText(kStartStopwatch);
    }
    DrawSlotLabels();
}

}  // namespace hv
