#pragma once
// The monkey's engine, shared by its two halves: Monkey.cpp runs the program
// and checks it, MonkeyActions.cpp plays the user.
#include <array>
#include <cstdint>
#include <deque>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/headless/World.h"
#include "tests/support/Monkey.h"
#include "tests/support/MonkeyChecks.h"
#include "tests/support/MonkeyInput.h"
#include "ui/HauptDlg.h"

namespace hv::test {

// Saturday 2027-10-30 22:00 in Berlin (CEST): midnight comes two hours on,
// the change back to CET (03:00 CEST becomes 02:00 CET) five hours on.
constexpr std::int64_t kStartWallMs = 1824926400000LL;
// The night the monkey sets the clock within: 21:00 CEST to 04:00 CET.
constexpr std::int64_t kNightFromMs = 1824922800000LL, kNightToMs = 1824951600000LL;
constexpr std::int64_t kMidnightMs = 1824933600000LL;          // 2027-10-31 00:00 CEST
constexpr std::int64_t kBackToWinterTimeMs = 1824944400000LL;  // 03:00 CEST, 02:00 CET

// One thing the user does.
struct Action {
    enum Kind { Click, Type, Paste, Enter, Escape, Close, About, TrayShow, Time, SetClock, Lock } kind = Time;
    int id = 0;
    std::string text;
    std::int64_t value = 0;
};
std::string Describe(const Action& a);
// "31.10. 02:59:58.123", local time.
std::string LocalClock(std::int64_t wallMs);

// One run: the program in the headless world, the user's dice, and what
// was seen so far.
class MonkeyEngine {
public:
    explicit MonkeyEngine(std::uint64_t seed);
    ~MonkeyEngine();
    MonkeyResult Run(std::size_t actions);

private:
    // Monkey.cpp: the desktop, the program's starts and the bookkeeping.
    headless::World& World() const { return headless::World::Get(); }
    const Window& Wnd() const { return m_dlg->Wnd(); }
    void SetUpDesktop(std::int64_t wallMs);
    void OpenWindow();
    void Restart(const Restored& shown, std::vector<std::string>& violations);
    std::size_t FileErrorsSince(std::size_t firstBox) const;
    void Count(const Observation& before, const Observation& after, std::size_t firstBox, bool timeStep);
    void Note(std::size_t step, const std::vector<std::string>& notes);
    // MonkeyActions.cpp: what the user does.
    Action Draw();
    void PlanEntry();
    void PlanStopwatch();
    std::string Execute(const Action& a);
    std::string Click(int id);
    std::string PutText(const Action& a);
    void UseModal(Dialog& dialog);
    void UseEditor(Dialog& editor);
    void UseAbout(Dialog& about);

    Rng m_rng;
    std::unique_ptr<HauptDlg> m_dlg;
    MonkeyResult m_result;
    MonkeyCounts& m_counts = m_result.counts;
    std::deque<Action> m_plan;
    std::vector<int> m_controlIds;
    std::string m_modalLog;
    int m_lockLeft = 0;  // actions until the other program lets go of the file
    // Items whose window state the file does not hold: a write failed in
    // the action that changed them (see Run).
    std::array<bool, kRestoredItems> m_tainted{};
    std::set<std::string> m_noted;
};

}  // namespace hv::test
