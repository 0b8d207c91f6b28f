#pragma once
// The clock and the date line as the main window shows them.
#include <array>
#include <string>

#include "platform/Services.h"

namespace hv {

// By day of week, 1 = Sunday.
constexpr std::array<const char*, 8> kWeekdayNames = {"",         "Sonntag", "Montag",  "Dienstag",
                                                      "Mittwoch", "Donnerstag", "Freitag", "Samstag"};

// " 07:30:00 ", a blank on either side.
std::string ClockText(const LocalTime& t);
// "Sonntag, 06.12.2026".
std::string DateLine(const LocalTime& t);

}  // namespace hv
