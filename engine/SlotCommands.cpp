// The six slot selectors, Start, Stopp, the two extra-function buttons and
// "Alarm aus": one set of buttons acts on whichever slot is selected.
#include "engine/ClockText.h"
#include "engine/Commands.h"
#include "engine/Entry.h"
#include "engine/FieldWrite.h"
#include "engine/MainView.h"
#include "engine/Signalling.h"
#include "platform/Constants.h"

namespace hv {
namespace {

void FocusHours(int slot, Effects& out) {
    out.focus = FocusMove{HoursFieldOf(slot), true};
}

void Reject(int slot, Effects& out) {
    out.Add(Step::Tell(kBadEntry, mb::kIconStop));
    FocusHours(slot, out);
}

Effects StartAlarm(MainModel& m, SettingsFile& file, int k, const EntryTexts& entry) {
    Effects out;
    AlarmSlot& slot = m.timers.alarms[static_cast<std::size_t>(k)];
    const auto target = AlarmEntry({entry.hours, entry.minutes, entry.seconds});
    // A refused entry leaves the slot and the file as they were: the alarm
    // the user still sees armed stays armed at the next start too. A failed
    // write commits nothing either.
    if (target && !WriteField(file, settings::AlarmActive(k), "t" + target->hourText + target->minuteText + target->secondText, out))
        return out;
    m.startAgain = true;
    if (target) {
        slot.hourText = target->hourText;
        slot.minuteText = target->minuteText;
        slot.secondText = target->secondText;
        slot.active = true;
        // Its time comes from the first second not yet examined, even in the
        // hour that summer time's end repeats.
        slot.examinedUpTo = m.timers.lastExaminedLocal;
    }
    if (!target) Reject(k, out);
    out.redrawLabels = true;
    return out;
}

Effects StartCountdown(MainModel& m, SettingsFile& file, const EntryTexts& entry, std::int64_t monoMs) {
    Effects out;
    CountdownState& c = m.timers.countdown;
    const auto accepted = CountdownEntry({entry.hours, entry.minutes, entry.seconds});
    if (!accepted) {
        Reject(kCountdownSlot, out);
        out.redrawLabels = true;
        return out;
    }
    // The ended countdown's ring is acknowledged first, or the next "Alarm
    // aus" would reset the new one; only its own ring.
    if (c.ringing) AcknowledgeCountdownRing(m, out);
    c.hours = accepted->hours;
    c.minutes = accepted->minutes;
    c.seconds = accepted->seconds;
    c.countedUpToMs.reset();
    c.startedMs = monoMs;
    c.active = true;
    m.startAgain = true;
    if (!WriteField(file, settings::kCountdownActive, "t" + accepted->storedTime, out)) return out;
    out.redrawLabels = true;
    return out;
}

Effects StartStopwatch(MainModel& m, std::int64_t monoMs) {
    Effects out;
    out.Add(Step::Worker(m.timers.stopwatch.Start(monoMs)));
    m.stopwatchText = kStopwatchStarted;
    m.startAgain = true;
    out.redrawLabels = true;
    return out;
}

void HoldStopwatch(MainModel& m, std::int64_t monoMs) {
    m.stopwatchText = StopwatchText(m.timers.stopwatch.Stop(monoMs));
}

}  // namespace

Effects SelectSlot(MainModel& m, SlotSelector selected) {
    Effects out;
    const TimekeepingState& t = m.timers;
    if (SlotIndexOf(selected) < 0) return out;
    m.timers.selector = selected;
    const int slot = SlotIndexOf(selected);
    m.startAgain = slot < kAlarmSlotCount    ? t.alarms[static_cast<std::size_t>(slot)].active
                   : slot == kCountdownSlot ? t.countdown.active
                                            : t.stopwatch.Running();
    // The hours field, ready to be typed over; the stopwatch has none.
    if (slot != kStopwatchSlot) FocusHours(slot, out);
    return out;
}

Effects Start(MainModel& m, SettingsFile& file, const EntryTexts& entry, std::int64_t monoMs) {
    const int slot = SlotIndexOf(m.timers.selector);
    if (slot >= 0 && slot < kAlarmSlotCount) return StartAlarm(m, file, slot, entry);
    if (slot == kCountdownSlot) return StartCountdown(m, file, entry, monoMs);
    if (slot == kStopwatchSlot) return StartStopwatch(m, monoMs);
    return {};
}

Effects Stopp(MainModel& m, SettingsFile& file, std::int64_t monoMs) {
    Effects out;
    TimekeepingState& t = m.timers;
    const int slot = SlotIndexOf(t.selector);
    if (slot >= 0 && slot < kAlarmSlotCount) {
        AlarmSlot& a = t.alarms[static_cast<std::size_t>(slot)];
        if (a.ringing) AcknowledgeRings(m, file, out);
        a.active = false;
        // A failed write has been reported; the handler goes no further.
        if (!WriteField(file, settings::AlarmActive(slot), "f", out)) return out;
        m.startAgain = false;
    } else if (slot == kCountdownSlot) {
        CountdownState& c = t.countdown;
        c.active = false;
        c.countedUpToMs.reset();
        c.hours = c.minutes = c.seconds = kNoValue;
        if (!WriteField(file, settings::kCountdownActive, "f", out)) return out;
        m.startAgain = false;
        if (c.ringing) AcknowledgeRings(m, file, out);
    } else if (slot == kStopwatchSlot && t.stopwatch.Running()) {
        HoldStopwatch(m, monoMs);
    } else {
        return out;
    }
    out.redrawLabels = true;
    return out;
}

// Each acts only in the state its button is enabled for.
Effects Zusatzfunktion1(MainModel& m, SettingsFile& file, std::int64_t monoMs) {
    Effects out;
    TimekeepingState& t = m.timers;
    const bool held = t.stopwatch.HasValue() && !t.stopwatch.Running();
    if (t.selector == SlotSelector::Countdown && t.countdown.active) {
        t.countdown.active = false;
        t.countdown.countedUpToMs.reset();
        if (!WriteField(file, settings::kCountdownActive, "f", out)) return out;
    } else if (t.selector == SlotSelector::Stopwatch && held) {
        out.Add(Step::Worker(t.stopwatch.Continue(monoMs)));
    }
    out.redrawLabels = true;
    return out;
}

Effects Zusatzfunktion2(MainModel& m, SettingsFile& file, std::int64_t monoMs) {
    Effects out;
    TimekeepingState& t = m.timers;
    const CountdownState& c = t.countdown;
    const bool held = t.stopwatch.HasValue() && !t.stopwatch.Running();
    if (t.selector == SlotSelector::Countdown && c.HasValue() && !c.active && !c.ringing) {
        t.countdown.active = true;
        t.countdown.countedUpToMs.reset();  // the first tick counts one, as after Start
        t.countdown.startedMs = monoMs;
        if (!WriteField(file, settings::kCountdownActive, "t", out)) return out;
    } else if (t.selector == SlotSelector::Stopwatch && held) {
        t.stopwatch.Reset();
        m.stopwatchText = kInactive;
        m.startAgain = false;
    }
    out.redrawLabels = true;
    return out;
}

// Acknowledges what the status line says: what rings (and a pending hourly
// signal) first; the missed alarms' notice, which then shows, with the next.
Effects AlarmAus(MainModel& m, SettingsFile& file) {
    Effects out;
    const bool ringing = m.timers.AnythingRinging();
    AcknowledgeRings(m, file, out);
    if (!ringing) {
        m.timers.missedCount = 0;
        m.timers.missedLast.clear();
    }
    return out;
}

}  // namespace hv
