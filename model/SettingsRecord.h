#pragma once
// The 133-byte settings record: fixed layout, single-byte (Windows-1252)
// characters, no header or separators. The record keeps the bytes as read;
// the accessors interpret them so that any bytes give consistent states.
#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace hv {

constexpr std::size_t kSettingsRecordSize = 133;
constexpr std::size_t kLabelLength = 15;
constexpr int kLabelCount = 6;  // alarm 1-4, countdown, stopwatch

namespace settings {
constexpr std::size_t kStartMinimized = 0;   // 'j' / 'n'
constexpr std::size_t kHourlySignal = 1;     // 'j' / 'n'
constexpr std::size_t AlarmActive(int slot) { return 2 + 7 * static_cast<std::size_t>(slot); }  // slot 0..3
constexpr std::size_t AlarmTime(int slot) { return 3 + 7 * static_cast<std::size_t>(slot); }    // hhmmss
constexpr std::size_t kSoundOn = 30;          // 't' / 'f'
constexpr std::size_t kContinuousAlarm = 31;  // 't' / 'f'
constexpr std::size_t Label(int index) { return 32 + kLabelLength * static_cast<std::size_t>(index); }
constexpr std::size_t kCountdownActive = 122;
constexpr std::size_t kCountdownTime = 123;  // three "%03d" groups: hours, minutes, seconds
constexpr std::size_t kAutostart = 132;

// Every one-byte flag of the record.
constexpr std::array<std::size_t, 10> kFlagOffsets = {
    kStartMinimized, kHourlySignal, AlarmActive(0),   AlarmActive(1),   AlarmActive(2),
    AlarmActive(3),  kSoundOn,      kContinuousAlarm, kCountdownActive, kAutostart,
};

constexpr std::string_view kDefaultOptionBlock = "nnf000000f000000f000000f000000tt";
constexpr std::array<std::string_view, kLabelCount> kDefaultLabels = {
    "Alarmzeit 1    ", "Alarmzeit 2    ", "Alarmzeit 3    ",
    "Alarmzeit 4    ", "Countdown      ", "Stoppuhr       ",
};
constexpr std::string_view kDefaultCountdownBlock = "f000000000";
constexpr std::string_view kDefaultAutostart = "f";
}  // namespace settings

class SettingsRecord {
public:
    // The record a first start writes.
    static SettingsRecord Default();
    // Any bytes: a short record takes the defaults for its missing bytes,
    // bytes beyond the record are ignored. A field cut off by the end of the
    // bytes does not mix with its default: an alarm time is then not armed,
    // a label keeps what is there.
    static SettingsRecord FromBytes(std::string_view bytes);

    const std::string& Bytes() const { return m_bytes; }

    bool StartMinimized() const { return m_bytes[settings::kStartMinimized] == 'j'; }
    bool HourlySignal() const { return m_bytes[settings::kHourlySignal] == 'j'; }
    bool SoundOn() const { return m_bytes[settings::kSoundOn] == 't'; }
    bool ContinuousAlarm() const { return m_bytes[settings::kContinuousAlarm] == 't'; }
    bool Autostart() const { return m_bytes[settings::kAutostart] == 't'; }

    // Armed only with the flag 't' and a time of six digits within
    // 00:00:00..23:59:59; anything else would be a target that never fires.
    bool AlarmArmed(int slot) const;
    // The stored target as its three two-character groups (hh, mm, ss).
    std::array<std::string, 3> AlarmTime(int slot) const;
    // The label as a text of exactly 15 characters: cut at a NUL (as a C
    // string would read it) and filled up with spaces; the default label
    // where nothing is left.
    std::string Label(int index) const;

private:
    explicit SettingsRecord(std::string bytes) : m_bytes(std::move(bytes)), m_length(m_bytes.size()) {}
    std::string m_bytes;   // always kSettingsRecordSize bytes
    std::size_t m_length;  // how many of them were given
};

}  // namespace hv
