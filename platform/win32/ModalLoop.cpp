// Our own modal loop: the owner is disabled, the dialog created modeless and
// pumped with IsDialogMessage until it ends. DialogBoxParam's
// loop is not used because it would show a dialog again that hid itself at
// its first paint (the main window starting in the notification area).
#include "platform/ModalLoop.h"

#include "platform/Dialog.h"
#include "platform/win32/DialogProc.h"
#include "platform/win32/Win32.h"

namespace hv {
namespace {

// The dialog window and its disabled owner, for the length of one modal run.
// The owner is enabled and activated again before the window is destroyed;
// otherwise Windows would hand the activation to some other program's window.
class ModalSession {
public:
    ModalSession(Dialog& dialog, HWND owner) : m_dialog(dialog), m_owner(owner) {
        if (m_owner && m_owner != GetDesktopWindow() && IsWindowEnabled(m_owner)) {
            EnableWindow(m_owner, FALSE);
            m_reenableOwner = true;
        }
        m_hwnd = CreateDialogParamW(win32::ModuleInstance(), MAKEINTRESOURCEW(dialog.TemplateId()), m_owner,
                                    win32::StaticDialogProc, reinterpret_cast<LPARAM>(&dialog));
    }

    ~ModalSession() {
        if (m_reenableOwner) EnableWindow(m_owner, TRUE);
        if (m_hwnd && m_owner && GetActiveWindow() == m_hwnd) SetActiveWindow(m_owner);
        if (m_hwnd && IsWindow(m_hwnd)) DestroyWindow(m_hwnd);
        m_dialog.AttachWindow(WindowHandle());
    }

    ModalSession(const ModalSession&) = delete;
    ModalSession& operator=(const ModalSession&) = delete;

    HWND Hwnd() const { return m_hwnd; }

private:
    Dialog& m_dialog;
    HWND m_owner;
    HWND m_hwnd = nullptr;
    bool m_reenableOwner = false;
};

// Pumps the thread's messages until the dialog ends, its window disappears
// or WM_QUIT arrives (which is posted again for the outer loop).
void Pump(const Dialog& dialog, HWND hwnd) {
    // A template without WS_VISIBLE is shown once the queue first runs dry,
    // after WM_INITDIALOG's work has been painted. Whether it was visible is
    // taken right after creation: a dialog that hides itself later stays hidden.
    bool showWhenIdle = !IsWindowVisible(hwnd);
    MSG msg{};
    while (!dialog.IsEnded() && IsWindow(hwnd)) {
        if (showWhenIdle && !PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            showWhenIdle = false;
            ShowWindow(hwnd, SW_SHOWNORMAL);
            UpdateWindow(hwnd);
            continue;  // showing may already have ended the dialog
        }
        // EndDialog from a handler run inside GetMessage (a message sent by
        // another thread) is noticed through the WM_NULL the dialog
        // procedure posts then.
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        if (got == -1) return;
        if (!IsDialogMessageW(hwnd, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
}

}  // namespace

int RunModalDialog(Dialog& dialog, Window owner) {
    const ModalSession session(dialog, win32::ToHwnd(owner.Handle()));
    if (!session.Hwnd()) return -1;
    Pump(dialog, session.Hwnd());
    return dialog.Result();
}

}  // namespace hv
