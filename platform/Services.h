#pragma once
// Thin services of the platform: registry, sound, shell, notification-area
// icon, clocks, the module's own path.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "model/LocalTime.h"
#include "platform/Handles.h"
#include "platform/Window.h"

namespace hv {

// --- registry ----------------------------------------------------------------
enum class RegistryRoot { LocalMachine, CurrentUser };

// The whole data of a value, or nothing when the key or value is missing:
// a string value (a folder) as UTF-8, every other type as its bytes. Never
// cut to a buffer size.
std::optional<std::string> ReadRegistryValue(RegistryRoot root, std::string_view key, std::string_view valueName);

// RegOpenKeyEx with the given access; closed by the destructor.
class RegistryKey {
public:
    RegistryKey(RegistryRoot root, std::string_view key, unsigned access);
    ~RegistryKey();
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;
    bool IsOpen() const { return m_key != 0; }
    // A string value (REG_SZ or REG_EXPAND_SZ) from UTF-8, stored as UTF-16.
    bool SetString(std::string_view name, unsigned type, std::string_view utf8) const;
    bool DeleteValue(std::string_view name) const;

private:
    std::uintptr_t m_key = 0;
};

// A DWORD value, its key created where missing; false when it cannot be written.
bool WriteRegistryDword(RegistryRoot root, std::string_view key, std::string_view valueName, std::uint32_t value);

constexpr unsigned kKeyWrite = 0x20006;
constexpr unsigned kRegExpandSz = 2;

// --- sound -------------------------------------------------------------------
// PlaySound: a file's path (UTF-8) with its flags; none with flags 0 stops
// whatever plays.
void PlaySoundFile(std::optional<std::string> name, unsigned flags);

// --- shell -------------------------------------------------------------------
// ShellExecute(no owner, "open", file, no parameters, no directory, show);
// false when nothing took it.
bool ShellOpen(std::string_view file, int showCommand);

// --- notification-area icon ---------------------------------------------------
struct TrayIconData {
    Window window;
    unsigned id = 0;
    unsigned flags = 0;
    unsigned callbackMessage = 0;
    IconHandle icon{};
    std::string tip;  // copied into the 128-character tip with lstrcpyn
};
// Shell_NotifyIcon with the second form of NOTIFYICONDATA (128-character tip).
bool NotifyIcon(unsigned action, const TrayIconData& data);
// The message id Explorer broadcasts when the taskbar is (re)created.
unsigned TaskbarCreatedMessage();

// --- clocks ------------------------------------------------------------------

std::int64_t WallClockSeconds();                 // seconds since 1970-01-01 UTC
std::int64_t WallClockMilliseconds();            // the same, in ms
LocalTime ToLocalTime(std::int64_t epochSeconds);  // machine's zone and DST rules
std::int64_t MonotonicMilliseconds();
void SleepMilliseconds(unsigned ms);

// --- the program's module ---------------------------------------------------
std::string ModuleFileName();    // full path of the running executable
std::string ModuleDirectory();   // the same without the file name, ending in a backslash
std::string CurrentDirectory();  // the process's current directory

// --- application-wide ---------------------------------------------------------
void InitCommonControls();

}  // namespace hv
