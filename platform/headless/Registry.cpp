// The registry of the model: World::registry, keyed "HKLM\\<key>" or
// "HKCU\\<key>", names compared case-insensitively as Windows does.
#include "platform/Services.h"
#include "platform/headless/WorldImpl.h"

namespace hv {
using headless::SameText;
using headless::State;
using headless::World;

namespace {

std::string FullKeyName(RegistryRoot root, std::string_view key) {
    return std::string(root == RegistryRoot::LocalMachine ? "HKLM\\" : "HKCU\\") + std::string(key);
}

std::map<std::string, headless::RegistryValue>* FindKey(const std::string& name) {
    for (auto& [key, values] : World::Get().registry)
        if (SameText(key, name)) return &values;
    return nullptr;
}

}  // namespace

std::optional<std::string> ReadRegistryValue(RegistryRoot root, std::string_view key, std::string_view valueName) {
    auto* values = FindKey(FullKeyName(root, key));
    if (!values) return std::nullopt;
    for (const auto& [name, value] : *values)
        if (SameText(name, valueName)) return value.data;
    return std::nullopt;
}

// RegOpenKeyEx opens existing keys only; without write permission on the
// key, an open for writing fails.
RegistryKey::RegistryKey(RegistryRoot root, std::string_view key, unsigned access) {
    auto& world = World::Get();
    const std::string name = FullKeyName(root, key);
    std::string stored;
    for (const auto& [k, values] : world.registry)
        if (SameText(k, name)) stored = k;
    if (stored.empty()) return;
    constexpr unsigned kSetValueOrCreateSubKey = 0x0002 | 0x0004;
    const bool write = (access & kSetValueOrCreateSubKey) != 0;
    if (write && (!world.registryWritable || (root == RegistryRoot::LocalMachine && !world.localMachineWritable))) return;
    auto& s = State();
    m_key = (s.nextKernelHandle += 4);
    s.openKeys[m_key] = {stored, write};
}

RegistryKey::~RegistryKey() {
    if (m_key) State().openKeys.erase(m_key);
}

bool RegistryKey::SetValue(std::string_view name, unsigned type, const void* data, std::uint32_t size) const {
    auto& s = State();
    const auto it = s.openKeys.find(m_key);
    if (it == s.openKeys.end() || !it->second.writable) return false;
    auto& values = World::Get().registry[it->second.name];
    std::string key(name);
    for (const auto& [existing, value] : values)
        if (SameText(existing, name)) key = existing;
    values[key] = {type, std::string(static_cast<const char*>(data), size)};
    return true;
}

bool RegistryKey::DeleteValue(std::string_view name) const {
    auto& s = State();
    const auto it = s.openKeys.find(m_key);
    if (it == s.openKeys.end() || !it->second.writable) return false;
    auto& values = World::Get().registry[it->second.name];
    for (auto v = values.begin(); v != values.end(); ++v) {
        if (SameText(v->first, name)) {
            values.erase(v);
            return true;
        }
    }
    return false;  // ERROR_FILE_NOT_FOUND
}

}  // namespace hv
