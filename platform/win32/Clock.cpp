#include "platform/Services.h"
#include "platform/win32/Win32.h"

namespace hv {
namespace {

// FILETIME counts 100 ns steps since 1601-01-01 UTC.
constexpr std::int64_t kTicksPerMs = 10000;
constexpr std::int64_t kTicksPerSecond = 10000000;
constexpr std::int64_t kEpochTicks = 116444736000000000;  // 1970-01-01

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    const std::int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

std::int64_t TicksSince1970() {
    FILETIME ft{};
    GetSystemTimeAsFileTime(&ft);
    ULARGE_INTEGER t{};
    t.LowPart = ft.dwLowDateTime;
    t.HighPart = ft.dwHighDateTime;
    return static_cast<std::int64_t>(t.QuadPart) - kEpochTicks;
}

LocalTime FromSystemTime(const SYSTEMTIME& st) {
    LocalTime t;
    t.year = st.wYear;
    t.month = st.wMonth;
    t.day = st.wDay;
    t.hour = st.wHour;
    t.minute = st.wMinute;
    t.second = st.wSecond;
    t.dayOfWeek = st.wDayOfWeek + 1;
    return t;
}

}  // namespace

std::int64_t WallClockSeconds() { return FloorDiv(TicksSince1970(), kTicksPerSecond); }

std::int64_t WallClockMilliseconds() { return FloorDiv(TicksSince1970(), kTicksPerMs); }

LocalTime ToLocalTime(std::int64_t epochSeconds) {
    // FILETIME covers 1601 to 30828; outside it the product would overflow.
    constexpr std::int64_t kFirst = -kEpochTicks / kTicksPerSecond;
    constexpr std::int64_t kLast = 900000000000;
    if (epochSeconds < kFirst || epochSeconds > kLast) return LocalTime();
    ULARGE_INTEGER t{};
    t.QuadPart = static_cast<ULONGLONG>(epochSeconds * kTicksPerSecond + kEpochTicks);
    FILETIME ft{};
    ft.dwLowDateTime = t.LowPart;
    ft.dwHighDateTime = t.HighPart;
    SYSTEMTIME utc{};
    if (!FileTimeToSystemTime(&ft, &utc)) return LocalTime();
    // The machine's zone, with its daylight-saving rule for that date.
    SYSTEMTIME local{};
    if (!SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local)) return FromSystemTime(utc);
    return FromSystemTime(local);
}

std::int64_t MonotonicMilliseconds() {
    // The interrupt time goes on while the computer sleeps, so a countdown
    // counts real time across a sleep; Windows 10 and later have it precise.
    using QueryInterruptTimePreciseFn = void(WINAPI*)(ULONGLONG*);
    static const auto interruptTime = reinterpret_cast<QueryInterruptTimePreciseFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernelbase.dll"), "QueryInterruptTimePrecise")));
    if (interruptTime) {
        ULONGLONG t = 0;
        interruptTime(&t);
        return static_cast<std::int64_t>(t / 10000);
    }
    static const std::int64_t frequency = [] {
        LARGE_INTEGER f{};
        QueryPerformanceFrequency(&f);
        return f.QuadPart > 0 ? static_cast<std::int64_t>(f.QuadPart) : 1;
    }();
    LARGE_INTEGER now{};
    QueryPerformanceCounter(&now);
    const std::int64_t count = now.QuadPart;
    // Split so that count * 1000 cannot overflow after months of uptime.
    return count / frequency * 1000 + count % frequency * 1000 / frequency;
}

void SleepMilliseconds(unsigned ms) { Sleep(ms); }

}  // namespace hv
