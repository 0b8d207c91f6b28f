#pragma once
// The settings file's record as the running program knows it. A start that
// cannot read the file (another program holds it at logon, access denied)
// runs on the defaults in memory and reads it again at each tick; once it
// can, the stored record is taken as a start takes it, except for what the
// user changed meanwhile, which is kept and written. Until then no default
// is written over a stored byte.
//
// A user change is whatever a command changed in the record the model
// stands for, whether its write failed or not: what the window shows is
// what the user set. So an alarm disarmed by Stopp, a countdown started,
// paused or stopped, labels renamed in the editor all hold against the
// stored record; an option box or an alarm's Start whose write failed left
// the model as it was and changed nothing.
#include <array>
#include <bitset>
#include <cstdint>
#include <functional>
#include <string>

#include "engine/Effects.h"
#include "model/SettingsFile.h"
#include "model/SettingsRecord.h"

namespace hv {

struct MainModel;

struct StoredRecord {
    bool unread = false;                       // the stored record is not read yet
    std::int64_t startMs = 0;                  // the start, on the monotonic clock
    FileError unsaid = FileError::None;        // the last failure, to be reported once
    bool reported = false;
    std::bitset<kSettingsRecordSize> changed;  // bytes the user changed while unread
};

// A held file is said only when it is held this long after the start.
constexpr std::int64_t kHeldReportAfterMs = 5000;

// The start: the record loaded (or the defaults) in the model, and what is
// left to read and to report.
void StartFrom(MainModel& m, const SettingsFile::StartupResult& loaded, std::int64_t monoMs);

// The record the model stands for: the options, each alarm's flag and time,
// the labels, the countdown's flag (counting or ringing). The countdown's
// time is never read back (a countdown does not outlast the program): here
// it is the default's, and a taken record keeps the stored one.
std::string RecordOf(const MainModel& m);

// At each tick: reads the stored record while it is unread and merges it.
// The start's failure is reported at the first tick; a held file only once
// it has been held kHeldReportAfterMs since the start, and then once.
Effects CatchUpStoredRecord(MainModel& m, SettingsFile& file, std::int64_t monoMs);

// Every user command that may write the file. It acts on what the window
// shows, so the record is tried only afterwards (a click on a box meant the
// mark it saw turned over, not the stored one); while the record is unread,
// what the command changed is the user's. A failed try is said by the ticks.
Effects UserCommand(MainModel& m, SettingsFile& file, const std::function<Effects()>& command);

// The labels the editor hands back: one it left as it opened with gives way
// to the model's, which the stored record may have brought in meanwhile.
std::array<std::string, 5> LabelsFromEditor(const MainModel& m, const std::array<std::string, 5>& opened,
                                            const std::array<std::string, 5>& edited);

}  // namespace hv
