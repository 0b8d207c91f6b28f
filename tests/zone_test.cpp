// The local time under a zone's rules as Windows gives them, against the
// tests' own clocks of Berlin and the Azores, and a table of other zones.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <limits>
#include <string>
#include <tuple>

#include "model/ZoneRules.h"
#include "tests/support/Clocks.h"

namespace {

using hv::LocalTime;
using hv::ZoneRules;
using hvtest::EpochOf;

std::string Text(const LocalTime& t) {
    char s[64];
    std::snprintf(s, sizeof s, "%d-%02d-%02d %02d:%02d:%02d day %d", t.year, t.month, t.day, t.hour, t.minute, t.second,
                  t.dayOfWeek);
    return s;
}
auto Fields(const LocalTime& t) { return std::tie(t.year, t.month, t.day, t.hour, t.minute, t.second, t.dayOfWeek); }

// Bias, StandardBias, DaylightBias, StandardDate, DaylightDate; a date as
// SYSTEMTIME: year, month, day of week, day (5 = last), hour, minute, s, ms.
const ZoneRules kBerlin{-60, 0, -60, {0, 10, 0, 5, 3}, {0, 3, 0, 5, 2}};
const ZoneRules kAzores{60, 0, -60, {0, 10, 0, 5, 1}, {0, 3, 0, 5, 0}};
// Summer from September to April, each change "at midnight" after the first Saturday.
const ZoneRules kSantiago{240, 0, -60, {0, 4, 6, 1, 23, 59, 59, 999}, {0, 9, 6, 1, 23, 59, 59, 999}};
constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min(), kMax = std::numeric_limits<std::int64_t>::max();

// Nine years every 997 s, and each change second by second two hours either side.
TEST(Zone, BerlinAndTheAzoresAsTheirOwnClocksTellIt) {
    const struct { const char* name; const ZoneRules& rules; LocalTime (*want)(std::int64_t); } zones[] = {
        {"Berlin", kBerlin, hvtest::BerlinTime}, {"Azores", kAzores, hvtest::AzoresTime}};
    for (const auto& z : zones) {
        const auto check = [&](std::int64_t s) {
            const LocalTime got = hv::LocalFromUtc(s, z.rules), want = z.want(s);
            if (Fields(got) == Fields(want)) return true;
            ADD_FAILURE() << z.name << " at " << s << ": " << Text(got) << ", want " << Text(want);
            return false;
        };
        for (int y = 2022; y <= 2030; ++y) {
            for (std::int64_t s = EpochOf(y, 1, 1, 0, 0, 0); s < EpochOf(y + 1, 1, 1, 0, 0, 0); s += 997)
                if (!check(s)) return;
            for (const int month : {3, 10})
                for (std::int64_t s = hvtest::LastSundayOneUtc(y, month) - 7200; s <= hvtest::LastSundayOneUtc(y, month) + 7200; ++s)
                    if (!check(s)) return;
        }
    }
}

TEST(Zone, SouthernNoChangesDatedAndOddRules) {
    const ZoneRules kIndia{-330, -60, 0, {}, {}};  // no changes: StandardBias does not count
    const ZoneRules kHalf{-330, 0, -60, {}, {0, 3, 0, 5, 2}};  // one change alone counts as none
    const ZoneRules kOnce{-60, 0, -60, {2026, 10, 0, 25, 3}, {2026, 3, 0, 29, 2}};  // Berlin's of 2026 only
    const ZoneRules kFebruary{0, 0, -60, {0, 11, 0, 1, 2}, {0, 2, 0, 5, 2}};  // February 2026 has four Sundays
    const ZoneRules kNewYear{0, 0, -60, {0, 1, 5, 1}, {0, 10, 0, 1, 2}};  // back at 2027's first midnight, a Friday
    const struct { const ZoneRules& rules; std::int64_t utc; LocalTime want; } rows[] = {
        {kSantiago, EpochOf(2026, 9, 6, 3, 59, 59), {2026, 9, 5, 23, 59, 59, 7}},
        {kSantiago, EpochOf(2026, 9, 6, 4, 0, 0), {2026, 9, 6, 1, 0, 0, 1}},
        {kSantiago, EpochOf(2027, 1, 1, 2, 59, 59), {2026, 12, 31, 23, 59, 59, 5}},
        {kSantiago, EpochOf(2027, 1, 1, 3, 0, 0), {2027, 1, 1, 0, 0, 0, 6}},
        {kSantiago, EpochOf(2027, 4, 4, 2, 59, 59), {2027, 4, 3, 23, 59, 59, 7}},
        {kSantiago, EpochOf(2027, 4, 4, 3, 0, 0), {2027, 4, 3, 23, 0, 0, 7}},
        {kSantiago, EpochOf(2027, 7, 1, 12, 0, 0), {2027, 7, 1, 8, 0, 0, 5}},
        {kIndia, EpochOf(2026, 12, 7, 20, 0, 0), {2026, 12, 8, 1, 30, 0, 3}},
        {kHalf, EpochOf(2026, 7, 1, 12, 0, 0), {2026, 7, 1, 17, 30, 0, 4}},
        {kOnce, EpochOf(2025, 7, 1, 12, 0, 0), {2025, 7, 1, 13, 0, 0, 3}},
        {kOnce, EpochOf(2026, 7, 1, 12, 0, 0), {2026, 7, 1, 14, 0, 0, 4}},
        {kOnce, EpochOf(2027, 7, 1, 12, 0, 0), {2027, 7, 1, 13, 0, 0, 5}},
        {kFebruary, EpochOf(2026, 2, 22, 1, 59, 59), {2026, 2, 22, 1, 59, 59, 1}},
        {kFebruary, EpochOf(2026, 2, 22, 2, 0, 0), {2026, 2, 22, 3, 0, 0, 1}},
        {kNewYear, EpochOf(2026, 12, 31, 22, 59, 59), {2026, 12, 31, 23, 59, 59, 5}},
        {kNewYear, EpochOf(2026, 12, 31, 23, 0, 0), {2026, 12, 31, 23, 0, 0, 5}},
        {kBerlin, kMin, {1601, 1, 1, 1, 0, 0, 2}},
        {kSantiago, kMax, {30827, 12, 31, 20, 59, 59, 6}},
    };
    for (const auto& row : rows)
        EXPECT_EQ(Text(hv::LocalFromUtc(row.utc, row.rules)), Text(row.want)) << "at " << row.utc;
    // Rules no zone has: any moment still gives a calendar time (the sanitizers watch the sums).
    const ZoneRules wild[] = {{INT32_MIN, INT32_MIN, INT32_MAX, {0, 12, 6, 5, 23, 59, 59, 999}, {65535, 2, 9, 29}},
                              {INT32_MAX, INT32_MIN, INT32_MIN, {30827, 12, 0, 31, 23}, {0, 1, 6, 1}}};
    for (const ZoneRules& rules : wild)
        for (const std::int64_t s : {kMin, std::int64_t{0}, kMax}) {
            const LocalTime t = hv::LocalFromUtc(s, rules);
            EXPECT_TRUE(t.month >= 1 && t.month <= 12 && t.day >= 1 && t.day <= 31 && t.hour < 24 &&
                        t.dayOfWeek >= 1 && t.dayOfWeek <= 7)
                << Text(t);
        }
}

}  // namespace
