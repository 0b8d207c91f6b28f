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

// The settings file's path: the directory and "config.dat" joined by exactly
// one backslash (a directory that ends in one is used as it stands).
std::string SettingsPathIn(const std::string& directory);

}  // namespace hv
