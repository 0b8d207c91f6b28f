// The yardstick of bench/startup.sh: the main window's template (102) with
// the same resources, caption and link flags as Horovant.exe, and no program
// behind it. What Horovant takes beyond this to be ready is its own work.
#include <windows.h>

#include "res/resource.h"

namespace {

INT_PTR CALLBACK BareProc(HWND dlg, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            return TRUE;  // default focus, like any dialog
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
