#pragma once
// One running copy per user session: a named mutex in the session's own
// namespace, and a mark on the main window by which a second copy finds it.
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/Window.h"

namespace hv {

class SessionMutex {
public:
    explicit SessionMutex(std::string_view name);
    ~SessionMutex();
    SessionMutex(const SessionMutex&) = delete;
    SessionMutex& operator=(const SessionMutex&) = delete;
    // Another process of this session holds a mutex of that name.
    bool AlreadyExisted() const { return m_existed; }

private:
    std::string m_name;
    std::uintptr_t m_handle = 0;
    bool m_existed = false;
};

// A window property; only windows of this session's desktop are searched.
void MarkWindow(const Window& window, std::string_view mark);
void UnmarkWindow(const Window& window, std::string_view mark);
// Run elevated, the window still takes this message from programs without
// those rights: a second copy's bring-back, the shell's tray icon messages.
void AcceptFromLowerRights(const Window& window, unsigned message);
Window FindMarkedWindow(std::string_view mark);
// Restores a minimised window and brings it to the front.
void BringToFront(const Window& window);

}  // namespace hv
