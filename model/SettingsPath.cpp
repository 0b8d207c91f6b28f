#include "model/SettingsPath.h"

namespace hv {
namespace {

bool EndsInSeparator(const std::string& s) { return !s.empty() && (s.back() == '\\' || s.back() == '/'); }

std::string Joined(const std::string& folder, const std::string& name) {
    return EndsInSeparator(folder) ? folder + name : folder + '\\' + name;
}

// "C:\..." and "\\server\..." stand alone; "\..." and "C:..." are rare
// enough to be taken as they are.
bool IsRelative(const std::string& s) {
    return !(s.size() >= 2 && s[1] == ':') && !(!s.empty() && (s[0] == '\\' || s[0] == '/'));
}

}  // namespace

std::string SettingsPath(std::string productDir, const std::string& moduleDir, const std::string& currentDir) {
    const auto nul = productDir.find('\0');
    if (nul != std::string::npos) productDir.resize(nul);
    if (productDir.empty()) productDir = moduleDir;
    if (IsRelative(productDir) && !currentDir.empty()) productDir = Joined(currentDir, productDir);
    return Joined(productDir, kSettingsFileName);
}

SettingsPlace ChooseSettingsPlace(const std::string& first, FileError writeThere, bool readableThere,
                                  const std::string& perUser, bool perUserExists) {
    const bool unwritable = writeThere == FileError::AccessDenied || writeThere == FileError::PathNotFound;
    if (!unwritable || perUser.empty()) return {first, false};
    return {perUser, !perUserExists && readableThere};
}

}  // namespace hv
