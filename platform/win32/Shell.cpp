#include <string>

#include "platform/Services.h"
#include "platform/win32/LateBound.h"

namespace hv {

void ShellOpen(std::string_view file, int showCommand) {
    using ShellExecuteFn = HINSTANCE(WINAPI*)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);
    if (const auto open = win32::LateBound<ShellExecuteFn>("shell32.dll", "ShellExecuteA"))
        open(nullptr, "open", std::string(file).c_str(), nullptr, nullptr, showCommand);
}

}  // namespace hv
