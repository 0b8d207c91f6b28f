#pragma once
// The file object. A read lets others read and write the file meanwhile, a
// write lets them read it: a sync client or a virus scanner that looks at the
// settings at logon no longer shuts the program out. Every call reports its
// outcome as a FileError; nothing throws. Paths are UTF-8 throughout, so
// that a folder named in any language is found.
#include <cstddef>
#include <cstdint>
#include <string>

#include "model/FileError.h"

namespace hv {

class File {
public:
    enum Mode : unsigned {
        kRead = 0x0000,    // existing file, read access
        kWrite = 0x0001,   // existing file, write access, never truncated
        kCreate = 0x1000,  // with kWrite: create, or truncate an existing file
    };

    File() = default;
    ~File() { Close(); }
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    FileError Open(const std::string& path, unsigned mode);
    bool IsOpen() const { return m_handle != 0; }
    const std::string& Path() const { return m_path; }

    FileError Seek(std::uint64_t offset);
    // Reads up to `size` bytes; `got` receives the count (short at the end).
    FileError Read(void* buffer, std::size_t size, std::size_t& got);
    // Writes all `size` bytes or reports why not.
    FileError Write(const void* data, std::size_t size);
    void Close();

private:
    std::uintptr_t m_handle = 0;
    std::string m_path;
};

// The full path the platform resolves `path` to (GetFullPathName), for messages.
std::string FullPathOf(const std::string& path);

// How a write at `path` would go, leaving everything as it was: the file
// opened for writing, or, where it is missing, created and gone at once.
FileError ProbeWrite(const std::string& path);
bool IsReadableFile(const std::string& path);
bool FileExists(const std::string& path);
// Creates the folder (its parent must exist); true when it is there.
bool MakeFolder(const std::string& folder);
// Copies `from` to `to` unless `to` exists.
bool CopyFileOnce(const std::string& from, const std::string& to);
// The user's local application data folder (FOLDERID_LocalAppData), empty
// where there is none.
std::string LocalAppDataFolder();
// A path as a text for the screen (Windows-1252), '?' for what that lacks.
std::string PathAsText(const std::string& path);

}  // namespace hv
