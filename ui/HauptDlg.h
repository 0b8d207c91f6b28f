#pragma once
// The main window: every control, the fonts and the white brush, the
// settings path and the six slot labels; every handler of the program is a
// member of it and runs on its thread.
#include <array>
#include <string>

#include <cstdint>
#include <optional>

#include "engine/StopwatchWorker.h"
#include "engine/TrayTip.h"
#include "model/SettingsRecord.h"
#include "model/TimekeepingState.h"
#include "platform/Dialog.h"
#include "platform/Gdi.h"
#include "platform/Services.h"
#include "platform/Window.h"

namespace hv {

// Private window messages (and WM_STOPWATCHDONE of the stopwatch's worker).
constexpr unsigned WM_TRAYNOTIFY = 0x8000 + 100;   // WM_APP + 100
// Answered with the live GDI objects, so that a leak shows from outside.
constexpr unsigned WM_GDICOUNT = 0x8000 + 101;     // WM_APP + 101

// The property by which a second copy of the program finds this window.
constexpr const char* kMainWindowMark = "Horovant.Hauptfenster";

class HauptDlg : public Dialog {
public:
    HauptDlg();
    ~HauptDlg() override;

    TimekeepingState& State() { return m_state; }
    // Draws the six slot labels in their colours onto the client area; on
    // every paint and after each operation that changes a slot.
    void DrawSlotLabels();
    // Restores the window from the notification area on a left or right
    // button release over its icon (as the alarm signalling does too).
    LResult OnTrayNotify(WParam iconId, LParam mouseMessage);
    // Silences and acknowledges everything that rings or waits; also called
    // when a ringing slot is stopped.
    void OnAlarmAus();
    // The stopwatch counts from zero, or on from the held reading; a worker
    // of its own counts it, and the display tick runs meanwhile.
    void RunStopwatch(bool fromZero);
    // Holds the reading of this instant and shows it.
    StopwatchReading HoldStopwatch();
    std::size_t StopwatchWorkersAlive() const { return m_workers.Alive(); }
    const std::array<std::string, kLabelCount>& Labels() const { return m_labels; }
    const std::string& SettingsPath() const { return m_settingsPath; }

protected:
    void DoDataExchange() override;
    bool OnInitDialog() override;
    bool HandleMessage(const Message& m, LResult& result) override;
    // The main window has no OK button; Enter belongs to Start. Only the
    // cancel command (Esc, Close, "Anwendung beenden") ends the program.
    void OnOK() override {}

private:
    void AddAboutToSystemMenu();
    void CreateFonts();
    void ApplyStartStates(const SettingsRecord& record);

    void EnableEntryFieldsOfSelectedSlot();
    void FocusSlotSelector();
    bool HasFocus() const;  // the keyboard focus is on this window or one of its controls
    void PaintMinimisedIcon();
    ActiveFunctions ActiveNow() const;

    LResult OnStopwatchDone(WParam, LParam);
    LResult OnGdiCount(WParam, LParam);
    IconHandle OnQueryDragIcon();
    BrushHandle OnCtlColor(DcHandle dc, Window control, int kind);
    void OnPaint();
    void OnTimer(unsigned timerId);
    void OnSecondTick();
    void OnDisplayTick();
    void ArmSecondTick(std::int64_t wallMs);
    void ExamineSecond(std::int64_t second, bool lastOfTick);
    void StepCountdown();
    void EndStopwatchWorkers();

    // The slot selectors and the buttons they share.
    void OnAlarmzeit1() { SelectSlot(SlotSelector::Alarm1); }
    void OnAlarmzeit2() { SelectSlot(SlotSelector::Alarm2); }
    void OnAlarmzeit3() { SelectSlot(SlotSelector::Alarm3); }
    void OnAlarmzeit4() { SelectSlot(SlotSelector::Alarm4); }
    void OnCountdown() { SelectSlot(SlotSelector::Countdown); }
    void OnStoppuhr() { SelectSlot(SlotSelector::Stopwatch); }
    void SelectSlot(SlotSelector selected);
    void EnableSlotButtons();
    void OnStart();
    void StartAlarm(int k);
    void StartCountdown();
    void StartStopwatch();
    void RejectEntry(const Control& hoursField);
    void OnStopp();
    void StopAlarm(int k);
    void StopCountdown();
    void OnZusatzfunktion1();
    void OnZusatzfunktion2();

    void OnBeschriftung();
    void OnInfo();
    bool OnSysCommand(unsigned command, LParam);

    void OnSound();
    void OnDaueralarm();
    void OnStundensignal();
    void OnMinimiertStarten();
    void OnMitWindowsStarten();

    void RingAlarm(int slot);
    void RingCountdown();
    void HourlySignal();
    void AcknowledgeCountdownRing();
    void PlaySignal(const char* waveFile, bool loop);
    void BringBack();
    void UpdateTrayIcon();
    void DisableCountdownButtonsIfSelected();
    bool IsOn(const Control& check) const { return check.Check() == 1; }
    void OnTrayMinimieren();
    void OnTaskbarCreated();

    // Members in the order the window declares them.
    SolidBrush m_whiteBrush;
    IconHandle m_hIcon{};
    Control m_clockEdit;
    std::string m_settingsPath;
    std::array<Control, 4> m_alarmSecEdit, m_alarmHourEdit, m_alarmMinEdit;
    std::array<Control, 4> m_alarmCheck;
    Control m_countdownCheck;
    Control m_countdownHourEdit, m_countdownMinEdit, m_countdownSecEdit;
    std::array<Control, 4> m_alarmOverview;
    Control m_stopwatchCheck;
    Control m_extraButton1;
    Control m_stopButton;
    Control m_startButton;
    Control m_dateEdit;
    Control m_countdownOverview;
    Control m_stopwatchOverview;
    Control m_extraButton2;
    Control m_statusEdit;
    Control m_alarmOffButton;
    Control m_soundCheck;
    Control m_hourlySignalCheck;
    Control m_startMinimizedCheck;
    std::array<std::string, kLabelCount> m_labels;
    Control m_continuousAlarmCheck;
    Control m_autostartCheck;

    Font m_clockFont;
    Font m_dateFont;
    Font m_overviewFont;

    TimekeepingState m_state;
    StopwatchWorkers m_workers;  // after m_state, which they count
    // The last wall-clock second that a tick examined for alarms and the hour.
    std::optional<std::int64_t> m_lastExamined;
    TrayIconData m_traySnapshot;  // the icon as added, to add it again
    unsigned m_taskbarCreated = 0;  // the registered message, known at run time
};

}  // namespace hv
