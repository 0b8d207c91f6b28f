#include "model/SettingsFile.h"

#include "model/FileErrorText.h"
#include "platform/App.h"
#include "platform/Constants.h"
#include "platform/MessageBox.h"

namespace hv {

SettingsFile g_settingsFile;

void SettingsFile::Report(FileError error) const {
    ShowMessageBox(m_owner, FileErrorText(error, m_path), AppName(), mb::kOk | mb::kIconStop);
}

SettingsFile::StartupResult SettingsFile::Load() {
    StartupResult result{SettingsRecord::Default()};
    const FileError opened = m_file.Open(m_path, File::kRead);
    if (opened == FileError::None) {
        std::string bytes(kSettingsRecordSize, '\0');
        std::size_t got = 0;
        m_file.Read(bytes.data(), bytes.size(), got);
        m_file.Close();
        bytes.resize(got);
        result.record = SettingsRecord::FromBytes(bytes);
        return result;
    }
    if (opened != FileError::NotFound) {
        // The file is there but cannot be read now: creating it anew would
        // destroy the user's settings.
        Report(opened);
        result.failed = true;
        return result;
    }
    if (WriteDefaultRecord(result.record)) {
        result.createdDefault = true;
    } else {
        result.failed = true;
    }
    return result;
}

bool SettingsFile::WriteDefaultRecord(const SettingsRecord& record) {
    FileError error = m_file.Open(m_path, File::kCreate | File::kWrite);
    if (error == FileError::None) {
        // Nine writes: option block, six labels, countdown block, autostart.
        const std::string& b = record.Bytes();
        const std::size_t pieces[][2] = {
            {0, 32}, {32, 15}, {47, 15}, {62, 15}, {77, 15}, {92, 15}, {107, 15}, {122, 10}, {132, 1},
        };
        for (const auto& p : pieces) {
            error = m_file.Write(b.data() + p[0], p[1]);
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
    const FileError error = m_owner.m_file.Open(m_owner.m_path, File::kWrite);
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
