#pragma once
// The main window's own texts that handlers set at run time.
namespace hv {

constexpr const char* kNotSet = "nicht gesetzt";
constexpr const char* kInactive = "inaktiv";
constexpr const char* kSetCountdown = "Countdown setzen";
// Followed directly by the slot's 15-character label.
constexpr const char* kReachedNotice = "Folgende Alarmzeit erreicht: ";
constexpr const char* kHourlyNotice = "Stundensignal!";

// Installed beside the program.
constexpr const char* kAlarmSound = "alarm-sound.wav";
constexpr const char* kHourlySound = "stunden-sound.wav";

}  // namespace hv
