#pragma once
// Opaque handles: HWND/HDC/HFONT/... values, kept out of the headers so
// that only platform/win32 includes <windows.h>.
#include <cstdint>

namespace hv {

using WParam = std::uintptr_t;
using LParam = std::intptr_t;
using LResult = std::intptr_t;

template <class Tag>
struct Handle {
    std::uintptr_t value = 0;
    constexpr Handle() = default;
    constexpr explicit Handle(std::uintptr_t v) : value(v) {}
    constexpr explicit operator bool() const { return value != 0; }
    friend constexpr bool operator==(Handle a, Handle b) { return a.value == b.value; }
    friend constexpr bool operator!=(Handle a, Handle b) { return a.value != b.value; }
};

using WindowHandle = Handle<struct WindowTag>;
using DcHandle = Handle<struct DcTag>;
using FontHandle = Handle<struct FontTag>;
using BrushHandle = Handle<struct BrushTag>;
using IconHandle = Handle<struct IconTag>;

struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    friend bool operator==(const Rect& a, const Rect& b) {
        return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
    }
};

}  // namespace hv
