#pragma once
// Commands of the end-to-end driver that only the benchmarks use: included
// into e2e/driver.cpp, after the helpers they share.

// Starts a program in its own folder and prints the milliseconds until its
// window is ready; the program keeps running.
int cmdStartTimed() {
    std::string exe = arg(2), line = "\"" + exe + "\"", folder = exe.substr(0, exe.find_last_of('\\') + 1);
    STARTUPINFOA si{sizeof si};
    PROCESS_INFORMATION pi{};
    LARGE_INTEGER f, t0, t1;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&t0);
    if (!CreateProcessA(exe.c_str(), line.data(), nullptr, nullptr, 0, DETACHED_PROCESS, nullptr, folder.c_str(), &si, &pi))
        throw Fail{"cannot start " + exe};
    const Deadline d{static_cast<DWORD>(num(4))};
    const bool ok = waitFor(d, [&] { return ready(arg(3), opt(5), d, pi.dwProcessId); }, 2);  // a measurement
    QueryPerformanceCounter(&t1);
    CloseHandle(pi.hProcess), CloseHandle(pi.hThread);
    return result(ok, std::to_string((t1.QuadPart - t0.QuadPart) * 1000 / f.QuadPart), "timeout");
}

// A process can outlive its window for a while; a failed snapshot counts as running.
int cmdWaitExit() {
    auto running = [] {
        HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
        PROCESSENTRY32 e{sizeof e};
        bool found = snap == INVALID_HANDLE_VALUE;
        for (BOOL more = !found && Process32First(snap, &e); more && !found; more = Process32Next(snap, &e))
            found = lstrcmpiA(e.szExeFile, arg(2)) == 0;
        return snap != INVALID_HANDLE_VALUE && CloseHandle(snap), found;
    };
    return result(waitFor({static_cast<DWORD>(num(3))}, [&] { return !running(); }), "exited", "timeout");
}

// While the pointer rests over a control that tracks it, Wine polls that
// control every 10 ms; a user moves it off the window.
int cmdPointer() { return result(SetCursorPos(static_cast<int>(num(2)), static_cast<int>(num(3))), "ok", "failed"); }

// The window with its frame, in screen pixels, also when hidden.
int cmdWinRect() {
    RECT r{};
    GetWindowRect(dialog(2), &r);
    return print(join({r.left, r.top, r.right - r.left, r.bottom - r.top})), 0;
}

// Reads the clock control about every millisecond and, at each change, how
// long ago the wall-clock second began that the new text shows (local and UTC
// seconds agree). A text a second behind counts from its own second; a second
// never shown counts as skipped. Each lag is at most the poll gap late: a few
// ms under Wine; Windows' default timer resolution would make it 16 ms.
int cmdClockLag() {
    HWND c = control(dialog(2), 3);
    const long samples = num(4);
    auto now = [] {  // in ms, as finely as the system reads the clock
        FILETIME ft{};
        GetSystemTimePreciseAsFileTime(&ft);
        return static_cast<long long>((static_cast<ULONGLONG>(ft.dwHighDateTime) << 32 | ft.dwLowDateTime) / 10000);
    };
    auto second = [](const std::string& t) {
        int h, m, s = -1;
        return std::sscanf(t.c_str(), " %d:%d:%d", &h, &m, &s) == 3 && s >= 0 && s < 60 ? s : -1;
    };
    std::string last = text(c), all;
    long long lastRead = now(), gapMax = 0, skipped = 0;
    int lastSecond = second(last);
    std::vector<long> lags;
    for (const Deadline d{static_cast<DWORD>((samples + 5) * 1000)}; static_cast<long>(lags.size()) < samples && d.left();) {
        Sleep(1);
        const std::string t = text(c);
        const long long ms = now();
        gapMax = std::max(gapMax, ms - lastRead);
        lastRead = ms;
        if (t == last) continue;
        const int s = second(last = t);
        if (s < 0) throw Fail{"not a clock text: '" + t + "'"};
        lags.push_back(static_cast<long>((ms / 1000 % 60 + 60 - s) % 60 * 1000 + ms % 1000));
        all.append(" ").append(std::to_string(lags.back()));
        skipped += lastSecond < 0 ? 0 : std::max(0, (s + 60 - lastSecond) % 60 - 1);
        lastSecond = s;
    }
    if (lags.empty()) throw Fail{"no change"};
    std::vector<long> v = lags;
    std::sort(v.begin(), v.end());
    const size_t n = v.size();  // median the upper middle, 90th percentile by nearest rank
    print("median " + std::to_string(v[n / 2]) + " p90 " + std::to_string(v[(9 * n + 9) / 10 - 1]) + " max " +
          std::to_string(v.back()));
    print("changes " + join({static_cast<long>(n)}) + " skipped " + std::to_string(skipped) + " poll-gap-max " +
          std::to_string(gapMax));
    return print("lags" + all), static_cast<long>(n) < samples ? 1 : 0;
}

