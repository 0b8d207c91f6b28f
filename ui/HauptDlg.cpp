#include "ui/HauptDlg.h"

#include "model/InstallDirectory.h"
#include "model/SettingsFile.h"
#include "platform/Resources.h"
#include "res/resource.h"
#include "ui/Fonts.h"
#include "ui/MainWindowColours.h"

namespace hv {
namespace {

constexpr const char* kNotSet = "nicht gesetzt";
constexpr const char* kInactive = "inaktiv";
constexpr unsigned kTickTimer = 1, kTickPeriodMs = 1000;
constexpr unsigned kDisplayTimer = 2, kDisplayPeriodMs = 10;

}  // namespace

HauptDlg::HauptDlg() : Dialog(IDD_HAUPT) { m_hIcon = LoadAppIcon(IDR_MAINFRAME); }

HauptDlg::~HauptDlg() = default;

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

    Wnd().SetTimer(kTickTimer, kTickPeriodMs);
    Wnd().SetTimer(kDisplayTimer, kDisplayPeriodMs);
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

LResult HauptDlg::OnStopwatchDone(WParam, LParam) { return 0; }

IconHandle HauptDlg::OnQueryDragIcon() { return m_hIcon; }

BrushHandle HauptDlg::OnCtlColor(DcHandle dcHandle, Window control, int kind) {
    return MainWindowColours(DeviceContext(dcHandle), control.ControlId(), kind, m_whiteBrush.Handle());
}

bool HauptDlg::HandleMessage(const Message& m, LResult& result) {
    static const MessageMapEntry<HauptDlg> kMessageMap[] = {
        map::Raw<HauptDlg, &HauptDlg::OnStopwatchDone>(WM_STOPWATCHDONE),
        map::QueryDragIcon<HauptDlg, &HauptDlg::OnQueryDragIcon>(),
        map::CtlColor<HauptDlg, &HauptDlg::OnCtlColor>(),
    };
    return DispatchMessageMap(*this, kMessageMap, m, result) || Dialog::HandleMessage(m, result);
}

}  // namespace hv
