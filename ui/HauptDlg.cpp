#include "ui/HauptDlg.h"

#include "engine/Fonts.h"
#include "engine/Layout.h"
#include "engine/NextRing.h"
#include "engine/Signalling.h"
#include "engine/Tick.h"
#include "model/FileErrorText.h"
#include "model/SettingsPath.h"
#include "platform/App.h"
#include "platform/Diagnostics.h"
#include "platform/MessageBox.h"
#include "platform/Resources.h"
#include "platform/SingleInstance.h"
#include "res/resource.h"
#include "ui/MainWindowColours.h"
#include "ui/SlotLabels.h"

namespace hv {
namespace {

constexpr unsigned kTickTimer = 1;
constexpr unsigned kDisplayTimer = 2;
// A busy shell at logon answers an add after about 4 s, or not at all.
constexpr unsigned kTrayRetryTimer = 3, kTrayRetryMs = 3000;
// The private messages by which the end-to-end tests read the live GDI
// objects and the time the wake timer was given (ms since 1970, 0 none).
constexpr unsigned WM_GDICOUNT = 0x8000 + 101;  // WM_APP + 101
constexpr unsigned WM_WAKEDUE = 0x8000 + 102;   // WM_APP + 102
// Posted from WM_DPICHANGED: comes once the dialog manager has rescaled.
constexpr unsigned WM_DPIDONE = 0x8000 + 104;  // WM_APP + 104

}  // namespace

HauptDlg::HauptDlg() : Dialog(IDD_HAUPT), m_taskbarCreated(TaskbarCreatedMessage()) {
    m_hIcon = LoadAppIcon(IDR_MAINFRAME);
}

HauptDlg::~HauptDlg() { m_workers.JoinAll(); }

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
    m_store.SetPlace(hv::SettingsPath(
        ReadRegistryValue(RegistryRoot::LocalMachine, kProductKey, kProductDirValue).value_or(""), ModuleDirectory(),
        CurrentDirectory()));
    m_model.wakeForAlarm = WakeForAlarmOf(ReadRegistryValue(RegistryRoot::CurrentUser, kProductKey, kWakeForAlarmValue));
    m_palette = SystemPalette();
    m_backgroundBrush = SolidBrush(m_palette.window);
    m_tray.Load(Wnd());
    // Once: the controls whose fonts the window makes keep them when the
    // dialog manager rescales for another screen.
    for (const Control* c : {&m_clockEdit, &m_dateEdit, &m_statusEdit, &m_countdownOverview, &m_stopwatchOverview,
                             &m_alarmOverview[0], &m_alarmOverview[1], &m_alarmOverview[2], &m_alarmOverview[3]})
        c->KeepFontOnDpiChange();
    CreateFonts();
    // The clock field overlaps the date line's left end: a new second
    // repaints the clock alone.
    m_clockEdit.PlaceBehind(m_dateEdit);

    // One try: a file held at logon is read again at the ticks. Its failure
    // is said by the first tick, so the clock runs while the box is open.
    StartFrom(m_model, m_file.Load(), MonotonicMilliseconds());
    KeepAutostart(m_model, m_runValue, ModuleFileName());
    Apply({});

    // The display tick runs only while the stopwatch counts.
    Wnd().SetTimer(kTickTimer, static_cast<unsigned>(UntilNextTickMs(WallClockMilliseconds())));
    MarkWindow(Wnd(), kMainWindowMark);
    AcceptFromLowerRights(Wnd(), WM_TRAYNOTIFY);
    if (m_taskbarCreated) AcceptFromLowerRights(Wnd(), m_taskbarCreated);
    return true;
}

void HauptDlg::AddAboutToSystemMenu() {
    const SystemMenu menu(Wnd());
    if (!menu.Exists()) return;
    const std::string about = LoadResourceString(IDS_ABOUTBOX);
    if (about.empty()) return;
    menu.AppendSeparator();
    menu.AppendString(IDM_ABOUTBOX, about);
    menu.AppendString(IDM_WAKE_FOR_ALARM, LoadResourceString(IDS_WAKE_FOR_ALARM));
    menu.SetChecked(IDM_WAKE_FOR_ALARM, m_model.wakeForAlarm);
}

// Kept per user: another user of the PC decides for themselves.
void HauptDlg::OnZumAlarmWecken() {
    m_model.wakeForAlarm = !m_model.wakeForAlarm;
    WriteRegistryDword(RegistryRoot::CurrentUser, kProductKey, kWakeForAlarmValue, m_model.wakeForAlarm ? 1 : 0);
    const SystemMenu menu(Wnd());
    if (menu.Exists()) menu.SetChecked(IDM_WAKE_FOR_ALARM, m_model.wakeForAlarm);
    UpdateWakeTimer();
}

void HauptDlg::UpdateWakeTimer() {
    if (!m_wakeTimer.SetTo(WakeDue(m_model, WallMs(), MonoMs(), ToLocalTime)))
        ReportFailure(Wnd(), 0, "the wake timer could not be set");
}

void HauptDlg::CreateFonts() {
    const MainWindowFonts fonts = MainWindowFontsFor(Units());
    m_clockFont = Font(fonts.clock);
    m_clockEdit.SetFont(m_clockFont.Handle(), true);
    m_dateFont = Font(fonts.date);
    m_dateEdit.SetFont(m_dateFont.Handle(), true);
    m_statusEdit.SetFont(m_dateFont.Handle(), true);
    m_overviewFont = Font(fonts.overview);
    for (const auto& overview : m_alarmOverview) overview.SetFont(m_overviewFont.Handle(), true);
    m_countdownOverview.SetFont(m_overviewFont.Handle(), true);
    m_stopwatchOverview.SetFont(m_overviewFont.Handle(), true);
}

// Moved to a screen with another scaling, once the dialog manager has
// rescaled the window, the controls and the dialog font (WM_DPICHANGED left
// to it): the own fonts for the new base units, which the labels follow too,
// and the tray icon's pictures at the new size.
LResult HauptDlg::OnDpiDone(WParam, LParam) {
    CreateFonts();
    m_tray.Load(Wnd());
    if (m_model.timers.inTray) m_tray.Refresh();
    Wnd().Invalidate(true);
    return 0;
}

EntryTexts HauptDlg::SelectedEntry() const {
    const int slot = SlotIndexOf(m_model.timers.selector);
    if (slot >= 0 && slot < kAlarmSlotCount) {
        const auto i = static_cast<std::size_t>(slot);
        return {m_alarmHourEdit[i].Text(), m_alarmMinEdit[i].Text(), m_alarmSecEdit[i].Text()};
    }
    if (slot == kCountdownSlot) return {m_countdownHourEdit.Text(), m_countdownMinEdit.Text(), m_countdownSecEdit.Text()};
    return {};
}

// The view first: a step may show the window or open a modal box, which must
// find the window already showing the new state.
void HauptDlg::Apply(const Effects& effects) {
    ApplyView();
    for (const Step& step : effects.steps) Perform(step);
    if (effects.redrawLabels) DrawSlotLabels();
    if (effects.focus) MoveFocus(*effects.focus);
    UpdateTrayIcon();
    UpdateWakeTimer();
    UpdateDisplayTick();
}

// Set anew at each display tick, for just after the next tenth; none while
// the window is hidden or minimised. Seen again, it shows the reading at once.
void HauptDlg::UpdateDisplayTick() {
    const auto in = DisplayTickInMs(m_model, Seen(), MonotonicMilliseconds());
    if (in && !m_displayTicking) {
        DisplayTick(m_model);
        ApplyView();
    }
    if (in) Wnd().SetTimer(kDisplayTimer, static_cast<unsigned>(*in));
    else if (m_displayTicking) Wnd().KillTimer(kDisplayTimer);  // not at every second tick
    m_displayTicking = in.has_value();
}

// While hidden, the icon and its tip follow the state; the shell hears of it
// only when the text or the picture changed (the stopwatch's and the
// countdown's times change once a second).
void HauptDlg::UpdateTrayIcon() {
    if (m_model.timers.inTray) m_tray.Show(TrayViewOf(m_model));
}

// Back from a sleep: the gap is examined at once, not at the next tick.
LResult HauptDlg::OnPowerBroadcast(WParam event, LParam) {
    constexpr WParam kResumeAutomatic = 0x12;  // PBT_APMRESUMEAUTOMATIC
    if (event == kResumeAutomatic) OnTimer(kTickTimer);
    return 1;
}

void HauptDlg::Perform(const Step& step) {
    switch (step.kind) {
        case Step::PlayOnce:
        case Step::PlayLoop:
            // Always the files beside the program: started at logon, its current
            // directory is the system folder, where Windows' default beep would play.
            PlaySoundFile(ModuleDirectory() + step.text,
                          snd::kFilename | snd::kAsync | (step.kind == Step::PlayLoop ? snd::kLoop : 0u));
            break;
        case Step::Silence: PlaySoundFile(std::nullopt, 0); break;
        case Step::BringBack:
        case Step::Alert: {
            const bool wasHidden = !Wnd().IsVisible();
            // Unasked, the window must not take the keys typed for another
            // program; a ring's window stays in front by being topmost.
            // A window that waited minimised for the notification area is
            // restored as well.
            if (step.kind == Step::BringBack) Wnd().Show(Wnd().IsIconic() ? sw::kRestore : sw::kShow);
            else if (wasHidden || Wnd().IsIconic()) Wnd().Show(sw::kShowNoActivate);
            ApplyView();  // the fields that waited while it was hidden
            m_tray.Remove();
            Wnd().KillTimer(kTrayRetryTimer);
            if (step.kind == Step::Alert) Wnd().FlashUntilInFront();
            // Shown for the first time after a minimised start, the dialog
            // manager would pick a control of its own for the focus.
            if (wasHidden) MoveFocus(FocusAtPaint(m_model, false));
            break;
        }
        case Step::HideToTray:
            AnswerTrayIcon(m_tray.Add(TrayViewOf(m_model)), false);
            break;
        case Step::HideWindow:
            Wnd().KillTimer(kTrayRetryTimer);
            Wnd().Show(sw::kHide);
            break;
        case Step::WaitForTray:
            if (!Wnd().IsIconic()) Wnd().Show(sw::kShowMinNoActive);
            Wnd().SetTimer(kTrayRetryTimer, kTrayRetryMs);
            break;
        case Step::Message: ShowMessageBox(Wnd(), step.text, AppName(), mb::kOk | step.icon); break;
        case Step::HourlyBox:
            // Titled with the product's name, not the file's: a download saved
            // as "Horovant (1).exe" still says "Horovant". In front: its owner
            // is hidden in the notification area and has no taskbar button.
            ShowMessageBox(Wnd(), step.text, kProductName,
                           mb::kOk | mb::kIconExclamation | mb::kTopmost | mb::kSetForeground);
            HourlyBoxClosed(m_model);
            break;
        case Step::FileFailed:
            ShowMessageBox(Wnd(), FileErrorText(step.error, PathAsText(m_store.Path())), AppName(), mb::kOk | mb::kIconStop);
            break;
        case Step::LaunchWorker:
            if (!m_workers.Launch(m_model.timers.stopwatch, step.run, Wnd()))
                ReportFailure(Wnd(), 0, "the stopwatch's worker did not start");
            break;
    }
}

// Writes what changed since the last time; everything the first time.
void HauptDlg::ApplyView() {
    MainView v = ViewOf(m_model);
    const MainView& was = m_shown;
    const bool all = !m_viewShown;
    const auto text = [&](const Control& c, const std::string& now, const std::string& before) {
        if (all || now != before) c.SetText(now);
    };
    const auto enable = [&](const Control& c, bool now, bool before) {
        if (all || now != before) c.Enable(now);
    };
    const auto check = [&](const Control& c, bool now, bool before) {
        if (all || now != before) c.SetCheck(now ? 1 : 0);
    };
    const std::array<const Control*, 6> selectors = {&m_alarmCheck[0], &m_alarmCheck[1], &m_alarmCheck[2],
                                                     &m_alarmCheck[3], &m_countdownCheck, &m_stopwatchCheck};
    for (std::size_t i = 0; i < selectors.size(); ++i) {
        check(*selectors[i], v.selectorChecked[i], was.selectorChecked[i]);
        text(*selectors[i], v.selectorName[i], was.selectorName[i]);
    }
    for (const auto& [c, b] : {std::pair{&m_startButton, &MainView::start}, {&m_stopButton, &MainView::stop},
                               {&m_extraButton1, &MainView::extra1}, {&m_extraButton2, &MainView::extra2}}) {
        text(*c, (v.*b).caption, (was.*b).caption);
        enable(*c, (v.*b).enabled, (was.*b).enabled);
    }
    for (const auto& [c, o] : {std::pair{&m_soundCheck, &Options::sound}, {&m_continuousAlarmCheck, &Options::continuousAlarm},
                               {&m_hourlySignalCheck, &Options::hourlySignal},
                               {&m_startMinimizedCheck, &Options::startMinimized}, {&m_autostartCheck, &Options::autostart}})
        check(*c, v.checks.*o, was.checks.*o);
    enable(m_alarmOffButton, v.alarmOffEnabled, was.alarmOffEnabled);
    enable(m_soundCheck, v.soundEnabled, was.soundEnabled);
    enable(m_continuousAlarmCheck, v.continuousAlarmEnabled, was.continuousAlarmEnabled);
    if (all || v.holdAttention != was.holdAttention) {
        Wnd().SetTopmost(v.holdAttention);
        KeepAwake(v.holdAttention);
    }
    // Hidden or minimised, the fields wait until the window shows again:
    // nobody reads them, and a text set costs as much as when shown.
    const bool seen = all || Seen();
    const auto field = [&](const Control& c, std::string& now, const std::string& before) {
        if (seen) text(c, now, before);
        else now = before;  // what the field still shows
    };
    for (std::size_t k = 0; k < kAlarmSlotCount; ++k) field(m_alarmOverview[k], v.alarmOverview[k], was.alarmOverview[k]);
    for (const auto& [c, t] : {std::pair{&m_countdownOverview, &MainView::countdownOverview},
                               {&m_stopwatchOverview, &MainView::stopwatchOverview}, {&m_statusEdit, &MainView::status},
                               {&m_clockEdit, &MainView::clock}, {&m_dateEdit, &MainView::date}})
        field(*c, v.*t, was.*t);
    // Not before the first paint: the dialog manager gives the first entry
    // field the focus once the initialisation is done, and a focus that
    // finds nothing to rest on is lost.
    if (m_painted && (!m_entryFieldsShown || v.openEntrySlot != was.openEntrySlot)) {
        m_entryFieldsShown = true;
        for (std::size_t k = 0; k < kAlarmSlotCount; ++k)
            for (const Control* f : {&m_alarmHourEdit[k], &m_alarmMinEdit[k], &m_alarmSecEdit[k]})
                f->Enable(v.openEntrySlot == static_cast<int>(k));
        for (const Control* f : {&m_countdownHourEdit, &m_countdownMinEdit, &m_countdownSecEdit})
            f->Enable(v.openEntrySlot == kCountdownSlot);
    }
    m_shown = v;
    m_viewShown = true;
}

void HauptDlg::MoveFocus(const FocusMove& move) {
    if (!move.control || !Wnd().IsVisible() || !Wnd().IsEnabled()) return;
    const Window target = Wnd().Item(move.control);
    target.Focus();
    if (move.selectText) target.SelectText(0, 20);
}

void HauptDlg::OnPaint() {
    m_painted = true;
    Apply(Paint(m_model));
    if (Wnd().IsIconic()) {
        PaintMinimised(Wnd(), m_hIcon);
    } else {
        DefaultPaint(Wnd());
    }
    DrawSlotLabels();
    ApplyView();
    MoveFocus(FocusAtPaint(m_model, !FocusLost()));
}

BaseUnits HauptDlg::Units() const {
    const Rect units = Wnd().MapDialogRect({0, 0, 4, 8});
    return {units.right, units.bottom};
}

void HauptDlg::DrawSlotLabels() {
    hv::DrawSlotLabels(ClientDc(Wnd()), m_model.labels, ViewOf(m_model).labelActive, SlotLabelPlaces(Units()),
                       MainWindowFontsFor(Units()).label, m_palette);
}

// Nothing has it, or the dialog itself, which passes keys by: Esc would no
// longer close the window, nor Tab move on.
bool HauptDlg::FocusLost() const {
    const Window focus = FocusedWindow();
    return !focus.IsValid() || focus == Wnd();
}

bool HauptDlg::Seen() const { return Wnd().IsVisible() && !Wnd().IsIconic(); }

bool HauptDlg::HasFocus() const {
    const Window focus = FocusedWindow();
    return focus.IsValid() && (focus == Wnd() || Wnd().Item(focus.ControlId()) == focus);
}

void HauptDlg::SetTickTimer(std::int64_t inMs) { Wnd().SetTimer(kTickTimer, static_cast<unsigned>(inMs)); }

void HauptDlg::OnTimer(unsigned timerId) {
    if (timerId == kTickTimer) {
        RunSecondTick(m_model, m_file, *this);
    } else if (timerId == kDisplayTimer) {
        // About ten times a second: the reading alone.
        DisplayTick(m_model);
        ApplyView();
        UpdateDisplayTick();
    } else if (timerId == kTrayRetryTimer) {
        RetryTrayIcon();
    }
}

// An icon already there (Explorer announced itself twice) refuses the add
// and takes the modify.
void HauptDlg::RetryTrayIcon() {
    if (!m_model.timers.inTray) return;
    AnswerTrayIcon(m_tray.AddAgain(), Seen());
}

void HauptDlg::AnswerTrayIcon(bool iconThere, bool restoredByUser) {
    for (const Step& s : TrayIconAnswered(m_model, iconThere, restoredByUser).steps) Perform(s);
}

LResult HauptDlg::OnTrayNotify(WParam, LParam mouseMessage) {
    const Effects effects = TrayNotify(m_model, static_cast<unsigned>(mouseMessage));
    Apply(effects);
    return effects.Has(Step::BringBack) ? 1 : 0;
}

// Explorer started, at logon or again after a crash, and has no icon: a
// hidden window without its icon could never be shown again. The screen's
// scaling may have changed meanwhile.
void HauptDlg::OnTaskbarCreated() {
    m_tray.Load(Wnd());
    RetryTrayIcon();
}

LResult HauptDlg::OnStopwatchDone(WParam, LParam) {
    m_workers.JoinFinished();
    return 0;
}

// A high-contrast theme switched on or off, or its colours changed: the
// window repaints in the palette for it.
void HauptDlg::OnThemeChanged() {
    const Palette now = SystemPalette();
    if (now == m_palette) return;
    m_palette = now;
    m_backgroundBrush = SolidBrush(m_palette.window);
    Wnd().RedrawAll();
}

LResult HauptDlg::OnWakeDue(WParam, LParam) { return static_cast<LResult>(m_wakeTimer.Due().value_or(0)); }

LResult HauptDlg::OnGdiCount(WParam, LParam) {
    const GdiLiveCount n = LiveGdiObjects();
    return static_cast<LResult>(n.fonts | n.brushes << 8 | n.dcs << 16);
}

IconHandle HauptDlg::OnQueryDragIcon() { return m_hIcon; }

BrushHandle HauptDlg::OnCtlColor(DcHandle dcHandle, Window control, int kind) {
    return AnswerColours(DeviceContext(dcHandle), MainWindowColoursOf(control.ControlId(), kind, m_palette), m_palette,
                         m_backgroundBrush.Handle());
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
        map::Raw<HauptDlg, &HauptDlg::OnWakeDue>(WM_WAKEDUE),
        map::Raw<HauptDlg, &HauptDlg::OnDpiDone>(WM_DPIDONE),
        map::Raw<HauptDlg, &HauptDlg::OnPowerBroadcast>(msg::kPowerBroadcast),
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
    // The workers end before the window goes; they post to it as they end.
    if (m.message == msg::kDestroy) {
        Closing(m_model, MonotonicMilliseconds());
        m_workers.JoinAll();
        UnmarkWindow(Wnd(), kMainWindowMark);
    }
    // Seen, and left to the default processing as well.
    if (m.message == msg::kSysColorChange || m.message == msg::kSettingChange) OnThemeChanged();
    if (m.message == msg::kSize) {  // minimised or restored: the fields catch up before they paint
        ApplyView();
        UpdateDisplayTick();
    }
    // Not handled: the dialog manager's own answer rescales the dialog.
    if (m.message == msg::kDpiChanged) {
        Wnd().Post(WM_DPIDONE, 0, 0);
        return false;
    }
    if (m_taskbarCreated != 0 && m.message == m_taskbarCreated) {
        OnTaskbarCreated();
        result = 0;
        return true;
    }
    // A button that disables itself (Stopp, the extra functions, "Alarm aus")
    // or a tick that disables the focused one takes the focus with it. A
    // field's own notices (EN_CHANGE, ...) and the display tick disable
    // nothing, and come ten times a second while the stopwatch is shown.
    const bool mayDisable = (m.message == msg::kCommand && m.wParam >> 16 <= 1) ||
                            (m.message == msg::kTimer && m.wParam != kDisplayTimer);
    const bool hadFocus = mayDisable && HasFocus();
    const bool handled = DispatchMessageMap(*this, kMessageMap, m, result) || Dialog::HandleMessage(m, result);
    if (hadFocus && FocusLost()) MoveFocus(FocusWhenLost(m_model));
    return handled;
}

}  // namespace hv
