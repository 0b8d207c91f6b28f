#pragma once
// Where the program keeps its settings file.
#include <string>

#include "model/FileError.h"

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

// Where the settings are kept, given how a write at the first place went.
// A folder the user may not write (a program unpacked into "Program Files")
// or that is gone sends them to the per-user folder, whose own file, once
// there, is kept; a readable file at the first place is taken over as its
// first content, so that nothing set before is lost. A file another program
// holds stays where it is: it is free again in a moment.
struct SettingsPlace {
    std::string path;
    bool takeOver = false;  // copy the first place's file to `path` first
    bool operator==(const SettingsPlace&) const = default;
};
SettingsPlace ChooseSettingsPlace(const std::string& first, FileError writeThere, bool readableThere,
                                  const std::string& perUser, bool perUserExists);

}  // namespace hv
