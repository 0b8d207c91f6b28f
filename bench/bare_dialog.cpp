// The yardstick of bench/startup.sh and bench/idle_cost.sh: the main window's
// template (102) with the same resources, caption and link flags as
// Horovant.exe, and no program behind it but a clock. What Horovant takes
// beyond this to be ready, or to sit idle, is its own work.
//   hvbare.exe          the template, its clock set once a second
//   hvbare.exe tenths   and the stopwatch's overview field ten times a second
//   hvbare.exe minimal  a dialog of one static text, set once a second
#include <windows.h>

#include <cstring>

#include "res/resource.h"

namespace {

// Once a second the time goes into the clock control: the least a window
// that shows a clock must do, so idle_cost.sh compares against a clock that
// ticks, not against a window that never wakes. The timer is armed always,
// not behind a switch: its first tick comes a second after the window is
// ready, when startup.sh has stopped timing, and arming it is one call, as
// Horovant arms its own timers while it starts.
constexpr UINT_PTR kTickTimer = 1, kTenthTimer = 2;
constexpr UINT kTickMs = 1000;
bool g_tenths = false;

void ShowTime(HWND dlg) {
    SYSTEMTIME t;
    GetLocalTime(&t);
    char text[16];
    wsprintfA(text, " %02u:%02u:%02u ", t.wHour, t.wMinute, t.wSecond);
    SetDlgItemTextA(dlg, IDC_CLOCK, text);
}

// A reading in tenths, as the stopwatch's display shows one while it runs.
void ShowTenths(HWND dlg) {
    const ULONGLONG tenths = GetTickCount64() / 100;
    char text[32];
    wsprintfA(text, "%02u:%02u:%02u,%u", unsigned(tenths / 36000 % 100), unsigned(tenths / 600 % 60),
              unsigned(tenths / 10 % 60), unsigned(tenths % 10));
    SetDlgItemTextA(dlg, IDC_STOPWATCH_OVERVIEW, text);
}

// One static text and nothing else, built in memory: the least a window that
// shows the time once a second can cost. Words, as DLGTEMPLATE lays them out,
// the item on a DWORD. No std::vector: the C++ runtime it pulls in would make
// the yardstick of start-up and size bigger.
alignas(4) const WORD kMinimalTemplate[] = {
    LOWORD(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE | DS_CENTER),
    HIWORD(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE | DS_CENTER), 0, 0,  // style, no extended style
    1, 0, 0, 120, 40, 0, 0,                            // one item; place; no menu, no class
    'H', 'o', 'r', 'o', 'v', 'a', 'n', 't', 0,         // caption, which ends on a DWORD
    LOWORD(WS_CHILD | WS_VISIBLE | SS_CENTER), HIWORD(WS_CHILD | WS_VISIBLE | SS_CENTER), 0, 0,
    10, 14, 100, 12, IDC_CLOCK, 0xFFFF, 0x0082, 0, 0,  // place, id, a static, no text, no creation data
};

INT_PTR CALLBACK BareProc(HWND dlg, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            SetTimer(dlg, kTickTimer, kTickMs, nullptr);
            if (g_tenths) SetTimer(dlg, kTenthTimer, 100, nullptr);
            // Where Horovant's start state puts it: alarm 1's check box. The
            // default, the first edit, would blink a caret, work Horovant's
            // window at rest does not do.
            SetFocus(GetDlgItem(dlg, IDC_ALARM1_CHECK));
            return FALSE;
        case WM_TIMER:
            if (wParam == kTenthTimer) ShowTenths(dlg);
            if (wParam == kTickTimer) ShowTime(dlg);
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDCANCEL) {
                EndDialog(dlg, IDCANCEL);
                return TRUE;
            }
            break;
    }
    return FALSE;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    g_tenths = std::strstr(commandLine, "tenths") != nullptr;
    if (std::strstr(commandLine, "minimal")) {
        DialogBoxIndirectParamA(instance, reinterpret_cast<LPCDLGTEMPLATEA>(kMinimalTemplate), nullptr, BareProc, 0);
    } else {
        DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_HAUPT), nullptr, BareProc, 0);
    }
    return 0;
}
