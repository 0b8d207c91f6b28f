#include <cstring>
#include <string>

#include "platform/Services.h"
#include "platform/win32/Win32.h"
#include "platform/win32/WideText.h"

namespace hv {
namespace {

HKEY RootKey(RegistryRoot root) {
    return root == RegistryRoot::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

// Key and value names are the program's own, in ASCII.
std::wstring Name(std::string_view name) { return win32::WideFromText(name); }

bool IsString(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ; }

class OpenKey {
public:
    OpenKey(RegistryRoot root, std::string_view key, REGSAM access, bool create = false) {
        const std::wstring name = Name(key);
        const LONG opened = create ? RegCreateKeyExW(RootKey(root), name.c_str(), 0, nullptr, 0, access, nullptr, &m_key, nullptr)
                                   : RegOpenKeyExW(RootKey(root), name.c_str(), 0, access, &m_key);
        if (opened != ERROR_SUCCESS) m_key = nullptr;
    }
    ~OpenKey() {
        if (m_key) RegCloseKey(m_key);
    }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;
    HKEY Get() const { return m_key; }

private:
    HKEY m_key = nullptr;
};

}  // namespace

std::optional<std::string> ReadRegistryValue(RegistryRoot root, std::string_view key, std::string_view valueName) {
    // Without KEY_WOW64_64KEY: the program reads the view its own bitness
    // sees, where its installer wrote.
    const OpenKey opened(root, key, KEY_QUERY_VALUE);
    if (!opened.Get()) return std::nullopt;
    const std::wstring name = Name(valueName);
    // Ask for the size first, then read the whole value; another writer may
    // lengthen it in between, so try again while it does not fit.
    for (int attempt = 0; attempt < 8; ++attempt) {
        DWORD size = 0, type = REG_NONE;
        if (RegQueryValueExW(opened.Get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) {
            return std::nullopt;
        }
        if (size == 0) return std::string();
        std::string data(size, '\0');
        DWORD got = size;
        const LONG result =
            RegQueryValueExW(opened.Get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &got);
        if (result == ERROR_SUCCESS) {
            data.resize(got);
            if (!IsString(type)) return data;
            // UTF-16 as stored, its NULs kept: an odd last byte is no character.
            std::wstring wide(data.size() / 2, L'\0');
            std::memcpy(wide.data(), data.data(), wide.size() * sizeof(wchar_t));
            return win32::PathFromWide(wide);
        }
        if (result != ERROR_MORE_DATA) return std::nullopt;
    }
    return std::nullopt;
}

bool WriteRegistryDword(RegistryRoot root, std::string_view key, std::string_view valueName, std::uint32_t value) {
    const OpenKey created(root, key, KEY_SET_VALUE, true);
    const DWORD data = value;
    return created.Get() && RegSetValueExW(created.Get(), Name(valueName).c_str(), 0, REG_DWORD,
                                           reinterpret_cast<const BYTE*>(&data), sizeof data) == ERROR_SUCCESS;
}

RegistryKey::RegistryKey(RegistryRoot root, std::string_view key, unsigned access) {
    HKEY h = nullptr;
    if (RegOpenKeyExW(RootKey(root), Name(key).c_str(), 0, access, &h) == ERROR_SUCCESS) {
        m_key = reinterpret_cast<std::uintptr_t>(h);
    }
}

RegistryKey::~RegistryKey() {
    if (m_key) RegCloseKey(reinterpret_cast<HKEY>(m_key));
}

bool RegistryKey::SetString(std::string_view name, unsigned type, std::string_view utf8) const {
    if (!m_key) return false;
    const std::wstring data = win32::WideFromPath(utf8);
    // The terminating NUL counted, as documented for string values.
    const auto size = static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t));
    return RegSetValueExW(reinterpret_cast<HKEY>(m_key), Name(name).c_str(), 0, type,
                          reinterpret_cast<const BYTE*>(data.c_str()), size) == ERROR_SUCCESS;
}

bool RegistryKey::DeleteValue(std::string_view name) const {
    if (!m_key) return false;
    return RegDeleteValueW(reinterpret_cast<HKEY>(m_key), Name(name).c_str()) == ERROR_SUCCESS;
}

}  // namespace hv
