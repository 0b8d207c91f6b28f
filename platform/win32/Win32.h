#pragma once
// The backend's single way in to <windows.h>, and the casts between our
// opaque handles and the Win32 ones. Include it after the platform headers:
// it removes the few Windows macros that would rename members of ours.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef STRICT
#define STRICT
#endif
#include <windows.h>

// <windows.h> maps TextOut to TextOutA, which would rename
// DeviceContext::TextOut in the definition but not at the callers.
#undef TextOut

#include <cstdint>

#include "platform/Handles.h"

namespace hv::win32 {

inline HWND ToHwnd(WindowHandle h) { return reinterpret_cast<HWND>(h.value); }
inline HDC ToHdc(DcHandle h) { return reinterpret_cast<HDC>(h.value); }
inline HFONT ToHfont(FontHandle h) { return reinterpret_cast<HFONT>(h.value); }
inline HBRUSH ToHbrush(BrushHandle h) { return reinterpret_cast<HBRUSH>(h.value); }
inline HICON ToHicon(IconHandle h) { return reinterpret_cast<HICON>(h.value); }

inline WindowHandle FromHwnd(HWND h) { return WindowHandle(reinterpret_cast<std::uintptr_t>(h)); }
inline DcHandle FromHdc(HDC h) { return DcHandle(reinterpret_cast<std::uintptr_t>(h)); }
inline FontHandle FromHfont(HFONT h) { return FontHandle(reinterpret_cast<std::uintptr_t>(h)); }
inline BrushHandle FromHbrush(HBRUSH h) { return BrushHandle(reinterpret_cast<std::uintptr_t>(h)); }
inline IconHandle FromHicon(HICON h) { return IconHandle(reinterpret_cast<std::uintptr_t>(h)); }

// The executable's own module: resources and dialog templates live there.
inline HINSTANCE ModuleInstance() { return GetModuleHandleA(nullptr); }

}  // namespace hv::win32
