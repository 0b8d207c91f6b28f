#pragma once
// What Start makes of the three texts of an alarm or countdown entry. Empty
// parts count as zero. A part holding anything but digits (pasted "7 ",
// "7:30", "+7") is refused: an alarm stored with it could never match the
// clock. Long parts are read without overflow.
#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace hv {

struct AlarmTarget {
    std::string hourText, minuteText, secondText;  // two digits each
};

// Hours, minutes, seconds as typed; nothing when refused (not digits, hours
// above 23, minutes or seconds above 59). One digit gets a leading zero and
// an in-range part of three or more digits ("007") is brought to two.
std::optional<AlarmTarget> AlarmEntry(const std::array<std::string, 3>& hms);

struct CountdownEntryResult {
    std::int32_t hours = 0, minutes = 0, seconds = 0;  // carried: minutes and seconds 0..59
    std::string storedTime;                            // the parts before carrying, "%03d" each, cut to three
};

// The largest countdown that the counters hold, in seconds.
constexpr std::int64_t kMaxCountdownSeconds = std::int64_t{2147483647} * 3600 + 3599;

// Hours, minutes, seconds as typed, with no upper bound on any part;
// nothing when refused (not digits, all zero, too large for the counters).
// Over-large seconds carry into minutes, minutes into hours.
std::optional<CountdownEntryResult> CountdownEntry(const std::array<std::string, 3>& hms);

}  // namespace hv
