#pragma once
// What happens when an alarm time, the countdown's end or the full hour has
// come, and "Alarm aus", which acknowledges it all.
#include <string>
#include <utility>
#include <vector>

#include "engine/Effects.h"
#include "engine/MainModel.h"
#include "model/SettingsFile.h"

namespace hv {

void RingAlarm(MainModel& m, int k, Effects& out);  // k: alarm slot 0..3
// `asleep`: its end fell into a sleep of the computer, which its notice says.
void RingCountdown(MainModel& m, SettingsFile& file, Effects& out, bool asleep = false);
struct MissedAlarm {
    int slot;                 // 0..3
    std::int64_t count;       // how often its time came
    std::int64_t latestLocal; // the last of them, in local seconds
};
// Alarms whose time of day passed unexamined (a sleep, the clock set
// forward): added to the notice not yet acknowledged, never rung late.
void ReportMissed(MainModel& m, const std::vector<MissedAlarm>& missed, Effects& out);
void HourlySignal(MainModel& m, Effects& out);
void HourlyBoxClosed(MainModel& m);
// Silences and acknowledges what rings and a pending hourly signal; the
// missed alarms' notice stays, to be acknowledged on its own.
void AcknowledgeRings(MainModel& m, SettingsFile& file, Effects& out);
// What the status line says: the notice of what rings, else the missed
// alarms, else nothing.
std::string StatusOf(const MainModel& m);
// The countdown's ring alone, for a new countdown started over it.
void AcknowledgeCountdownRing(MainModel& m, Effects& out);
// As a click on the tray icon does; only the show has an effect when the
// window is not in the notification area.
void BringBack(MainModel& m, Effects& out);
// As BringBack, for what the user did not ask for: a ring, a missed alarm.
void CallAttention(MainModel& m, Effects& out);

}  // namespace hv
