#include "platform/win32/DialogProc.h"

#include "platform/Diagnostics.h"
#include "platform/Dialog.h"

namespace hv::win32 {
namespace {

// Messages whose answer is the dialog procedure's return value itself;
// every other answer goes through DWLP_MSGRESULT.
bool ReturnsValueDirectly(UINT message) {
    switch (message) {
        case WM_CTLCOLORMSGBOX:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC:
        case WM_QUERYDRAGICON:
        case WM_COMPAREITEM:
        case WM_VKEYTOITEM:
        case WM_CHARTOITEM:
        case WM_INITDIALOG:
            return true;
        default:
            return false;
    }
}

}  // namespace

INT_PTR CALLBACK StaticDialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        Dialog* dialog = nullptr;
        if (message == WM_INITDIALOG) {
            dialog = reinterpret_cast<Dialog*>(lParam);
            SetWindowLongPtrW(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(dialog));
            if (dialog) dialog->AttachWindow(FromHwnd(hwnd));
        } else {
            // Zero for the few messages before WM_INITDIALOG (WM_SETFONT).
            dialog = reinterpret_cast<Dialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
        }
        if (!dialog) return FALSE;
        if (message == WM_NCDESTROY) SetWindowLongPtrW(hwnd, DWLP_USER, 0);

        const bool wasEnded = dialog->IsEnded();
        LResult result = 0;
        const bool handled = dialog->Dispatch(message, wParam, lParam, result);
        // EndDialog only marks the dialog. When the handler ran inside a sent
        // message (another thread or process, a nested loop) the modal loop
        // still sleeps in GetMessage; a posted WM_NULL wakes it, as
        // Windows' own EndDialog does.
        if (!wasEnded && dialog->IsEnded()) PostMessageW(hwnd, WM_NULL, 0, 0);
        if (!handled) return FALSE;
        if (ReturnsValueDirectly(message)) return static_cast<INT_PTR>(result);
        SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, static_cast<LONG_PTR>(result));
        return TRUE;
    } catch (...) {
        ReportFailure(Window(FromHwnd(hwnd)), message, "the dialog procedure");
        return FALSE;
    }
}

}  // namespace hv::win32
