// The option boxes: "Sound" and "Daueralarm" coupled, the j/n pair at the
// file's start, the autostart value through the registry; the labels.
#include <gtest/gtest.h>

#include "engine/LabelText.h"
#include "tests/support/Rig.h"

namespace hvtest {
namespace {

// Options as Sound, Daueralarm, Stundensignal, minimiert starten (1 checked),
// '+' while Daueralarm may be clicked; bytes 0, 1, 30, 31 ('?' not written).
TEST(Options, CoupledBoxesAndTheirBytes) {
    // clang-format off
    const struct {
        const char *before, box, *after, *written;
    } rows[] = {
        {"1100", 'S', "0100-", "??f?"}, {"1000", 'S', "0100-", "??ft"}, {"0100", 'S', "1100+", "??tt"},
        {"1100", 'D', "1000+", "???f"}, {"1000", 'D', "1100+", "???t"},
        {"1100", 'H', "1110+", "nj??"}, {"1111", 'H', "1101+", "jn??"}, {"1101", 'H', "1111+", "jj??"},
        {"1110", 'M', "1111+", "jj??"}, {"1111", 'M', "1110+", "nj??"}, {"1100", 'M', "1101+", "jn??"},
    };
    // clang-format on
    for (const auto& row : rows) {
        SCOPED_TRACE(row.before + std::string(1, row.box));
        Rig r;
        Options& o = r.m.options;
        o.sound = row.before[0] == '1', o.continuousAlarm = row.before[1] == '1';
        o.hourlySignal = row.before[2] == '1', o.startMinimized = row.before[3] == '1';
        for (const std::size_t at : {0, 1, 30, 31}) (*r.store.file)[at] = '?';
        const std::string before = r.Bytes();
        const Effects e = row.box == 'S'   ? Sound(r.m, r.file)
                          : row.box == 'D' ? Daueralarm(r.m, r.file)
                          : row.box == 'H' ? Stundensignal(r.m, r.file)
                                           : MinimiertStarten(r.m, r.file);
        EXPECT_TRUE(e.steps.empty());
        const MainView v = r.View();
        EXPECT_EQ(Checks(v.checks).substr(0, 4) + (v.continuousAlarmEnabled ? "+" : "-"), row.after);
        const std::string& b = r.Bytes();
        EXPECT_EQ(b.substr(0, 2) + b.substr(30, 2), row.written);
        EXPECT_EQ(b.substr(2, 28) + b.substr(32), before.substr(2, 28) + before.substr(32));
        EXPECT_FALSE(r.m.timers.inTray || r.m.timers.minimiseOnFirstPaint);  // "minimiert starten": at the next start
    }
}

// The registry first; a refusal there is said and changes nothing; a file
// that cannot take the mark has the registry taken back.
TEST(Options, AutostartRegistryFirstAndTakenBack) {
    // clang-format off
    const struct {
        bool on, registryWritable, fileWritable;
        const char* outcome;  // the registry's calls, the steps, the box and the stored flag
    } rows[] = {
        {false, true, true, "Enable C:\\H.exe,  1t"},
        {true, true, true, "Disable,  0f"},
        {false, false, true, "Enable C:\\H.exe, message 0f"},
        {true, false, true, "Disable, message 1t"},
        {false, true, false, "Enable C:\\H.exe,Disable, file failed 0f"},
        {true, true, false, "Disable,Enable C:\\H.exe, file failed 1t"},
    };
    // clang-format on
    for (const auto& row : rows) {
        Rig r;
        r.m.options.autostart = row.on;
        r.store.file->back() = row.on ? 't' : 'f';
        r.registry.writable = row.registryWritable;
        r.store.refuse = row.fileWritable ? FileError::None : FileError::AccessDenied;
        const Effects e = MitWindowsStarten(r.m, r.file, r.registry, "C:\\H.exe");
        std::string outcome;
        for (const std::string& call : r.registry.calls) outcome += call + ",";
        for (const Step& s : e.steps)
            outcome += s.kind == Step::Message && s.icon == 0x30 ? " message" : " file failed";
        EXPECT_EQ(
            outcome + (e.steps.empty() ? " " : "") + " " + std::to_string(r.View().checks.autostart) + r.Bytes().back(),
            row.outcome);
        EXPECT_EQ(r.Bytes().size(), 133u);
    }
}

// At the start the stored mark and the registry: a value gone is written
// again; one that cannot be shows the box off, the file untouched.
TEST(Options, AutostartKeptAtTheStart) {
    const struct {
        bool stored, there, writable;
        const char* outcome;  // the registry's calls, the box, the stored flag
    } rows[] = {{true, true, true, " 1t"}, {true, false, true, "Enable C:\\H.exe, 1t"},
                {true, false, false, "Enable C:\\H.exe, 0t"}, {false, false, true, " 0f"}};
    for (const auto& row : rows) {
        Rig r;
        r.m.options.autostart = row.stored, r.store.file->back() = row.stored ? 't' : 'f';
        r.registry.there = row.there, r.registry.writable = row.writable;
        KeepAutostart(r.m, r.registry, "C:\\H.exe");
        const std::string calls = r.registry.calls.empty() ? "" : r.registry.calls[0] + ",";
        EXPECT_EQ(calls + " " + std::to_string(r.View().checks.autostart) + r.Bytes().back(), row.outcome);
    }
}

// The editor's five labels are stored, renamed or not; never the stopwatch's.
TEST(Labels, TakenAndStoredAtOffset32) {
    Rig r;
    r.store.file->replace(32, 90, std::string(90, '?'));
    const std::string before = r.Bytes();
    // Alarm 1 as it was, alarm 2 renamed, the countdown's short, as a default label never padded would be.
    EXPECT_TRUE(TakeLabels(r.m, r.file, {r.m.labels[0], Rename("Wecker").label, "c", "d", "Tee"}).redrawLabels);
    EXPECT_EQ(r.Bytes(), before.substr(0, 32) + "Alarmzeit 1    Wecker         c              d              " +
                             "Tee            " + before.substr(107));
    EXPECT_EQ(r.m.labels[1], "Wecker         ");
}

}  // namespace
}  // namespace hvtest
