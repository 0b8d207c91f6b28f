#include "model/SettingsFile.h"

namespace hv {

template <typename Op>
FileError SettingsFile::WhenFree(Op op) {
    FileError error = op();
    for (int i = 0; i < kRetries && error == FileError::SharingViolation; ++i) {
        m_store.Pause(kRetryMs);
        error = op();
    }
    return error;
}

SettingsFile::StartupResult SettingsFile::Load() {
    StartupResult result{SettingsRecord::Default()};
    std::string bytes;
    result.error = Read(bytes);
    if (result.error == FileError::None) {
        result.record = SettingsRecord::FromBytes(bytes);
    } else if (result.error == FileError::NotFound) {
        result.error = Create(result.record.Bytes());
        result.createdDefault = result.error == FileError::None;
    } else {
        // The file is there but cannot be read now (held, denied): creating
        // it anew would destroy the user's settings.
        result.unread = true;
    }
    return result;
}

FileError SettingsFile::Create(std::string_view b) {
    // The option and slot block, the six labels, the countdown block, the autostart flag.
    std::vector<std::string_view> pieces = {b.substr(0, settings::Label(0))};
    for (int i = 0; i < kLabelCount; ++i) pieces.push_back(b.substr(settings::Label(i), kLabelLength));
    pieces.push_back(b.substr(settings::kCountdownActive, settings::kAutostart - settings::kCountdownActive));
    pieces.push_back(b.substr(settings::kAutostart));
    return WhenFree([&] { return m_store.Create(pieces); });
}

FileError SettingsFile::Write(std::size_t offset, std::string_view bytes) {
    return WhenFree([&] { return m_store.WriteAt(offset, bytes); });
}

}  // namespace hv
