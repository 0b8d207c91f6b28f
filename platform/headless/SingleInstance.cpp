// One copy per session in the model: a test that holds a mutex's name in
// World::sessionMutexes plays the copy that runs already.
#include "platform/SingleInstance.h"

#include "platform/headless/WorldImpl.h"

namespace hv {
using headless::State;
using headless::World;

SessionMutex::SessionMutex(std::string_view name) : m_name(name) {
    m_existed = !World::Get().sessionMutexes.insert(m_name).second;
    m_handle = m_existed ? 0 : 1;
}

SessionMutex::~SessionMutex() {
    if (m_handle) World::Get().sessionMutexes.erase(m_name);
}

void MarkWindow(const Window& window, std::string_view mark) {
    if (State().Live(window.Handle().value)) State().marks[window.Handle().value].insert(std::string(mark));
}

void UnmarkWindow(const Window& window, std::string_view mark) { State().marks[window.Handle().value].erase(std::string(mark)); }

Window FindMarkedWindow(std::string_view mark) {
    for (const auto& [handle, names] : State().marks)
        if (State().Live(handle) && names.count(std::string(mark))) return Window(WindowHandle(handle));
    return Window();
}

void BringToFront(const Window& window) {
    headless::Node* n = State().Live(window.Handle().value);
    if (!n) return;
    n->iconic = false;
    World::Get().foregroundWindow = n->handle;
}

}  // namespace hv
