#pragma once
// A window or control, by handle. Controls are reached through the dialog by
// id and bound to members (see Dialog::Bind). Texts are Windows-1252 bytes,
// widened for the Unicode calls by the platform itself.
#include <string>
#include <string_view>

#include "platform/Handles.h"

namespace hv {

class Window {
public:
    Window() = default;
    explicit Window(WindowHandle h) : m_handle(h) {}

    WindowHandle Handle() const { return m_handle; }
    bool IsValid() const { return static_cast<bool>(m_handle); }
    void Attach(WindowHandle h) { m_handle = h; }

    Window Item(int id) const;  // GetDlgItem
    int ControlId() const;      // GetDlgCtrlID

    std::string Text() const;
    void SetText(std::string_view text) const;

    void Enable(bool on) const;
    bool IsEnabled() const;

    int Check() const;  // BM_GETCHECK
    void SetCheck(int state) const;

    void Focus() const;  // SetFocus
    // EM_SETSEL first..last followed by EM_SCROLLCARET.
    void SelectText(int first, int last) const;

    void Show(int showCommand) const;
    // Topmost without activation: keys typed for the active program stay there.
    void SetTopmost(bool on) const;
    // Behind `sibling` and clipped by it: where they overlap, a repaint of
    // this one leaves the sibling as it is.
    void PlaceBehind(const Window& sibling) const;
    // The taskbar button flashes until the window comes to the foreground.
    void FlashUntilInFront() const;
    bool IsVisible() const;
    bool IsIconic() const;

    void SetFont(FontHandle font, bool redraw) const;  // WM_SETFONT
    // A control whose font the window sets: the dialog manager, rescaling
    // the dialog for another screen's DPI, leaves it alone (Windows 10 1703+).
    void KeepFontOnDpiChange() const;
    void SetIcon(IconHandle icon, bool big) const;     // WM_SETICON
    void Invalidate(bool erase) const;
    void RedrawAll() const;  // the window and every child, erased and painted anew
    void Update() const;  // UpdateWindow: paints now if anything is invalid
    Rect ClientRect() const;
    // A dialog's rectangle in dialog units as pixels of its client area.
    Rect MapDialogRect(const Rect& units) const;
    // The DPI the window is drawn for (the system's before Windows 10).
    int Dpi() const;

    // Setting a timer again replaces it and starts a new period.
    bool SetTimer(unsigned id, unsigned periodMs) const;
    void KillTimer(unsigned id) const;
    bool Post(unsigned message, WParam w, LParam l) const;
    LResult Send(unsigned message, WParam w, LParam l) const;

    friend bool operator==(const Window& a, const Window& b) { return a.m_handle == b.m_handle; }

private:
    WindowHandle m_handle{};
};

// A control bound to a dialog member by id (the framework's DDX_Control).
using Control = Window;

// The window that has the keyboard focus in this thread, or none.
Window FocusedWindow();


// The system menu of a window (GetSystemMenu without reverting).
class SystemMenu {
public:
    explicit SystemMenu(const Window& owner);
    bool Exists() const { return m_menu != 0; }
    void AppendSeparator() const;
    void AppendString(unsigned commandId, std::string_view text) const;
    void SetChecked(unsigned commandId, bool checked) const;

private:
    std::uintptr_t m_menu = 0;
};

}  // namespace hv
