#include "model/InstallDirectory.h"

#include "platform/Services.h"

namespace hv {

std::string InstallDirectory() {
    std::string dir = ReadRegistryValue(RegistryRoot::LocalMachine, kProductKey, kProductDirValue).value_or("");
    // A string value carries its terminating NUL; a C string ends at the first.
    const auto nul = dir.find('\0');
    if (nul != std::string::npos) dir.resize(nul);
    if (dir.empty()) dir = ModuleDirectory();
    return dir;
}

// Installers and users often write the folder without its last backslash.
std::string SettingsPathIn(const std::string& directory) {
    if (directory.empty() || directory.back() == '\\' || directory.back() == '/') return directory + kSettingsFileName;
    return directory + '\\' + kSettingsFileName;
}

}  // namespace hv
