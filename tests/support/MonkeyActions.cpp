// The user's side of the monkey: which action comes next and how it is done
// through what a user can reach.
#include <cstdio>
#include <map>

#include "platform/Dialog.h"
#include "platform/Services.h"
#include "res/resource.h"
#include "tests/support/MonkeyEngine.h"

namespace hv::test {
namespace {

constexpr unsigned kScClose = 0xF060, kEsReadOnly = 0x800;
constexpr unsigned kLButtonUp = 0x202, kRButtonUp = 0x205, kMouseMove = 0x200;

struct SlotFields {
    int selector, hours, minutes, seconds;
};
constexpr std::array<SlotFields, 5> kSlotFields = {{
    {IDC_ALARM1_CHECK, IDC_ALARM1_HOUR, IDC_ALARM1_MIN, IDC_ALARM1_SEC},
    {IDC_ALARM2_CHECK, IDC_ALARM2_HOUR, IDC_ALARM2_MIN, IDC_ALARM2_SEC},
    {IDC_ALARM3_CHECK, IDC_ALARM3_HOUR, IDC_ALARM3_MIN, IDC_ALARM3_SEC},
    {IDC_ALARM4_CHECK, IDC_ALARM4_HOUR, IDC_ALARM4_MIN, IDC_ALARM4_SEC},
    {IDC_COUNTDOWN_CHECK, IDC_COUNTDOWN_HOUR, IDC_COUNTDOWN_MIN, IDC_COUNTDOWN_SEC},
}};

// The buttons a user works with, by how often the monkey presses them.
constexpr std::array<std::pair<int, int>, 20> kWorkingButtons = {{
    {IDC_ALARM1_CHECK, 3}, {IDC_ALARM2_CHECK, 3},   {IDC_ALARM3_CHECK, 3},   {IDC_ALARM4_CHECK, 3},
    {IDC_COUNTDOWN_CHECK, 4}, {IDC_STOPWATCH_CHECK, 4}, {IDC_START, 8},      {IDC_STOP, 5},
    {IDC_EXTRA1, 4},       {IDC_EXTRA2, 4},         {IDC_ALARM_OFF, 5},      {IDC_SOUND, 2},
    {IDC_CONTINUOUS_ALARM, 2}, {IDC_HOURLY_SIGNAL, 2}, {IDC_START_MINIMIZED, 1}, {IDC_AUTOSTART, 1},
    {IDC_TRAY, 2},         {IDC_LABELS, 2},         {IDC_INFO, 1},           {2, 1},
}};

constexpr std::array<int, 5> kLabelInputs = {IDC_LABEL_IN1, IDC_LABEL_IN2, IDC_LABEL_IN3, IDC_LABEL_IN4, IDC_LABEL_IN5};
constexpr std::array<int, 5> kLabelButtons = {IDC_LABEL_SET1, IDC_LABEL_SET2, IDC_LABEL_SET3, IDC_LABEL_SET4,
                                              IDC_LABEL_SET5};

std::string NameOf(int id) {
    static const std::map<int, std::string> names = {
        {IDC_START, "Start"}, {IDC_STOP, "Stopp"}, {IDC_EXTRA1, "extra 1"}, {IDC_EXTRA2, "extra 2"},
        {IDC_ALARM_OFF, "Alarm aus"}, {IDC_ALARM1_CHECK, "alarm 1 selector"}, {IDC_ALARM2_CHECK, "alarm 2 selector"},
        {IDC_ALARM3_CHECK, "alarm 3 selector"}, {IDC_ALARM4_CHECK, "alarm 4 selector"},
        {IDC_COUNTDOWN_CHECK, "countdown selector"}, {IDC_STOPWATCH_CHECK, "stopwatch selector"},
        {IDC_SOUND, "Sound"}, {IDC_CONTINUOUS_ALARM, "Daueralarm"}, {IDC_HOURLY_SIGNAL, "Stundensignal"},
        {IDC_START_MINIMIZED, "minimiert starten"}, {IDC_AUTOSTART, "mit Windows starten"}, {IDC_TRAY, "tray"},
        {IDC_LABELS, "label editor"}, {IDC_INFO, "Info"}, {2, "Anwendung beenden"},
        {IDC_ALARM1_HOUR, "alarm 1 h"}, {IDC_ALARM1_MIN, "alarm 1 min"}, {IDC_ALARM1_SEC, "alarm 1 s"},
        {IDC_ALARM2_HOUR, "alarm 2 h"}, {IDC_ALARM2_MIN, "alarm 2 min"}, {IDC_ALARM2_SEC, "alarm 2 s"},
        {IDC_ALARM3_HOUR, "alarm 3 h"}, {IDC_ALARM3_MIN, "alarm 3 min"}, {IDC_ALARM3_SEC, "alarm 3 s"},
        {IDC_ALARM4_HOUR, "alarm 4 h"}, {IDC_ALARM4_MIN, "alarm 4 min"}, {IDC_ALARM4_SEC, "alarm 4 s"},
        {IDC_COUNTDOWN_HOUR, "countdown h"}, {IDC_COUNTDOWN_MIN, "countdown min"},
        {IDC_COUNTDOWN_SEC, "countdown s"},
    };
    const auto it = names.find(id);
    return std::to_string(id) + (it == names.end() ? "" : " (" + it->second + ")");
}

}  // namespace

std::string LocalClock(std::int64_t wallMs) {
    const LocalTime t = ToLocalTime(wallMs / 1000);
    char buf[40];
    std::snprintf(buf, sizeof buf, "%02d.%02d. %02d:%02d:%02d.%03d", t.day, t.month, t.hour, t.minute, t.second,
                  static_cast<int>(wallMs % 1000));
    return buf;
}

std::string Describe(const Action& a) {
    switch (a.kind) {
        case Action::Click: return "click " + NameOf(a.id);
        case Action::Type: return "type " + Quote(a.text) + " into " + NameOf(a.id);
        case Action::Paste: return "paste " + Quote(a.text) + " into " + NameOf(a.id);
        case Action::Enter: return "Enter";
        case Action::Escape: return "Esc";
        case Action::Close: return "system menu Close";
        case Action::About: return "system menu Info";
        case Action::TrayShow: return "tray icon message " + std::to_string(a.value);
        case Action::Time: return "wait " + std::to_string(a.value) + " ms";
        case Action::SetClock: return "set the clock to " + LocalClock(a.value);
        case Action::Lock: return "another program holds config.dat for " + std::to_string(a.value) + " actions";
    }
    return {};
}

Action MonkeyEngine::Draw() {
    Action a;
    if (!Wnd().IsVisible()) {
        // In the notification area: time passes, alarms and full hours come,
        // until the icon brings it back.
        const auto r = m_rng.Below(100);
        if (r < 30) {
            a.kind = Action::TrayShow;
            a.value = m_rng.Chance(70) ? kLButtonUp : m_rng.Chance(70) ? kRButtonUp : kMouseMove;
        } else if (r < 90) {
            a.kind = Action::Time;
            a.value = TimeStepMs(m_rng, m_dlg->State().stopwatch.Running());
        } else {
            a.kind = Action::Click;
            a.id = m_controlIds[m_rng.Below(m_controlIds.size())];
        }
        return a;
    }
    const auto r = m_rng.Below(100);
    if (r < 30) {
        int total = 0;
        for (const auto& [id, weight] : kWorkingButtons) total += weight;
        int pick = static_cast<int>(m_rng.Below(static_cast<std::uint64_t>(total)));
        a.kind = Action::Click;
        for (const auto& [id, weight] : kWorkingButtons) {
            if (pick < weight) {
                a.id = id;
                break;
            }
            pick -= weight;
        }
    } else if (r < 36) {
        a.kind = Action::Click;
        a.id = m_controlIds[m_rng.Below(m_controlIds.size())];
    } else if (r < 46) {
        PlanEntry();
        a = m_plan.front();
        m_plan.pop_front();
    } else if (r < 51) {
        PlanStopwatch();
        a = m_plan.front();
        m_plan.pop_front();
    } else if (r < 58) {
        // One field of any slot, typed or pasted, with anything in it; the
        // fields of slots not selected refuse it.
        const auto& slot = kSlotFields[m_rng.Below(kSlotFields.size())];
        const std::array<int, 3> fields = {slot.hours, slot.minutes, slot.seconds};
        a.kind = m_rng.Chance(60) ? Action::Type : Action::Paste;
        a.id = m_rng.Chance(10) ? m_controlIds[m_rng.Below(m_controlIds.size())] : m_rng.Pick(fields);
        a.text = EntryText(m_rng);
    } else if (r < 64) {
        a.kind = Action::Enter;
    } else if (r < 89) {
        a.kind = Action::Time;
        a.value = TimeStepMs(m_rng, m_dlg->State().stopwatch.Running());
    } else if (r < 90) {
        a.kind = Action::Escape;
    } else if (r < 91) {
        a.kind = m_rng.Chance(50) ? Action::Close : Action::About;
    } else if (r < 94) {
        a.kind = Action::SetClock;
        const auto how = m_rng.Below(100);
        const std::int64_t now = World().WallClockMs();
        a.value = how < 15   ? (m_rng.Chance(50) ? kMidnightMs : kBackToWinterTimeMs) - m_rng.Between(1000, 600000)
                  : how < 45 ? m_rng.Between(kNightFromMs, kNightToMs)
                  : how < 70 ? now + (m_rng.Chance(50) ? 1 : -1) * m_rng.Between(1000, 60000)
                             : now + (m_rng.Chance(70) ? 1 : -1) * m_rng.Between(60001, 3 * 3600000);
    } else if (r < 96 && m_lockLeft == 0) {
        a.kind = Action::Lock;
        a.value = m_rng.Between(1, 8);
    } else {
        a.kind = Action::Time;
        a.value = TimeStepMs(m_rng, m_dlg->State().stopwatch.Running());
    }
    return a;
}

// A whole entry for an alarm or the countdown, field by field, and often
// Start or Enter after it. An alarm is mostly set a little ahead of the
// clock, so that it rings while the monkey plays.
void MonkeyEngine::PlanEntry() {
    const SlotSelector selected = m_dlg->State().selector;
    std::size_t slot = static_cast<std::size_t>(AlarmIndexOf(selected));
    if (selected == SlotSelector::Countdown) slot = 4;
    if (slot > 4) {
        slot = m_rng.Below(5);
        m_plan.push_back({Action::Click, kSlotFields[slot].selector, {}, 0});
    }
    std::array<std::string, 3> texts;
    if (slot == 4) {
        texts = CountdownEntryTexts(m_rng);
    } else {
        const LocalTime now = ToLocalTime(World().WallClockMs() / 1000);
        const std::int64_t nowOfDay = now.hour * 3600 + now.minute * 60 + now.second;
        const auto kind = m_rng.Below(100);
        const std::int64_t target = kind < 45   ? nowOfDay + m_rng.Between(2, 90)
                                    : kind < 70 ? nowOfDay + m_rng.Between(91, 3600)
                                                : m_rng.Between(0, 86399);
        texts = AlarmEntryTexts(m_rng, target % 86400);
    }
    const std::array<int, 3> fields = {kSlotFields[slot].hours, kSlotFields[slot].minutes, kSlotFields[slot].seconds};
    for (std::size_t i = 0; i < 3; ++i)
        m_plan.push_back({m_rng.Chance(80) ? Action::Type : Action::Paste, fields[i], texts[i], 0});
    const auto then = m_rng.Below(100);
    if (then < 45) m_plan.push_back({Action::Click, IDC_START, {}, 0});
    else if (then < 80) m_plan.push_back({Action::Enter, 0, {}, 0});
}

// A few moments with the stopwatch: its selector, then its buttons in some
// order with short waits between, as someone timing something does.
void MonkeyEngine::PlanStopwatch() {
    m_plan.push_back({Action::Click, IDC_STOPWATCH_CHECK, {}, 0});
    static constexpr std::array<int, 6> kMoves = {IDC_START, IDC_STOP, IDC_STOP, IDC_EXTRA1, IDC_EXTRA1, IDC_EXTRA2};
    for (auto n = m_rng.Between(2, 8); n > 0; --n) {
        if (m_rng.Chance(45)) m_plan.push_back({Action::Time, 0, {}, m_rng.LogUniform(10, 3000)});
        else m_plan.push_back({Action::Click, m_rng.Pick(kMoves), {}, 0});
    }
}

std::string MonkeyEngine::Click(int id) {
    ++m_counts.clicks;
    const headless::Node* c = World().Control(Wnd(), id);
    const bool hidden = !Wnd().IsVisible(), disabled = c && !c->enabled;
    if (!World().Click(Wnd(), id)) {
        ++m_counts.refusedById[id];
        if (hidden) {
            ++m_counts.refusedHidden;
            return " refused (window hidden)";
        }
        if (disabled) {
            ++m_counts.refusedDisabled;
            return " refused (disabled)";
        }
        ++m_counts.refusedOther;
        return " refused (not a button)";
    }
    if (id == IDC_TRAY && !Wnd().IsVisible()) {
        ++m_counts.trayHides;
        if (m_rng.Chance(60)) {
            Wnd().Post(WM_TRAYNOTIFY, 1, kLButtonUp);
            World().Advance(0);
            ++m_counts.trayShows;
            return " and back from the icon";
        }
    }
    return "";
}

// Typing goes through the keyboard (a digit-only field refuses the rest);
// a paste sets the text directly, as a paste into such a field still can.
std::string MonkeyEngine::PutText(const Action& a) {
    if (a.kind == Action::Type) {
        ++m_counts.typed;
        if (World().Type(Wnd(), a.id, a.text)) return "";
        ++m_counts.typedRefused;
        return " refused";
    }
    ++m_counts.pasted;
    const headless::Node* c = World().Control(Wnd(), a.id);
    if (!c || c->className != "Edit" || (c->style & kEsReadOnly) || !World().Click(Wnd(), a.id)) {
        ++m_counts.pastedRefused;
        return " refused";
    }
    Wnd().Item(a.id).SetText(a.text);
    return "";
}

std::string MonkeyEngine::Execute(const Action& a) {
    auto& w = World();
    switch (a.kind) {
        case Action::Click: return Click(a.id);
        case Action::Type:
        case Action::Paste: return PutText(a);
        case Action::Enter:
            ++m_counts.enters;
            w.PressEnter(Wnd());
            return "";
        case Action::Escape:
            ++m_counts.escapes;
            w.PressEscape(Wnd());
            if (m_dlg->IsEnded()) return "";
            ++m_counts.escapesIgnored;
            return " ignored";
        case Action::Close: w.SystemCommand(Wnd(), kScClose); return "";
        case Action::About: w.SystemCommand(Wnd(), IDM_ABOUTBOX); return "";
        case Action::TrayShow:
            ++m_counts.trayShows;
            Wnd().Post(WM_TRAYNOTIFY, 1, static_cast<LParam>(a.value));
            w.Advance(0);
            return "";
        case Action::Time:
            ++m_counts.timeSteps;
            m_counts.simulatedMs += a.value;
            w.Advance(a.value);
            return "";
        case Action::SetClock:
            ++m_counts.clockSets;
            w.SetWallClockMs(a.value);
            return "";
        case Action::Lock:
            ++m_counts.locks;
            if (auto* file = w.FindFile(m_dlg->SettingsPath())) file->lockedByOtherProgram = true;
            m_lockLeft = static_cast<int>(a.value);
            return "";
    }
    return "";
}

void MonkeyEngine::UseModal(Dialog& dialog) {
    if (dialog.TemplateId() == IDD_BESCHRIFTUNG) UseEditor(dialog);
    else UseAbout(dialog);
}

// A few renames, some refused, some with the wrong button, some time in
// between; then the editor is closed one way or another.
void MonkeyEngine::UseEditor(Dialog& editor) {
    ++m_counts.editorRuns;
    const Window& e = editor.Wnd();
    m_modalLog += " [editor:";
    for (auto n = m_rng.Below(5); n > 0 && !editor.IsEnded(); --n) {
        const std::size_t k = m_rng.Below(5);
        const std::string text = LabelText(m_rng);
        if (m_rng.Chance(50)) e.Item(kLabelInputs[k]).SetText(text);
        else World().Type(e, kLabelInputs[k], text);
        const std::size_t button = m_rng.Chance(85) ? k : m_rng.Below(5);
        World().Click(e, kLabelButtons[button]);
        ++m_counts.renames;
        m_modalLog += " label " + std::to_string(k + 1) + " " + Quote(text) + " set " + std::to_string(button + 1);
        if (m_rng.Chance(15)) {
            const std::int64_t ms = m_rng.Between(10, 3000);
            World().Advance(ms);
            m_modalLog += ", wait " + std::to_string(ms) + " ms";
        }
    }
    if (editor.IsEnded()) {
        m_modalLog += "; ended]";
        return;
    }
    switch (m_rng.Below(4)) {
        case 0: m_modalLog += "; closed]"; break;
        case 1: World().PressEnter(e); m_modalLog += "; Enter]"; break;
        case 2: World().PressEscape(e); m_modalLog += "; Esc]"; break;
        default: World().SystemCommand(e, kScClose); m_modalLog += "; Close]"; break;
    }
}

void MonkeyEngine::UseAbout(Dialog& about) {
    ++m_counts.aboutRuns;
    m_modalLog += " [about";
    if (m_rng.Chance(30)) {
        const int id = m_rng.Chance(50) ? IDC_MAIL : IDC_HOMEPAGE;
        World().Click(about.Wnd(), id);
        m_modalLog += " click " + std::to_string(id);
    }
    if (m_rng.Chance(50)) World().Click(about.Wnd(), 1);
    m_modalLog += "]";
}

}  // namespace hv::test
