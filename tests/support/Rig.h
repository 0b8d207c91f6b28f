#pragma once
// The main window's decisions over a settings file in memory, which can be
// missing, cut short, held by another program for some opens, or refused.
#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "engine/Commands.h"
#include "engine/MainView.h"
#include "engine/Tick.h"
#include "model/SettingsFile.h"
#include "tests/support/Clocks.h"

namespace hvtest {
using namespace hv;

class MemoryStore : public ByteStore {
public:
    std::optional<std::string> file;     // none: there is no file
    FileError refuse = FileError::None;  // every open fails so, until cleared
    int holdFor = 0;                     // the next opens another program holds
    int pauses = 0;
    unsigned pausedMs = 0;

    FileError Read(std::size_t size, std::string& bytes) override {
        const FileError e = Open();
        if (e == FileError::None) bytes = file->substr(0, size);
        return e;
    }
    FileError Create(const std::vector<std::string_view>& pieces) override {
        const FileError e = Open(false);
        if (e != FileError::None) return e;
        file.emplace();
        for (const auto piece : pieces) file->append(piece);
        return e;
    }
    // As a file does: a write beyond the end fills the gap with zeros.
    FileError WriteAt(std::size_t offset, std::string_view bytes) override {
        const FileError e = Open();
        if (e != FileError::None) return e;
        if (file->size() < offset + bytes.size()) file->resize(offset + bytes.size(), '\0');
        file->replace(offset, bytes.size(), bytes);
        return e;
    }
    void Pause(unsigned ms) override { ++pauses, pausedMs += ms; }

private:
    FileError Open(bool existing = true) {
        if (holdFor > 0) return --holdFor, FileError::SharingViolation;
        return refuse != FileError::None ? refuse : existing && !file ? FileError::NotFound : FileError::None;
    }
};

class FakeRegistry : public AutostartStore {
public:
    bool writable = true, there = false;
    std::vector<std::string> calls;
    bool Enable(const std::string& exePath) override { return calls.push_back("Enable " + exePath), writable; }
    bool Disable() override { return calls.push_back("Disable"), writable; }
    bool IsThere() override { return there; }
};

// Monday 2027-01-04 at the given time, in ms; the tests' clock shows UTC.
inline std::int64_t WallMs(int h, int mi, int s, int ms = 0) { return EpochOf(2027, 1, 4, h, mi, s) * 1000 + ms; }

// A first start over an empty store; slots by index 0..5 (alarm 1-4,
// countdown, stopwatch).
struct Rig {
    MemoryStore store;
    SettingsFile file{store};
    MainModel m;
    FakeRegistry registry;
    std::int64_t mono = 1000000;

    Rig() { ApplyStartStates(m, file.Load().record); }
    std::string Bytes() const { return *store.file; }
    MainView View() const { return ViewOf(m); }
    Effects Select(int slot) { return SelectSlot(m, SelectorOfSlot(slot)); }
    Effects Start(int slot, std::string h = {}, std::string mi = {}, std::string s = {}) {
        Select(slot);
        return hv::Start(m, file, {h, mi, s}, mono);
    }
    Effects Stop() { return Stopp(m, file, mono); }
    Effects Extra1() { return Zusatzfunktion1(m, file, mono); }
    Effects Extra2() { return Zusatzfunktion2(m, file, mono); }
    // After `monoStep` ms more on the monotonic clock.
    Effects Tick(std::int64_t wallMs, std::int64_t monoStep = 0) {
        return SecondTick(m, file, wallMs, mono += monoStep, CivilTime).effects;
    }
};

// The shared buttons in one line: each caption, "+" enabled, "-" not.
inline std::string Buttons(const MainView& v) {
    std::string s;
    for (const Button* b : {&v.start, &v.stop, &v.extra1, &v.extra2}) s += b->caption + (b->enabled ? "+ " : "- ");
    return s;
}
// Sound, Daueralarm, Stundensignal, minimiert starten, mit Windows starten as 1 or 0.
inline std::string Checks(const Options& o) {
    std::string s;
    for (const bool b : {o.sound, o.continuousAlarm, o.hourlySignal, o.startMinimized, o.autostart}) s += b ? '1' : '0';
    return s;
}
inline std::vector<Step::Kind> Kinds(const Effects& e) {
    std::vector<Step::Kind> kinds;
    for (const Step& s : e.steps) kinds.push_back(s.kind);
    return kinds;
}
inline int CountOf(const Effects& e, Step::Kind kind) {
    return static_cast<int>(
        std::count_if(e.steps.begin(), e.steps.end(), [&](const Step& s) { return s.kind == kind; }));
}

}  // namespace hvtest
