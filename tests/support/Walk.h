#pragma once
// A seeded random walk over the main window's decisions, in a zone and from
// a time given (a few hours before a change of summer time): what a user
// could do (only on controls the view enables; nothing but the tray icon
// while hidden), time in steps of 10 ms to 10 min with the ticks as a timer
// delivers them, busy spells and sleeps of seconds to days, the clock set,
// the settings file held or refused, restarts from the file. After every
// step the window's invariants are checked, and at every tick that each
// armed alarm's time, wherever the local clock showed or skipped it, was
// rung or said missed once.
#include <cmath>
#include <cstring>
#include <memory>
#include <numeric>
#include <random>

#include "engine/ClockText.h"
#include "engine/LabelText.h"
#include "engine/NextRing.h"
#include "platform/Constants.h"
#include "tests/support/Rig.h"

namespace hvtest {

struct WalkCounts {
    long steps = 0, commands = 0, declined = 0, ticks = 0, alarmSounds = 0, broughtBack = 0, countdownEnds = 0,
         hourly = 0, fileErrors = 0, holdsWaited = 0, restarts = 0, clockSets = 0, rung = 0, said = 0;
    double hours = 0;
};

class Walk {
public:
    // By default Saturday 2027-10-30 22:00 in Berlin, before the autumn change.
    explicit Walk(std::uint64_t seed, Zone zone = BerlinTime, std::int64_t startUtc = EpochOf(2027, 10, 30, 20, 0, 0))
        : m_random(seed), m_zone(zone), m_wallOffset(startUtc * 1000 - m_mono) {
        Restart();
    }

    std::vector<std::string> problems;
    WalkCounts counts;
    std::string last;  // what the last step did

    void Step() {
        ++counts.steps;
        m_failed = false;
        m_wasRinging = m->timers.AnythingRinging();
        const MainView v = ViewOf(*m);
        const int r = Pick(0, 99);
        // clang-format off
        if (m->timers.inTray) r < 80 ? Advance(Duration()) : TrayMouse(kMouse[Pick(0, 5)]);
        else if (const int k = Pick(0, 5); r < 12) Command("select " + std::to_string(k), SelectSlot(*m, SelectorOfSlot(k)));
        else if (r < 26) StartEntry(v.openEntrySlot, v.start.enabled);
        else if (r < 31) Click(v.stop.enabled, "Stopp", [&] { return Stopp(*m, m_file, m_mono); });
        else if (r < 35) Click(v.extra1.enabled, "extra 1", [&] { return Zusatzfunktion1(*m, m_file, m_mono); });
        else if (r < 39) Click(v.extra2.enabled, "extra 2", [&] { return Zusatzfunktion2(*m, m_file, m_mono); });
        else if (r < 44) Click(v.alarmOffEnabled, "Alarm aus", [&] { return Acknowledged(AlarmAus(*m, m_file)); });
        else if (r < 47) Click(v.soundEnabled, "Sound", [&] { return Sound(*m, m_file); });
        else if (r < 49) Click(v.continuousAlarmEnabled, "Daueralarm", [&] { return Daueralarm(*m, m_file); });
        else if (r < 52) Command("Stundensignal", Stundensignal(*m, m_file));
        else if (r < 53) Command("minimiert starten", MinimiertStarten(*m, m_file));
        else if (r < 54) m_registry.writable = Pick(0, 9) > 0,
                         Command("mit Windows starten", MitWindowsStarten(*m, m_file, m_registry, "C:\\H\\Horovant.exe"));
        else if (r < 56) Labels();
        else if (r < 58) Command("tray", TrayMinimieren(*m));
        else if (r < 60) Command("paint", Paint(*m));
        else if (r < 62) m_store.holdFor = Pick(1, 7), last = "file held";
        else if (r < 63) m_store.refuse = Pick(0, 1) ? FileError::AccessDenied : FileError::DiskFull, last = "file refused";
        else if (r < 64) Restart();
        else if (r < 66) SetClock();
        else Advance(Duration());
        // clang-format on
        Check();
        if (m_failed) Restart();  // the file and the window part: start again from the file
    }

private:
    static constexpr unsigned kMouse[6] = {0x200, 0x201, 0x202, 0x205, 0x203, 0x207};
    static constexpr int kSelectors[6] = {1005, 1026, 1030, 1034, 1008, 1013};

    int Pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(m_random); }
    std::int64_t Wall() const { return m_mono + m_wallOffset; }
    std::int64_t Duration() {  // 10 ms to 10 min idle; negative: a busy spell or sleep of 5 s to 2 h, or 3 days
        const int r = Pick(0, 39);
        return r < 24   ? Pick(10, 3000)
               : r < 34 ? Pick(3000, 600000)
                        : -static_cast<std::int64_t>(std::exp(Pick(852, r < 39 ? 1580 : 1940) / 100.0));
    }

    void Apply(const Effects& e) {
        using S = hv::Step;
        for (const S& s : e.steps) {
            if (s.kind == S::FileFailed) m_failed = true, ++counts.fileErrors;
            if (s.kind == S::LaunchWorker) m_runs.push_back(s.run);
            counts.alarmSounds += s.text == kAlarmSound,
                counts.hourly += s.kind == S::HourlyBox || s.text == kHourlySound;
        }
        counts.holdsWaited += m_store.pauses > 0 && !m_failed, m_store.pauses = 0;
    }
    void Command(const std::string& what, const Effects& e) {
        last = what, ++counts.commands;
        Apply(e);
        const CountdownState& c = m->timers.countdown;
        if (!c.active) m_countdownDue.reset();
        else if (!m_counting) m_countdownDue = m_mono + ((c.hours * 60LL + c.minutes) * 60 + c.seconds) * 1000;
        m_counting = c.active;
        m_store.holdFor = 0, m_store.refuse = FileError::None;  // the other program lets go
    }
    template <typename F>
    void Click(bool enabled, const std::string& what, F command) {
        if (enabled) return Command(what, command());
        ++counts.declined, last = what + " (disabled)";
    }
    std::string Part(int max) {
        static const char* odd[] = {
            "", "7", "007", "24", "60", "7a", " 7", "+7", "0000000000000000000023", "123456", "2147483648"};
        return Pick(0, 2) ? std::to_string(Pick(0, max)) : odd[Pick(0, 10)];
    }
    void StartEntry(int open, bool enabled) {
        if (!enabled) return Click(false, "Start", [] { return Effects{}; });
        EntryTexts e{Part(30), Part(70), Part(200)};
        if (open >= 0 && open < 4 && Pick(0, 1)) {  // a little ahead of the clock, or hours
            const LocalTime t = m_zone(Wall() / 1000 + (Pick(0, 3) ? Pick(1, 90) : Pick(1, 4 * 3600)));
            e = {std::to_string(t.hour), TwoDigits(t.minute), TwoDigits(t.second)};
        }
        if (open == 4 && Pick(0, 3)) e.hours = e.minutes = "";  // seconds, to see it end
        const Effects done = hv::Start(*m, m_file, e, m_mono);
        if (open == 4) m_counting = false;  // a new countdown
        // Armed anew: its time comes from the first second not yet examined.
        if (open >= 0 && open < 4 && !done.Has(hv::Step::Message) && !done.Has(hv::Step::FileFailed))
            m_seen[static_cast<std::size_t>(open)].reset();
        Command("Start " + e.hours + "|" + e.minutes + "|" + e.seconds, done);
    }
    void TrayMouse(unsigned mouse) {  // only a button's release brings the window back
        Command("tray notify " + std::to_string(mouse), TrayNotify(*m, mouse));
        Fail(m->timers.inTray == (mouse == msg::kLButtonUp || mouse == msg::kRButtonUp), "tray icon and " + last);
    }
    Effects Acknowledged(const Effects& e) {  // nothing rang: the missed alarms' notice is acknowledged
        if (!m_wasRinging) m_said = 0;
        return e;
    }
    void Labels() {
        static const char* typed[] = {"", "Wecker", "Zeit f\xfcr Tee", "123456789012345", "1234567890123456", " "};
        std::array<std::string, 5> edited;
        std::copy_n(m->labels.begin(), 5, edited.begin());
        for (int n = Pick(0, 2); n > 0; --n)
            if (const RenameResult r = Rename(typed[Pick(0, 5)]); !r.refusal)
                edited[static_cast<std::size_t>(Pick(0, 4))] = r.label;
        Command("labels", TakeLabels(*m, m_file, edited));
    }
    void SetClock() {  // by 1 s to 2.8 h, either way
        const std::int64_t by =
            (Pick(0, 1) ? 1 : -1) * static_cast<std::int64_t>(std::exp(Pick(0, 920) / 100.0)) * 1000;
        m_countdownDue.reset();  // its tick comes at once, and the phase changes
        m_wallOffset += by, ++counts.clockSets, last = "clock set by " + std::to_string(by / 1000) + " s";
        Tick();
    }
    // The local clock as a count of seconds, made otherwise than the program
    // makes it; the zones change at whole hours of UTC.
    std::int64_t Local(std::int64_t s) {
        const std::int64_t hour = s - ((s % 3600) + 3600) % 3600;
        if (hour != m_hour.first) {
            const LocalTime t = m_zone(hour);
            m_hour = {hour, EpochOf(t.year, t.month, t.day, t.hour, t.minute, t.second)};
        }
        return m_hour.second + s - hour;
    }
    // Per alarm, second by second since the last tick: how often its time of
    // day came on the local clock, shown or skipped, but not again in the
    // hour that autumn repeats; rung when the tick catches up (a minute at
    // most) or at the tick's own second, else said missed.
    int Expect(std::int64_t now, std::array<int, 4>& ring, std::array<int, 4>& said) {
        const bool fresh = !m_lastTick || now < *m_lastTick;  // a start, or the clock set back by hand
        const bool gap = !fresh && now - *m_lastTick > 60;
        int hours = 0;  // the full hours shown in the seconds caught up
        for (std::int64_t s = gap || fresh ? now : *m_lastTick + 1; s <= now && m->options.hourlySignal; ++s)
            hours += Local(s) % 3600 == 0;
        for (std::size_t k = 0; k < 4; ++k) {
            const AlarmSlot& a = m->timers.alarms[k];
            if (!a.active || TargetSecond(a) < 0) {
                m_seen[k].reset();
                continue;
            }
            if (fresh || !m_seen[k]) m_seen[k] = fresh ? Local(now) - 1 : Local(*m_lastTick);
            for (std::int64_t s = fresh ? now : *m_lastTick + 1; s <= now; ++s) {
                const std::int64_t local = Local(s);
                for (std::int64_t x = *m_seen[k] + 1; x <= local; ++x)
                    if (((x % 86400) + 86400) % 86400 == TargetSecond(a)) ++(gap && s != now ? said : ring)[k];
                m_seen[k] = std::max(*m_seen[k], local);
            }
        }
        m_lastTick = now;
        return hours;
    }
    void Tick() {
        ++counts.ticks;
        const bool wasRinging = m->timers.countdown.ringing;
        std::array<int, 4> ring{}, said{};
        const int hours = Expect(Wall() / 1000, ring, said);
        const bool wasCounting = m->timers.countdown.active;
        const std::optional<std::int64_t> due = NextRingDue(*m, Wall(), m_mono, m_zone);
        const TickResult r = SecondTick(*m, m_file, Wall(), m_mono, m_zone);
        // The wake timer's time: whatever came at this tick was due by now, and nothing else.
        const bool came = std::accumulate(ring.begin(), ring.end(), std::accumulate(said.begin(), said.end(), 0)) > 0 ||
                          (wasCounting && !m->timers.countdown.active);
        Fail(came != (due && *due <= Wall()), (came ? "came at " : "nothing at ") + std::to_string(Wall()) + ", due " + std::to_string(due.value_or(-1)));
        Fail(r.hours != hours, "full hours signalled " + std::to_string(r.hours) + ", not " + std::to_string(hours));
        // A countdown of N s ends N - 1 to N s after its Start or resume (a
        // tick may come 16 ms late), later only when its tick waited for a
        // busy loop or a sleep.
        if (m_countdownDue && !m->timers.countdown.active) {
            const std::int64_t late = m_mono - *m_countdownDue;
            Fail(late < -1000 - 40 || (late > 40 && !m_busy), "countdown ended " + std::to_string(late) + " ms late");
            m_countdownDue.reset();
        }
        m_counting = m->timers.countdown.active;
        int sounds = 0;
        for (const hv::Step& s : r.effects.steps) sounds += s.text == kAlarmSound;
        for (std::size_t k = 0; k < 4; ++k) {
            const auto n = [](int rung, int missed) { return std::to_string(rung) + " rung " + std::to_string(missed) + " said"; };
            Fail(r.rang[k] != ring[k] || r.missed[k] != said[k], "alarm " + std::to_string(k + 1) + " " +
                 n(r.rang[k], r.missed[k]) + ", not " + n(ring[k], said[k]) + " at " + ClockText(m_zone(Wall() / 1000)));
            counts.rung += ring[k], counts.said += said[k], m_said += said[k];
        }
        const int rang = ring[0] + ring[1] + ring[2] + ring[3];
        Fail(m->options.sound && (sounds < rang || sounds > rang + 1), "alarm sounds " + std::to_string(sounds));
        // Due on the first 15.625 ms clock tick after the period, taken 0-16 ms later.
        m_nextTick = ((m_mono + r.nextTickInMs) * 1000 + 15624) / 15625 * 15625 / 1000 + Pick(0, 16);
        counts.countdownEnds += (wasCounting && !m->timers.countdown.active) || m->timers.countdown.ringing != wasRinging;
        counts.broughtBack += CountOf(r.effects, hv::Step::Alert);
        Apply(r.effects);
    }
    // Negative: a busy loop or a sleep, whose ticks come as one.
    void Advance(std::int64_t ms) {
        last = (ms < 0 ? "busy " : "time +") + std::to_string(std::abs(ms)) + " ms";
        counts.hours += static_cast<double>(std::abs(ms)) / 3.6e6;
        const std::int64_t until = m_mono + std::abs(ms);
        if (ms < 0) m_mono = until, m_busy = true, Tick(), m_busy = false;
        while (m_nextTick <= until) m_mono = m_nextTick, Tick();
        m_mono = until;
        std::erase_if(m_runs, [&](std::uint64_t run) { return !m->timers.stopwatch.Count(run, m_mono); });
        if (DisplayTickInMs(*m, true, m_mono)) DisplayTick(*m);
    }
    void Restart() {
        ++counts.restarts, last = "restart";
        m_store.holdFor = 0, m_store.refuse = FileError::None;
        m = std::make_unique<MainModel>();
        ApplyStartStates(*m, m_file.Load().record);
        m_lastTick.reset(), m_said = 0, m_countdownDue.reset(), m_counting = false;
        m_runs.clear(), m_nextTick = m_mono + UntilNextTickMs(Wall());
        Apply(Paint(*m));
    }

    void Fail(bool failed, const std::string& what) {  // the first twenty
        if (failed && problems.size() < 20)
            problems.push_back("step " + std::to_string(counts.steps) + " after " + last + ": " + what);
    }
    // clang-format off
    void Check() {
        const TimekeepingState& t = m->timers;
        const CountdownState& c = t.countdown;
        const MainView v = ViewOf(*m);
        const int sel = SlotIndexOf(t.selector);
        for (int i = 0; i < 6; ++i) Fail(v.selectorChecked[static_cast<std::size_t>(i)] != (i == sel), "selector checks");
        Fail(v.openEntrySlot != (sel == 5 ? -1 : sel), "open entry fields");
        Fail(!v.checks.sound && (!v.checks.continuousAlarm || v.continuousAlarmEnabled), "Daueralarm without sound");
        const bool ringing = t.AnythingRinging();
        Fail(v.alarmOffEnabled != (ringing || t.hourlySignalPending || t.missedCount > 0) || v.soundEnabled == ringing,
             "Alarm aus, Sound");
        const bool notice = v.status.rfind(kReachedNotice, 0) == 0 || v.status.rfind(kEndedAsleepNotice, 0) == 0;
        const bool missed = v.status.rfind(kMissedOne, 0) == 0 || v.status.find(kMissedMany) != std::string::npos;
        Fail(ringing ? !notice : t.missedCount > 0 ? !missed : !v.status.empty(), "status " + v.status);
        // Every time said missed is in the notice until "Alarm aus" acknowledges it.
        const std::string saidCount = m_said == 1 ? kMissedOne : std::to_string(m_said) + kMissedMany;
        Fail(!ringing && m_said > 0 && v.status.rfind(saidCount, 0) != 0, "said " + std::to_string(m_said) + ": " + v.status);
        Fail(m_said == 0 && missed, "a notice of nothing missed: " + v.status);
        for (const FocusMove f : {FocusWhenLost(*m), FocusAtPaint(*m, false), FocusAtPaint(*m, true)})
            for (int i = 0; i < 6; ++i) Fail(f.control == kSelectors[i] && i != sel, "focus on an unchecked selector");
        Fail(FocusWhenLost(*m).control == 0 || FocusAtPaint(*m, false).control == 0, "no focus");
        Fail((c.active && !c.HasValue()) || (c.ringing && (c.active || c.HasValue())), "countdown state");
        const std::string& bytes = *m_store.file;
        Fail(bytes.size() != 133, "file size " + std::to_string(bytes.size()));
        for (const std::string& label : m->labels) Fail(label.size() != 15, "label '" + label + "'");
        if (m_failed) return;
        Fail(((c.active || c.ringing) && bytes[122] != 't') || (c.HasValue() && !c.active && bytes[122] != 'f'), "countdown in the file");
        // A start from the file shows what the window shows.
        MainModel again;
        ApplyStartStates(again, SettingsRecord::FromBytes(bytes));
        Fail(v.alarmOverview != ViewOf(again).alarmOverview, "alarms in the file");
        Fail(m->labels != again.labels, "labels in the file");
        Fail(Checks(m->options) != Checks(again.options), "options in the file");
    }
    // clang-format on

    std::mt19937_64 m_random;
    Zone m_zone;
    std::optional<std::int64_t> m_lastTick;        // the wall-clock second of the last tick
    std::array<std::optional<std::int64_t>, 4> m_seen;  // per alarm, the local clock looked at
    long m_said = 0;                                // times said missed since the notice was acknowledged
    std::pair<std::int64_t, std::int64_t> m_hour{1, 0};  // a UTC hour and its local start
    bool m_wasRinging = false, m_busy = false, m_counting = false;
    std::optional<std::int64_t> m_countdownDue;  // when the counting countdown should end
    MemoryStore m_store;
    SettingsFile m_file{m_store};
    FakeRegistry m_registry;
    std::unique_ptr<MainModel> m;
    std::int64_t m_mono = 1'000'000, m_wallOffset, m_nextTick = 0;
    std::vector<std::uint64_t> m_runs;  // the stopwatch's workers, counting as the clock goes
    bool m_failed = false;
};

}  // namespace hvtest
