// The program's module in the model: its path is World::moduleFileName;
// process-wide set-up is counted.
#include "platform/Services.h"
#include "platform/headless/World.h"

namespace hv {

std::string ModuleFileName() { return headless::World::Get().moduleFileName; }

std::string ModuleDirectory() {
    const std::string path = ModuleFileName();
    const auto slash = path.find_last_of('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

void InitCommonControls() { ++headless::World::Get().commonControlsInitialized; }

}  // namespace hv
