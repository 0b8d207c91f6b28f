// Stopwatch and countdown against the performance counter, on the real
// clock and scheduler, side by side in one run: what the simulating benches
// (bench/windows_model.h) model, measured.
// - stopwatch: a thread that counts a tenth per Sleep(100), beside
//   CountStopwatch on the real clock and Sleep, both time-critical;
// - countdown: a second per WM_TIMER of a 1000 ms timer, beside a timer set
//   anew for 5 ms after each wall-clock second that counts off the seconds
//   passed on the monotonic clock (SecondsToCountOff), as the window's tick.
// Wine differs from Windows here: its timers are exact while the loop is
// idle (a 1000 ms timer neither drifts nor merges), and Sleep(100) ends
// after 100 ms and the scheduler's delay, not on a 15.625 ms clock tick.
// Under Wine it shows what is left; on Windows it shows both.
// Usage: hvtimebench.exe [seconds=600]   (not part of the tests)
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <optional>

#include "engine/Countdown.h"
#include "engine/StopwatchCounting.h"
#include "platform/Services.h"

namespace {

constexpr UINT_PTR kTickCounting = 1, kInStep = 2, kEnd = 3;

std::atomic<bool> g_sleepWayRunning{true};
std::atomic<long long> g_sleepWayTenths{0};

unsigned long __stdcall SleepWay(void*) {
    while (g_sleepWayRunning) {
        ++g_sleepWayTenths;
        Sleep(100);
    }
    return 0;
}

long long g_tickCounted = 0, g_inStepCounted = 0;
std::optional<std::int64_t> g_countedUpTo;

void ArmInStep(HWND w) {
    const std::int64_t ms = hv::WallClockMilliseconds();
    SetTimer(w, kInStep, static_cast<UINT>(1000 - ms % 1000 + 5), nullptr);  // as engine/Tick
}

LRESULT __stdcall Proc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_TIMER) {
        if (wp == kTickCounting) ++g_tickCounted;
        if (wp == kInStep) {
            ArmInStep(w);
            g_inStepCounted += hv::SecondsToCountOff(g_countedUpTo, std::nullopt, hv::MonotonicMilliseconds());
        }
        if (wp == kEnd) PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(w, m, wp, lp);
}

}  // namespace

int main(int argc, char** argv) {
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 600;
    WNDCLASSA wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "hvtimebench";
    RegisterClassA(&wc);
    HWND w = CreateWindowA("hvtimebench", "", 0, 0, 0, 0, 0, nullptr, nullptr, wc.hInstance, nullptr);

    const std::int64_t start = hv::MonotonicMilliseconds();
    hv::StopwatchState ours;
    ours.Start(start);  // run 1, which the worker counts for
    HANDLE counter = CreateThread(
        nullptr, 0,
        [](void* state) -> unsigned long {
            auto& sw = *static_cast<hv::StopwatchState*>(state);
            hv::CountStopwatch(sw, 1, hv::MonotonicMilliseconds,
                               [](std::int64_t ms) { Sleep(static_cast<DWORD>(ms)); });
            return 0;
        },
        &ours, CREATE_SUSPENDED, nullptr);
    SetThreadPriority(counter, THREAD_PRIORITY_TIME_CRITICAL);
    ResumeThread(counter);
    HANDLE sleeper = CreateThread(nullptr, 0, SleepWay, nullptr, CREATE_SUSPENDED, nullptr);
    SetThreadPriority(sleeper, THREAD_PRIORITY_TIME_CRITICAL);
    ResumeThread(sleeper);

    SetTimer(w, kTickCounting, 1000, nullptr);
    ArmInStep(w);
    SetTimer(w, kEnd, static_cast<UINT>(seconds) * 1000, nullptr);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);

    const std::int64_t end = hv::MonotonicMilliseconds();
    const hv::StopwatchReading r = ours.Stop(end);
    const long long sleepTenths = g_sleepWayTenths;
    g_sleepWayRunning = false;
    WaitForSingleObject(sleeper, INFINITE);
    WaitForSingleObject(counter, INFINITE);

    const double elapsed = static_cast<double>(end - start) / 1000.0;
    const long long ourTenths = ((static_cast<long long>(r.hours) * 60 + r.minutes) * 60 + r.seconds) * 10 + r.tenths;
    std::printf("after %.1f s by the performance counter:\n", elapsed);
    std::printf("stopwatch: Sleep(100) per tenth %+.2f s, ours %+.2f s\n", sleepTenths / 10.0 - elapsed,
                ourTenths / 10.0 - elapsed);
    // Both countdowns count their first tick as one second.
    std::printf("countdown: a second per tick %+.2f s, ours %+.2f s\n", g_tickCounted - elapsed,
                g_inStepCounted - elapsed);
    return 0;
}
