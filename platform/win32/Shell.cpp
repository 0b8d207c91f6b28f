#include <string>

#include "platform/Services.h"
#include "platform/win32/LateBound.h"
#include "platform/win32/WideText.h"

namespace hv {

bool ShellOpen(std::string_view file, int showCommand) {
    // ShellExecute hands some links to COM (a mail program that is a
    // packaged app): COM must be initialised on the calling thread first.
    using CoInitializeExFn = HRESULT(WINAPI*)(void*, DWORD);
    constexpr DWORD kApartmentThreaded = 0x2, kDisableOle1Dde = 0x4;  // COINIT_*
    thread_local const bool com = [] {
        const auto init = win32::LateBound<CoInitializeExFn>("ole32.dll", "CoInitializeEx");
        return init && SUCCEEDED(init(nullptr, kApartmentThreaded | kDisableOle1Dde));
    }();
    (void)com;  // a thread with COM set up otherwise goes on all the same
    using ShellExecuteFn = HINSTANCE(WINAPI*)(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT);
    const auto open = win32::LateBound<ShellExecuteFn>("shell32.dll", "ShellExecuteW");
    // Above 32 is success, as documented.
    return open &&
           reinterpret_cast<INT_PTR>(open(nullptr, L"open", win32::WideFromText(file).c_str(), nullptr, nullptr, showCommand)) > 32;
}

}  // namespace hv
