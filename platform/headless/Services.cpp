// The services the model only records or answers from its state: sounds
// (with their fake time), ShellExecute (nothing is opened), and the
// program's module (its path is World::moduleFileName).
#include "platform/Services.h"
#include "platform/headless/World.h"

namespace hv {

void PlaySoundFile(std::optional<std::string> name, unsigned flags) {
    headless::World::Get().sounds.push_back({std::move(name), flags, MonotonicMilliseconds()});
}

void ShellOpen(std::string_view file, int showCommand) {
    headless::World::Get().shellCalls.push_back({std::string(file), showCommand});
}

std::string ModuleFileName() { return headless::World::Get().moduleFileName; }

std::string ModuleDirectory() {
    const std::string path = ModuleFileName();
    const auto slash = path.find_last_of('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

void InitCommonControls() {}

}  // namespace hv
