// ShellExecute in the model: recorded, nothing is opened.
#include "platform/Services.h"
#include "platform/headless/World.h"

namespace hv {

void ShellOpen(std::string_view file, int showCommand) {
    headless::World::Get().shellCalls.push_back({std::string(file), showCommand});
}

}  // namespace hv
