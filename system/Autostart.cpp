#include "system/Autostart.h"

#include "platform/Services.h"

namespace hv {

std::string AutostartCommand(const std::string& exePath) { return "\"" + exePath + "\""; }

bool EnableAutostart(const std::string& exePath) {
    const std::string data = AutostartCommand(exePath);
    for (const RegistryRoot root : {RegistryRoot::LocalMachine, RegistryRoot::CurrentUser}) {
        const RegistryKey key(root, kRunKey, kKeyWrite);
        if (key.IsOpen() && key.SetString(kRunValueName, kRegExpandSz, data)) return true;
    }
    return false;
}

bool DisableAutostart() {
    for (const RegistryRoot root : {RegistryRoot::LocalMachine, RegistryRoot::CurrentUser}) {
        const RegistryKey key(root, kRunKey, kKeyWrite);
        if (key.IsOpen()) key.DeleteValue(kRunValueName);  // a value that is not there: nothing to do
    }
    return !AutostartIsThere();
}

bool AutostartIsThere() {
    return ReadRegistryValue(RegistryRoot::LocalMachine, kRunKey, kRunValueName).has_value() ||
           ReadRegistryValue(RegistryRoot::CurrentUser, kRunKey, kRunValueName).has_value();
}

}  // namespace hv
