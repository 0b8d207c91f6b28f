#pragma once
// What a modal window (message box or dialog) does to its owner while it is
// open: the owner is disabled and its focus put aside; afterwards the owner
// is enabled again (if it was), gets its focus back and, being uncovered,
// needs painting.
#include <cstdint>

namespace hv::headless {

class ModalScope {
public:
    // `focus`: the window to give the focus back to, taken before the modal
    // window opened.
    ModalScope(std::uintptr_t owner, std::uintptr_t focus);
    ~ModalScope();
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;

private:
    std::uintptr_t m_owner;
    std::uintptr_t m_focus;
    bool m_ownerWasEnabled = false;
};

}  // namespace hv::headless
