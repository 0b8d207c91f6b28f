// The five option boxes. Each is a manual check box: its handler sets the
// mark, and the mark is the option. Every change is stored at once; a write
// that fails has been reported and leaves the box as it was.
#include "model/SettingsFile.h"
#include "platform/App.h"
#include "platform/MessageBox.h"
#include "system/Autostart.h"
#include "ui/Captions.h"
#include "ui/HauptDlg.h"

namespace hv {
namespace {
const char* Flag(bool on, const char* yes, const char* no) { return on ? yes : no; }
}  // namespace

// Without sound only the continuous alarm's notice announces an alarm, so
// "Daueralarm" is then checked and cannot be unchecked.
void HauptDlg::OnSound() {
    if (IsOn(m_soundCheck)) {
        const bool forceContinuous = !IsOn(m_continuousAlarmCheck);
        if (!g_settingsFile.RewriteField(settings::kSoundOn, forceContinuous ? "ft" : "f")) return;
        m_soundCheck.SetCheck(0);
        m_continuousAlarmCheck.SetCheck(1);
        m_continuousAlarmCheck.Enable(false);
    } else {
        // The stored "Daueralarm" follows its box too: a damaged file may have
        // said off while the box was forced on.
        const std::string stored = std::string("t") + Flag(IsOn(m_continuousAlarmCheck), "t", "f");
        if (!g_settingsFile.RewriteField(settings::kSoundOn, stored)) return;
        m_soundCheck.SetCheck(1);
        m_continuousAlarmCheck.Enable(true);
    }
}

void HauptDlg::OnDaueralarm() {
    const bool on = !IsOn(m_continuousAlarmCheck);
    if (!g_settingsFile.RewriteField(settings::kContinuousAlarm, Flag(on, "t", "f"))) return;
    m_continuousAlarmCheck.SetCheck(on ? 1 : 0);
}

// "minimiert starten" and "Stundensignal" are stored as one pair.
void HauptDlg::OnStundensignal() {
    const bool on = !IsOn(m_hourlySignalCheck);
    const std::string pair = std::string(Flag(IsOn(m_startMinimizedCheck), "j", "n")) + Flag(on, "j", "n");
    if (!g_settingsFile.RewriteField(settings::kStartMinimized, pair)) return;
    m_hourlySignalCheck.SetCheck(on ? 1 : 0);
    m_state.hourlySignalOn = on;
}

// Takes effect at the next start; the running window stays as it is.
void HauptDlg::OnMinimiertStarten() {
    const bool on = !IsOn(m_startMinimizedCheck);
    const std::string pair = std::string(Flag(on, "j", "n")) + Flag(IsOn(m_hourlySignalCheck), "j", "n");
    if (!g_settingsFile.RewriteField(settings::kStartMinimized, pair)) return;
    m_startMinimizedCheck.SetCheck(on ? 1 : 0);
}

// The box shows only what the registry holds: a value that cannot be
// written or removed is reported, and box and stored field stay.
void HauptDlg::OnMitWindowsStarten() {
    const bool on = !IsOn(m_autostartCheck);
    const std::string exePath = ModuleFileName();
    if (on ? !EnableAutostart(exePath) : !DisableAutostart()) {
        ShowMessageBox(Wnd(), on ? kAutostartNotWritten : kAutostartNotRemoved, AppName(),
                       mb::kOk | mb::kIconExclamation);
        return;
    }
    if (!g_settingsFile.RewriteField(settings::kAutostart, Flag(on, "t", "f"))) {
        // The stored field and the box keep the old state; so does the registry.
        if (on) DisableAutostart();
        else EnableAutostart(exePath);
        return;
    }
    m_autostartCheck.SetCheck(on ? 1 : 0);
}

}  // namespace hv
