#include <string>

#include "platform/Services.h"
#include "platform/win32/Win32.h"

#include <shellapi.h>

namespace hv {

void ShellOpen(std::string_view file, int showCommand) {
    ShellExecuteA(nullptr, "open", std::string(file).c_str(), nullptr, nullptr, showCommand);
}

}  // namespace hv
