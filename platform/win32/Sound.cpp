#include "platform/Services.h"
#include "platform/win32/LateBound.h"

namespace hv {

void PlaySoundFile(std::optional<std::string> name, unsigned flags) {
    using SndPlaySoundFn = BOOL(WINAPI*)(LPCSTR, UINT);
    // Stopping needs no library that nothing has played through yet.
    const auto play = win32::LateBound<SndPlaySoundFn>("winmm.dll", "sndPlaySoundA", name.has_value());
    // A null name stops the sound that plays; every request replaces it.
    if (play) play(name ? name->c_str() : nullptr, flags);
}

}  // namespace hv
