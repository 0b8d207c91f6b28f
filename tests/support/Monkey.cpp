#include "tests/support/Monkey.h"

#include <algorithm>

#include "platform/Services.h"
#include "res/resource.h"
#include "tests/support/MonkeyEngine.h"
#include "tests/support/Scenario.h"

namespace hv::test {

MonkeyEngine::MonkeyEngine(std::uint64_t seed) : m_rng(seed) {
    m_result.seed = seed;
    World().Reset();
    SetUpDesktop(kStartWallMs);
    OpenWindow();  // the first start writes the default record
    for (const headless::Node* n : World().Children(Wnd()))
        if (n->id > 0 && std::find(m_controlIds.begin(), m_controlIds.end(), n->id) == m_controlIds.end())
            m_controlIds.push_back(n->id);
}

MonkeyEngine::~MonkeyEngine() {
    if (m_dlg && Wnd().IsValid()) World().Close(*m_dlg);
    m_dlg.reset();
    World().Reset();
}

// The program lives in kInstallDir and is started from elsewhere, in Berlin.
void MonkeyEngine::SetUpDesktop(std::int64_t wallMs) {
    auto& w = World();
    w.moduleFileName = std::string(kInstallDir) + "Horovant.exe";
    w.currentDirectory = "C:\\windows\\system32\\";
    w.SetTimeZone(headless::kEuropeBerlin);
    w.SetWallClockMs(wallMs);
    w.onModalDialog = [this](Dialog& dialog) { UseModal(dialog); };
}

void MonkeyEngine::OpenWindow() {
    m_dlg = std::make_unique<HauptDlg>();
    World().Open(*m_dlg);
    World().Pump();
    World().PaintInvalidWindows();
}

// The program ended; the user starts it again. The new process finds only
// the files, the registry and the time of day of the old one, so the world
// starts afresh around them (which also keeps the headless loop from walking
// every window the monkey ever opened). What the window showed before must
// come back from the file, except where a write failed (tainted). A file
// held by another program cannot be read at the start: the program then runs
// on the defaults, and nothing can be compared until a start reads the file.
void MonkeyEngine::Restart(const Restored& shown, std::vector<std::string>& violations) {
    ++m_counts.restarts;
    auto& w = World();
    w.Close(*m_dlg);
    m_dlg.reset();
    const auto files = w.files;
    const auto registry = w.registry;
    const std::int64_t wallMs = w.WallClockMs();
    w.Reset();
    SetUpDesktop(wallMs);
    w.files = files;
    w.registry = registry;
    OpenWindow();
    if (FileErrorsSince(0) > 0) {
        ++m_counts.restartsFromLockedFile;
        m_tainted.fill(true);
        return;
    }
    ++m_counts.restartsCompared;
    const Observation now = Observe(*m_dlg);
    // Without sound the start forces "Daueralarm" on, whatever its own field
    // holds: where the stored "Sound" is not the one shown, neither is it.
    std::array<bool, kRestoredItems> skip = m_tainted;
    skip[kContinuousAlarmItem] = skip[kContinuousAlarmItem] || skip[kSoundItem];
    for (std::size_t i = 0; i < kRestoredItems; ++i)
        if (!skip[i] && now.restored[i] != shown[i])
            violations.push_back("after a restart the " + RestoredItemName(i) + " is " + Quote(now.restored[i]) +
                                 ", the window showed " + Quote(shown[i]));
    m_tainted.fill(false);
}

std::size_t MonkeyEngine::FileErrorsSince(std::size_t firstBox) const {
    std::size_t n = 0;
    const auto& boxes = World().messageBoxes;
    for (std::size_t i = firstBox; i < boxes.size(); ++i)
        if (boxes[i].text.find("config.dat") != std::string::npos) ++n;
    return n;
}

void MonkeyEngine::Count(const Observation& before, const Observation& after, std::size_t firstBox, bool timeStep) {
    auto& w = World();
    for (std::size_t i = firstBox; i < w.messageBoxes.size(); ++i) {
        const std::string& text = w.messageBoxes[i].text;
        ++m_counts.messageBoxes;
        if (text == "Keine korrekte Eingabe!") ++m_counts.badEntryBoxes;
        else if (text == "Stundensignal!") ++m_counts.hourlyBoxes;
        else if (text.find("config.dat") != std::string::npos) ++m_counts.fileErrorBoxes;
    }
    for (std::size_t i = before.sounds; i < w.sounds.size(); ++i) {
        if (!w.sounds[i].name) continue;
        if (w.sounds[i].name->ends_with("alarm-sound.wav")) ++m_counts.alarmSounds;
        else ++m_counts.hourlySounds;
    }
    for (std::size_t k = 0; k < 4; ++k)
        if (after.alarmRinging[k] && !before.alarmRinging[k]) ++m_counts.continuousAlarms;
    if (after.countdownRinging && !before.countdownRinging) ++m_counts.continuousAlarms;
    if (timeStep && before.countdownCounting && !after.countdownCounting) ++m_counts.countdownEnds;
    if (timeStep && ToLocalTime(before.wallMs / 1000).day != ToLocalTime(after.wallMs / 1000).day) ++m_counts.midnights;
    if (timeStep && before.wallMs < kBackToWinterTimeMs && after.wallMs >= kBackToWinterTimeMs)
        ++m_counts.daylightSavingChanges;
    m_counts.stopwatchStarts += after.workersStarted - before.workersStarted;
    m_counts.maxWorkersAlive = std::max(m_counts.maxWorkersAlive, after.workersAlive);
}

void MonkeyEngine::Note(std::size_t step, const std::vector<std::string>& notes) {
    for (const std::string& note : notes)
        if (m_noted.insert(note).second) m_result.notes.push_back({step, note});
}

// Each action: draw it (or take the next of a planned entry), do it, then
// hold the window and the world to the invariants. A write that fails while
// another program holds the file leaves the file behind the window on
// purpose, for what that action changed: those items are not compared at
// the next restart, unless a later action changes them again with the file
// free (then the file holds them once more).
MonkeyResult MonkeyEngine::Run(std::size_t actions) {
    auto& w = World();
    for (std::size_t step = 1; step <= actions; ++step) {
        std::string line = "#" + std::to_string(step) + " " + LocalClock(w.WallClockMs()) + " ";
        // Nothing here reads the draw, tray or shell records; a long run
        // would only pile them up.
        w.drawCalls.clear();
        w.trayCalls.clear();
        w.shellCalls.clear();
        if (m_lockLeft > 0 && --m_lockLeft == 0) {
            if (auto* file = w.FindFile(m_dlg->SettingsPath())) file->lockedByOtherProgram = false;
            line += "(config.dat free again) ";
        }
        Action a;
        if (m_plan.empty()) {
            a = Draw();
        } else {
            a = m_plan.front();
            m_plan.pop_front();
        }
        w.messageBoxOpenMs = m_rng.Chance(70) ? 0 : m_rng.Between(1, 4000);
        const Observation before = Observe(*m_dlg);
        const std::size_t firstBox = w.messageBoxes.size();
        m_modalLog.clear();
        line += Describe(a) + Execute(a) + m_modalLog;
        for (std::size_t i = firstBox; i < w.messageBoxes.size(); ++i)
            line += " [box " + Quote(w.messageBoxes[i].text) + "]";
        ++m_counts.actions;

        std::vector<std::string> violations, notes;
        const bool timeStep = a.kind == Action::Time, ended = m_dlg->IsEnded();
        if (ended) {
            line += " [restart]";
            m_plan.clear();
            Restart(before.restored, violations);
        }
        const Observation after = Observe(*m_dlg);
        if (!ended) {
            const bool failed = FileErrorsSince(firstBox) > 0;
            for (std::size_t i = 0; i < kRestoredItems; ++i) {
                if (before.restored[i] == after.restored[i]) continue;
                m_tainted[i] = failed;
                // An option box shows what is stored: a box whose write failed stays as it was.
                if (failed && i >= kFirstOptionItem)
                    violations.push_back("the " + RestoredItemName(i) + " changed though its write failed");
            }
            const bool pressedStart = (a.kind == Action::Click && a.id == IDC_START) || a.kind == Action::Enter;
            CheckAction(before, after, timeStep, pressedStart, violations);
            Count(before, after, firstBox, timeStep);
        }
        CheckWindow(*m_dlg, violations, notes);
        m_result.steps.push_back(line);
        Note(step, notes);
        if (!violations.empty()) {
            for (auto& v : violations) m_result.violations.push_back({step, std::move(v)});
            return std::move(m_result);
        }
    }
    // The last word: the program ends and starts again from its file.
    if (auto* file = w.FindFile(m_dlg->SettingsPath())) file->lockedByOtherProgram = false;
    m_lockLeft = 0;
    std::vector<std::string> violations, notes;
    Restart(Observe(*m_dlg).restored, violations);
    CheckWindow(*m_dlg, violations, notes);
    m_result.steps.push_back("end: restart from the file");
    for (auto& v : violations) m_result.violations.push_back({0, std::move(v)});
    return std::move(m_result);
}

MonkeyResult RunMonkey(std::uint64_t seed, std::size_t actions) {
    MonkeyEngine monkey(seed);
    return monkey.Run(actions);
}

}  // namespace hv::test
