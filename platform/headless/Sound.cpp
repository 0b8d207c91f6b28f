// Sounds of the model: every request is recorded with its fake time.
#include "platform/Services.h"
#include "platform/headless/WorldImpl.h"

namespace hv {

void PlaySoundFile(std::optional<std::string> name, unsigned flags) {
    headless::World::Get().sounds.push_back({std::move(name), flags, headless::State().Monotonic()});
}

}  // namespace hv
