#include "platform/headless/ModalScope.h"

#include "platform/headless/WorldImpl.h"

namespace hv::headless {

ModalScope::ModalScope(std::uintptr_t owner, std::uintptr_t focus) : m_owner(owner), m_focus(focus) {
    auto& s = State();
    if (Node* n = s.Live(m_owner)) {
        m_ownerWasEnabled = n->enabled;
        s.SetEnabled(*n, false);
    }
}

ModalScope::~ModalScope() {
    auto& s = State();
    Node* owner = s.Live(m_owner);
    if (owner && m_ownerWasEnabled) s.SetEnabled(*owner, true);
    if (!s.Live(s.focus)) {
        s.focus = 0;
        s.SetFocus(m_focus);  // fails if that window went away meanwhile
    }
    if (owner && s.IsVisible(*owner)) s.Invalidate(m_owner);
}

}  // namespace hv::headless
