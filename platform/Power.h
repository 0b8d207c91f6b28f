#pragma once
// The computer's sleep: a timer that wakes it for the next ring, and the
// display and the system kept on while a ring waits for "Alarm aus".
#include <cstdint>
#include <optional>

namespace hv {

// A waitable timer set to wake the computer from sleep (S3 and Modern
// Standby, where the power options allow wake timers). Nobody waits on it:
// the window's own tick runs on after the wake. Closing it cancels it.
class WakeTimer {
public:
    WakeTimer();
    ~WakeTimer();
    WakeTimer(const WakeTimer&) = delete;
    WakeTimer& operator=(const WakeTimer&) = delete;
    // Due at `epochMs` (UTC, absolute, so that a clock set meanwhile does not
    // move it), or cancelled; nothing happens when that is what it is set to.
    // False when it could not be set.
    bool SetTo(std::optional<std::int64_t> epochMs);
    std::optional<std::int64_t> Due() const { return m_due; }

private:
    void* m_timer = nullptr;
    std::optional<std::int64_t> m_due;
};

// On: the display and the system stay on until called with off; off, the
// program holds nothing, so that being armed never keeps a PC awake.
void KeepAwake(bool on);

}  // namespace hv
