#include "ui/HauptDlg.h"

#include <algorithm>

#include "engine/ClockText.h"
#include "model/InstallDirectory.h"
#include "model/SettingsFile.h"
#include "platform/Resources.h"
#include "platform/SingleInstance.h"
#include "res/resource.h"
#include "ui/Captions.h"
#include "ui/Fonts.h"
#include "ui/MainWindowColours.h"
#include "ui/SlotLabels.h"
#include "ui/TrayIcon.h"

namespace hv {
HauptDlg::HauptDlg() : Dialog(IDD_HAUPT), m_taskbarCreated(TaskbarCreatedMessage()) {
    m_hIcon = LoadAppIcon(IDR_MAINFRAME);
}

HauptDlg::~HauptDlg() { EndStopwatchWorkers(); }

void HauptDlg::DoDataExchange() {
    Bind(m_clockEdit, IDC_CLOCK);
    Bind(m_alarmSecEdit[0], IDC_ALARM1_SEC);
    Bind(m_alarmHourEdit[0], IDC_ALARM1_HOUR);
    Bind(m_alarmMinEdit[0], IDC_ALARM1_MIN);
    Bind(m_alarmCheck[0], IDC_ALARM1_CHECK);
    Bind(m_countdownCheck, IDC_COUNTDOWN_CHECK);
    Bind(m_countdownHourEdit, IDC_COUNTDOWN_HOUR);
    Bind(m_countdownMinEdit, IDC_COUNTDOWN_MIN);
    Bind(m_countdownSecEdit, IDC_COUNTDOWN_SEC);
    Bind(m_alarmOverview[0], IDC_ALARM1_OVERVIEW);
    Bind(m_stopwatchCheck, IDC_STOPWATCH_CHECK);
    Bind(m_extraButton1, IDC_EXTRA1);
    Bind(m_stopButton, IDC_STOP);
    Bind(m_startButton, IDC_START);
    Bind(m_dateEdit, IDC_DATE);
    Bind(m_countdownOverview, IDC_COUNTDOWN_OVERVIEW);
    Bind(m_stopwatchOverview, IDC_STOPWATCH_OVERVIEW);
    Bind(m_extraButton2, IDC_EXTRA2);
    Bind(m_statusEdit, IDC_STATUS);
    Bind(m_alarmOffButton, IDC_ALARM_OFF);
    Bind(m_soundCheck, IDC_SOUND);
    Bind(m_hourlySignalCheck, IDC_HOURLY_SIGNAL);
    Bind(m_startMinimizedCheck, IDC_START_MINIMIZED);
    Bind(m_alarmCheck[1], IDC_ALARM2_CHECK);
    Bind(m_alarmCheck[2], IDC_ALARM3_CHECK);
    Bind(m_alarmCheck[3], IDC_ALARM4_CHECK);
    Bind(m_alarmHourEdit[1], IDC_ALARM2_HOUR);
    Bind(m_alarmMinEdit[1], IDC_ALARM2_MIN);
    Bind(m_alarmSecEdit[1], IDC_ALARM2_SEC);
    Bind(m_alarmHourEdit[2], IDC_ALARM3_HOUR);
    Bind(m_alarmMinEdit[2], IDC_ALARM3_MIN);
    Bind(m_alarmSecEdit[2], IDC_ALARM3_SEC);
    Bind(m_alarmHourEdit[3], IDC_ALARM4_HOUR);
    Bind(m_alarmMinEdit[3], IDC_ALARM4_MIN);
    Bind(m_alarmSecEdit[3], IDC_ALARM4_SEC);
    Bind(m_alarmOverview[1], IDC_ALARM2_OVERVIEW);
    Bind(m_alarmOverview[2], IDC_ALARM3_OVERVIEW);
    Bind(m_alarmOverview[3], IDC_ALARM4_OVERVIEW);
    Bind(m_continuousAlarmCheck, IDC_CONTINUOUS_ALARM);
    Bind(m_autostartCheck, IDC_AUTOSTART);
}

bool HauptDlg::OnInitDialog() {
    Dialog::OnInitDialog();
    AddAboutToSystemMenu();

    Wnd().SetIcon(m_hIcon, true);
    Wnd().SetIcon(m_hIcon, false);

    m_settingsPath = SettingsPathIn(InstallDirectory());
    m_whiteBrush = SolidBrush(Rgb(255, 255, 255));

    m_stopButton.Enable(false);
    m_alarmOffButton.Enable(false);

    CreateFonts();

    for (const auto& overview : m_alarmOverview) overview.SetText(kNotSet);
    m_countdownOverview.SetText(kNotSet);
    m_stopwatchOverview.SetText(kInactive);
    for (const auto& overview : m_alarmOverview) overview.SetFont(m_overviewFont.Handle(), true);
    m_countdownOverview.SetFont(m_overviewFont.Handle(), true);
    m_stopwatchOverview.SetFont(m_overviewFont.Handle(), true);

    g_settingsFile.SetPath(m_settingsPath);
    g_settingsFile.SetOwner(Wnd());
    ApplyStartStates(g_settingsFile.Load().record);

    // The display tick runs only while the stopwatch counts.
    ArmSecondTick(WallClockMilliseconds());
    MarkWindow(Wnd(), kMainWindowMark);
    return true;
}

void HauptDlg::AddAboutToSystemMenu() {
    const SystemMenu menu(Wnd());
    if (!menu.Exists()) return;
    const std::string about = LoadResourceString(IDS_ABOUTBOX);
    if (about.empty()) return;
    menu.AppendSeparator();
    menu.AppendString(IDM_ABOUTBOX, about);
}

void HauptDlg::CreateFonts() {
    m_clockFont = Font(ArialFieldFont(kClockFontHeight, kClockFontWeight));
    m_clockEdit.SetFont(m_clockFont.Handle(), true);
    m_dateFont = Font(ArialFieldFont(kDateFontHeight, kDateFontWeight));
    m_dateEdit.SetFont(m_dateFont.Handle(), true);
    m_statusEdit.SetFont(m_dateFont.Handle(), true);
    m_overviewFont = Font(ArialFieldFont(kOverviewFontHeight, kOverviewFontWeight));
}

void HauptDlg::ApplyStartStates(const SettingsRecord& record) {
    for (int i = 0; i < kLabelCount; ++i) m_labels[static_cast<std::size_t>(i)] = record.Label(i);

    for (int k = 0; k < kAlarmSlotCount; ++k) {
        if (!record.AlarmArmed(k)) continue;
        AlarmSlot& slot = m_state.alarms[static_cast<std::size_t>(k)];
        const auto time = record.AlarmTime(k);
        slot.hourText = time[0];
        slot.minuteText = time[1];
        slot.secondText = time[2];
        slot.active = true;
        m_alarmOverview[static_cast<std::size_t>(k)].SetText(slot.hourText + ":" + slot.minuteText + ":" +
                                                              slot.secondText);
    }

    m_autostartCheck.SetCheck(record.Autostart() ? 1 : 0);
    m_state.minimiseOnFirstPaint = record.StartMinimized();
    m_startMinimizedCheck.SetCheck(m_state.minimiseOnFirstPaint ? 1 : 0);
    m_state.hourlySignalOn = record.HourlySignal();
    m_hourlySignalCheck.SetCheck(m_state.hourlySignalOn ? 1 : 0);

    // Without sound, only the continuous alarm's notice can announce an
    // alarm, so it is forced on and cannot be switched off.
    const bool sound = record.SoundOn();
    m_soundCheck.SetCheck(sound ? 1 : 0);
    m_continuousAlarmCheck.SetCheck(!sound || record.ContinuousAlarm() ? 1 : 0);
    m_continuousAlarmCheck.Enable(sound);
}

void HauptDlg::OnPaint() {
    if (m_state.minimiseOnFirstPaint) OnTrayMinimieren();  // the rest of the paint runs all the same
    if (Wnd().IsIconic()) {
        PaintMinimisedIcon();
    } else {
        DefaultPaint(Wnd());
    }
    DrawSlotLabels();
    EnableEntryFieldsOfSelectedSlot();
}

void HauptDlg::PaintMinimisedIcon() {
    const PaintDc dc(Wnd());
    Wnd().Send(msg::kIconEraseBkgnd, dc.Handle().value, 0);
    const int cx = SystemMetric(sm::kCxIcon), cy = SystemMetric(sm::kCyIcon);
    const Rect client = Wnd().ClientRect();
    dc.DrawIcon((client.Width() - cx + 1) / 2, (client.Height() - cy + 1) / 2, m_hIcon);
}

void HauptDlg::DrawSlotLabels() {
    std::array<bool, kLabelCount> active{};
    for (std::size_t k = 0; k < kAlarmSlotCount; ++k) active[k] = m_state.alarms[k].active;
    active[4] = m_state.countdown.active;
    active[5] = m_state.stopwatch.Running();
    hv::DrawSlotLabels(ClientDc(Wnd()), m_labels, active);
}

// Only the selected slot's entry fields are usable, and its hours field gets
// the focus, at every paint.
void HauptDlg::EnableEntryFieldsOfSelectedSlot() {
    const int alarm = AlarmIndexOf(m_state.selector);
    const bool countdown = m_state.selector == SlotSelector::Countdown;
    for (int k = 0; k < kAlarmSlotCount; ++k) {
        const auto i = static_cast<std::size_t>(k);
        for (const Control* field : {&m_alarmHourEdit[i], &m_alarmMinEdit[i], &m_alarmSecEdit[i]}) field->Enable(k == alarm);
    }
    for (const Control* field : {&m_countdownHourEdit, &m_countdownMinEdit, &m_countdownSecEdit}) field->Enable(countdown);
    if (alarm >= 0) {
        m_alarmHourEdit[static_cast<std::size_t>(alarm)].Focus();
    } else if (countdown) {
        m_countdownHourEdit.Focus();
    } else if (!FocusedWindow().IsValid()) {
        FocusSlotSelector();
    }
}

// A disabled control loses the focus, and a dialog where nothing has it
// takes no keys: Esc would no longer close the window, nor Tab move on. The
// selected slot's selector takes it instead (it is checked already; Enter
// there is still Start). An unchecked selector must never get it: on Windows
// a radio button that receives the focus clicks itself. While no slot is
// chosen the read-only status line takes it, where Enter meets the disabled
// Start and does nothing.
void HauptDlg::FocusSlotSelector() {
    if (!Wnd().IsVisible() || !Wnd().IsEnabled()) return;
    const int alarm = AlarmIndexOf(m_state.selector);
    if (alarm >= 0) m_alarmCheck[static_cast<std::size_t>(alarm)].Focus();
    else if (m_state.selector == SlotSelector::Countdown) m_countdownCheck.Focus();
    else if (m_state.selector == SlotSelector::Stopwatch) m_stopwatchCheck.Focus();
    else m_statusEdit.Focus();
}

bool HauptDlg::HasFocus() const {
    const Window focus = FocusedWindow();
    return focus.IsValid() && (focus == Wnd() || Wnd().Item(focus.ControlId()) == focus);
}

ActiveFunctions HauptDlg::ActiveNow() const {
    return {m_state.AnyAlarmActive(), m_state.countdown.active, m_state.stopwatch.Running(), m_state.hourlySignalOn};
}

void HauptDlg::OnTrayMinimieren() {
    m_traySnapshot = TrayIconFor(Wnd(), ActiveNow());
    NotifyIcon(nim::kAdd, m_traySnapshot);
    Wnd().Show(sw::kHide);
    m_state.inTray = true;
}

LResult HauptDlg::OnTrayNotify(WParam, LParam mouseMessage) {
    if (mouseMessage != msg::kLButtonUp && mouseMessage != msg::kRButtonUp) return 0;
    Wnd().Show(sw::kShow);
    // Shown for the first time after a minimised start, the dialog manager
    // would pick a control of its own for the focus.
    FocusSlotSelector();
    m_state.inTray = false;
    m_state.minimiseOnFirstPaint = false;
    return RemoveTrayIcon(Wnd()) ? 1 : 0;
}

// Explorer restarted and lost every icon: a hidden window without its icon
// could never be shown again.
void HauptDlg::OnTaskbarCreated() {
    if (m_state.inTray) NotifyIcon(nim::kAdd, m_traySnapshot);
}

IconHandle HauptDlg::OnQueryDragIcon() { return m_hIcon; }

BrushHandle HauptDlg::OnCtlColor(DcHandle dcHandle, Window control, int kind) {
    return MainWindowColours(DeviceContext(dcHandle), control.ControlId(), kind, m_whiteBrush.Handle());
}

// Fonts | brushes << 8 | device contexts << 16; each count stops at 255, so
// that a large leak cannot pass for a small count.
LResult HauptDlg::OnGdiCount(WParam, LParam) {
    const GdiLiveCount n = LiveGdiObjects();
    return std::min(n.fonts, 255) | std::min(n.brushes, 255) << 8 | std::min(n.dcs, 255) << 16;
}

bool HauptDlg::HandleMessage(const Message& m, LResult& result) {
    static const MessageMapEntry<HauptDlg> kMessageMap[] = {
        map::Paint<HauptDlg, &HauptDlg::OnPaint>(),
        map::Timer<HauptDlg, &HauptDlg::OnTimer>(),
        map::Raw<HauptDlg, &HauptDlg::OnStopwatchDone>(WM_STOPWATCHDONE),
        map::CtlColor<HauptDlg, &HauptDlg::OnCtlColor>(),
        map::QueryDragIcon<HauptDlg, &HauptDlg::OnQueryDragIcon>(),
        map::Raw<HauptDlg, &HauptDlg::OnTrayNotify>(WM_TRAYNOTIFY),
        map::Raw<HauptDlg, &HauptDlg::OnGdiCount>(WM_GDICOUNT),
        map::Command<HauptDlg, &HauptDlg::OnTrayMinimieren>(IDC_TRAY),
        map::Command<HauptDlg, &HauptDlg::OnAlarmAus>(IDC_ALARM_OFF),
        map::Command<HauptDlg, &HauptDlg::OnAlarmzeit1>(IDC_ALARM1_CHECK),
        map::Command<HauptDlg, &HauptDlg::OnAlarmzeit2>(IDC_ALARM2_CHECK),
        map::Command<HauptDlg, &HauptDlg::OnAlarmzeit3>(IDC_ALARM3_CHECK),
        map::Command<HauptDlg, &HauptDlg::OnAlarmzeit4>(IDC_ALARM4_CHECK),
        map::Command<HauptDlg, &HauptDlg::OnCountdown>(IDC_COUNTDOWN_CHECK),
        map::Command<HauptDlg, &HauptDlg::OnStoppuhr>(IDC_STOPWATCH_CHECK),
        map::Command<HauptDlg, &HauptDlg::OnStart>(IDC_START),
        map::Command<HauptDlg, &HauptDlg::OnStopp>(IDC_STOP),
        map::Command<HauptDlg, &HauptDlg::OnZusatzfunktion1>(IDC_EXTRA1),
        map::Command<HauptDlg, &HauptDlg::OnZusatzfunktion2>(IDC_EXTRA2),
        map::Command<HauptDlg, &HauptDlg::OnBeschriftung>(IDC_LABELS),
        map::Command<HauptDlg, &HauptDlg::OnInfo>(IDC_INFO),
        map::SysCommand<HauptDlg, &HauptDlg::OnSysCommand>(),
        map::Command<HauptDlg, &HauptDlg::OnSound>(IDC_SOUND),
        map::Command<HauptDlg, &HauptDlg::OnDaueralarm>(IDC_CONTINUOUS_ALARM),
        map::Command<HauptDlg, &HauptDlg::OnStundensignal>(IDC_HOURLY_SIGNAL),
        map::Command<HauptDlg, &HauptDlg::OnMinimiertStarten>(IDC_START_MINIMIZED),
        map::Command<HauptDlg, &HauptDlg::OnMitWindowsStarten>(IDC_AUTOSTART),
    };
    // The worker ends before the window goes; it posts to it as it ends.
    if (m.message == msg::kDestroy) {
        EndStopwatchWorkers();
        UnmarkWindow(Wnd(), kMainWindowMark);
    }
    if (m_taskbarCreated != 0 && m.message == m_taskbarCreated) {
        OnTaskbarCreated();
        result = 0;
        return true;
    }
    // A button that disables itself (Stopp, the extra functions, "Alarm aus")
    // or a tick that disables the focused one takes the focus with it.
    const bool hadFocus = (m.message == msg::kCommand || m.message == msg::kTimer) && HasFocus();
    const bool handled = DispatchMessageMap(*this, kMessageMap, m, result) || Dialog::HandleMessage(m, result);
    if (hadFocus && !FocusedWindow().IsValid()) FocusSlotSelector();
    return handled;
}

}  // namespace hv
