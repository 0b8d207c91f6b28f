#pragma once
// The main window's own texts that handlers set at run time.
namespace hv {

constexpr const char* kNotSet = "nicht gesetzt";
constexpr const char* kInactive = "inaktiv";
constexpr const char* kBadEntry = "Keine korrekte Eingabe!";
constexpr const char* kNotAvailable = "nicht verfügbar";

constexpr const char* kSetAlarm = "Alarmzeit setzen";
constexpr const char* kResetAlarm = "Alarmzeit neu setzen";
constexpr const char* kClearAlarm = "Alarmzeit aufheben";
constexpr const char* kSetCountdown = "Countdown setzen";
constexpr const char* kResetCountdown = "Countdown neu setzen";
constexpr const char* kClearCountdown = "Countdown aufheben";
constexpr const char* kPauseCountdown = "Countdown unterbrechen";
constexpr const char* kResumeCountdown = "Countdown fortsetzen";
constexpr const char* kStartStopwatch = "Stoppuhr starten";
constexpr const char* kRestartStopwatch = "Stoppuhr neu starten";
constexpr const char* kHoldStopwatch = "Stoppuhr anhalten";
constexpr const char* kContinueStopwatch = "Stoppuhr weiterlaufen lassen";
constexpr const char* kResetStopwatch = "Stoppuhr Reset";
// Followed directly by the slot's 15-character label.
constexpr const char* kReachedNotice = "Folgende Alarmzeit erreicht: ";
constexpr const char* kHourlyNotice = "Stundensignal!";
constexpr const char* kProductName = "Horovant";
constexpr const char* kAutostartNotWritten =
    "Horovant konnte nicht in den Autostart von Windows eingetragen werden: "
    "Der Eintrag in der Registrierung lässt sich nicht schreiben.";
constexpr const char* kAutostartNotRemoved =
    "Horovant startet weiter mit Windows: Der Eintrag in der Registrierung wurde von einem "
    "Administrator angelegt und lässt sich nur mit Administratorrechten entfernen.";

// Installed beside the program.
constexpr const char* kAlarmSound = "alarm-sound.wav";
constexpr const char* kHourlySound = "stunden-sound.wav";

}  // namespace hv
