#include "tests/support/MonkeyInput.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace hv::test {
namespace {

std::string Digits(Rng& rng, std::size_t n) {
    std::string s;
    for (std::size_t i = 0; i < n; ++i) s += static_cast<char>('0' + rng.Below(10));
    return s;
}

// A number as a user writes it: "7", "07", sometimes "007", empty for zero.
std::string Written(Rng& rng, std::int64_t value) {
    if (value == 0 && rng.Chance(30)) return "";
    std::string s = std::to_string(value);
    if (s.size() == 1 && rng.Chance(50)) s = "0" + s;
    if (rng.Chance(5)) s = "0" + s;
    return s;
}

}  // namespace

std::int64_t Rng::LogUniform(std::int64_t lo, std::int64_t hi) {
    const double u = static_cast<double>(Below(1000000)) / 1000000.0;
    const double v = std::exp(std::log(static_cast<double>(lo)) + u * (std::log(static_cast<double>(hi)) -
                                                                         std::log(static_cast<double>(lo))));
    return std::min(hi, std::max(lo, static_cast<std::int64_t>(v)));
}

std::string EntryText(Rng& rng) {
    static const std::array<std::string, 6> letters = {"a", "Uhr", "x7", "sieben", "ABC", "h"};
    static const std::array<std::string, 6> blanks = {" ", "7 ", " 7", "1 2", "  ", "\t5"};
    static const std::array<std::string, 6> umlauts = {"\xE4", "\xF6\xFC", "7\xDF", "\xC4\xD6\xDC", "\xB0", "1\xBD"};
    static const std::array<std::string, 6> signs = {"+7", "-1", "7:30", "1.5", "0x1F", "1e3"};
    switch (rng.Below(12)) {
        case 0:
        case 1:
        case 2: return Written(rng, rng.Between(0, 59));
        case 3: return std::to_string(rng.Between(0, 99));
        case 4: return "";
        case 5: return Digits(rng, static_cast<std::size_t>(rng.Between(3, 25)));
        case 6: return rng.Pick(letters);
        case 7: return rng.Pick(blanks);
        case 8: return rng.Pick(umlauts);
        case 9: return rng.Pick(signs);
        case 10: {
            std::string s;
            for (std::int64_t i = rng.Between(1, 8); i > 0; --i) s += static_cast<char>(rng.Between(0x20, 0xFF));
            return s;
        }
        default: return std::string(static_cast<std::size_t>(rng.Between(1, 3)), '0');
    }
}

std::array<std::string, 3> AlarmEntryTexts(Rng& rng, std::int64_t secondOfDay) {
    return {Written(rng, secondOfDay / 3600), Written(rng, secondOfDay / 60 % 60), Written(rng, secondOfDay % 60)};
}

std::array<std::string, 3> CountdownEntryTexts(Rng& rng) {
    const int kind = static_cast<int>(rng.Below(100));
    if (kind >= 95) return {Digits(rng, static_cast<std::size_t>(rng.Between(5, 14))), "", ""};
    const std::int64_t total = kind < 45   ? rng.Between(1, 15)
                               : kind < 75 ? rng.Between(16, 300)
                                           : rng.Between(301, 7200);
    switch (rng.Below(3)) {
        case 0: return {"", "", std::to_string(total)};
        case 1: return {"", Written(rng, total / 60), Written(rng, total % 60)};
        default: return {Written(rng, total / 3600), Written(rng, total / 60 % 60), Written(rng, total % 60)};
    }
}

std::string LabelText(Rng& rng) {
    static const std::string chars = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 .-:\xE4\xF6\xFC\xDF\xC4";
    std::size_t length = 0;
    switch (rng.Below(8)) {
        case 0: return "";
        case 1: length = 15; break;
        case 2: length = static_cast<std::size_t>(rng.Between(16, 22)); break;
        case 3: return " ";
        case 4: return "Fr\xFChst\xFC" "ck";
        default: length = static_cast<std::size_t>(rng.Between(1, 14)); break;
    }
    std::string s;
    for (std::size_t i = 0; i < length; ++i) s += chars[rng.Below(chars.size())];
    return s;
}

std::int64_t TimeStepMs(Rng& rng, bool stopwatchRunning) {
    const auto kind = rng.Below(100);
    if (stopwatchRunning) return kind < 90 ? rng.LogUniform(10, 5000) : rng.LogUniform(5000, 60000);
    if (kind < 70) return rng.LogUniform(10, 5000);
    if (kind < 95) return rng.LogUniform(5000, 600000);
    return rng.LogUniform(600000, 7200000);
}

std::string Quote(const std::string& bytes) {
    std::string out = "\"";
    for (char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        if (c >= 0x20 && c < 0x7F && c != '"' && c != '\\') {
            out += ch;
        } else {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\x%02X", c);
            out += buf;
        }
    }
    return out + "\"";
}

}  // namespace hv::test
