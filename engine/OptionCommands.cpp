// The five option boxes. Each is a manual check box: the decision sets the
// mark, and the mark is the option. Every change is stored at once; a write
// that fails has been reported and leaves the box as it was.
#include "engine/Commands.h"
#include "engine/FieldWrite.h"
#include "platform/Constants.h"

namespace hv {
namespace {
const char* Flag(bool on, const char* yes, const char* no) { return on ? yes : no; }

// "minimiert starten" and "Stundensignal" are stored as one pair; while the
// stored record is unread, only the clicked box's byte: the other box shows
// a default, not what is stored.
bool PairWritten(const MainModel& m, SettingsFile& file, bool minimised, bool hourly, std::size_t clicked, Effects& out) {
    const std::string pair = std::string(Flag(minimised, "j", "n")) + Flag(hourly, "j", "n");
    if (m.stored.unread) return WriteField(file, clicked, pair.substr(clicked, 1), out);
    return WriteField(file, settings::kStartMinimized, pair, out);
}
}  // namespace

// Without sound only the continuous alarm's notice announces an alarm, so
// "Daueralarm" is then checked and cannot be unchecked.
Effects Sound(MainModel& m, SettingsFile& file) {
    Effects out;
    Options& o = m.options;
    if (o.sound) {
        if (!WriteField(file, settings::kSoundOn, o.continuousAlarm ? "f" : "ft", out)) return out;
        o.sound = false;
        o.continuousAlarm = true;
    } else {
        // The stored "Daueralarm" follows its box too: a damaged file may
        // have said off while the box was forced on. Not while the stored
        // record is unread: the box may show the default.
        const std::string flags = std::string("t") + (m.stored.unread ? "" : Flag(o.continuousAlarm, "t", "f"));
        if (!WriteField(file, settings::kSoundOn, flags, out)) return out;
        o.sound = true;
    }
    return out;
}

Effects Daueralarm(MainModel& m, SettingsFile& file) {
    Effects out;
    const bool on = !m.options.continuousAlarm;
    if (WriteField(file, settings::kContinuousAlarm, Flag(on, "t", "f"), out)) m.options.continuousAlarm = on;
    return out;
}

Effects Stundensignal(MainModel& m, SettingsFile& file) {
    Effects out;
    const bool on = !m.options.hourlySignal;
    if (!PairWritten(m, file, m.options.startMinimized, on, settings::kHourlySignal, out)) return out;
    m.options.hourlySignal = on;
    return out;
}

// Takes effect at the next start; the running window stays as it is.
Effects MinimiertStarten(MainModel& m, SettingsFile& file) {
    Effects out;
    const bool on = !m.options.startMinimized;
    if (PairWritten(m, file, on, m.options.hourlySignal, settings::kStartMinimized, out)) m.options.startMinimized = on;
    return out;
}

// The box shows only what the registry holds: a value that cannot be
// written or removed is said, and box and stored field stay. When the file
// cannot take the mark, the registry is taken back too.
Effects MitWindowsStarten(MainModel& m, SettingsFile& file, AutostartStore& registry, const std::string& exePath) {
    Effects out;
    const bool on = !m.options.autostart;
    if (on ? !registry.Enable(exePath) : !registry.Disable()) {
        out.Add(Step::Tell(on ? kAutostartNotWritten : kAutostartNotRemoved, mb::kIconExclamation));
        return out;
    }
    if (!WriteField(file, settings::kAutostart, Flag(on, "t", "f"), out)) {
        if (on) registry.Disable();
        else registry.Enable(exePath);
        return out;
    }
    m.options.autostart = on;
    return out;
}

void KeepAutostart(MainModel& m, AutostartStore& registry, const std::string& exePath) {
    if (m.options.autostart && !registry.IsThere()) m.options.autostart = registry.Enable(exePath);
}

}  // namespace hv
