#pragma once
// The settings record's bytes in the file on disk: each access one
// open ... close sequence through the platform's file object.
#include <string>

#include "model/ByteStore.h"
#include "platform/File.h"

namespace hv {

class FileByteStore : public ByteStore {
public:
    void SetPath(std::string path) { m_path = std::move(path); }
    // `first` where the user may write there, else the per-user folder,
    // made ready: created, and the first place's file copied in.
    void SetPlace(const std::string& first);
    const std::string& Path() const { return m_path; }

    FileError Read(std::size_t size, std::string& bytes) override;
    FileError Create(const std::vector<std::string_view>& pieces) override;
    FileError WriteAt(std::size_t offset, std::string_view bytes) override;
    void Pause(unsigned ms) override;

private:
    std::string m_path;
    File m_file;
};

}  // namespace hv
