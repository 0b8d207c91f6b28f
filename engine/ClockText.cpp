#include "engine/ClockText.h"

namespace hv {
namespace {

// The value with at least `digits` digits, zeros in front (values here are
// never negative).
std::string Digits(int value, std::size_t digits) {
    std::string s = std::to_string(value);
    if (s.size() < digits) s.insert(0, digits - s.size(), '0');
    return s;
}

}  // namespace

std::string ClockText(const LocalTime& t) {
    std::string text(" ");
    text.append(CountdownText(t.hour, t.minute, t.second)).append(" ");
    return text;
}

std::string DateLine(const LocalTime& t) {
    const bool known = t.dayOfWeek >= 1 && t.dayOfWeek <= 7;
    std::string text(known ? kWeekdayNames[static_cast<std::size_t>(t.dayOfWeek)] : "");
    text.append(", ").append(Digits(t.day, 2)).append(".").append(Digits(t.month, 2)).append(".");
    text.append(Digits(t.year, 4));
    return text;
}

std::string TwoDigits(int value) { return Digits(value, 2); }

std::string CountdownText(int hours, int minutes, int seconds) {
    std::string text = Digits(hours, 2);
    text.append(":").append(Digits(minutes, 2)).append(":").append(Digits(seconds, 2));
    return text;
}

std::string StopwatchText(const StopwatchReading& r) {
    std::string text = CountdownText(r.hours, r.minutes, r.seconds);
    text.append(",").append(Digits(r.tenths, 1));
    return text;
}

std::string AlarmTimeText(const AlarmSlot& a) { return a.hourText + ":" + a.minuteText + ":" + a.secondText; }

}  // namespace hv
