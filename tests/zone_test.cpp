// The local time under a zone's rules as Windows gives them, against the
// tests' own clocks of Berlin and the Azores, and a table of other zones.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "model/ZoneRules.h"
#include "tests/support/Clocks.h"

namespace {

using hvtest::EpochOf;

std::string Text(const hv::LocalTime& t) {
    char s[64];
    std::snprintf(s, sizeof s, "%d-%02d-%02d %02d:%02d:%02d day %d", t.year, t.month, t.day, t.hour, t.minute, t.second,
                  t.dayOfWeek);
    return s;
}

// Bias, StandardBias, DaylightBias, StandardDate, DaylightDate; a date as
// SYSTEMTIME: year, month, day of week, day (5 = last), hour, minute, s, ms.
const hv::ZoneRules kBerlin{-60, 0, -60, {0, 10, 0, 5, 3}, {0, 3, 0, 5, 2}};
const hv::ZoneRules kAzores{60, 0, -60, {0, 10, 0, 5, 1}, {0, 3, 0, 5, 0}};
// Summer from September to April, each change "at midnight" after the first Saturday.
const hv::ZoneRules kSantiago{240, 0, -60, {0, 4, 6, 1, 23, 59, 59, 999}, {0, 9, 6, 1, 23, 59, 59, 999}};

// Nine years every 997 s, and each change second by second two hours either side.
TEST(Zone, BerlinAndTheAzoresAsTheirOwnClocksTellIt) {
    for (const bool berlin : {true, false}) {
        const auto differs = [berlin](std::int64_t s) {
            const std::string got = Text(hv::LocalFromUtc(s, berlin ? kBerlin : kAzores));
            const std::string want = Text(berlin ? hvtest::BerlinTime(s) : hvtest::AzoresTime(s));
            EXPECT_EQ(got, want) << (berlin ? "Berlin" : "Azores") << " at " << s;
            return got != want;
        };
        for (int y = 2022; y <= 2030; ++y) {
            for (std::int64_t s = EpochOf(y, 1, 1, 0, 0, 0); s < EpochOf(y + 1, 1, 1, 0, 0, 0); s += 997)
                if (differs(s)) return;
            for (const int month : {3, 10})
                for (std::int64_t s = hvtest::LastSundayOneUtc(y, month) - 7200, end = s + 14400; s <= end; ++s)
                    if (differs(s)) return;
        }
    }
}

TEST(Zone, SouthernNoChangesDatedAndOddRules) {
    const hv::ZoneRules kIndia{-330, -60, 0, {}, {}};  // no changes: StandardBias does not count
    const hv::ZoneRules kHalf{-330, 0, -60, {0, 13, 0, 5}, {0, 3, 0, 5, 2}};  // no month 13: one change alone is none
    const hv::ZoneRules kFar{INT32_MAX - 30, 60, 60, {0, 10, 0, 5, 3}, {0, 3, 0, 5, 2}};  // summer or not, far off
    const hv::ZoneRules kOnce{-60, 0, -60, {2026, 10, 0, 25, 3}, {2026, 3, 0, 29, 2}};  // Berlin's of 2026 only
    const hv::ZoneRules kFebruary{0, 0, -60, {0, 11, 0, 1, 2}, {0, 2, 0, 5, 2}};  // February 2026 has four Sundays
    const hv::ZoneRules kNewYear{0, 0, -60, {0, 1, 5, 1}, {0, 10, 0, 1, 2}};  // back at 2027's first midnight, a Friday
    const struct { const hv::ZoneRules& rules; std::int64_t utc; hv::LocalTime want; } rows[] = {
        {kSantiago, EpochOf(2026, 9, 6, 3, 59, 59), {2026, 9, 5, 23, 59, 59, 7}},
        {kSantiago, EpochOf(2026, 9, 6, 4, 0, 0), {2026, 9, 6, 1, 0, 0, 1}},
        {kSantiago, EpochOf(2027, 1, 1, 3, 0, 0), {2027, 1, 1, 0, 0, 0, 6}},
        {kSantiago, EpochOf(2027, 4, 4, 3, 0, 0), {2027, 4, 3, 23, 0, 0, 7}},
        {kIndia, EpochOf(2026, 12, 7, 20, 0, 0), {2026, 12, 8, 1, 30, 0, 3}},
        {kHalf, EpochOf(2026, 7, 1, 12, 0, 0), {2026, 7, 1, 17, 30, 0, 4}},
        {kFar, 0, hvtest::CivilTime((INT32_MAX + std::int64_t{30}) * -60)},
        {kOnce, EpochOf(2026, 7, 1, 12, 0, 0), {2026, 7, 1, 14, 0, 0, 4}},
        {kOnce, EpochOf(2027, 7, 1, 12, 0, 0), {2027, 7, 1, 13, 0, 0, 5}},
        {kFebruary, EpochOf(2026, 2, 22, 2, 0, 0), {2026, 2, 22, 3, 0, 0, 1}},
        {kNewYear, EpochOf(2026, 12, 31, 23, 0, 0), {2026, 12, 31, 23, 0, 0, 5}},
        {kBerlin, INT64_MIN, {1601, 1, 1, 1, 0, 0, 2}},
        {kSantiago, INT64_MAX, {30827, 12, 31, 20, 59, 59, 6}},
    };
    for (const auto& row : rows)
        EXPECT_EQ(Text(hv::LocalFromUtc(row.utc, row.rules)), Text(row.want)) << "at " << row.utc;
}

}  // namespace
