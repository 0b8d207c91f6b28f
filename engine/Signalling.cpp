#include "engine/Signalling.h"

#include "engine/ClockText.h"
#include "engine/FieldWrite.h"

namespace hv {
namespace {

void ResetCountdown(MainModel& m) {
    CountdownState& c = m.timers.countdown;
    c.active = false;
    c.countedUpToMs.reset();
    c.hours = c.minutes = c.seconds = kNoValue;
    if (m.timers.selector == SlotSelector::Countdown) m.startAgain = false;
}

void ShowWindow(MainModel& m, Step::Kind how, Effects& out) {
    m.timers.inTray = false;
    m.timers.minimiseOnFirstPaint = false;
    out.Add(how);
}

}  // namespace

void BringBack(MainModel& m, Effects& out) { ShowWindow(m, Step::BringBack, out); }

void CallAttention(MainModel& m, Effects& out) { ShowWindow(m, Step::Alert, out); }

void RingAlarm(MainModel& m, int k, Effects& out) {
    if (!m.options.continuousAlarm) {
        if (m.options.sound) out.Add(Step::Play(kAlarmSound, false));
        return;
    }
    if (m.options.sound) out.Add(Step::Play(kAlarmSound, true));
    m.timers.alarms[static_cast<std::size_t>(k)].ringing = true;
    m.timers.lastNoticeAlarm = k;
    m.ringNotice = kReachedNotice + m.labels[static_cast<std::size_t>(k)];
    CallAttention(m, out);
}

void RingCountdown(MainModel& m, SettingsFile& file, Effects& out, bool asleep) {
    CountdownState& c = m.timers.countdown;
    if (!m.options.continuousAlarm) {
        if (m.options.sound) out.Add(Step::Play(kAlarmSound, false));
        // The countdown slot stops as Stopp stops it, whichever is selected.
        ResetCountdown(m);
        out.redrawLabels = true;
        // A failed write is reported; the tick goes on with its checks.
        WriteField(file, settings::kCountdownActive, "f", out);
        return;
    }
    if (m.options.sound) out.Add(Step::Play(kAlarmSound, true));
    c.active = false;
    c.countedUpToMs.reset();
    c.ringing = true;
    m.ringNotice = (asleep ? kEndedAsleepNotice : kReachedNotice) + m.labels[kCountdownSlot];
    CallAttention(m, out);
    c.hours = c.minutes = c.seconds = kNoValue;
}

void HourlySignal(MainModel& m, Effects& out) {
    // The chime would replace a continuous alarm's looping sound: the
    // sleeper would hear one chime and then silence.
    const bool chime = m.options.sound && !m.timers.AnythingRinging();
    if (!m.timers.inTray) {
        if (chime) out.Add(Step::Play(kHourlySound, false));
        m.timers.hourlySignalPending = true;
        return;
    }
    if (m.options.sound) {
        if (chime) out.Add(Step::Play(kHourlySound, false));
        return;
    }
    // Hours later the next box would open over the first: one is enough.
    if (m.timers.hourlyBoxOpen) return;
    m.timers.hourlyBoxOpen = true;
    out.Add(Step::Hourly(kHourlyNotice));
}

void HourlyBoxClosed(MainModel& m) { m.timers.hourlyBoxOpen = false; }

void AcknowledgeRings(MainModel& m, SettingsFile& file, Effects& out) {
    out.Add(Step::Silence);
    m.ringNotice.clear();
    for (AlarmSlot& slot : m.timers.alarms) slot.ringing = false;
    CountdownState& c = m.timers.countdown;
    if (c.ringing) {
        c.ringing = false;
        ResetCountdown(m);
        WriteField(file, settings::kCountdownActive, "f", out);
    }
    m.timers.hourlySignalPending = false;
    out.redrawLabels = true;
}

void ReportMissed(MainModel& m, const std::vector<MissedAlarm>& missed, Effects& out) {
    const MissedAlarm* latest = nullptr;
    for (const MissedAlarm& a : missed) {
        m.timers.missedCount += a.count;
        if (!latest || a.latestLocal >= latest->latestLocal) latest = &a;
    }
    if (!latest) return;
    const AlarmSlot& a = m.timers.alarms[static_cast<std::size_t>(latest->slot)];
    std::string label = m.labels[static_cast<std::size_t>(latest->slot)];
    label.erase(label.find_last_not_of(' ') + 1);
    m.timers.missedLast = label + " (" + AlarmTimeText(a) + ")";
    CallAttention(m, out);
}

std::string StatusOf(const MainModel& m) {
    const TimekeepingState& t = m.timers;
    if (t.AnythingRinging()) return m.ringNotice;
    if (t.missedCount == 0) return {};
    return (t.missedCount == 1 ? kMissedOne : std::to_string(t.missedCount) + kMissedMany) + t.missedLast;
}

// An alarm that still rings keeps its looping sound (the same file), its
// notice and "Alarm aus"; a pending hourly signal keeps "Alarm aus" too.
void AcknowledgeCountdownRing(MainModel& m, Effects& out) {
    m.timers.countdown.ringing = false;
    int ringing = -1;
    for (int k = 0; k < kAlarmSlotCount; ++k)
        if (m.timers.alarms[static_cast<std::size_t>(k)].ringing) ringing = k;
    if (ringing < 0) {
        out.Add(Step::Silence);
        m.ringNotice.clear();
        return;
    }
    const int last = m.timers.lastNoticeAlarm;
    if (last >= 0 && m.timers.alarms[static_cast<std::size_t>(last)].ringing) ringing = last;
    m.ringNotice = kReachedNotice + m.labels[static_cast<std::size_t>(ringing)];
}

}  // namespace hv
