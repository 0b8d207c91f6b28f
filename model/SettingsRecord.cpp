#include "model/SettingsRecord.h"

namespace hv {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int TwoDigits(const std::string& s, std::size_t at) { return (s[at] - '0') * 10 + (s[at + 1] - '0'); }

}  // namespace

SettingsRecord SettingsRecord::Default() {
    std::string bytes;
    bytes.reserve(kSettingsRecordSize);
    bytes += settings::kDefaultOptionBlock;
    for (auto label : settings::kDefaultLabels) bytes += label;
    bytes += settings::kDefaultCountdownBlock;
    bytes += settings::kDefaultAutostart;
    return SettingsRecord(std::move(bytes));
}

SettingsRecord SettingsRecord::FromBytes(std::string_view bytes) {
    SettingsRecord record = Default();
    const std::string defaults = record.m_bytes;
    const std::size_t n = bytes.size() < kSettingsRecordSize ? bytes.size() : kSettingsRecordSize;
    record.m_bytes.replace(0, n, bytes.substr(0, n));
    record.m_length = n;
    // A later field write beyond the end of a short file fills the gap with
    // zeros: a NUL flag was never written, so it keeps its default.
    for (std::size_t at : settings::kFlagOffsets)
        if (record.m_bytes[at] == '\0') record.m_bytes[at] = defaults[at];
    return record;
}

bool SettingsRecord::AlarmArmed(int slot) const {
    if (m_bytes[settings::AlarmActive(slot)] != 't') return false;
    const std::size_t at = settings::AlarmTime(slot);
    if (m_length < at + 6) return false;
    for (std::size_t i = 0; i < 6; ++i)
        if (!IsDigit(m_bytes[at + i])) return false;
    return TwoDigits(m_bytes, at) <= 23 && TwoDigits(m_bytes, at + 2) <= 59 && TwoDigits(m_bytes, at + 4) <= 59;
}

std::array<std::string, 3> SettingsRecord::AlarmTime(int slot) const {
    const std::size_t at = settings::AlarmTime(slot);
    return {m_bytes.substr(at, 2), m_bytes.substr(at + 2, 2), m_bytes.substr(at + 4, 2)};
}

std::string SettingsRecord::Label(int index) const {
    const std::size_t at = settings::Label(index);
    std::string label = m_bytes.substr(at, m_length > at ? m_length - at : 0).substr(0, kLabelLength);
    const auto nul = label.find('\0');
    if (nul != std::string::npos) label.resize(nul);
    // The label editor never stores an empty label; nothing there means the
    // bytes are missing (a short file lengthened by a later field write).
    if (label.empty()) return std::string(settings::kDefaultLabels[static_cast<std::size_t>(index)]);
    label.resize(kLabelLength, ' ');
    return label;
}

}  // namespace hv
