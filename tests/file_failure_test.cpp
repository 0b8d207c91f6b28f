// Every writer against a settings file that refuses: one report, the file's
// bytes as they were, and what the command kept; a brief hold waited out. A
// file held or denied at the start: its record taken once it can be read.
#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "tests/support/Rig.h"

namespace hvtest {
namespace {

struct Writer {
    const char* name;
    std::function<void(Rig&)> arrange;
    std::function<Effects(Rig&)> act;
    std::string kept;  // after a refused write: the buttons, overviews and options
};

std::string Kept(Rig& r) {
    const MainView v = r.View();
    return Buttons(v) + "| " + v.alarmOverview[0] + " " + v.countdownOverview + (v.alarmOffEnabled ? " rings" : "") +
           " | S" + Checks(v.checks) + " " + r.m.labels[0];
}

const std::string kNa = "nicht verfügbar- ", kOptions = " | S11000 Alarmzeit 1    ";
const std::string kCd = "Countdown aufheben", kCdx = "Countdown unterbrechen", kCdy = "Countdown fortsetzen";

const std::vector<Writer>& Writers() {
    // clang-format off
    static const std::vector<Writer> writers = {
        {"alarm Start (commits nothing)", [](Rig& r) { r.Select(0); }, [](Rig& r) { return hv::Start(r.m, r.file, {"7", "30", ""}, r.mono); },
         "Alarmzeit setzen+ Alarmzeit aufheben- " + kNa + kNa + "| nicht gesetzt nicht gesetzt" + kOptions},
        {"alarm Stopp (disarmed, the caption as it was)", [](Rig& r) { r.Start(0, "7", "", ""); }, [](Rig& r) { return r.Stop(); },
         "Alarmzeit neu setzen+ Alarmzeit aufheben- " + kNa + kNa + "| nicht gesetzt nicht gesetzt" + kOptions},
        {"countdown Start (committed before its write)", [](Rig& r) { r.Select(4); },
         [](Rig& r) { return hv::Start(r.m, r.file, {"", "", "90"}, r.mono); },
         "Countdown neu setzen+ " + kCd + "+ " + kCdx + "+ " + kCdy + "- | nicht gesetzt 00:01:30" + kOptions},
        {"countdown Stopp", [](Rig& r) { r.Start(4, "", "", "90"); }, [](Rig& r) { return r.Stop(); },
         "Countdown neu setzen+ " + kCd + "- " + kCdx + "- " + kCdy + "- | nicht gesetzt nicht gesetzt" + kOptions},
        {"countdown Stopp while it rings (it goes on, Stopp to be tried again)", [](Rig& r) { r.Start(4, "", "", "1"), r.Tick(WallMs(7, 0, 0)); },
         [](Rig& r) { return r.Stop(); },
         "Countdown neu setzen+ " + kCd + "+ " + kCdx + "- " + kCdy + "- | nicht gesetzt 00:00:00 rings" + kOptions},
        {"pause", [](Rig& r) { r.Start(4, "", "", "90"); }, [](Rig& r) { return r.Extra1(); },
         "Countdown neu setzen+ " + kCd + "+ " + kCdx + "- " + kCdy + "+ | nicht gesetzt 00:01:30" + kOptions},
        {"resume", [](Rig& r) { r.Start(4, "", "", "90"), r.Extra1(); }, [](Rig& r) { return r.Extra2(); },
         "Countdown neu setzen+ " + kCd + "+ " + kCdx + "+ " + kCdy + "- | nicht gesetzt 00:01:30" + kOptions},
        {"countdown's end without Daueralarm", [](Rig& r) { Daueralarm(r.m, r.file), r.Start(4, "", "", "1"); },
         [](Rig& r) { return r.Tick(WallMs(7, 0, 0)); },
         "Countdown setzen+ " + kCd + "- " + kCdx + "- " + kCdy + "- | nicht gesetzt nicht gesetzt | S10000 Alarmzeit 1    "},
        {"Alarm aus for the countdown", [](Rig& r) { r.Start(4, "", "", "1"), r.Tick(WallMs(7, 0, 0)), r.Select(0); },
         [](Rig& r) { return AlarmAus(r.m, r.file); },
         "Alarmzeit setzen+ Alarmzeit aufheben- " + kNa + kNa + "| nicht gesetzt nicht gesetzt" + kOptions},
        {"Sound off", [](Rig&) {}, [](Rig& r) { return Sound(r.m, r.file); }, "Start- Stopp- " + kNa + kNa + "| nicht gesetzt nicht gesetzt" + kOptions},
        {"Sound on", [](Rig& r) { Sound(r.m, r.file); }, [](Rig& r) { return Sound(r.m, r.file); },
         "Start- Stopp- " + kNa + kNa + "| nicht gesetzt nicht gesetzt | S01000 Alarmzeit 1    "},
        {"Daueralarm", [](Rig&) {}, [](Rig& r) { return Daueralarm(r.m, r.file); }, "Start- Stopp- " + kNa + kNa + "| nicht gesetzt nicht gesetzt" + kOptions},
        {"Stundensignal", [](Rig&) {}, [](Rig& r) { return Stundensignal(r.m, r.file); }, "Start- Stopp- " + kNa + kNa + "| nicht gesetzt nicht gesetzt" + kOptions},
        {"minimiert starten", [](Rig&) {}, [](Rig& r) { return MinimiertStarten(r.m, r.file); }, "Start- Stopp- " + kNa + kNa + "| nicht gesetzt nicht gesetzt" + kOptions},
        {"mit Windows starten", [](Rig&) {}, [](Rig& r) { return MitWindowsStarten(r.m, r.file, r.registry, "C:\\H.exe"); },
         "Start- Stopp- " + kNa + kNa + "| nicht gesetzt nicht gesetzt" + kOptions},
        {"labels (taken, though not stored)", [](Rig&) {}, [](Rig& r) { return TakeLabels(r.m, r.file, {"Wecker         ", "b", "c", "d", "e"}); },
         "Start- Stopp- " + kNa + kNa + "| nicht gesetzt nicht gesetzt | S11000 Wecker         "},
    };
    // clang-format on
    return writers;
}

// Refused, or held for one open more than is waited out (5): reported once.
// Held for 4 opens: waited out, 50 ms apart, and written.
TEST(FailedWrite, ReportedOnceAndTheFileKeepsItsBytes) {
    for (const int hold : {0, 5, 4}) {
        for (const FileError refusal : hold ? std::vector{FileError::SharingViolation}
                                            : std::vector{FileError::AccessDenied, FileError::DiskFull}) {
            for (const Writer& w : Writers()) {
                SCOPED_TRACE(w.name + std::string(" ") + std::to_string(hold) +
                             std::to_string(static_cast<int>(refusal)));
                Rig r;
                w.arrange(r);
                const std::string before = r.Bytes();
                r.store.holdFor = hold;
                r.store.refuse = hold ? FileError::None : refusal;
                const Effects e = w.act(r);
                EXPECT_EQ(r.store.pausedMs, hold ? 200u : 0u);
                if (hold == 4) {
                    EXPECT_EQ(CountOf(e, Step::FileFailed), 0);
                    EXPECT_NE(r.Bytes(), before);
                    continue;
                }
                EXPECT_EQ(CountOf(e, Step::FileFailed), 1);
                for (const Step& s : e.steps)
                    EXPECT_EQ(s.error, s.kind == Step::FileFailed ? refusal : FileError::None);
                EXPECT_EQ(r.Bytes(), before);
                EXPECT_EQ(Kept(r), w.kept);
            }
        }
    }
}

// The start finds the user's file held (or denied): the defaults in memory,
// the failure said once (a hold only 5 s after the start), the file kept.
// Once it is free (alarm 1 selected) the stored record comes in, with the
// changes made meanwhile (label 2 renamed, a countdown started and paused;
// Sound, whose write failed, is none); then, in the row's order: a tick (T),
// the label editor opened before closes untouched (L), Stundensignal (H),
// Daueralarm (D), Sound (S), minimiert starten (M), mit Windows starten (W).
TEST(HeldAtStart, StoredRecordTakenWithTheChangesMadeMeanwhile) {
    const std::string labels = "Alarmzeit 3    Alarmzeit 4    Countdown      Stoppuhr       ";
    const std::string stored = "jjt071500f000000f000000f000000tfWecken         Alarmzeit 2    " + labels + "t000000300t";
    const std::string set = "nnt071500f000000f000000f000000ftWecken         Alarmzeit 2    " + labels + "t000000300f";
    // clang-format off
    const struct { FileError start; std::vector<int> said; bool meanwhile; const char *order, *shown; std::string after; } rows[] = {
        {FileError::SharingViolation, {0, 0, 1, 0}, false, "TLHDSMW", "01000 07:15:00 Stopp", set},
        {FileError::SharingViolation, {0, 0, 1, 0}, false, "LHDSMW", "01000 07:15:00 Stopp", set},
        {FileError::AccessDenied, {1, 0, 0, 0}, true, "HLDSMW", "01100 07:15:00 Stopp",
         "njt071500f000000f000000f000000ftWecken         Kaffee         " + labels + "f000000300f"},
    };
    // clang-format on
    for (const auto& row : rows) {
        SCOPED_TRACE(row.order);
        Rig r;
        r.store.file = stored;
        if (row.start == FileError::SharingViolation) r.store.holdFor = 1000;
        else r.store.refuse = row.start;
        StartFrom(r.m, r.file.Load(), r.mono);
        const auto user = [&](const std::function<Effects()>& command) { return UserCommand(r.m, r.file, command); };
        if (row.meanwhile) {
            user([&] { return Sound(r.m, r.file); });
            user([&] { return TakeLabels(r.m, r.file, {r.m.labels[0], "Kaffee", r.m.labels[2], r.m.labels[3], r.m.labels[4]}); });
            user([&] { return r.Start(4, "", "", "90"); }), user([&] { return r.Extra1(); });
        }
        EXPECT_EQ(Checks(r.m.options) + r.m.labels[0], "11000Alarmzeit 1    ");
        std::vector<int> said;
        for (const int ms : {1000, 4999, 5000, 6000})
            said.push_back(CountOf(CatchUpStoredRecord(r.m, r.file, r.mono + ms), Step::FileFailed));
        EXPECT_EQ(said, row.said);
        EXPECT_EQ(r.Bytes(), stored);
        r.Select(0), r.store.holdFor = 0, r.store.refuse = FileError::None;
        std::array<std::string, 5> opened;
        std::copy_n(r.m.labels.begin(), 5, opened.begin());
        const std::map<char, std::function<Effects()>> acts = {
            {'L', [&] { return TakeLabels(r.m, r.file, LabelsFromEditor(r.m, opened, opened)); }},
            {'H', [&] { return Stundensignal(r.m, r.file); }}, {'D', [&] { return Daueralarm(r.m, r.file); }},
            {'S', [&] { return Sound(r.m, r.file); }}, {'M', [&] { return MinimiertStarten(r.m, r.file); }},
            {'W', [&] { return MitWindowsStarten(r.m, r.file, r.registry, "C:\\H.exe"); }}};
        for (const char c : std::string(row.order))
            EXPECT_TRUE((c == 'T' ? CatchUpStoredRecord(r.m, r.file, r.mono + 7000) : user(acts.at(c))).steps.empty()) << c;
        EXPECT_EQ(r.Bytes(), row.after);
        const MainView v = r.View();
        EXPECT_EQ(Checks(v.checks) + " " + v.alarmOverview[0] + (v.stop.enabled ? " Stopp" : "") +
                      (r.m.timers.minimiseOnFirstPaint ? " hides" : ""), row.shown);
    }
}

}  // namespace
}  // namespace hvtest
