#include "platform/File.h"

#include <algorithm>
#include <limits>

#include "platform/win32/LateBound.h"
#include "platform/win32/Win32.h"
#include "platform/win32/WideText.h"

namespace hv {
namespace {

using win32::WideFromPath;

HANDLE ToHandle(std::uintptr_t h) { return reinterpret_cast<HANDLE>(h); }

FileError FromLastError(DWORD error) {
    switch (error) {
        case ERROR_SUCCESS:
            return FileError::None;
        case ERROR_FILE_NOT_FOUND:
            return FileError::NotFound;
        case ERROR_PATH_NOT_FOUND:
            return FileError::PathNotFound;
        case ERROR_ACCESS_DENIED:
        case ERROR_WRITE_PROTECT:
            return FileError::AccessDenied;
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
            return FileError::SharingViolation;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return FileError::DiskFull;
        case ERROR_INVALID_NAME:
        case ERROR_BAD_PATHNAME:
            return FileError::InvalidPath;
        case ERROR_NEGATIVE_SEEK:
        case ERROR_SEEK:
            return FileError::BadSeek;
        default:
            return FileError::Generic;
    }
}

FileError LastFileError() {
    const FileError error = FromLastError(GetLastError());
    // A call that failed without saying why still failed.
    return error == FileError::None ? FileError::Generic : error;
}

// The largest piece one ReadFile or WriteFile call takes.
constexpr std::size_t kMaxChunk = std::numeric_limits<DWORD>::max();

}  // namespace

FileError File::Open(const std::string& path, unsigned mode) {
    Close();
    m_path = path;
    const DWORD access = (mode & kWrite) ? GENERIC_WRITE : GENERIC_READ;
    // Without kCreate the file must exist and is never truncated: the
    // settings file is patched field by field in place.
    const DWORD disposition = (mode & kCreate) ? CREATE_ALWAYS : OPEN_EXISTING;
    // An open fails while another handle's share mode refuses our access, or
    // ours refuses the access another handle has: a reader shares reading and
    // writing, so only a holder that shares nothing (or not reading) keeps it
    // out; a writer shares reading only, so two writes never interleave.
    const DWORD share = (mode & kWrite) ? FILE_SHARE_READ : FILE_SHARE_READ | FILE_SHARE_WRITE;
    const HANDLE h = CreateFileW(WideFromPath(path).c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return LastFileError();
    m_handle = reinterpret_cast<std::uintptr_t>(h);
    return FileError::None;
}

FileError File::Seek(std::uint64_t offset) {
    if (!IsOpen()) return FileError::Generic;
    if (offset > static_cast<std::uint64_t>(std::numeric_limits<LONGLONG>::max())) return FileError::BadSeek;
    LARGE_INTEGER distance{};
    distance.QuadPart = static_cast<LONGLONG>(offset);
    // Positions beyond the end are allowed; the next write lengthens the file.
    if (!SetFilePointerEx(ToHandle(m_handle), distance, nullptr, FILE_BEGIN)) return LastFileError();
    return FileError::None;
}

FileError File::Read(void* buffer, std::size_t size, std::size_t& got) {
    got = 0;
    if (!IsOpen()) return FileError::Generic;
    auto* out = static_cast<char*>(buffer);
    while (got < size) {
        const DWORD want = static_cast<DWORD>(std::min(size - got, kMaxChunk));
        DWORD read = 0;
        if (!ReadFile(ToHandle(m_handle), out + got, want, &read, nullptr)) return LastFileError();
        if (read == 0) break;  // end of file
        got += read;
    }
    return FileError::None;
}

FileError File::Write(const void* data, std::size_t size) {
    if (!IsOpen()) return FileError::Generic;
    const auto* in = static_cast<const char*>(data);
    std::size_t done = 0;
    while (done < size) {
        const DWORD want = static_cast<DWORD>(std::min(size - done, kMaxChunk));
        DWORD written = 0;
        if (!WriteFile(ToHandle(m_handle), in + done, want, &written, nullptr)) return LastFileError();
        // A write that takes fewer bytes than it was given ran out of room.
        if (written < want) return FileError::DiskFull;
        done += written;
    }
    return FileError::None;
}

void File::Close() {
    if (m_handle) CloseHandle(ToHandle(m_handle));
    m_handle = 0;
}

FileError ProbeWrite(const std::string& path) {
    // Sharing everything: a program that only reads the file is no reason to move.
    constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    const std::wstring wide = WideFromPath(path);
    HANDLE h = CreateFileW(wide.c_str(), GENERIC_WRITE, kShareAll, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE && GetLastError() == ERROR_FILE_NOT_FOUND)
        h = CreateFileW(wide.c_str(), GENERIC_WRITE, kShareAll, nullptr, CREATE_NEW,
                        FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (h == INVALID_HANDLE_VALUE) return LastFileError();
    CloseHandle(h);
    return FileError::None;
}

bool IsReadableFile(const std::string& path) {
    File f;
    return f.Open(path, File::kRead) == FileError::None;
}

bool FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(WideFromPath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool MakeFolder(const std::string& folder) {
    return CreateDirectoryW(WideFromPath(folder).c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

std::string LocalAppDataFolder() {
    // Asked only when the program's own folder cannot take the settings: the
    // shell is loaded then, not at every start.
    static const GUID kLocalAppData = {0xF1B32785, 0x6FBA, 0x4FCF, {0x9D, 0x55, 0x7B, 0x8E, 0x7F, 0x15, 0x70, 0x91}};
    using GetFolderFn = HRESULT(WINAPI*)(const GUID&, DWORD, HANDLE, PWSTR*);
    using FreeFn = void(WINAPI*)(void*);
    const auto getFolder = win32::LateBound<GetFolderFn>("shell32.dll", "SHGetKnownFolderPath");
    const auto free = win32::LateBound<FreeFn>("ole32.dll", "CoTaskMemFree");
    PWSTR wide = nullptr;
    if (!getFolder || !free || FAILED(getFolder(kLocalAppData, 0, nullptr, &wide))) return {};
    std::string folder = win32::PathFromWide(wide);
    free(wide);
    return folder;
}

bool CopyFileOnce(const std::string& from, const std::string& to) {
    return CopyFileW(WideFromPath(from).c_str(), WideFromPath(to).c_str(), TRUE) != FALSE;
}

std::string FullPathOf(const std::string& path) {
    const std::wstring wide = WideFromPath(path);
    DWORD size = MAX_PATH;
    for (int attempt = 0; attempt < 4; ++attempt) {
        std::wstring full(size, L'\0');
        const DWORD n = GetFullPathNameW(wide.c_str(), size, full.data(), nullptr);
        if (n == 0) return path;
        // Too small: n is the size needed, terminating NUL included.
        if (n < size) {
            full.resize(n);
            return win32::PathFromWide(full);
        }
        size = n + 1;
    }
    return path;
}

std::string PathAsText(const std::string& path) { return win32::TextFromPath(path); }

}  // namespace hv
