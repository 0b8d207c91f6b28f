#include <string>

#include "platform/Services.h"
#include "platform/win32/Win32.h"
#include "platform/win32/WideText.h"

#include <commctrl.h>

namespace hv {

std::string ModuleFileName() {
    // Paths may exceed MAX_PATH; a full buffer means the name was cut.
    constexpr DWORD kLongestPath = 32768;
    for (DWORD size = MAX_PATH; size <= 2 * kLongestPath; size *= 2) {
        std::wstring path(size, L'\0');
        const DWORD n = GetModuleFileNameW(nullptr, path.data(), size);
        if (n == 0) return std::string();
        if (n < size) {
            path.resize(n);
            return win32::PathFromWide(path);
        }
    }
    return std::string();
}

std::string ModuleDirectory() {
    std::string path = ModuleFileName();
    const auto slash = path.find_last_of("\\/");
    if (slash == std::string::npos) return std::string();
    path.resize(slash);
    return path + '\\';
}

std::string CurrentDirectory() {
    const DWORD size = GetCurrentDirectoryW(0, nullptr);
    if (size == 0) return std::string();
    std::wstring dir(size, L'\0');
    const DWORD n = GetCurrentDirectoryW(size, dir.data());
    dir.resize(n < size ? n : 0);
    return win32::PathFromWide(dir);
}

void InitCommonControls() {
    INITCOMMONCONTROLSEX icc{};
    icc.dwSize = sizeof icc;
    icc.dwICC = ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES;
    // Comctl32 before 4.70 knows only the old call.
    if (!InitCommonControlsEx(&icc)) ::InitCommonControls();
}

}  // namespace hv
