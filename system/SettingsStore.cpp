#include "system/SettingsStore.h"

#include "model/SettingsPath.h"
#include "platform/Services.h"

namespace hv {

void FileByteStore::SetPlace(const std::string& first) {
    const FileError write = ProbeWrite(first);
    std::string folder, perUser;
    if (write != FileError::None) folder = LocalAppDataFolder();
    if (!folder.empty()) folder += "\\Horovant", perUser = folder + "\\" + kSettingsFileName;
    const bool readable = write != FileError::None && IsReadableFile(first);
    const SettingsPlace place = ChooseSettingsPlace(first, write, readable, perUser, !perUser.empty() && FileExists(perUser));
    // A folder that cannot be made leaves the file error to name the file.
    if (place.path != first && MakeFolder(folder) && place.takeOver) CopyFileOnce(first, place.path);
    m_path = place.path;
}

FileError FileByteStore::Read(std::size_t size, std::string& bytes) {
    FileError error = m_file.Open(m_path, File::kRead);
    if (error != FileError::None) return error;
    bytes.assign(size, '\0');
    std::size_t got = 0;
    error = m_file.Read(bytes.data(), bytes.size(), got);
    m_file.Close();
    bytes.resize(got);
    return error;
}

FileError FileByteStore::Create(const std::vector<std::string_view>& pieces) {
    FileError error = m_file.Open(m_path, File::kCreate | File::kWrite);
    for (std::size_t i = 0; error == FileError::None && i < pieces.size(); ++i)
        error = m_file.Write(pieces[i].data(), pieces[i].size());
    m_file.Close();
    return error;
}

FileError FileByteStore::WriteAt(std::size_t offset, std::string_view bytes) {
    FileError error = m_file.Open(m_path, File::kWrite);
    if (error == FileError::None) error = m_file.Seek(offset);
    if (error == FileError::None) error = m_file.Write(bytes.data(), bytes.size());
    m_file.Close();
    return error;
}

void FileByteStore::Pause(unsigned ms) { SleepMilliseconds(ms); }

}  // namespace hv
