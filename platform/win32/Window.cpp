#include "platform/Window.h"

#include <string>

#include "platform/win32/LateBound.h"
#include "platform/win32/Win32.h"
#include "platform/win32/WideText.h"

namespace hv {

using win32::FromHwnd;
using win32::ToHwnd;

Window Window::Item(int id) const { return Window(FromHwnd(GetDlgItem(ToHwnd(m_handle), id))); }

int Window::ControlId() const { return GetDlgCtrlID(ToHwnd(m_handle)); }

std::string Window::Text() const {
    const HWND hwnd = ToHwnd(m_handle);
    const int length = GetWindowTextLengthW(hwnd);
    if (length <= 0) return std::string();
    // The length may be an upper bound (it is for some controls); the copy
    // reports what it really wrote.
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(hwnd, text.data(), length + 1);
    text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
    return win32::TextFromWide(text);
}

void Window::SetText(std::string_view text) const { SetWindowTextW(ToHwnd(m_handle), win32::WideFromText(text).c_str()); }

void Window::Enable(bool on) const { EnableWindow(ToHwnd(m_handle), on ? TRUE : FALSE); }

bool Window::IsEnabled() const { return IsWindowEnabled(ToHwnd(m_handle)) != FALSE; }

int Window::Check() const { return static_cast<int>(SendMessageW(ToHwnd(m_handle), BM_GETCHECK, 0, 0)); }

void Window::SetCheck(int state) const {
    SendMessageW(ToHwnd(m_handle), BM_SETCHECK, static_cast<WPARAM>(state), 0);
}

void Window::Focus() const { SetFocus(ToHwnd(m_handle)); }

void Window::SelectText(int first, int last) const {
    const HWND hwnd = ToHwnd(m_handle);
    SendMessageW(hwnd, EM_SETSEL, static_cast<WPARAM>(first), static_cast<LPARAM>(last));
    SendMessageW(hwnd, EM_SCROLLCARET, 0, 0);
}

void Window::Show(int showCommand) const { ShowWindow(ToHwnd(m_handle), showCommand); }

void Window::SetTopmost(bool on) const {
    SetWindowPos(ToHwnd(m_handle), on ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void Window::PlaceBehind(const Window& sibling) const {
    const HWND hwnd = ToHwnd(m_handle);
    SetWindowLongPtrW(hwnd, GWL_STYLE, GetWindowLongPtrW(hwnd, GWL_STYLE) | WS_CLIPSIBLINGS);
    SetWindowPos(hwnd, ToHwnd(sibling.Handle()), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void Window::FlashUntilInFront() const {
    FLASHWINFO flash{sizeof flash, ToHwnd(m_handle), FLASHW_ALL | FLASHW_TIMERNOFG, 0, 0};
    FlashWindowEx(&flash);
}

bool Window::IsVisible() const { return IsWindowVisible(ToHwnd(m_handle)) != FALSE; }

bool Window::IsIconic() const { return ::IsIconic(ToHwnd(m_handle)) != FALSE; }

void Window::SetFont(FontHandle font, bool redraw) const {
    SendMessageW(ToHwnd(m_handle), WM_SETFONT, reinterpret_cast<WPARAM>(win32::ToHfont(font)), MAKELPARAM(redraw ? TRUE : FALSE, 0));
}

void Window::KeepFontOnDpiChange() const {
    using BehaviorFn = BOOL(WINAPI*)(HWND, int, int);
    constexpr int kDisableFontUpdate = 1;  // DCDC_DISABLE_FONT_UPDATE
    static const auto set = win32::LateBound<BehaviorFn>("user32.dll", "SetDialogControlDpiChangeBehavior");
    if (set) set(ToHwnd(m_handle), kDisableFontUpdate, kDisableFontUpdate);
}

void Window::SetIcon(IconHandle icon, bool big) const {
    SendMessageW(ToHwnd(m_handle), WM_SETICON, big ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(win32::ToHicon(icon)));
}

void Window::Invalidate(bool erase) const { InvalidateRect(ToHwnd(m_handle), nullptr, erase ? TRUE : FALSE); }

void Window::RedrawAll() const {
    RedrawWindow(ToHwnd(m_handle), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
}

void Window::Update() const { UpdateWindow(ToHwnd(m_handle)); }

Rect Window::ClientRect() const {
    RECT r{};
    GetClientRect(ToHwnd(m_handle), &r);
    return Rect{r.left, r.top, r.right, r.bottom};
}

Rect Window::MapDialogRect(const Rect& units) const {
    RECT r{units.left, units.top, units.right, units.bottom};
    ::MapDialogRect(ToHwnd(m_handle), &r);
    return Rect{r.left, r.top, r.right, r.bottom};
}

int Window::Dpi() const {
    // GetDpiForWindow exists from Windows 10 1607 on; the program runs on 7 too.
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto getDpi = win32::LateBound<GetDpiForWindowFn>("user32.dll", "GetDpiForWindow");
    if (getDpi) {
        const UINT dpi = getDpi(ToHwnd(m_handle));
        if (dpi) return static_cast<int>(dpi);
    }
    const HDC dc = GetDC(nullptr);
    const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(nullptr, dc);
    return dpi > 0 ? dpi : 96;
}

bool Window::SetTimer(unsigned id, unsigned periodMs) const {
    return ::SetTimer(ToHwnd(m_handle), id, periodMs, nullptr) != 0;
}

void Window::KillTimer(unsigned id) const { ::KillTimer(ToHwnd(m_handle), id); }

bool Window::Post(unsigned message, WParam w, LParam l) const {
    return PostMessageW(ToHwnd(m_handle), message, w, l) != FALSE;
}

LResult Window::Send(unsigned message, WParam w, LParam l) const {
    return SendMessageW(ToHwnd(m_handle), message, w, l);
}

Window FocusedWindow() { return Window(FromHwnd(GetFocus())); }

SystemMenu::SystemMenu(const Window& owner)
    : m_menu(reinterpret_cast<std::uintptr_t>(GetSystemMenu(ToHwnd(owner.Handle()), FALSE))) {}

void SystemMenu::AppendSeparator() const {
    AppendMenuW(reinterpret_cast<HMENU>(m_menu), MF_SEPARATOR, 0, nullptr);
}

void SystemMenu::AppendString(unsigned commandId, std::string_view text) const {
    AppendMenuW(reinterpret_cast<HMENU>(m_menu), MF_STRING, commandId, win32::WideFromText(text).c_str());
}

void SystemMenu::SetChecked(unsigned commandId, bool checked) const {
    CheckMenuItem(reinterpret_cast<HMENU>(m_menu), commandId, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

}  // namespace hv
