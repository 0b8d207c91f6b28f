#pragma once
// Where the program keeps its settings file.
#include <string>

namespace hv {

constexpr const char* kProductKey = "Software\\VeltranoSoftware\\Horovant";
constexpr const char* kProductDirValue = "ProductDir";
constexpr const char* kSettingsFileName = "config.dat";

// The settings file's full path from the "ProductDir" value as read (whole,
// whatever its length; a C string ends at its first NUL), the program's own
// folder and the current directory. Where the value is missing or empty, the
// program's folder: never the current directory, as Windows starts autostart
// programs in the system folder. The folder and "config.dat" are joined by
// exactly one backslash; a relative folder is taken from the current
// directory, so that every message names the file by its full path.
std::string SettingsPath(std::string productDir, const std::string& moduleDir, const std::string& currentDir);

}  // namespace hv
