#pragma once
// A moment as the machine's clock shows it: local calendar fields.
namespace hv {

struct LocalTime {
    int year = 1970, month = 1, day = 1;  // month 1-12, day 1-31
    int hour = 0, minute = 0, second = 0;
    int dayOfWeek = 5;                     // 1 = Sunday ... 7 = Saturday
};

}  // namespace hv
