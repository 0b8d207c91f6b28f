// Start: commits what was typed for the selected slot, or starts the
// stopwatch from zero.
#include "engine/ClockText.h"
#include "engine/Entry.h"
#include "model/SettingsFile.h"
#include "platform/App.h"
#include "platform/MessageBox.h"
#include "ui/Captions.h"
#include "ui/HauptDlg.h"

namespace hv {

void HauptDlg::OnStart() {
    const int alarm = AlarmIndexOf(m_state.selector);
    if (alarm >= 0) StartAlarm(alarm);
    else if (m_state.selector == SlotSelector::Countdown) StartCountdown();
    else if (m_state.selector == SlotSelector::Stopwatch) StartStopwatch();
}

void HauptDlg::RejectEntry(const Control& hoursField) {
    ShowMessageBox(Wnd(), kBadEntry, AppName(), mb::kOk | mb::kIconStop);
    hoursField.Focus();
    hoursField.SelectText(0, 20);
}

// A refused entry leaves the slot and the settings file as they were: the
// alarm the user still sees armed stays armed at the next start too.
void HauptDlg::StartAlarm(int k) {
    const auto i = static_cast<std::size_t>(k);
    const auto target = AlarmEntry({m_alarmHourEdit[i].Text(), m_alarmMinEdit[i].Text(), m_alarmSecEdit[i].Text()});
    if (target) {
        const std::string stored = "t" + target->hourText + target->minuteText + target->secondText;
        // A failed write has been reported; the entry is not committed.
        if (!g_settingsFile.RewriteField(settings::AlarmActive(k), stored)) return;
    }
    m_startButton.SetText(kResetAlarm);
    if (target) {
        AlarmSlot& slot = m_state.alarms[i];
        slot.hourText = target->hourText;
        slot.minuteText = target->minuteText;
        slot.secondText = target->secondText;
        slot.active = true;
        m_alarmOverview[i].SetText(slot.hourText + ":" + slot.minuteText + ":" + slot.secondText);
    }
    // Stopp belongs to the selected slot, as selecting it would set it.
    m_stopButton.Enable(m_state.alarms[i].active);
    if (!target) RejectEntry(m_alarmHourEdit[i]);
    DrawSlotLabels();
}

void HauptDlg::StartCountdown() {
    const auto entry = CountdownEntry({m_countdownHourEdit.Text(), m_countdownMinEdit.Text(), m_countdownSecEdit.Text()});
    CountdownState& c = m_state.countdown;
    if (!entry) {
        // A paused countdown still has time left that Stopp must be able to clear.
        m_stopButton.Enable(c.active || c.HasValue());
        RejectEntry(m_countdownHourEdit);
        DrawSlotLabels();
        return;
    }
    // The ended countdown still rings: its ring is acknowledged first, or the
    // next "Alarm aus" would reset the new one. Only its own: an alarm that
    // rings meanwhile is not silenced by starting a countdown.
    if (c.ringing) AcknowledgeCountdownRing();
    c.hours = entry->hours;
    c.minutes = entry->minutes;
    c.seconds = entry->seconds;
    c.countedUpToMs.reset();
    c.active = true;
    m_countdownOverview.SetText(CountdownText(c.hours, c.minutes, c.seconds));
    // Counting: pause on, resume off, also when it was paused before.
    m_extraButton1.Enable(true);
    m_extraButton2.Enable(false);
    m_startButton.SetText(kResetCountdown);
    m_stopButton.Enable(true);
    if (!g_settingsFile.RewriteField(settings::kCountdownActive, "t" + entry->storedTime)) return;
    DrawSlotLabels();
}

void HauptDlg::StartStopwatch() {
    RunStopwatch(true);
    m_stopwatchOverview.SetText("00:00:00,00");
    m_extraButton1.Enable(false);
    m_extraButton2.Enable(false);
    m_stopButton.Enable(true);
    m_startButton.SetText(kRestartStopwatch);
    DrawSlotLabels();
}

}  // namespace hv
