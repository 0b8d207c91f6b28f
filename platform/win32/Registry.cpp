#include <string>

#include "platform/Services.h"
#include "platform/win32/Win32.h"

namespace hv {
namespace {

HKEY RootKey(RegistryRoot root) {
    return root == RegistryRoot::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

class OpenKey {
public:
    OpenKey(RegistryRoot root, std::string_view key, REGSAM access, bool create = false) {
        const std::string name(key);
        const LONG opened = create ? RegCreateKeyExA(RootKey(root), name.c_str(), 0, nullptr, 0, access, nullptr, &m_key, nullptr)
                                   : RegOpenKeyExA(RootKey(root), name.c_str(), 0, access, &m_key);
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
    const std::string name(valueName);
    // Ask for the size first, then read the whole value; another writer may
    // lengthen it in between, so try again while it does not fit.
    for (int attempt = 0; attempt < 8; ++attempt) {
        DWORD size = 0;
        if (RegQueryValueExA(opened.Get(), name.c_str(), nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS) {
            return std::nullopt;
        }
        if (size == 0) return std::string();
        std::string data(size, '\0');
        DWORD got = size;
        const LONG result =
            RegQueryValueExA(opened.Get(), name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(data.data()), &got);
        if (result == ERROR_SUCCESS) {
            // For strings the ANSI call may have announced more than it
            // delivers (the stored UTF-16 size); keep what came.
            data.resize(got);
            return data;
        }
        if (result != ERROR_MORE_DATA) return std::nullopt;
    }
    return std::nullopt;
}

bool WriteRegistryDword(RegistryRoot root, std::string_view key, std::string_view valueName, std::uint32_t value) {
    const OpenKey created(root, key, KEY_SET_VALUE, true);
    const DWORD data = value;
    return created.Get() && RegSetValueExA(created.Get(), std::string(valueName).c_str(), 0, REG_DWORD,
                                           reinterpret_cast<const BYTE*>(&data), sizeof data) == ERROR_SUCCESS;
}

RegistryKey::RegistryKey(RegistryRoot root, std::string_view key, unsigned access) {
    HKEY h = nullptr;
    if (RegOpenKeyExA(RootKey(root), std::string(key).c_str(), 0, access, &h) == ERROR_SUCCESS) {
        m_key = reinterpret_cast<std::uintptr_t>(h);
    }
}

RegistryKey::~RegistryKey() {
    if (m_key) RegCloseKey(reinterpret_cast<HKEY>(m_key));
}

bool RegistryKey::SetValue(std::string_view name, unsigned type, const void* data, std::uint32_t size) const {
    if (!m_key) return false;
    return RegSetValueExA(reinterpret_cast<HKEY>(m_key), std::string(name).c_str(), 0, type,
                          static_cast<const BYTE*>(data), size) == ERROR_SUCCESS;
}

bool RegistryKey::DeleteValue(std::string_view name) const {
    if (!m_key) return false;
    return RegDeleteValueA(reinterpret_cast<HKEY>(m_key), std::string(name).c_str()) == ERROR_SUCCESS;
}

}  // namespace hv
