#pragma once
// How Windows delivers timers and sleeps, as the simulating benches model it
// (microseconds of the monotonic clock), and what each figure rests on:
// - The clock tick, 15.625 ms (64 Hz), is Windows' default timer resolution
//   (the interval timeBeginPeriod shortens). Expiries and the ends of Sleep
//   are noticed only on a tick: a due time is rounded up to the next one.
// - The thread runs a little after that tick: up to kWakeUpMaxUs, our guess.
// - A periodic SetTimer counts its next period from the expiry it just had.
//   That expiry was late, so 1000 ms later is past a tick again: a 1000 ms
//   timer comes every 1015.6 ms or so and slips against the wall clock.
// - WM_TIMER is not queued: an expiry sets a flag that GetMessage turns into
//   one message once nothing else waits, so expiries that fall due while the
//   loop is busy merge into one. How often the loop is busy and for how long
//   (kBusyShare, kBusyMaxUs) is our guess.
// - The wall clock runs 50 ppm fast against the monotonic one, as an
//   unsynchronised quartz may.
// Local time is UTC here: no daylight-saving change, which the alarms'
// time-of-day comparison does not need.
#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "model/ByteStore.h"
#include "model/LocalTime.h"

namespace bench {

constexpr std::int64_t kClockTickUs = 15625;
constexpr std::int64_t kWakeUpMaxUs = 1000;
constexpr double kBusyShare = 0.01;  // of timer messages followed by a busy loop
constexpr std::int64_t kBusyMaxUs = 3000000;
constexpr std::int64_t kWallAtZeroUs = 1796601600LL * 1000000 + 123456;  // 2026-12-07 00:00:00.123456 UTC

inline std::int64_t WallMs(std::int64_t monoUs) { return (kWallAtZeroUs + monoUs + monoUs / 20000) / 1000; }
inline std::int64_t CeilToTick(std::int64_t us) { return (us + kClockTickUs - 1) / kClockTickUs * kClockTickUs; }

struct Random {
    std::mt19937_64 engine;
    std::int64_t Uniform(std::int64_t lo, std::int64_t hi) {
        return std::uniform_int_distribution<std::int64_t>(lo, hi)(engine);
    }
    bool Chance(double p) { return std::bernoulli_distribution(p)(engine); }
};

// When Sleep(ms) begun at `nowUs` returns: Sleep(100) just after a tick
// lasts seven ticks, 109.4 ms.
inline std::int64_t SleepEnds(Random& r, std::int64_t nowUs, std::int64_t ms) {
    return CeilToTick(nowUs + ms * 1000) + r.Uniform(0, kWakeUpMaxUs);
}

// A window's message loop with one timer.
class WindowLoop {
public:
    explicit WindowLoop(std::uint64_t seed) : m_random{std::mt19937_64(seed)} {}
    // SetTimer(ms), from now on.
    void SetTimer(std::int64_t ms) {
        m_periodUs = ms * 1000;
        m_expiryUs = Expiry(m_nowUs + m_periodUs);
    }
    // GetMessage until the WM_TIMER; returns the time it is handled.
    std::int64_t NextTimerMessage() {
        m_nowUs = std::max(m_expiryUs, m_freeAtUs);
        while (m_expiryUs <= m_nowUs) m_expiryUs = Expiry(m_expiryUs + m_periodUs);
        return m_nowUs;
    }
    // After the handler, now and then the loop stays busy.
    void MaybeBusy() {
        if (m_random.Chance(kBusyShare)) m_freeAtUs = m_nowUs + m_random.Uniform(0, kBusyMaxUs);
    }

private:
    std::int64_t Expiry(std::int64_t dueUs) { return CeilToTick(dueUs) + m_random.Uniform(0, kWakeUpMaxUs); }
    Random m_random;
    std::int64_t m_nowUs = 0, m_periodUs = 0, m_expiryUs = 0, m_freeAtUs = 0;
};

// Local time as UTC, from epoch seconds (1970 on).
inline hv::LocalTime UtcTime(std::int64_t s) {
    const std::int64_t days = s / 86400, z = days + 719468, era = z / 146097, doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100), mp = (5 * doy + 2) / 153;
    hv::LocalTime t;
    t.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    t.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    t.year = static_cast<int>(yoe + era * 400 + (t.month <= 2));
    t.hour = static_cast<int>(s % 86400 / 3600);
    t.minute = static_cast<int>(s % 3600 / 60);
    t.second = static_cast<int>(s % 60);
    t.dayOfWeek = static_cast<int>((days + 4) % 7 + 1);  // 1970-01-01 was a Thursday
    return t;
}

// The settings file in memory; the tick writes only when a countdown ends.
class MemoryStore : public hv::ByteStore {
public:
    hv::FileError Read(std::size_t size, std::string& bytes) override {
        bytes = m_bytes.substr(0, size);
        return hv::FileError::None;
    }
    hv::FileError Create(const std::vector<std::string_view>& pieces) override {
        m_bytes.clear();
        for (std::string_view p : pieces) m_bytes += p;
        return hv::FileError::None;
    }
    hv::FileError WriteAt(std::size_t offset, std::string_view bytes) override {
        if (m_bytes.size() < offset + bytes.size()) m_bytes.resize(offset + bytes.size());
        m_bytes.replace(offset, bytes.size(), bytes);
        return hv::FileError::None;
    }
    void Pause(unsigned) override {}

private:
    std::string m_bytes;
};

}  // namespace bench
