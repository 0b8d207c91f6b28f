#include "model/StopwatchState.h"

#include <algorithm>

#include "model/Calendar.h"

namespace hv {

StopwatchReading ReadingOf(std::int64_t tenths) {
    StopwatchReading r;
    r.tenths = static_cast<std::int32_t>(tenths % 10);
    const HoursMinutesSeconds split = SplitSeconds(tenths / 10);
    r.hours = split.hours, r.minutes = split.minutes, r.seconds = split.seconds;
    return r;
}

bool StopwatchState::Running() const {
    std::lock_guard<std::mutex> g(m_lock);
    return m_running;
}

bool StopwatchState::HasValue() const {
    std::lock_guard<std::mutex> g(m_lock);
    return m_hasValue;
}

StopwatchReading StopwatchState::Reading() const {
    std::lock_guard<std::mutex> g(m_lock);
    return ReadingOf(m_tenths);
}

std::uint64_t StopwatchState::BeginRun(std::int64_t nowMs, std::int64_t fromMs) {
    m_running = true;
    m_hasValue = true;
    m_startMs = nowMs;
    m_baseMs = fromMs;
    m_tenths = fromMs / kTenthMs;
    return ++m_run;
}

std::uint64_t StopwatchState::Start(std::int64_t nowMs) {
    std::lock_guard<std::mutex> g(m_lock);
    return BeginRun(nowMs, 0);
}

std::uint64_t StopwatchState::Continue(std::int64_t nowMs) {
    std::lock_guard<std::mutex> g(m_lock);
    return BeginRun(nowMs, m_baseMs);
}

std::int64_t StopwatchState::ElapsedMs(std::int64_t nowMs) const {
    return m_baseMs + std::max<std::int64_t>(nowMs - m_startMs, 0);
}

StopwatchReading StopwatchState::Stop(std::int64_t nowMs) {
    std::lock_guard<std::mutex> g(m_lock);
    if (m_running) {
        m_baseMs = ElapsedMs(nowMs);
        m_tenths = m_baseMs / kTenthMs;
    }
    m_running = false;
    ++m_run;
    return ReadingOf(m_tenths);
}

void StopwatchState::Reset() {
    std::lock_guard<std::mutex> g(m_lock);
    m_running = false;
    m_hasValue = false;
    m_baseMs = 0;
    m_tenths = 0;
    ++m_run;
}

std::optional<std::int64_t> StopwatchState::NextTenthDueMs(std::uint64_t run) const {
    std::lock_guard<std::mutex> g(m_lock);
    if (!m_running || run != m_run) return std::nullopt;
    return m_startMs + (m_tenths + 1) * kTenthMs - m_baseMs;
}

std::optional<std::int64_t> StopwatchState::NextTenthAtMs() const {
    std::lock_guard<std::mutex> g(m_lock);
    if (!m_running) return std::nullopt;
    return m_startMs + (m_tenths + 1) * kTenthMs - m_baseMs;
}

bool StopwatchState::Count(std::uint64_t run, std::int64_t nowMs) {
    std::lock_guard<std::mutex> g(m_lock);
    if (!m_running || run != m_run) return false;
    m_tenths = std::max(m_tenths, ElapsedMs(nowMs) / kTenthMs);
    return true;
}

}  // namespace hv
