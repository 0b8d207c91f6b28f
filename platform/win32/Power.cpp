#include "platform/Power.h"

#include "platform/win32/Win32.h"

namespace hv {

WakeTimer::WakeTimer() : m_timer(CreateWaitableTimerW(nullptr, TRUE, nullptr)) {}

WakeTimer::~WakeTimer() {
    if (m_timer) CloseHandle(m_timer);
}

bool WakeTimer::SetTo(std::optional<std::int64_t> epochMs) {
    if (epochMs == m_due) return true;
    m_due = epochMs;
    if (!m_timer) return false;
    if (!epochMs) return CancelWaitableTimer(m_timer) != FALSE;
    // FILETIME: 100 ns since 1601, a positive due time being absolute UTC.
    constexpr std::int64_t kTicksFrom1601To1970 = 116444736000000000LL;
    LARGE_INTEGER due;
    due.QuadPart = kTicksFrom1601To1970 + *epochMs * 10000;
    // Succeeds where the machine cannot wake too (ERROR_NOT_SUPPORTED then):
    // the ring comes at the next wake, as without the timer.
    return SetWaitableTimer(m_timer, &due, 0, nullptr, nullptr, TRUE) != FALSE;
}

void KeepAwake(bool on) {
    // Per thread: the window's thread sets and clears it.
    SetThreadExecutionState(on ? ES_CONTINUOUS | ES_SYSTEM_REQUIRED | ES_DISPLAY_REQUIRED : ES_CONTINUOUS);
}

}  // namespace hv
