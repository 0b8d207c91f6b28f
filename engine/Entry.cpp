#include "engine/Entry.h"

#include <cstdio>

#include "engine/ClockText.h"
#include "model/Calendar.h"

namespace hv {
namespace {

// Larger than any part that can be in range; reading stops growing there.
constexpr std::int64_t kCap = std::int64_t{1} << 50;

// The value of a text of digits (empty: 0), capped at kCap; nothing when it
// holds anything else.
std::optional<std::int64_t> DigitsValue(const std::string& text) {
    std::int64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value >= kCap ? kCap : value * 10 + (c - '0');
    }
    return value;
}

// "%03d", of which the stored field keeps the first three characters.
std::string StoredPart(std::int64_t v) {
    char buffer[24];
    std::snprintf(buffer, sizeof buffer, "%03lld", static_cast<long long>(v));
    return std::string(buffer).substr(0, 3);
}

}  // namespace

std::optional<AlarmTarget> AlarmEntry(const std::array<std::string, 3>& hms) {
    constexpr std::array<std::int64_t, 3> kMax = {23, 59, 59};
    std::array<std::string, 3> parts;
    for (std::size_t i = 0; i < 3; ++i) {
        const auto value = DigitsValue(hms[i]);
        if (!value || *value > kMax[i]) return std::nullopt;
        parts[i] = TwoDigits(static_cast<int>(*value));
    }
    return AlarmTarget{parts[0], parts[1], parts[2]};
}

std::optional<CountdownEntryResult> CountdownEntry(const std::array<std::string, 3>& hms) {
    std::array<std::int64_t, 3> v{};
    for (std::size_t i = 0; i < 3; ++i) {
        const auto value = DigitsValue(hms[i]);
        if (!value) return std::nullopt;
        v[i] = *value;
    }
    if (v[0] == 0 && v[1] == 0 && v[2] == 0) return std::nullopt;
    // Each part is below 2^50, so the sum cannot overflow.
    if (v[0] > kMaxCountdownSeconds / 3600) return std::nullopt;
    const std::int64_t total = v[0] * 3600 + v[1] * 60 + v[2];
    if (total > kMaxCountdownSeconds) return std::nullopt;
    CountdownEntryResult r;
    r.storedTime = StoredPart(v[0]) + StoredPart(v[1]) + StoredPart(v[2]);
    // The carries as Start does them: seconds into minutes, then minutes into
    // hours; the same as splitting the total.
    const HoursMinutesSeconds split = SplitSeconds(total);
    r.hours = split.hours, r.minutes = split.minutes, r.seconds = split.seconds;
    return r;
}

}  // namespace hv
