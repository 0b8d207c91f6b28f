#pragma once
// A function of a DLL that only some actions need, loaded at its first use:
// the start does not pay for the sound library or the shell.
#include "platform/win32/Win32.h"

namespace hv::win32 {

// The function, or null when the DLL or the name cannot be found. With
// `loadIfMissing` false, null too while nothing has loaded the DLL yet.
template <typename Fn>
Fn LateBound(const char* dll, const char* name, bool loadIfMissing = true) {
    HMODULE module = GetModuleHandleA(dll);
    if (!module && loadIfMissing) module = LoadLibraryA(dll);
    return module ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

}  // namespace hv::win32
