#include "engine/StoredRecord.h"

#include "engine/Commands.h"
#include "engine/MainModel.h"

namespace hv {
namespace {

// The stored bytes with the user's in their place: what the file holds once
// they are written (a write beyond a short file's end fills the gap with zeros).
std::string Merged(std::string stored, const std::string& mine, const std::bitset<kSettingsRecordSize>& changed) {
    for (std::size_t i = 0; i < kSettingsRecordSize; ++i) {
        if (!changed[i]) continue;
        if (stored.size() <= i) stored.resize(i + 1, '\0');
        stored[i] = mine[i];
    }
    return stored;
}

// Reads the file and merges; None once the stored record is taken and the
// user's bytes are in the file. A write that fails leaves it to the next try.
FileError Take(MainModel& m, SettingsFile& file, Effects& out) {
    std::string stored;
    FileError error = file.Read(stored);
    if (error != FileError::None && error != FileError::NotFound) return error;
    const bool missing = error == FileError::NotFound;  // gone since the start: nothing stored to keep
    if (missing) stored = SettingsRecord::Default().Bytes();
    const std::string merged = Merged(stored, RecordOf(m), m.stored.changed);
    // As a start takes it, but the running window is not hidden.
    const bool hide = m.timers.minimiseOnFirstPaint;
    ApplyStartStates(m, SettingsRecord::FromBytes(merged));
    m.timers.minimiseOnFirstPaint = hide;
    // The shared buttons follow a selected alarm that the record armed.
    const int slot = SlotIndexOf(m.timers.selector);
    if (slot >= 0 && slot < kAlarmSlotCount) SelectSlot(m, m.timers.selector);
    out.redrawLabels = true;
    if (missing) return file.Create(merged);
    for (std::size_t at = 0, end = 0; at < merged.size(); at = end) {
        const auto differs = [&](std::size_t i) { return i >= stored.size() || merged[i] != stored[i]; };
        for (end = at; end < merged.size() && differs(end) == differs(at);) ++end;
        if (differs(at) && (error = file.Write(at, std::string_view(merged).substr(at, end - at))) != FileError::None)
            return error;
    }
    return FileError::None;
}

void TryToTake(MainModel& m, SettingsFile& file, Effects& out) {
    m.stored.unsaid = Take(m, file, out);
    m.stored.unread = m.stored.unsaid != FileError::None;
}

}  // namespace

void StartFrom(MainModel& m, const SettingsFile::StartupResult& loaded, std::int64_t monoMs) {
    ApplyStartStates(m, loaded.record);
    m.stored = StoredRecord{loaded.unread, monoMs, loaded.error, false, {}};
}

std::string RecordOf(const MainModel& m) {
    namespace s = settings;
    std::string r = SettingsRecord::Default().Bytes();
    const auto flag = [&](std::size_t at, bool on, char yes, char no) { r[at] = on ? yes : no; };
    flag(s::kStartMinimized, m.options.startMinimized, 'j', 'n');
    flag(s::kHourlySignal, m.options.hourlySignal, 'j', 'n');
    for (int k = 0; k < kAlarmSlotCount; ++k) {
        const AlarmSlot& a = m.timers.alarms[static_cast<std::size_t>(k)];
        flag(s::AlarmActive(k), a.active, 't', 'f');
        const std::string time = a.hourText + a.minuteText + a.secondText;
        if (time.size() == 6) r.replace(s::AlarmTime(k), 6, time);
    }
    flag(s::kSoundOn, m.options.sound, 't', 'f');
    flag(s::kContinuousAlarm, m.options.continuousAlarm, 't', 'f');
    for (int i = 0; i < kLabelCount; ++i) {
        std::string label = m.labels[static_cast<std::size_t>(i)].substr(0, kLabelLength);
        label.resize(kLabelLength, ' ');
        r.replace(s::Label(i), kLabelLength, label);
    }
    flag(s::kCountdownActive, m.timers.countdown.active || m.timers.countdown.ringing, 't', 'f');
    flag(s::kAutostart, m.options.autostart, 't', 'f');
    return r;
}

Effects CatchUpStoredRecord(MainModel& m, SettingsFile& file, std::int64_t monoMs) {
    Effects out;
    StoredRecord& s = m.stored;
    if (s.unread) TryToTake(m, file, out);
    const bool due = s.unsaid != FileError::SharingViolation || monoMs - s.startMs >= kHeldReportAfterMs;
    if (s.unsaid != FileError::None && !s.reported && due) {
        out.Add(Step::ReportFile(s.unsaid));
        s.reported = true;
    }
    return out;
}

Effects UserCommand(MainModel& m, SettingsFile& file, const std::function<Effects()>& command) {
    if (!m.stored.unread) return command();
    const std::string before = RecordOf(m);
    Effects out = command();
    const std::string after = RecordOf(m);
    for (std::size_t i = 0; i < kSettingsRecordSize; ++i)
        if (before[i] != after[i]) m.stored.changed.set(i);
    TryToTake(m, file, out);
    return out;
}

std::array<std::string, 5> LabelsFromEditor(const MainModel& m, const std::array<std::string, 5>& opened,
                                            const std::array<std::string, 5>& edited) {
    std::array<std::string, 5> labels = edited;
    for (std::size_t i = 0; i < labels.size(); ++i)
        if (edited[i] == opened[i]) labels[i] = m.labels[i];
    return labels;
}

}  // namespace hv
