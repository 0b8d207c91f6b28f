// The file object on the model's in-memory file system: exclusive opening,
// folders that must exist, read-only files, files whose rights forbid
// reading, files another program holds open, and a disk that can fill up.
#include "platform/File.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <vector>

#include "platform/headless/WorldImpl.h"

namespace hv {
using headless::FakeFile;
using headless::SameText;
using headless::State;
using headless::World;

namespace {

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

// `path` lies inside `folder` (both resolved, the folder without its backslash).
bool Inside(const std::string& path, const std::string& folder) {
    return path.size() > folder.size() + 1 && SameText(path.substr(0, folder.size() + 1), folder + "\\");
}

bool FolderExists(std::string folder) {
    auto& world = World::Get();
    if (!folder.empty() && folder.back() == '\\') folder.pop_back();
    if (folder.size() <= 2) return true;  // a drive's root
    // A known folder (resolved with its backslash) is there, and so is every folder above it.
    const auto holds = [&](const std::string& known) { return SameText(known, folder + "\\") || Inside(known, folder); };
    for (const auto& [key, file] : world.files)
        if (Inside(key, folder)) return true;
    for (const std::string& f : world.folders)
        if (holds(world.ResolvePath(f + "\\"))) return true;
    return holds(world.ResolvePath(world.currentDirectory + "\\")) || Inside(world.ResolvePath(world.moduleFileName), folder);
}

std::string FolderOf(const std::string& resolved) { return resolved.substr(0, resolved.find_last_of('\\')); }

bool IsHeldOpen(const std::string& key) {
    for (const auto& [handle, open] : State().openFiles)
        if (SameText(open.key, key)) return true;
    return false;
}

}  // namespace

namespace headless {

// GetFullPathName for the paths the program forms: '/' becomes '\\', a
// relative path is taken from the current directory (a rooted one from its
// drive), "." and ".." are resolved; a trailing backslash stays.
std::string World::ResolvePath(const std::string& path) const {
    std::string p = path;
    std::replace(p.begin(), p.end(), '/', '\\');
    std::string cwd = currentDirectory;
    if (cwd.empty() || cwd.back() != '\\') cwd += '\\';
    if (p.size() < 2 || p[1] != ':') p = (!p.empty() && p[0] == '\\' ? cwd.substr(0, 2) : cwd) + p;
    if (p.size() > 2 && p[2] != '\\') p.insert(2, "\\");  // "C:x" counts as "C:\\x"
    std::string out = p.substr(0, 2);
    std::vector<std::size_t> parts;  // where each part of `out` begins
    std::size_t pos = 2;
    while (pos < p.size()) {
        const std::size_t next = std::min(p.find('\\', pos + 1), p.size());
        const std::string part = p.substr(pos + 1, next - pos - 1);
        if (part == ".." && !parts.empty()) {
            out.resize(parts.back());
            parts.pop_back();
        } else if (!part.empty() && part != "." && part != "..") {
            parts.push_back(out.size());
            out += "\\" + part;
        }
        pos = next;
    }
    if (parts.empty() || p.back() == '\\') out += "\\";
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
        if (resolved.back() == '\\' || FolderExists(resolved)) return FileError::AccessDenied;
        if (!FolderExists(FolderOf(resolved))) return FileError::PathNotFound;
        if (!create) return FileError::NotFound;
    } else {
        FakeFile& f = world.files[*key];
        if (f.refusedOpens > 0 && f.refusedOpens--) return FileError::SharingViolation;
        if (f.lockedByOtherProgram || IsHeldOpen(*key)) return FileError::SharingViolation;
        if (f.readOnly && (write || create)) return FileError::AccessDenied;
        if (f.denyRead && !write) return FileError::AccessDenied;
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
    if (!f || f->readFails) return FileError::Generic;
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
