#pragma once
// Where the program keeps its settings file and finds its sounds.
#include <string>

namespace hv {

constexpr const char* kProductKey = "Software\\VeltranoSoftware\\Horovant";
constexpr const char* kProductDirValue = "ProductDir";
constexpr const char* kSettingsFileName = "config.dat";

// The "ProductDir" value, read whole whatever its length; where it is missing
// or empty, the program's own folder (with its backslash). Never the current
// directory: Windows starts autostart programs in the system folder.
std::string InstallDirectory();

// The settings file's path: the directory followed directly by "config.dat"
// (the stored directory is taken to end with a backslash).
std::string SettingsPathIn(const std::string& directory);

}  // namespace hv
