// The notification area of the model: calls are recorded, and the icons that
// were added stay until deleted or until Explorer "restarts".
#include "platform/Services.h"
#include "platform/headless/WorldImpl.h"

namespace hv {
using headless::State;
using headless::World;

// Shell_NotifyIcon fails to add an icon that is there and to modify or
// delete one that is not.
bool NotifyIcon(unsigned action, const TrayIconData& data) {
    auto& icons = State().trayIcons;
    // The tip is copied with lstrcpyn into a field of 64 characters.
    World::Get().trayCalls.push_back({action, data.window.Handle().value, data.id, data.flags,
                                      data.callbackMessage, data.icon, data.tip.substr(0, 63)});
    const auto key = std::make_pair(data.window.Handle().value, data.id);
    switch (action) {
        case nim::kAdd: return icons.insert(key).second;
        case nim::kModify: return icons.count(key) != 0;
        case nim::kDelete: return icons.erase(key) != 0;
        default: return false;
    }
}

unsigned TaskbarCreatedMessage() { return headless::win::kTaskbarCreated; }

}  // namespace hv

namespace hv::headless {

bool World::HasTrayIcon(std::uintptr_t window, unsigned id) const {
    return m_impl->trayIcons.count({window, id}) != 0;
}

void World::RestartTaskbar() {
    m_impl->trayIcons.clear();
    for (auto handle : m_impl->creationOrder) {
        const Node* n = m_impl->Live(handle);
        if (n && n->dialog) m_impl->PostChecked(handle, win::kTaskbarCreated, 0, 0);
    }
}

}  // namespace hv::headless
