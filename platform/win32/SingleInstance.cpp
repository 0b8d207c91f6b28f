#include "platform/SingleInstance.h"

#include <string>

#include "platform/win32/LateBound.h"
#include "platform/win32/Win32.h"

namespace hv {
namespace {

struct Search {
    std::string mark;
    HWND found = nullptr;
};

BOOL CALLBACK FindMarked(HWND w, LPARAM p) {
    auto* search = reinterpret_cast<Search*>(p);
    if (!GetPropA(w, search->mark.c_str())) return TRUE;
    search->found = w;
    return FALSE;
}

}  // namespace

SessionMutex::SessionMutex(std::string_view name) : m_name(name) {
    // "Local\": another user's session has its own copy.
    const std::string full = "Local\\" + m_name;
    const HANDLE h = CreateMutexA(nullptr, FALSE, full.c_str());
    // A copy started "als Administrator" holds a mutex that a normal start
    // may not open: that copy runs too.
    const DWORD error = GetLastError();
    m_existed = h ? error == ERROR_ALREADY_EXISTS : error == ERROR_ACCESS_DENIED;
    m_handle = reinterpret_cast<std::uintptr_t>(h);
}

SessionMutex::~SessionMutex() {
    if (m_handle) CloseHandle(reinterpret_cast<HANDLE>(m_handle));
}

void MarkWindow(const Window& window, std::string_view mark) {
    SetPropA(win32::ToHwnd(window.Handle()), std::string(mark).c_str(), reinterpret_cast<HANDLE>(1));
}

void AcceptFromLowerRights(const Window& window, unsigned message) {
    // Windows 7 and later; user32 is loaded anyway.
    using FilterFn = BOOL(WINAPI*)(HWND, UINT, DWORD, void*);
    constexpr DWORD kAllow = 1;  // MSGFLT_ALLOW
    if (const auto filter = win32::LateBound<FilterFn>("user32.dll", "ChangeWindowMessageFilterEx"))
        filter(win32::ToHwnd(window.Handle()), message, kAllow, nullptr);
}

void UnmarkWindow(const Window& window, std::string_view mark) {
    RemovePropA(win32::ToHwnd(window.Handle()), std::string(mark).c_str());
}

Window FindMarkedWindow(std::string_view mark) {
    Search search{std::string(mark)};
    EnumWindows(FindMarked, reinterpret_cast<LPARAM>(&search));
    return Window(win32::FromHwnd(search.found));
}

void BringToFront(const Window& window) {
    const HWND w = win32::ToHwnd(window.Handle());
    if (IsIconic(w)) ShowWindow(w, SW_RESTORE);
    SetForegroundWindow(w);
}

}  // namespace hv
