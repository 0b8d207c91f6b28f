#pragma once
// The registry value that starts the program at logon. Machine-wide where
// the user may write there, else for the user alone: Windows starts both,
// and an ordinary user cannot write the machine-wide key.
#include <string>

#include "engine/Commands.h"

namespace hv {

constexpr const char* kRunKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* kRunValueName = "Horovant";

// The value's data: the whole path in double quotes, so that a path with
// blanks ("C:\Program Files\...") is not taken apart at its first blank.
std::string AutostartCommand(const std::string& exePath);

// Writes the value; false when it could be written nowhere.
bool EnableAutostart(const std::string& exePath);
// Removes the value wherever it is; false when one remains that cannot be
// deleted (machine-wide, set by an administrator).
bool DisableAutostart();
bool AutostartIsThere();

class RunValue : public AutostartStore {
public:
    bool Enable(const std::string& exePath) override { return EnableAutostart(exePath); }
    bool Disable() override { return DisableAutostart(); }
    bool IsThere() override { return AutostartIsThere(); }
};

}  // namespace hv
