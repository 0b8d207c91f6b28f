#pragma once
// A function of a DLL that only some actions need, loaded at its first use:
// the start does not pay for the sound library or the shell.
#include <string>

#include "platform/win32/Win32.h"
#include "platform/win32/WideText.h"

namespace hv::win32 {

// The DLL from the system folder only: a "winmm.dll" lying beside the exe in
// Downloads must not be loaded. Windows 7 without its 2011 loader update
// knows no LOAD_LIBRARY_SEARCH_SYSTEM32; there the full path does the same.
inline HMODULE LoadSystemLibrary(const char* dll) {
    if (const HMODULE module = LoadLibraryExA(dll, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) return module;
    std::wstring folder(GetSystemDirectoryW(nullptr, 0), L'\0');  // its size, the NUL included
    const UINT n = folder.empty() ? 0 : GetSystemDirectoryW(folder.data(), static_cast<UINT>(folder.size()));
    if (n == 0 || n >= folder.size()) return nullptr;
    folder.resize(n);
    return LoadLibraryW((folder + L'\\' + WideFromText(dll)).c_str());
}

// The function, or null when the DLL or the name cannot be found. With
// `loadIfMissing` false, null too while nothing has loaded the DLL yet.
template <typename Fn>
Fn LateBound(const char* dll, const char* name, bool loadIfMissing = true) {
    HMODULE module = GetModuleHandleA(dll);
    if (!module && loadIfMissing) module = LoadSystemLibrary(dll);
    return module ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

}  // namespace hv::win32
