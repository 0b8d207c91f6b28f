// The yardstick of bench/startup.sh and bench/idle_cost.sh: the main window's
// template (102) with the same resources, caption and link flags as
// Horovant.exe, and no program behind it but a clock. What Horovant takes
// beyond this to be ready, or to sit idle, is its own work.
#include <windows.h>

#include "res/resource.h"

namespace {

// Once a second the time goes into the clock control: the least a window
// that shows a clock must do, so idle_cost.sh compares against a clock that
// ticks, not against a window that never wakes. The timer is armed always,
// not behind a switch: its first tick comes a second after the window is
// ready, when startup.sh has stopped timing, and arming it is one call, as
// Horovant arms its own timers while it starts.
constexpr UINT_PTR kTickTimer = 1;
constexpr UINT kTickMs = 1000;

void ShowTime(HWND dlg) {
    SYSTEMTIME t;
    GetLocalTime(&t);
    char text[16];
    wsprintfA(text, " %02u:%02u:%02u ", t.wHour, t.wMinute, t.wSecond);
    SetDlgItemTextA(dlg, IDC_CLOCK, text);
}

INT_PTR CALLBACK BareProc(HWND dlg, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            SetTimer(dlg, kTickTimer, kTickMs, nullptr);
            // Where Horovant's start state puts it: alarm 1's check box. The
            // default, the first edit, would blink a caret, work Horovant's
            // window at rest does not do.
            SetFocus(GetDlgItem(dlg, IDC_ALARM1_CHECK));
            return FALSE;
        case WM_TIMER:
            if (wParam != kTickTimer) break;
            ShowTime(dlg);
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

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_HAUPT), nullptr, BareProc, 0);
    return 0;
}
