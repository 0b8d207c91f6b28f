// Every writer against a settings file that refuses: one report, the file's
// bytes as they were, and what the command kept; a brief hold waited out.
#include <gtest/gtest.h>

#include <functional>

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
        {"countdown Stopp while it rings (it goes on)", [](Rig& r) { r.Start(4, "", "", "1"), r.Tick(WallMs(7, 0, 0)); },
         [](Rig& r) { return r.Stop(); },
         "Countdown neu setzen+ " + kCd + "- " + kCdx + "- " + kCdy + "- | nicht gesetzt 00:00:00 rings" + kOptions},
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

}  // namespace
}  // namespace hvtest
