#pragma once
// The main window: every control, the fonts and the background brush, the
// settings path and the model of what it shows. Each handler reads its
// controls into data, lets a decision of engine/ act on the model, and
// writes back what came out: the effects in order, then the view.
#include <array>
#include <cstdint>
#include <string>

#include "engine/Commands.h"
#include "engine/Layout.h"
#include "engine/MainView.h"
#include "engine/TickCycle.h"
#include "engine/StoredRecord.h"
#include "engine/TrayTip.h"
#include "model/SettingsFile.h"
#include "platform/Dialog.h"
#include "platform/Gdi.h"
#include "platform/Power.h"
#include "platform/Services.h"
#include "platform/Window.h"
#include "system/Autostart.h"
#include "system/SettingsStore.h"
#include "system/StopwatchThreads.h"
#include "system/TrayIcon.h"
#include "ui/MainWindowColours.h"

namespace hv {

// The property by which a second copy of the program finds this window.
constexpr const char* kMainWindowMark = "Horovant.Hauptfenster";

class HauptDlg : public Dialog, private TickWindow {
public:
    HauptDlg();
    ~HauptDlg() override;

    // Draws the six slot labels in their colours onto the client area; on
    // every paint and after each operation that changes a slot.
    void DrawSlotLabels();

protected:
    void DoDataExchange() override;
    bool OnInitDialog() override;
    bool HandleMessage(const Message& m, LResult& result) override;
    // The main window has no OK button; Enter belongs to Start. Only the
    // cancel command (Esc, Close, "Anwendung beenden") ends the program.
    void OnOK() override {}

private:
    void AddAboutToSystemMenu();
    void OnZumAlarmWecken();
    // The wake timer set to the next ring, or cancelled.
    void UpdateWakeTimer();
    // The tray icon added again: after a failed add, and when Explorer starts.
    void RetryTrayIcon();
    void AnswerTrayIcon(bool iconThere, bool restoredByUser);
    void CreateFonts();
    BaseUnits Units() const;
    // The view, the effects in order, the labels, the focus.
    void Apply(const Effects& effects) override;
    std::int64_t WallMs() const override { return WallClockMilliseconds(); }
    std::int64_t MonoMs() const override { return MonotonicMilliseconds(); }
    LocalTime Local(std::int64_t epochSeconds) const override { return ToLocalTime(epochSeconds); }
    void SetTickTimer(std::int64_t inMs) override;
    void ApplyView();
    void Perform(const Step& step);
    bool Seen() const;      // shown, and not minimised
    bool HasFocus() const;  // the keyboard focus is on this window or one of its controls
    bool FocusLost() const;
    void MoveFocus(const FocusMove& move);
    EntryTexts SelectedEntry() const;

    LResult OnStopwatchDone(WParam, LParam);
    LResult OnTrayNotify(WParam iconId, LParam mouseMessage);
    IconHandle OnQueryDragIcon();
    BrushHandle OnCtlColor(DcHandle dc, Window control, int kind);
    void OnPaint();
    void OnTimer(unsigned timerId);

    void OnAlarmzeit1() { Apply(SelectSlot(m_model, SlotSelector::Alarm1)); }
    void OnAlarmzeit2() { Apply(SelectSlot(m_model, SlotSelector::Alarm2)); }
    void OnAlarmzeit3() { Apply(SelectSlot(m_model, SlotSelector::Alarm3)); }
    void OnAlarmzeit4() { Apply(SelectSlot(m_model, SlotSelector::Alarm4)); }
    void OnCountdown() { Apply(SelectSlot(m_model, SlotSelector::Countdown)); }
    void OnStoppuhr() { Apply(SelectSlot(m_model, SlotSelector::Stopwatch)); }
    // A command that may write the settings file, through the stored record's bookkeeping.
    template <typename Decision>
    void Command(Decision decision) { Apply(UserCommand(m_model, m_file, decision)); }
    void OnStart() { Command([this] { return Start(m_model, m_file, SelectedEntry(), MonotonicMilliseconds()); }); }
    void OnStopp() { Command([this] { return Stopp(m_model, m_file, MonotonicMilliseconds()); }); }
    void OnZusatzfunktion1() { Command([this] { return Zusatzfunktion1(m_model, m_file, MonotonicMilliseconds()); }); }
    void OnZusatzfunktion2() { Command([this] { return Zusatzfunktion2(m_model, m_file, MonotonicMilliseconds()); }); }
    void OnAlarmAus() { Command([this] { return AlarmAus(m_model, m_file); }); }
    void OnTrayMinimieren() { Apply(TrayMinimieren(m_model)); }
    void OnSound() { Command([this] { return Sound(m_model, m_file); }); }
    void OnDaueralarm() { Command([this] { return Daueralarm(m_model, m_file); }); }
    void OnStundensignal() { Command([this] { return Stundensignal(m_model, m_file); }); }
    void OnMinimiertStarten() { Command([this] { return MinimiertStarten(m_model, m_file); }); }
    void OnMitWindowsStarten() {
        Command([this] { return MitWindowsStarten(m_model, m_file, m_runValue, ModuleFileName()); });
    }
    void OnBeschriftung();
    void OnInfo();
    bool OnSysCommand(unsigned command, LParam);
    void OnTaskbarCreated();
    LResult OnGdiCount(WParam, LParam);
    LResult OnWakeDue(WParam, LParam);
    LResult OnDpiDone(WParam, LParam);
    void OnThemeChanged();
    LResult OnPowerBroadcast(WParam event, LParam);
    void UpdateTrayIcon();
    void UpdateDisplayTick();

    // Members in the order the window declares them.
    Palette m_palette;  // the theme's while it is a high-contrast one
    SolidBrush m_backgroundBrush;
    IconHandle m_hIcon{};
    Control m_clockEdit;
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
    Control m_continuousAlarmCheck;
    Control m_autostartCheck;

    Font m_clockFont;
    Font m_dateFont;
    Font m_overviewFont;

    FileByteStore m_store;
    SettingsFile m_file{m_store};
    RunValue m_runValue;
    MainModel m_model;
    StopwatchThreads m_workers;  // after m_model, whose stopwatch they count
    MainView m_shown;            // what the controls show now
    bool m_viewShown = false;
    bool m_painted = false, m_entryFieldsShown = false;
    bool m_displayTicking = false;  // the display timer is set
    TrayIcon m_tray;
    unsigned m_taskbarCreated = 0;  // the registered message, known at run time
    WakeTimer m_wakeTimer;
};

}  // namespace hv
