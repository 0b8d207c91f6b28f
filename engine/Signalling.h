#pragma once
// What happens when an alarm time, the countdown's end or the full hour has
// come, and "Alarm aus", which acknowledges it all.
#include "engine/Effects.h"
#include "engine/MainModel.h"
#include "model/SettingsFile.h"

namespace hv {

void RingAlarm(MainModel& m, int k, Effects& out);  // k: alarm slot 0..3
void RingCountdown(MainModel& m, SettingsFile& file, Effects& out);
void HourlySignal(MainModel& m, Effects& out);
// Silences and acknowledges everything that rings or waits.
void AcknowledgeAll(MainModel& m, SettingsFile& file, Effects& out);
// The countdown's ring alone, for a new countdown started over it.
void AcknowledgeCountdownRing(MainModel& m, Effects& out);
// As a click on the tray icon does; only the show has an effect when the
// window is not in the notification area.
void BringBack(MainModel& m, Effects& out);

// Each write that fails is reported once; the command goes no further.
inline bool Written(SettingsFile& file, std::size_t offset, std::string_view bytes, Effects& out) {
    const FileError error = file.Write(offset, bytes);
    if (error == FileError::None) return true;
    out.steps.push_back({Step::FileFailed, {}, 0, error});
    return false;
}

}  // namespace hv
