#include "engine/NextRing.h"

#include <algorithm>

#include "engine/Countdown.h"
#include "model/Calendar.h"

namespace hv {
namespace {

std::int64_t OffsetAt(std::int64_t s, const LocalTimeOf& toLocal) { return LocalSeconds(toLocal(s)) - s; }

// The countdown ends at the first tick that counts off what is left (the
// rule of SecondsToCountOff), on the monotonic clock.
std::optional<std::int64_t> CountdownEndMono(const CountdownState& c, std::int64_t monoMs) {
    if (!c.active || !c.HasValue()) return std::nullopt;
    const std::int64_t left = (std::int64_t{c.hours} * 60 + c.minutes) * 60 + c.seconds;
    if (c.countedUpToMs) return *c.countedUpToMs + left * 1000 - kEarlyTickToleranceMs;
    if (left <= 1) return monoMs;  // the first tick counts one
    if (c.startedMs) return *c.startedMs + (left - 1) * 1000 + kEarlyTickToleranceMs + 1;
    return monoMs + (left - 1) * 1000;
}

}  // namespace

std::int64_t FirstSecondReaching(std::int64_t local, std::int64_t now, const LocalTimeOf& toLocal) {
    std::int64_t from = now;
    std::int64_t offset = OffsetAt(from, toLocal);
    // Each round passes one change of the offset; a day holds one at most,
    // so two rounds reach any time within a day.
    for (int round = 0; round < 3; ++round) {
        const std::int64_t at = local - offset;  // where it lies if the offset holds
        if (at <= from) break;
        if (OffsetAt(at, toLocal) == offset) return at;
        // The change lies in (from, at]: its first second, by halving.
        std::int64_t lo = from, hi = at;
        while (hi - lo > 1) {
            const std::int64_t mid = lo + (hi - lo) / 2;
            (OffsetAt(mid, toLocal) == offset ? lo : hi) = mid;
        }
        offset = OffsetAt(hi, toLocal);
        if (hi + offset >= local) return hi;  // skipped over it
        from = hi;
    }
    return from + 1;
}

std::optional<std::int64_t> NextRingDue(const MainModel& m, std::int64_t wallMs, std::int64_t monoMs,
                                        const LocalTimeOf& toLocal) {
    const TimekeepingState& t = m.timers;
    const std::int64_t now = FloorDiv(wallMs, 1000);
    // The next tick examines from the second after the last it examined, or
    // its own second when none was (a start, the clock set back).
    const std::int64_t after = t.lastExamined && *t.lastExamined <= now ? *t.lastExamined : now - 1;
    std::optional<std::int64_t> due;
    std::optional<std::int64_t> nowLocal;
    for (const AlarmSlot& slot : t.alarms) {
        const int target = TargetSecond(slot);
        if (!slot.active || target < 0) continue;
        if (!slot.examinedUpTo && !nowLocal) nowLocal = LocalSeconds(toLocal(after));
        const std::int64_t looked = slot.examinedUpTo ? *slot.examinedUpTo : *nowLocal;
        const std::int64_t next = looked + 1 + FloorMod(target - looked - 1, 86400);
        const std::int64_t at = FirstSecondReaching(next, after, toLocal) * 1000;
        due = due ? std::min(*due, at) : at;
    }
    if (const auto end = CountdownEndMono(t.countdown, monoMs)) {
        const std::int64_t at = wallMs + (*end - monoMs);
        due = due ? std::min(*due, at) : at;
    }
    return due;
}

std::optional<std::int64_t> WakeDue(const MainModel& m, std::int64_t wallMs, std::int64_t monoMs,
                                    const LocalTimeOf& toLocal) {
    if (!m.wakeForAlarm) return std::nullopt;
    return NextRingDue(m, wallMs, monoMs, toLocal);
}

bool WakeForAlarmOf(const std::optional<std::string>& storedDword) {
    if (!storedDword || storedDword->size() != 4) return true;
    return *storedDword != std::string(4, '\0');
}

}  // namespace hv
