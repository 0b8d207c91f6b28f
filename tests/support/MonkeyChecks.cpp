#include "tests/support/MonkeyChecks.h"

#include <cstdio>

#include "model/SettingsRecord.h"
#include "platform/Services.h"
#include "platform/headless/World.h"
#include "res/resource.h"
#include "ui/HauptDlg.h"

namespace hv::test {
namespace {

constexpr int kOverviewIds[4] = {IDC_ALARM1_OVERVIEW, IDC_ALARM2_OVERVIEW, IDC_ALARM3_OVERVIEW, IDC_ALARM4_OVERVIEW};
constexpr int kOptionIds[5] = {IDC_SOUND, IDC_CONTINUOUS_ALARM, IDC_HOURLY_SIGNAL, IDC_START_MINIMIZED, IDC_AUTOSTART};
constexpr std::pair<int, SlotSelector> kSelectors[6] = {
    {IDC_ALARM1_CHECK, SlotSelector::Alarm1},      {IDC_ALARM2_CHECK, SlotSelector::Alarm2},
    {IDC_ALARM3_CHECK, SlotSelector::Alarm3},      {IDC_ALARM4_CHECK, SlotSelector::Alarm4},
    {IDC_COUNTDOWN_CHECK, SlotSelector::Countdown}, {IDC_STOPWATCH_CHECK, SlotSelector::Stopwatch},
};

headless::World& TheWorld() { return headless::World::Get(); }

std::string Hhmmss(const LocalTime& t) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d%02d%02d", t.hour, t.minute, t.second);
    return buf;
}

std::string Clock(std::int64_t epochSeconds) {
    const LocalTime t = ToLocalTime(epochSeconds);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02d.%02d. %02d:%02d:%02d", t.day, t.month, t.hour, t.minute, t.second);
    return buf;
}

std::int64_t Seconds(std::int64_t ms) { return ms >= 0 ? ms / 1000 : -((-ms + 999) / 1000); }

// Start, Stopp, extra-function buttons 1 and 2; '?' where either is right.
struct Buttons {
    char start, stop, extra1, extra2;
    std::string Text() const { return {start, stop, extra1, extra2}; }
};

// The button tables of the slot controls, for the selected slot's state.
// A countdown that ended and rings until "Alarm aus" is in none of their
// rows: its counters are gone, as in "none", yet Stopp on it still stops the
// ringing. Its end leaves Stopp enabled when the countdown is selected, and
// selecting the countdown again disables it; either is let through here and
// reported as a note. Pause and resume mean nothing for it: both
// extra-function buttons must be off.
Buttons Expected(const TimekeepingState& st, std::string& state) {
    const int alarm = AlarmIndexOf(st.selector);
    if (st.selector == SlotSelector::None) {
        state = "no slot chosen";
        return {'-', '-', '-', '-'};
    }
    if (alarm >= 0) {
        const bool armed = st.alarms[static_cast<std::size_t>(alarm)].active;
        state = "alarm " + std::to_string(alarm + 1) + (armed ? " armed" : " not armed");
        return {'+', armed ? '+' : '-', '-', '-'};
    }
    if (st.selector == SlotSelector::Countdown) {
        const CountdownState& c = st.countdown;
        if (c.ringing) {
            state = "countdown ended and ringing";
            return {'+', '?', '-', '-'};
        }
        if (!c.HasValue()) {
            state = "countdown none";
            return {'+', '-', '-', '-'};
        }
        state = c.active ? "countdown counting" : "countdown paused";
        return c.active ? Buttons{'+', '+', '+', '-'} : Buttons{'+', '+', '-', '+'};
    }
    const bool running = st.stopwatch.Running(), held = st.stopwatch.HasValue() && !running;
    state = running ? "stopwatch running" : held ? "stopwatch held" : "stopwatch without value";
    if (running) return {'+', '+', '-', '-'};
    return held ? Buttons{'+', '-', '+', '+'} : Buttons{'+', '-', '-', '-'};
}

bool Matches(char expected, bool enabled) { return expected == '?' || (expected == '+') == enabled; }

}  // namespace

std::string RestoredItemName(std::size_t i) {
    if (i < 4) return "overview of alarm " + std::to_string(i + 1);
    if (i < 10) return "label " + std::to_string(i - 3);
    return "check of " + std::to_string(kOptionIds[i - 10]);
}

Observation Observe(HauptDlg& dlg) {
    auto& w = TheWorld();
    const Window& wnd = dlg.Wnd();
    Observation o;
    for (std::size_t i = 0; i < 4; ++i) o.restored[i] = wnd.Item(kOverviewIds[i]).Text();
    for (std::size_t i = 0; i < 6; ++i) o.restored[4 + i] = dlg.Labels()[i];
    for (std::size_t i = 0; i < 5; ++i) o.restored[10 + i] = std::to_string(wnd.Item(kOptionIds[i]).Check());
    o.monoMs = w.MonotonicMs();
    o.wallMs = w.WallClockMs();
    o.visible = wnd.IsVisible();
    o.soundOn = wnd.Item(IDC_SOUND).Check() == 1;
    const TimekeepingState& st = dlg.State();
    o.stopwatchRunning = st.stopwatch.Running();
    o.stopwatchHasValue = st.stopwatch.HasValue();
    const StopwatchReading r = st.stopwatch.Reading();
    o.stopwatchTenths = ((std::int64_t{r.hours} * 60 + r.minutes) * 60 + r.seconds) * 10 + r.tenths;
    o.workersAlive = dlg.StopwatchWorkersAlive();
    const CountdownState& c = st.countdown;
    o.countdownCounting = c.active && c.HasValue();
    o.countdownRinging = c.ringing;
    if (o.countdownCounting) o.countdownLeft = std::int64_t{c.hours} * 3600 + c.minutes * 60 + c.seconds;
    for (std::size_t k = 0; k < 4; ++k) {
        const AlarmSlot& a = st.alarms[k];
        o.alarmActive[k] = a.active;
        o.alarmRinging[k] = a.ringing;
        o.alarmTarget[k] = a.hourText + a.minuteText + a.secondText;
    }
    o.sounds = w.sounds.size();
    o.workersStarted = w.workerPriorities.size();
    return o;
}

void CheckWindow(HauptDlg& dlg, std::vector<std::string>& violations, std::vector<std::string>& notes) {
    auto& w = TheWorld();
    const Window& wnd = dlg.Wnd();
    const auto enabled = [&](int id) { return w.Control(wnd, id)->enabled; };
    const auto checked = [&](int id) { return w.Control(wnd, id)->check == 1; };
    const TimekeepingState& st = dlg.State();

    for (const std::string& failure : w.handlerFailures) violations.push_back("handler failure: " + failure);

    const headless::FakeFile* file = w.FindFile(dlg.SettingsPath());
    if (!file) violations.push_back("config.dat is gone");
    else if (file->bytes.size() != kSettingsRecordSize)
        violations.push_back("config.dat holds " + std::to_string(file->bytes.size()) + " bytes");

    std::string marks;
    int count = 0;
    bool selectedChecked = false;
    for (const auto& [id, slot] : kSelectors) {
        marks += checked(id) ? '1' : '0';
        count += checked(id) ? 1 : 0;
        if (slot == st.selector) selectedChecked = checked(id);
    }
    if (st.selector == SlotSelector::None ? count != 0 : count != 1 || !selectedChecked)
        violations.push_back("slot selectors checked " + marks + " with selector " +
                             std::to_string(static_cast<int>(st.selector)));

    std::string state;
    const Buttons expected = Expected(st, state);
    const Buttons shown{enabled(IDC_START) ? '+' : '-', enabled(IDC_STOP) ? '+' : '-',
                        enabled(IDC_EXTRA1) ? '+' : '-', enabled(IDC_EXTRA2) ? '+' : '-'};
    if (!Matches(expected.start, shown.start == '+') || !Matches(expected.stop, shown.stop == '+') ||
        !Matches(expected.extra1, shown.extra1 == '+') || !Matches(expected.extra2, shown.extra2 == '+'))
        violations.push_back(state + ": Start/Stopp/extra 1/extra 2 enabled " + shown.Text() + ", the tables have " +
                             expected.Text());
    if (expected.stop == '?')
        notes.push_back(state + " with the countdown selected: Stopp " + (shown.stop == '+' ? "enabled" : "disabled"));

    // Without sound only the continuous alarm's notice can announce an alarm.
    const bool sound = checked(IDC_SOUND);
    if (!sound && (!checked(IDC_CONTINUOUS_ALARM) || enabled(IDC_CONTINUOUS_ALARM)))
        violations.push_back("Sound off but Daueralarm not checked and greyed");
    // While anything rings only "Alarm aus" can end it; the options wait.
    const bool ringing = st.AnythingRinging();
    if (enabled(IDC_ALARM_OFF) != (ringing || st.hourlySignalPending))
        violations.push_back(std::string("Alarm aus ") + (enabled(IDC_ALARM_OFF) ? "enabled" : "disabled") +
                             (ringing ? " while ringing" : st.hourlySignalPending ? " with the hourly signal pending"
                                                                                  : " with nothing to acknowledge"));
    if (enabled(IDC_SOUND) == ringing || enabled(IDC_CONTINUOUS_ALARM) != (!ringing && sound))
        violations.push_back(std::string("Sound/Daueralarm enabled ") + (enabled(IDC_SOUND) ? '+' : '-') +
                             (enabled(IDC_CONTINUOUS_ALARM) ? '+' : '-') + (ringing ? " while ringing" : ""));

    // Keys reach a dialog only through a focused control: without one, Esc
    // does not close the shown window, nor Tab move on.
    if (wnd.IsVisible() && wnd.IsEnabled()) {
        const headless::Node* focus = w.Find(w.Focus());
        if (!focus || (focus->handle != wnd.Handle().value && focus->parent != wnd.Handle().value))
            violations.push_back("the shown window has no focused control: the keyboard does not reach it");
    }
}

void CheckAction(const Observation& before, const Observation& after, bool timeStep, bool pressedStart,
                 std::vector<std::string>& violations) {
    const std::int64_t dt = after.monoMs - before.monoMs;
    const auto say = [&](const std::string& what) {
        violations.push_back(what + " (" + std::to_string(dt) + " ms on the monotonic clock)");
    };

    // The stopwatch counts on the monotonic clock: however many workers
    // are alive, its reading never runs ahead of it, nor falls behind it by
    // more than the tenth a worker may still be asleep for. Only a reset or
    // a start from zero takes it back; holding and continuing keep it.
    const std::int64_t gained = after.stopwatchTenths - before.stopwatchTenths;
    if (gained > dt / 100 + 2) say("the stopwatch gained " + std::to_string(gained) + " tenths");
    if (gained < 0 && after.stopwatchHasValue && (!pressedStart || after.stopwatchTenths > dt / 100 + 1))
        say("the stopwatch went back from " + std::to_string(before.stopwatchTenths) + " to " +
            std::to_string(after.stopwatchTenths) + " tenths");
    if (timeStep) {
        if (before.stopwatchRunning != after.stopwatchRunning) say("time alone started or stopped the stopwatch");
        else if (after.stopwatchRunning && gained < dt / 100 - 1)
            say("the running stopwatch gained only " + std::to_string(gained) + " tenths");
        else if (!after.stopwatchRunning && gained != 0) say("the stopwatch changed while not running");
        // A stopped worker ends within one sleep; after that only the
        // running one is left.
        if (dt >= 250 && after.workersAlive != (after.stopwatchRunning ? 1u : 0u))
            say(std::to_string(after.workersAlive) + " stopwatch workers alive, running " +
                std::to_string(after.stopwatchRunning));
    }
    if (!timeStep) return;

    // The countdown counts off the seconds of the monotonic clock; the tick's
    // phase and the first tick counting one leave it a second either way.
    if (before.countdownCounting) {
        const double passed = static_cast<double>(dt) / 1000.0;
        if (after.countdownCounting) {
            const auto off = static_cast<double>(before.countdownLeft - after.countdownLeft);
            if (off < passed - 2 || off > passed + 2) say("the countdown counted off " + std::to_string(off) + " s");
        } else if (static_cast<double>(before.countdownLeft) > passed + 2) {
            say("the countdown with " + std::to_string(before.countdownLeft) + " s left ended");
        }
    } else if (after.countdownCounting) {
        say("time alone started the countdown");
    }

    // Armed alarms ring at their second, and an alarm sound comes only for
    // an alarm or the countdown. The first tick of the step may still catch
    // up to a minute before it (a clock set just before), and the last may
    // not have come yet.
    bool alarmSound = false;
    const auto& sounds = TheWorld().sounds;
    for (std::size_t i = before.sounds; i < after.sounds && i < sounds.size(); ++i)
        if (sounds[i].name && sounds[i].name->ends_with("alarm-sound.wav")) alarmSound = true;
    const std::int64_t from = Seconds(before.wallMs), to = Seconds(after.wallMs);
    std::array<bool, 4> dueSurely{}, dueMaybe{};
    for (std::int64_t s = from - 62; s <= to + 1; ++s) {
        const std::string now = Hhmmss(ToLocalTime(s));
        for (std::size_t k = 0; k < 4; ++k) {
            if (!before.alarmActive[k] || now != before.alarmTarget[k]) continue;
            dueMaybe[k] = true;
            if (s >= from + 2 && s <= to - 2) dueSurely[k] = true;
        }
    }
    for (std::size_t k = 0; k < 4; ++k) {
        if (!dueSurely[k] || !after.alarmActive[k] || after.alarmTarget[k] != before.alarmTarget[k]) continue;
        if (!(before.soundOn && alarmSound) && !after.alarmRinging[k])
            say("alarm " + std::to_string(k + 1) + " for " + before.alarmTarget[k] + " did not ring between " +
                Clock(from) + " and " + Clock(to));
    }
    const bool anyDue = dueMaybe[0] || dueMaybe[1] || dueMaybe[2] || dueMaybe[3];
    if (alarmSound && !anyDue && !before.countdownCounting)
        say("an alarm sound between " + Clock(from) + " and " + Clock(to) + " with no alarm due");
}

}  // namespace hv::test
