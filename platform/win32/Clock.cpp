#include "platform/Services.h"

#include <cstddef>
#include <cstring>

#include "model/Calendar.h"
#include "model/ZoneRules.h"
#include "platform/win32/Win32.h"

namespace hv {
namespace {

// FILETIME counts 100 ns steps since 1601-01-01 UTC.
constexpr std::int64_t kTicksPerMs = 10000;
constexpr std::int64_t kTicksPerSecond = 10000000;
constexpr std::int64_t kEpochTicks = 116444736000000000;  // 1970-01-01

std::int64_t TicksSince1970() {
    FILETIME ft{};
    GetSystemTimeAsFileTime(&ft);
    ULARGE_INTEGER t{};
    t.LowPart = ft.dwLowDateTime;
    t.HighPart = ft.dwHighDateTime;
    return static_cast<std::int64_t>(t.QuadPart) - kEpochTicks;
}

ZoneChange ChangeOf(const SYSTEMTIME& st) {
    return {st.wYear, st.wMonth, st.wDayOfWeek, st.wDay, st.wHour, st.wMinute, st.wSecond, st.wMilliseconds};
}

// The machine's zone with its rules for a local year, as Windows gives them.
ZoneRules AskZoneOfYear(DYNAMIC_TIME_ZONE_INFORMATION zone, bool known, int year) {
    TIME_ZONE_INFORMATION tz{};
    // With daylight saving time switched off by the user, or the zone set
    // without yearly rules, the fixed dates given here are the ones in force.
    if (known && zone.DynamicDaylightTimeDisabled) {
        tz.Bias = zone.Bias;
        tz.StandardBias = zone.StandardBias;
        tz.DaylightBias = zone.DaylightBias;
        tz.StandardDate = zone.StandardDate;
        tz.DaylightDate = zone.DaylightDate;
    } else {
        const bool forYear =
            known && year > 0 && year <= 0xFFFF && GetTimeZoneInformationForYear(static_cast<USHORT>(year), &zone, &tz);
        if (!forYear && GetTimeZoneInformation(&tz) == TIME_ZONE_ID_INVALID) return {};  // UTC rather than nothing
    }
    return {static_cast<std::int32_t>(tz.Bias), static_cast<std::int32_t>(tz.StandardBias),
            static_cast<std::int32_t>(tz.DaylightBias), ChangeOf(tz.StandardDate), ChangeOf(tz.DaylightDate)};
}

// GetTimeZoneInformationForYear reads the registry: under Wine 0.3 to 1.3 ms
// a call against 1 to 3 us for GetDynamicTimeZoneInformation, and at two
// calls a second the idle program and its Wine server took 280 to 320 ms of
// CPU a minute instead of 220 (bench/idle_cost.sh). So the rules of the last
// two years asked are kept, each serving its own year only, and only while
// GetDynamicTimeZoneInformation gives the zone they came under unchanged:
// another zone, its rules updated, daylight saving switched off, or the new
// year's dates that Windows loads at the end of a year ask anew.
ZoneRules ZoneOfYear(int year) {
    struct Kept {
        DYNAMIC_TIME_ZONE_INFORMATION zone;
        int year;
        ZoneRules rules;
    };
    // Every member up to the last; the padding after it is nobody's.
    constexpr std::size_t kZoneBytes =
        offsetof(DYNAMIC_TIME_ZONE_INFORMATION, DynamicDaylightTimeDisabled) + sizeof(BOOLEAN);
    thread_local Kept kept[2]{};
    thread_local int older = 0;
    DYNAMIC_TIME_ZONE_INFORMATION zone{};
    if (GetDynamicTimeZoneInformation(&zone) == TIME_ZONE_ID_INVALID) return AskZoneOfYear(zone, false, year);
    for (const Kept& k : kept)
        if (k.year == year && std::memcmp(&k.zone, &zone, kZoneBytes) == 0) return k.rules;
    Kept& k = kept[older];
    older ^= 1;
    k = {zone, year, AskZoneOfYear(zone, true, year)};
    return k.rules;
}

}  // namespace

std::int64_t WallClockSeconds() { return FloorDiv(TicksSince1970(), kTicksPerSecond); }

std::int64_t WallClockMilliseconds() { return FloorDiv(TicksSince1970(), kTicksPerMs); }

LocalTime ToLocalTime(std::int64_t epochSeconds) {
    // Windows wants the rules of the local year, which differs from the UTC
    // year for the hours around New Year.
    const int utcYear = LocalFromUtc(epochSeconds, ZoneRules{}).year;
    const LocalTime local = LocalFromUtc(epochSeconds, ZoneOfYear(utcYear));
    return local.year == utcYear ? local : LocalFromUtc(epochSeconds, ZoneOfYear(local.year));
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
