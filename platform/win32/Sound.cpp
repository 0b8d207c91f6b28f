#include "platform/Services.h"
#include "platform/win32/LateBound.h"
#include "platform/win32/WideText.h"

namespace hv {

void PlaySoundFile(std::optional<std::string> name, unsigned flags) {
    using PlaySoundFn = BOOL(WINAPI*)(LPCWSTR, HMODULE, DWORD);
    // Stopping needs no library that nothing has played through yet.
    const auto play = win32::LateBound<PlaySoundFn>("winmm.dll", "PlaySoundW", name.has_value());
    // A null name stops the sound that plays; every request replaces it.
    if (play) play(name ? win32::WideFromPath(*name).c_str() : nullptr, nullptr, flags);
}

}  // namespace hv
