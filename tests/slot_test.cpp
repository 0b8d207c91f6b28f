// The shared buttons by selected slot and state: what the commands on the
// selected slot show and store, and what selecting it shows.
#include <gtest/gtest.h>

#include <sstream>

#include "tests/support/Rig.h"

namespace hvtest {
namespace {

// By slot (-1 none) the selector and the hours field (0: none).
constexpr int kSelectorIds[7] = {1020, 1005, 1026, 1030, 1034, 1008, 1013};
constexpr int kHoursIds[7] = {0, 1006, 1027, 1031, 1035, 1010, 0};
const std::string kNa = "nicht verfügbar- ";

// Commands on the selected slot, in turn 1234 ms apart: an entry h|m|s,
// S Stopp, P and R the extra-function buttons. What the buttons and the
// slot's overview show (+ its label green), what is stored (at 2 + 7k, at
// 122, nothing for the stopwatch), where the focus goes after a refused
// entry; then, with another slot selected and this one again, the
// selection table: the same buttons but Start's caption, the slot's entry
// fields open and the focus in its hours field, text selected.
TEST(SlotCommands, ShownWrittenAndSelectedAgain) {
    using K = Step::Kind;
    // clang-format off
    const std::string armed = "Alarmzeit neu setzen+ Alarmzeit aufheben+ " + kNa + kNa;
    const std::string counting = "Countdown neu setzen+ Countdown aufheben+ Countdown unterbrechen+ Countdown fortsetzen- ";
    const std::string paused = "Countdown neu setzen+ Countdown aufheben+ Countdown unterbrechen- Countdown fortsetzen+ ";
    const std::string none = "Countdown setzen+ Countdown aufheben- Countdown unterbrechen- Countdown fortsetzen- ";
    const std::string running = "Stoppuhr neu starten+ Stoppuhr anhalten+ Stoppuhr weiterlaufen lassen- Stoppuhr Reset- ";
    const std::string held = "Stoppuhr neu starten+ Stoppuhr anhalten- Stoppuhr weiterlaufen lassen+ Stoppuhr Reset+ ";
    const struct {
        int slot;
        std::string commands, buttons, overview, stored;
        int focus;
        std::vector<K> steps;  // of the last command
        std::string selected;  // Start's caption when selected again
    } rows[] = {
        {-1, "", "Start- Stopp- " + kNa + kNa, "", "", 0, {}, ""},
        {3, "6|45|", armed, "06:45:00+", "t064500", 0, {}, "Alarmzeit neu setzen"},
        {3, "6|45| 25|0|0", armed, "06:45:00+", "t064500", 1035, {K::Message}, "Alarmzeit neu setzen"},
        {2, "7||", armed, "07:00:00+", "t070000", 0, {}, "Alarmzeit neu setzen"},
        {0, "12|60|", "Alarmzeit neu setzen+ Alarmzeit aufheben- " + kNa + kNa, "nicht gesetzt-", "f000000", 1006, {K::Message}, "Alarmzeit setzen"},
        {1, "7|30|0 S", "Alarmzeit setzen+ Alarmzeit aufheben- " + kNa + kNa, "nicht gesetzt-", "f073000", 0, {}, "Alarmzeit setzen"},
        {1, "7|30|0 S |x|", "Alarmzeit neu setzen+ Alarmzeit aufheben- " + kNa + kNa, "nicht gesetzt-", "f073000", 1027, {K::Message}, "Alarmzeit setzen"},
        {4, "0|0|150", counting, "00:02:30+", "t000000150", 0, {}, "Countdown neu setzen"},
        {4, "0|0|150 P", paused, "00:02:30-", "f000000150", 0, {}, "Countdown setzen"},
        {4, "0|0|150 P R", counting, "00:02:30+", "t000000150", 0, {}, "Countdown neu setzen"},
        {4, "0|0|150 S", none, "nicht gesetzt-", "f000000150", 0, {}, "Countdown setzen"},
        {4, "0|0|150 P 1|75|75", counting, "02:16:15+", "t001075075", 0, {}, "Countdown neu setzen"},
        {4, "||123456 0||0", counting, "34:17:36+", "t000000123", 1010, {K::Message}, "Countdown neu setzen"},
        {4, "||90 P x||", paused, "00:01:30-", "f000000090", 1010, {K::Message}, "Countdown setzen"},
        {4, "123||", counting, "123:00:00+", "t123000000", 0, {}, "Countdown neu setzen"},
        {5, "||", running, "00:00:00,00+", "", 0, {K::LaunchWorker}, "Stoppuhr neu starten"},
        {5, "|| S", held, "00:00:01,2-", "", 0, {}, "Stoppuhr starten"},
        {5, "|| S P", running, "00:00:01,2+", "", 0, {K::LaunchWorker}, "Stoppuhr neu starten"},
        {5, "|| S R", "Stoppuhr starten+ Stoppuhr anhalten- Stoppuhr weiterlaufen lassen- Stoppuhr Reset- ", "inaktiv-", "", 0, {}, "Stoppuhr starten"},
    };
    // clang-format on
    for (const auto& row : rows) {
        SCOPED_TRACE(row.commands);
        Rig r;
        if (row.slot >= 0) r.Start(2, "8", "", "");  // another armed alarm enables no other slot's Stopp
        r.store.file->back() = 't';
        const std::string before = r.Bytes();
        Effects e = r.Select(row.slot);
        std::istringstream commands(row.commands);
        for (std::string c; commands >> c;) {
            r.mono += 1234;
            std::istringstream parts(c);
            EntryTexts entry;
            std::getline(parts, entry.hours, '|'), std::getline(parts, entry.minutes, '|'),
                std::getline(parts, entry.seconds);
            e = c == "P"   ? r.Extra1()
                : c == "R" ? r.Extra2()
                : c == "S" ? r.Stop()
                           : hv::Start(r.m, r.file, entry, r.mono);
        }
        MainView v = r.View();
        const auto at = static_cast<std::size_t>(row.slot + 1), k = at ? at - 1 : 0;
        EXPECT_EQ(Buttons(v), row.buttons);
        const std::string overview = k == 5 ? v.stopwatchOverview : k == 4 ? v.countdownOverview : v.alarmOverview[k];
        EXPECT_EQ(at ? overview + (v.labelActive[k] ? "+" : "-") : "", row.overview);
        const std::size_t field = k == 4 ? 122 : 2 + 7 * k;
        EXPECT_EQ(r.Bytes(), row.stored.empty()
                                 ? before
                                 : before.substr(0, field) + row.stored + before.substr(field + row.stored.size()));
        EXPECT_EQ(std::to_string(e.focus ? e.focus->control : 0) + (e.focus && e.focus->selectText ? "+" : ""),
                  std::to_string(row.focus) + (row.focus ? "+" : ""));
        EXPECT_EQ(Kinds(e), row.steps);
        for (const Step& s : e.steps)
            EXPECT_EQ(s.text + std::to_string(s.icon), s.kind == K::Message ? "Keine korrekte Eingabe!16" : "0");
        if (at) {
            r.Select(row.slot == 3 ? 2 : 3), e = r.Select(row.slot), v = r.View();
            EXPECT_EQ(Buttons(v), row.selected + "+ " + row.buttons.substr(row.buttons.find("+ ") + 2));
        }
        for (std::size_t i = 0; i < 6; ++i) EXPECT_EQ(v.selectorChecked[i], i + 1 == at) << i;
        EXPECT_EQ(v.openEntrySlot, row.slot == 5 ? -1 : row.slot);
        EXPECT_EQ(std::to_string(e.focus ? e.focus->control : 0) + (e.focus && e.focus->selectText ? "+" : ""),
                  std::to_string(kHoursIds[at]) + (kHoursIds[at] ? "+" : ""));
        // Never an unchecked selector: the status line while none is checked.
        EXPECT_EQ(FocusAtPaint(r.m, false).control, kHoursIds[at] ? kHoursIds[at] : kSelectorIds[at]);
        EXPECT_EQ(FocusAtPaint(r.m, true).control, kHoursIds[at]);
        EXPECT_EQ(FocusWhenLost(r.m).control, kSelectorIds[at]);
    }
}

}  // namespace
}  // namespace hvtest
