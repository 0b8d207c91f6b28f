// The file object on the model's in-memory file system: exclusive opening,
// read-only files, files another program holds open, and a disk that can
// fill up.
#include "platform/File.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <vector>

#include "platform/headless/WorldImpl.h"

namespace hv {
using headless::FakeFile;
using headless::State;
using headless::World;

namespace {

bool SameText(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

bool HasInvalidCharacter(const std::string& path) {
    for (std::size_t i = 0; i < path.size(); ++i) {
        const auto c = static_cast<unsigned char>(path[i]);
        if (c < 32 || std::strchr("<>\"|?*", c)) return true;
        if (c == ':' && i != 1) return true;
    }
    return false;
}

// The key under which World::files holds `path`, case-insensitively.
const std::string* FindKey(const std::string& resolved) {
    for (const auto& [key, file] : World::Get().files)
        if (SameText(key, resolved)) return &key;
    return nullptr;
}

bool IsDirectory(const std::string& resolved) {
    const std::string prefix = resolved + "\\";
    for (const auto& [key, file] : World::Get().files)
        if (key.size() > prefix.size() && SameText(key.substr(0, prefix.size()), prefix)) return true;
    return false;
}

bool IsHeldOpen(const std::string& key) {
    for (const auto& [handle, open] : State().openFiles)
        if (SameText(open.key, key)) return true;
    return false;
}

}  // namespace

namespace headless {

// GetFullPathName: '/' becomes '\\', a relative path is taken from the
// current directory (a rooted one from its drive), "." and ".." are resolved.
std::string World::ResolvePath(const std::string& path) const {
    std::string p = path;
    std::replace(p.begin(), p.end(), '/', '\\');
    std::string cwd = currentDirectory;
    if (!cwd.empty() && cwd.back() != '\\') cwd += '\\';
    std::string prefix;
    std::string rest;
    if (p.size() >= 2 && p[1] == ':') {
        prefix = p.substr(0, 2);
        rest = p.substr(2);
        if (rest.empty() || rest[0] != '\\') {
            rest = (SameText(prefix, cwd.substr(0, 2)) ? cwd.substr(2) : std::string("\\")) + rest;
        }
    } else if (p.size() >= 2 && p[0] == '\\' && p[1] == '\\') {
        prefix = "\\";  // UNC: \\server\share\...
        rest = p.substr(1);
    } else if (!p.empty() && p[0] == '\\') {
        prefix = cwd.substr(0, 2);
        rest = p;
    } else {
        prefix = cwd.substr(0, 2);
        rest = cwd.substr(2) + p;
    }
    std::vector<std::string> parts;
    std::size_t pos = 0;
    while (pos <= rest.size()) {
        const auto next = rest.find('\\', pos);
        const std::string part = rest.substr(pos, next == std::string::npos ? std::string::npos : next - pos);
        if (part == "..") {
            if (!parts.empty()) parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        if (next == std::string::npos) break;
        pos = next + 1;
    }
    std::string out = prefix;
    for (const auto& part : parts) out += "\\" + part;
    if (parts.empty() || (!rest.empty() && rest.back() == '\\')) out += "\\";
    return out;
}

FakeFile* World::FindFile(const std::string& path) {
    const std::string* key = FindKey(ResolvePath(path));
    return key ? &files[*key] : nullptr;
}

}  // namespace headless

FileError File::Open(const std::string& path, unsigned mode) {
    Close();
    auto& world = World::Get();
    auto& s = State();
    if (path.empty()) return FileError::NotFound;
    if (HasInvalidCharacter(path)) return FileError::InvalidPath;
    const std::string resolved = world.ResolvePath(path);
    const bool create = (mode & kCreate) != 0;
    const bool write = (mode & kWrite) != 0;

    const std::string* key = FindKey(resolved);
    if (!key) {
        if (IsDirectory(resolved) || resolved.back() == '\\') return FileError::AccessDenied;
        if (!create) return FileError::NotFound;
    } else {
        FakeFile& f = world.files[*key];
        if (f.lockedByOtherProgram || IsHeldOpen(*key)) return FileError::SharingViolation;
        if (f.readOnly && (write || create)) return FileError::AccessDenied;
    }
    std::string name = key ? *key : resolved;
    FakeFile& f = world.files[name];
    if (create) {
        if (world.diskFreeBytes >= 0) world.diskFreeBytes += static_cast<std::int64_t>(f.bytes.size());
        f.bytes.clear();
    }
    m_handle = (s.nextKernelHandle += 4);
    // kWrite gives write access only, as CFile::modeWrite does.
    s.openFiles[m_handle] = {name, 0, !write, write};
    m_path = path;
    return FileError::None;
}

FileError File::Seek(std::uint64_t offset) {
    auto& open = State().openFiles;
    const auto it = open.find(m_handle);
    if (it == open.end()) return FileError::Generic;
    it->second.position = offset;  // past the end is allowed; a write there fills the gap
    return FileError::None;
}

FileError File::Read(void* buffer, std::size_t size, std::size_t& got) {
    got = 0;
    auto& open = State().openFiles;
    const auto it = open.find(m_handle);
    if (it == open.end()) return FileError::Generic;
    if (!it->second.canRead) return FileError::AccessDenied;
    FakeFile* f = World::Get().FindFile(it->second.key);
    if (!f) return FileError::Generic;
    const std::uint64_t pos = it->second.position;
    if (pos >= f->bytes.size()) return FileError::None;
    got = static_cast<std::size_t>(std::min<std::uint64_t>(size, f->bytes.size() - pos));
    std::memcpy(buffer, f->bytes.data() + pos, got);
    it->second.position += got;
    return FileError::None;
}

// A full disk takes what fits and no more, like WriteFile on a real one.
FileError File::Write(const void* data, std::size_t size) {
    auto& world = World::Get();
    auto& open = State().openFiles;
    const auto it = open.find(m_handle);
    if (it == open.end()) return FileError::Generic;
    if (!it->second.canWrite) return FileError::AccessDenied;
    FakeFile* f = world.FindFile(it->second.key);
    if (!f) return FileError::Generic;
    const std::uint64_t pos = it->second.position;
    const std::uint64_t oldSize = f->bytes.size();
    std::uint64_t end = pos + size;
    bool full = false;
    if (world.diskFreeBytes >= 0 && end > oldSize &&
        end - oldSize > static_cast<std::uint64_t>(world.diskFreeBytes)) {
        end = oldSize + static_cast<std::uint64_t>(world.diskFreeBytes);
        full = true;
    }
    if (end > pos) {
        if (end > oldSize) f->bytes.resize(static_cast<std::size_t>(end), '\0');
        std::memcpy(f->bytes.data() + pos, data, static_cast<std::size_t>(end - pos));
        it->second.position = end;
        if (world.diskFreeBytes >= 0 && end > oldSize) world.diskFreeBytes -= static_cast<std::int64_t>(end - oldSize);
    }
    return full ? FileError::DiskFull : FileError::None;
}

void File::Close() {
    if (m_handle) State().openFiles.erase(m_handle);
    m_handle = 0;
}

std::string FullPathOf(const std::string& path) { return World::Get().ResolvePath(path); }

}  // namespace hv
