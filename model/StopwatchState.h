#pragma once
// The stopwatch, shared by the window's thread and the counting worker. The
// reading is one count of tenths, so hours, minutes, seconds and tenths
// always come from one instant; every start, continue, stop and reset begins
// a new run, and a worker of an earlier run counts no more, so a worker that
// has not yet woken from its sleep can never add a stale tenth.
#include <cstdint>
#include <mutex>
#include <optional>

namespace hv {

struct StopwatchReading {
    std::int32_t hours = 0, minutes = 0, seconds = 0, tenths = 0;
};
StopwatchReading ReadingOf(std::int64_t tenths);

constexpr std::int64_t kTenthMs = 100;

class StopwatchState {
public:
    bool Running() const;
    bool HasValue() const;  // false before the first start and after a reset
    StopwatchReading Reading() const;

    // The window's thread. Start and Continue return the run that the new
    // worker counts for. Held time is kept to the millisecond, so stopping
    // and continuing loses no part of a tenth.
    std::uint64_t Start(std::int64_t nowMs);
    std::uint64_t Continue(std::int64_t nowMs);
    // Holds the time of this instant; the reading shows every tenth passed.
    StopwatchReading Stop(std::int64_t nowMs);
    void Reset();

    // The worker: when the next tenth of `run` falls due, nothing once the
    // run is over; Count takes every tenth due by `nowMs`, false once the run
    // is over.
    std::optional<std::int64_t> NextTenthDueMs(std::uint64_t run) const;
    // The window: when the tenth after the one counted falls due, while it runs.
    std::optional<std::int64_t> NextTenthAtMs() const;
    bool Count(std::uint64_t run, std::int64_t nowMs);

private:
    std::uint64_t BeginRun(std::int64_t nowMs, std::int64_t fromMs);
    std::int64_t ElapsedMs(std::int64_t nowMs) const;

    mutable std::mutex m_lock;
    bool m_running = false;
    bool m_hasValue = false;
    std::uint64_t m_run = 0;
    std::int64_t m_startMs = 0;  // monotonic time the run began
    std::int64_t m_baseMs = 0;   // the time measured before it
    std::int64_t m_tenths = 0;   // the reading as counted
};

}  // namespace hv
