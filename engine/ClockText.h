#pragma once
// The clock and the date line as the main window shows them.
#include <array>
#include <string>

#include "model/LocalTime.h"
#include "model/StopwatchState.h"
#include "model/TimekeepingState.h"

namespace hv {

// By day of week, 1 = Sunday.
constexpr std::array<const char*, 8> kWeekdayNames = {"",         "Sonntag", "Montag",  "Dienstag",
                                                      "Mittwoch", "Donnerstag", "Freitag", "Samstag"};

// " 07:30:00 ", a blank on either side.
std::string ClockText(const LocalTime& t);
// "Sonntag, 06.12.2026".
std::string DateLine(const LocalTime& t);
// "%02d": two digits at least, as the alarm targets are stored.
std::string TwoDigits(int value);
// "01:02:03"; hours of more than two digits are shown whole.
std::string CountdownText(int hours, int minutes, int seconds);
// An alarm's target as entered, "07:30:00".
std::string AlarmTimeText(const AlarmSlot& a);
// "00:01:07,3": one digit of tenths.
std::string StopwatchText(const StopwatchReading& r);

}  // namespace hv
