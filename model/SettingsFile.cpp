#include "model/SettingsFile.h"

#include <vector>

#include "model/FileErrorText.h"
#include "platform/App.h"
#include "platform/Constants.h"
#include "platform/MessageBox.h"
#include "platform/Services.h"

namespace hv {

SettingsFile g_settingsFile;

void SettingsFile::Report(FileError error) const {
    ShowMessageBox(m_owner, FileErrorText(error, m_path), AppName(), mb::kOk | mb::kIconStop);
}

// Virus scanners and sync tools hold a file for some milliseconds: a refused
// open is tried again a few times within about 200 ms before it is reported.
FileError SettingsFile::OpenWhenFree(unsigned mode) {
    FileError error = m_file.Open(m_path, mode);
    for (int i = 0; i < kOpenRetries && error == FileError::SharingViolation; ++i) {
        SleepMilliseconds(kOpenRetryMs);
        error = m_file.Open(m_path, mode);
    }
    return error;
}

SettingsFile::StartupResult SettingsFile::Load() {
    StartupResult result{SettingsRecord::Default()};
    FileError error = OpenWhenFree(File::kRead);
    if (error == FileError::None) {
        std::string bytes(kSettingsRecordSize, '\0');
        std::size_t got = 0;
        error = m_file.Read(bytes.data(), bytes.size(), got);
        m_file.Close();
        if (error == FileError::None) {
            bytes.resize(got);
            result.record = SettingsRecord::FromBytes(bytes);
            return result;
        }
    } else if (error == FileError::NotFound || error == FileError::PathNotFound) {
        if (WriteDefaultRecord(result.record)) {
            result.createdDefault = true;
        } else {
            result.failed = true;
        }
        return result;
    }
    // The file is there but cannot be read now (held, denied, damaged):
    // creating it anew, or taking what was read for the whole record, would
    // destroy the user's settings.
    Report(error);
    result.failed = true;
    return result;
}

// The default record in the pieces of its layout: the option and slot
// block, the six labels, the countdown block, the autostart flag.
bool SettingsFile::WriteDefaultRecord(const SettingsRecord& record) {
    FileError error = OpenWhenFree(File::kCreate | File::kWrite);
    if (error == FileError::None) {
        const std::string_view b = record.Bytes();
        std::vector<std::string_view> pieces = {b.substr(0, settings::Label(0))};
        for (int i = 0; i < kLabelCount; ++i) pieces.push_back(b.substr(settings::Label(i), kLabelLength));
        pieces.push_back(b.substr(settings::kCountdownActive, settings::kAutostart - settings::kCountdownActive));
        pieces.push_back(b.substr(settings::kAutostart));
        for (const auto piece : pieces) {
            error = m_file.Write(piece.data(), piece.size());
            if (error != FileError::None) break;
        }
        m_file.Close();
    }
    if (error != FileError::None) {
        Report(error);
        return false;
    }
    return true;
}

SettingsFile::Rewrite::Rewrite(SettingsFile& owner) : m_owner(owner) {
    const FileError error = m_owner.OpenWhenFree(File::kWrite);
    if (error != FileError::None) {
        m_owner.Report(error);
        m_ok = false;
    }
}

bool SettingsFile::Rewrite::Seek(std::size_t offset) {
    if (!m_ok) return false;
    const FileError error = m_owner.m_file.Seek(offset);
    if (error != FileError::None) {
        m_owner.Report(error);
        m_ok = false;
    }
    return m_ok;
}

bool SettingsFile::Rewrite::Write(std::string_view bytes) {
    if (!m_ok) return false;
    const FileError error = m_owner.m_file.Write(bytes.data(), bytes.size());
    if (error != FileError::None) {
        m_owner.Report(error);
        m_ok = false;
    }
    return m_ok;
}

bool SettingsFile::RewriteField(std::size_t offset, std::string_view bytes) {
    Rewrite rewrite = BeginRewrite();
    return rewrite.Seek(offset) && rewrite.Write(bytes);
}

}  // namespace hv
