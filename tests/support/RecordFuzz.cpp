#include "tests/support/RecordFuzz.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <optional>

#include "model/SettingsRecord.h"

namespace hv::test {
namespace {

constexpr std::size_t kMaxInput = 300;

// The default record as the layout describes it, piece by piece.
const std::string& DefaultBytes() {
    static const std::string bytes = [] {
        std::string b(settings::kDefaultOptionBlock);
        for (auto label : settings::kDefaultLabels) b += label;
        return b + std::string(settings::kDefaultCountdownBlock) + std::string(settings::kDefaultAutostart);
    }();
    return bytes;
}

bool IsFlag(std::size_t at) {
    return std::find(settings::kFlagOffsets.begin(), settings::kFlagOffsets.end(), at) != settings::kFlagOffsets.end();
}

bool Digit(char c) { return c >= '0' && c <= '9'; }

// The file as the reader should see it. Only the first record's worth of
// bytes counts; a NUL in a flag was never written (the gap a later field
// write leaves behind a short file) and reads as the flag's default.
struct FileModel {
    std::string_view given;

    std::optional<char> At(std::size_t i) const {
        if (i >= given.size() || i >= kSettingsRecordSize) return std::nullopt;
        return given[i];
    }
    char Flag(std::size_t at) const {
        const auto c = At(at);
        return c && *c != '\0' ? *c : DefaultBytes()[at];
    }
    char Expected(std::size_t i) const { return IsFlag(i) ? Flag(i) : At(i).value_or(DefaultBytes()[i]); }

    // The six time bytes when all are there and form a time of day.
    std::optional<std::string> AlarmTarget(int slot) const {
        if (Flag(settings::AlarmActive(slot)) != 't') return std::nullopt;
        std::string hms;
        for (std::size_t i = 0; i < 6; ++i) {
            const auto c = At(settings::AlarmTime(slot) + i);
            if (!c || !Digit(*c)) return std::nullopt;
            hms += *c;
        }
        const auto value = [&](std::size_t at) { return (hms[at] - '0') * 10 + (hms[at + 1] - '0'); };
        if (value(0) > 23 || value(2) > 59 || value(4) > 59) return std::nullopt;
        return hms;
    }

    // What a C string reads of the label's bytes that are there, filled up
    // with spaces; the default when that is nothing.
    std::string Label(int index) const {
        std::string text;
        for (std::size_t i = 0; i < kLabelLength; ++i) {
            const auto c = At(settings::Label(index) + i);
            if (!c || *c == '\0') break;
            text += *c;
        }
        if (text.empty()) return std::string(settings::kDefaultLabels[static_cast<std::size_t>(index)]);
        return text + std::string(kLabelLength - text.size(), ' ');
    }
};

std::string Quote(const std::string& s) { return "\"" + Escaped(s) + "\""; }

std::string Expect(const char* what, const std::string& got, const std::string& want) {
    return std::string(what) + " gave " + Quote(got) + ", expected " + Quote(want);
}

}  // namespace

std::string Escaped(std::string_view bytes) {
    std::string out;
    for (unsigned char c : bytes) {
        if (c >= 0x20 && c < 0x7F && c != '\\' && c != '"') {
            out += static_cast<char>(c);
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
        }
    }
    return out;
}

std::string RecordFault(std::string_view input) {
    const FileModel file{input};
    const SettingsRecord r = SettingsRecord::FromBytes(input);

    const std::string& bytes = r.Bytes();
    if (bytes.size() != kSettingsRecordSize) return "Bytes() has " + std::to_string(bytes.size()) + " bytes";
    for (std::size_t i = 0; i < kSettingsRecordSize; ++i)
        if (bytes[i] != file.Expected(i))
            return "byte " + std::to_string(i) + Expect(" of Bytes()", bytes.substr(i, 1), {file.Expected(i)});

    struct Option {
        const char* name;
        bool got;
        std::size_t at;
        char on;
    };
    for (const Option& o : {Option{"StartMinimized", r.StartMinimized(), settings::kStartMinimized, 'j'},
                            Option{"HourlySignal", r.HourlySignal(), settings::kHourlySignal, 'j'},
                            Option{"SoundOn", r.SoundOn(), settings::kSoundOn, 't'},
                            Option{"ContinuousAlarm", r.ContinuousAlarm(), settings::kContinuousAlarm, 't'},
                            Option{"Autostart", r.Autostart(), settings::kAutostart, 't'}})
        if (o.got != (file.Flag(o.at) == o.on)) return std::string(o.name) + "() is " + (o.got ? "on" : "off");

    for (int k = 0; k < 4; ++k) {
        const std::string slot = "alarm " + std::to_string(k + 1);
        const auto target = file.AlarmTarget(k);
        const auto time = r.AlarmTime(k);
        for (const auto& part : time)
            if (part.size() != 2) return slot + ": AlarmTime() has a part " + Quote(part);
        if (r.AlarmArmed(k) != target.has_value())
            return slot + (target ? " is not armed at " + *target : std::string(" is armed"));
        if (target && time[0] + time[1] + time[2] != *target)
            return slot + Expect(": AlarmTime()", time[0] + time[1] + time[2], *target);
    }

    for (int i = 0; i < kLabelCount; ++i) {
        const std::string label = r.Label(i), want = file.Label(i);
        if (label != want) return Expect(("label " + std::to_string(i + 1)).c_str(), label, want);
    }
    return {};
}

bool ReadAgainDiffers(std::string_view input) {
    const SettingsRecord first = SettingsRecord::FromBytes(input);
    const SettingsRecord again = SettingsRecord::FromBytes(first.Bytes());
    for (int k = 0; k < 4; ++k)
        if (first.AlarmArmed(k) != again.AlarmArmed(k)) return true;
    for (int i = 0; i < kLabelCount; ++i)
        if (first.Label(i) != again.Label(i)) return true;
    return false;
}

void RecordCoverage::Add(std::string_view input) {
    ++inputs;
    shortInputs += input.size() < kSettingsRecordSize;
    longInputs += input.size() > kSettingsRecordSize;
    const SettingsRecord r = SettingsRecord::FromBytes(input);
    for (int k = 0; k < 4; ++k) armedAlarms += r.AlarmArmed(k);
    for (int i = 0; i < kLabelCount; ++i) {
        const std::size_t at = settings::Label(i);
        ownLabels += r.Label(i) != settings::kDefaultLabels[static_cast<std::size_t>(i)];
        const std::string_view field = input.size() > at ? input.substr(at, kLabelLength) : std::string_view();
        cutLabels += !field.empty() && (field.size() < kLabelLength || field.find('\0') != std::string_view::npos);
    }
    for (std::size_t at : settings::kFlagOffsets) nulFlags += at < input.size() && input[at] == '\0';
    flagsOn += r.StartMinimized() || r.HourlySignal() || r.Autostart();
}

// --- inputs ---------------------------------------------------------------------------

std::string RecordFuzzer::Next() {
    std::string bytes;
    switch (Below(8)) {
        case 0: return RandomBytes();
        case 1: bytes = DefaultBytes(); break;
        default: bytes = PlausibleRecord(); break;
    }
    for (std::size_t n = 1 + Below(4); n > 0; --n) Mutate(bytes);
    if (bytes.size() > kMaxInput) bytes.resize(kMaxInput);
    return bytes;
}

// Any length, any bytes; every other input from the characters a record
// is made of, so that fields happen to line up now and then.
std::string RecordFuzzer::RandomBytes() {
    static constexpr std::string_view kRecordish("tfjn0123456789 \0\xFF\x80", 19);
    std::string bytes(Below(kMaxInput + 1), '\0');
    const bool recordish = Below(2) == 0;
    for (auto& c : bytes) c = recordish ? kRecordish[Below(kRecordish.size())] : AnyByte();
    return bytes;
}

// Each field filled with something its writer could have left, or nearly.
std::string RecordFuzzer::PlausibleRecord() {
    static constexpr std::array<std::string_view, 10> kFlags = {"t", "f", "j", "n", std::string_view("\0", 1),
                                                                "T", "x", "\xFF", "1", " "};
    static constexpr std::array<std::string_view, 8> kOddTimes = {"235959", "000000", "240000", "126000",
                                                                  "120060", "995999", "07 300", "-10000"};
    const auto flag = [&](char likely) {
        return Below(2) ? std::string(1, likely) : std::string(kFlags[Below(kFlags.size())]);
    };
    const auto digits = [&](std::size_t n) {
        std::string s;
        while (s.size() < n) s += static_cast<char>('0' + Below(10));
        return s;
    };
    const auto two = [&](std::size_t below) {
        const std::size_t v = Below(below);
        return std::string{static_cast<char>('0' + v / 10), static_cast<char>('0' + v % 10)};
    };

    std::string b = flag(Below(2) ? 'j' : 'n') + flag(Below(2) ? 'j' : 'n');
    for (int k = 0; k < 4; ++k) {
        b += flag('t');
        switch (Below(4)) {
            case 0: b += kOddTimes[Below(kOddTimes.size())]; break;
            case 1: b += digits(6); break;
            default: b += two(24) + two(60) + two(60); break;
        }
    }
    b += flag('t') + flag('f');
    for (int i = 0; i < kLabelCount; ++i) {
        std::string label;
        switch (Below(5)) {
            case 0: label = std::string(kLabelLength, Below(2) ? ' ' : '\0'); break;
            case 1: label = settings::kDefaultLabels[static_cast<std::size_t>(i)]; break;
            default:
                for (std::size_t n = 1 + Below(kLabelLength); n > 0; --n)
                    label += Below(4) ? static_cast<char>(' ' + Below(95)) : AnyByte();
                label.resize(kLabelLength, Below(3) ? ' ' : '\0');
        }
        b += label;
    }
    b += flag('f') + digits(9) + flag('f');
    return b;
}

void RecordFuzzer::Mutate(std::string& bytes) {
    const auto anywhere = [&] { return Below(std::max<std::size_t>(bytes.size(), kSettingsRecordSize)); };
    const auto put = [&](std::size_t at, char c) {
        if (at >= kMaxInput) return;
        if (at >= bytes.size()) bytes.resize(at + 1, '\0');
        bytes[at] = c;
    };
    switch (Below(9)) {
        case 0:  // bytes flipped
            for (std::size_t n = 1 + Below(5); n > 0; --n) put(anywhere(), AnyByte());
            break;
        case 1:  // cut short
            bytes.resize(Below(bytes.size() + 1));
            break;
        case 2:  // lengthened
            for (std::size_t n = Below(kMaxInput - std::min(bytes.size(), kMaxInput) + 1); n > 0; --n)
                bytes += AnyByte();
            break;
        case 3:  // NULs, one by one or as a run
            if (Below(2)) {
                for (std::size_t n = 1 + Below(10); n > 0; --n) put(anywhere(), '\0');
            } else {
                const std::size_t from = anywhere();
                for (std::size_t n = Below(40); n > 0; --n) put(from + n, '\0');
            }
            break;
        case 4:  // bytes of the upper half of the code page
            for (std::size_t n = 1 + Below(8); n > 0; --n) put(anywhere(), static_cast<char>(0x80 | AnyByte()));
            break;
        case 5: {  // digits where they do not belong, or an armed time out of place
            std::string text = Below(2) ? "t" : "";
            for (std::size_t n = 1 + Below(8); n > 0; --n) text += static_cast<char>('0' + Below(10));
            const std::size_t at = anywhere();
            for (std::size_t i = 0; i < text.size(); ++i) put(at + i, text[i]);
            break;
        }
        case 6: {  // a short file lengthened by a later field write: zeros between
            bytes.resize(Below(kSettingsRecordSize));
            static constexpr std::array<std::pair<std::size_t, std::string_view>, 5> kFieldWrites = {
                {{settings::kAutostart, "t"},
                 {settings::Label(0), "Aufstehen      Tee            Arzt           Bus            Pizza          "},
                 {settings::kCountdownActive, "t000000150"},
                 {settings::kSoundOn, "ft"},
                 {settings::AlarmActive(3), "t063000"}}};
            const auto& [at, field] = kFieldWrites[Below(kFieldWrites.size())];
            for (std::size_t i = 0; i < field.size(); ++i) put(at + i, field[i]);
            break;
        }
        case 7: {  // a byte gained or lost: every later field misaligned
            const std::size_t at = Below(bytes.size() + 1);
            if (Below(2) && at < bytes.size()) bytes.erase(at, 1);
            else bytes.insert(at, 1, AnyByte());
            break;
        }
        default:  // an armed flag
            put(settings::AlarmActive(static_cast<int>(Below(4))), 't');
            break;
    }
    if (bytes.size() > kMaxInput) bytes.resize(kMaxInput);
}

}  // namespace hv::test
