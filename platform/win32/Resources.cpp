#include "platform/Resources.h"

#include <string>

#include "platform/win32/Win32.h"
#include "platform/win32/WideText.h"

namespace hv {

std::string LoadResourceString(int id) {
    // A string-table entry holds at most 65535 characters; LoadString cuts
    // silently, so a text that fills the buffer is read again into a larger one.
    constexpr int kLongest = 65535;
    for (int size = 256;; size *= 2) {
        std::wstring text(static_cast<std::size_t>(size), L'\0');
        const int n = LoadStringW(win32::ModuleInstance(), static_cast<UINT>(id), text.data(), size);
        if (n <= 0) return std::string();
        if (n < size - 1 || size > kLongest) {
            text.resize(static_cast<std::size_t>(n));
            return win32::TextFromWide(text);
        }
    }
}

IconHandle LoadAppIcon(int id) {
    return win32::FromHicon(LoadIconW(win32::ModuleInstance(), MAKEINTRESOURCEW(id)));
}

OwnedIcon::OwnedIcon(int id, int cx, int cy)
    : m_icon(win32::FromHicon(
          static_cast<HICON>(LoadImageW(win32::ModuleInstance(), MAKEINTRESOURCEW(id), IMAGE_ICON, cx, cy, 0)))) {}

OwnedIcon::~OwnedIcon() {
    if (m_icon) DestroyIcon(win32::ToHicon(m_icon));
}

OwnedIcon& OwnedIcon::operator=(OwnedIcon&& other) noexcept {
    if (this != &other) {
        if (m_icon) DestroyIcon(win32::ToHicon(m_icon));
        m_icon = other.m_icon;
        other.m_icon = {};
    }
    return *this;
}

}  // namespace hv
