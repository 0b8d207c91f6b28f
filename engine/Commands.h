#pragma once
// What each of the main window's commands does: the new model, the settings
// fields written (a write that fails stops the command where the program
// stops, and is reported), the registry change, and the effects in order.
#include <array>
#include <cstdint>
#include <string>

#include "engine/Effects.h"
#include "engine/MainModel.h"
#include "model/SettingsFile.h"

namespace hv {

// The three texts of the selected slot's entry fields, as typed.
struct EntryTexts {
    std::string hours, minutes, seconds;
};

// The autostart value in the registry.
class AutostartStore {
public:
    virtual ~AutostartStore() = default;
    virtual bool Enable(const std::string& exePath) = 0;  // false when it could be written nowhere
    virtual bool Disable() = 0;  // false when a value remains that cannot be deleted
    virtual bool IsThere() = 0;  // a value for the user or the machine
};

Effects SelectSlot(MainModel& m, SlotSelector selected);
Effects Start(MainModel& m, SettingsFile& file, const EntryTexts& entry, std::int64_t monoMs);
Effects Stopp(MainModel& m, SettingsFile& file, std::int64_t monoMs);
// Pause the countdown, or let the held stopwatch run on.
Effects Zusatzfunktion1(MainModel& m, SettingsFile& file, std::int64_t monoMs);
// Resume the countdown, or reset the held stopwatch.
Effects Zusatzfunktion2(MainModel& m, SettingsFile& file, std::int64_t monoMs);
Effects AlarmAus(MainModel& m, SettingsFile& file);

Effects Sound(MainModel& m, SettingsFile& file);
Effects Daueralarm(MainModel& m, SettingsFile& file);
Effects Stundensignal(MainModel& m, SettingsFile& file);
Effects MinimiertStarten(MainModel& m, SettingsFile& file);
Effects MitWindowsStarten(MainModel& m, SettingsFile& file, AutostartStore& registry, const std::string& exePath);
// At the start: a value the stored mark asks for but that is gone (removed
// by an uninstall during an update, or by a cleaning tool) is written again;
// where it cannot be, the box shows it off and the file keeps its mark.
void KeepAutostart(MainModel& m, AutostartStore& registry, const std::string& exePath);

// The label editor closed: its five labels (alarm 1-4, countdown) are taken
// and stored, renamed or not.
Effects TakeLabels(MainModel& m, SettingsFile& file, const std::array<std::string, 5>& edited);

Effects TrayMinimieren(MainModel& m);
// A mouse message over the tray icon; a left or right button release brings
// the window back.
Effects TrayNotify(MainModel& m, unsigned mouseMessage);
// The start of every paint: a start into the notification area.
Effects Paint(MainModel& m);
// The shell's answer to the tray icon's add, after HideToTray, a retry or
// Explorer's start; `restoredByUser`: the window waiting in the taskbar was
// opened there, and stays.
Effects TrayIconAnswered(MainModel& m, bool iconThere, bool restoredByUser);
// The window goes: a running stopwatch stops, so that its worker ends.
void Closing(MainModel& m, std::int64_t monoMs);

}  // namespace hv
