#include "platform/Services.h"
#include "platform/win32/Win32.h"

#include <mmsystem.h>

namespace hv {

void PlaySoundFile(std::optional<std::string> name, unsigned flags) {
    // A null name stops the sound that plays; every request replaces it.
    sndPlaySoundA(name ? name->c_str() : nullptr, flags);
}

}  // namespace hv
