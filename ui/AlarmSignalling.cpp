// What happens when an alarm time, the countdown's end or the full hour has
// come, and "Alarm aus", which acknowledges it all.
#include "model/SettingsFile.h"
#include "platform/App.h"
#include "platform/MessageBox.h"
#include "ui/Captions.h"
#include "ui/HauptDlg.h"
#include "ui/TrayIcon.h"

namespace hv {

// Always the files beside the program: started at logon, its current
// directory is the system folder, where Windows' default beep would play.
void HauptDlg::PlaySignal(const char* waveFile, bool loop) {
    PlaySoundFile(ModuleDirectory() + waveFile, snd::kFilename | snd::kAsync | (loop ? snd::kLoop : 0u));
}

// As a click on the tray icon does; only the show command has an effect
// when the window is not in the notification area.
void HauptDlg::BringBack() { OnTrayNotify(kTrayIconId, msg::kRButtonUp); }

// The icon and its tip show what is on; a countdown that ended while the
// window is hidden is no longer.
void HauptDlg::UpdateTrayIcon() {
    if (!m_state.inTray) return;
    m_traySnapshot = TrayIconFor(Wnd(), ActiveNow());
    NotifyIcon(nim::kModify, m_traySnapshot);
}

// The shared buttons belong to the selected slot: the countdown's end must
// not take continue and reset from a held stopwatch, nor Stopp from a
// running one.
void HauptDlg::DisableCountdownButtonsIfSelected() {
    if (m_state.selector != SlotSelector::Countdown) return;
    m_stopButton.Enable(false);
    m_extraButton1.Enable(false);
    m_extraButton2.Enable(false);
}

void HauptDlg::RingAlarm(int slot) {
    const auto k = static_cast<std::size_t>(slot - 1);
    const bool sound = IsOn(m_soundCheck);
    if (!IsOn(m_continuousAlarmCheck)) {
        if (sound) PlaySignal(kAlarmSound, false);
        return;
    }
    if (sound) PlaySignal(kAlarmSound, true);
    m_state.alarms[k].ringing = true;
    m_state.lastNoticeAlarm = slot - 1;
    m_statusEdit.SetText(kReachedNotice + m_labels[k]);
    BringBack();
    m_alarmOffButton.Enable(true);
    m_soundCheck.Enable(false);
    m_continuousAlarmCheck.Enable(false);
}

void HauptDlg::RingCountdown() {
    CountdownState& c = m_state.countdown;
    const bool sound = IsOn(m_soundCheck);
    c.active = false;
    c.countedUpToMs.reset();
    if (!IsOn(m_continuousAlarmCheck)) {
        if (sound) PlaySignal(kAlarmSound, false);
        // The countdown slot stops as Stopp stops it.
        m_countdownOverview.SetText(kNotSet);
        DisableCountdownButtonsIfSelected();
        c.hours = c.minutes = c.seconds = kNoValue;
        if (m_state.selector == SlotSelector::Countdown) m_startButton.SetText(kSetCountdown);
        // A failed write is reported; the tick goes on with its checks.
        g_settingsFile.RewriteField(settings::kCountdownActive, "f");
        DrawSlotLabels();
        UpdateTrayIcon();
        return;
    }
    if (sound) PlaySignal(kAlarmSound, true);
    c.ringing = true;
    m_statusEdit.SetText(kReachedNotice + m_labels[4]);
    BringBack();
    m_alarmOffButton.Enable(true);
    m_soundCheck.Enable(false);
    m_continuousAlarmCheck.Enable(false);
    if (m_state.selector == SlotSelector::Countdown) {
        m_extraButton1.Enable(false);
        m_extraButton2.Enable(false);
    }
    m_countdownOverview.SetText("00:00:00");  // until "Alarm aus"
    c.hours = c.minutes = c.seconds = kNoValue;
}

void HauptDlg::HourlySignal() {
    const bool sound = IsOn(m_soundCheck);
    // The chime would replace a continuous alarm's looping sound: the
    // sleeper would hear one chime and then silence.
    const bool chime = sound && !m_state.AnythingRinging();
    if (!m_state.inTray) {
        if (chime) PlaySignal(kHourlySound, false);
        m_state.hourlySignalPending = true;
        m_alarmOffButton.Enable(true);
        return;
    }
    if (sound) {
        if (chime) PlaySignal(kHourlySound, false);
        return;
    }
    // Titled with the product's name, not the file's: a download saved as
    // "Horovant (1).exe" still says "Horovant".
    ShowMessageBox(Wnd(), kHourlyNotice, kProductName, mb::kOk | mb::kIconExclamation);
}

// The countdown's ring alone: an alarm that still rings keeps its looping
// sound (the same file), its notice and "Alarm aus"; a pending hourly signal
// keeps "Alarm aus" too.
void HauptDlg::AcknowledgeCountdownRing() {
    m_state.countdown.ringing = false;
    int ringing = -1;
    for (int k = 0; k < kAlarmSlotCount; ++k)
        if (m_state.alarms[static_cast<std::size_t>(k)].ringing) ringing = k;
    if (ringing >= 0) {
        const int last = m_state.lastNoticeAlarm;
        if (last >= 0 && m_state.alarms[static_cast<std::size_t>(last)].ringing) ringing = last;
        m_statusEdit.SetText(kReachedNotice + m_labels[static_cast<std::size_t>(ringing)]);
        return;
    }
    PlaySoundFile(std::nullopt, 0);
    m_soundCheck.Enable(true);
    m_continuousAlarmCheck.Enable(IsOn(m_soundCheck));
    m_alarmOffButton.Enable(m_state.hourlySignalPending);
    m_statusEdit.SetText("");
}

void HauptDlg::OnAlarmAus() {
    PlaySoundFile(std::nullopt, 0);
    m_soundCheck.Enable(true);
    m_continuousAlarmCheck.Enable(IsOn(m_soundCheck));
    m_alarmOffButton.Enable(false);
    m_statusEdit.SetText("");
    for (AlarmSlot& slot : m_state.alarms) slot.ringing = false;

    CountdownState& c = m_state.countdown;
    if (c.ringing) {
        m_countdownOverview.SetText(kNotSet);
        c.active = false;
        c.ringing = false;
        DisableCountdownButtonsIfSelected();
        c.hours = c.minutes = c.seconds = kNoValue;
        if (m_state.selector == SlotSelector::Countdown) m_startButton.SetText(kSetCountdown);
        g_settingsFile.RewriteField(settings::kCountdownActive, "f");
    }
    if (m_state.selector == SlotSelector::Stopwatch) m_stopButton.Enable(m_state.stopwatch.Running());
    m_state.hourlySignalPending = false;
    DrawSlotLabels();
}

}  // namespace hv
