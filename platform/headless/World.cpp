#include "platform/headless/World.h"

#include <chrono>
#include <cstdio>

#include "platform/headless/WorldImpl.h"

namespace hv::headless {
namespace {
// Workers get this long, in real time, to end when the world is reset.
constexpr auto kAbandonWait = std::chrono::seconds(10);
}  // namespace

World::Impl& State() { return World::Get().Internals(); }

World::World() : m_impl(new Impl) {}

World& World::Get() {
    // Never destroyed: worker threads of static objects may outlive main.
    static World* world = new World;
    return *world;
}

void World::Reset() {
    Impl& s = *m_impl;
    {
        // Sleeping workers are woken into WorkerAbandoned; running ones meet
        // it at their next sleep.
        std::unique_lock<std::mutex> l(s.lock);
        s.abandon = true;
        s.awakeWorkers += static_cast<int>(s.sleepers.size());
        s.sleepers.clear();
        s.changed.notify_all();
        if (!s.changed.wait_for(l, kAbandonWait, [&] { return s.liveWorkers == 0; }))
            std::fprintf(stderr, "headless World::Reset: a worker thread does not end\n");
        s.abandon = false;
        s.queue.clear();
        s.liveWindows.clear();
        s.monoUs = kDefaultMonotonicUs;
        s.wallBaseUs = kDefaultWallUs;
        s.wallBaseMonoUs = kDefaultMonotonicUs;
        s.wallRatePpm = 0;
        s.zone = kEuropeBerlin;
    }
    // Dialog objects are not touched: a test may have destroyed one whose
    // window it left open. Their stale handles name no window from now on.
    static_cast<Desktop&>(s) = Desktop{};
    static_cast<WorldState&>(*this) = WorldState{};
}

void World::UseResources(const std::string& resPath) { m_impl->resources = CompiledResources::Read(resPath); }

const CompiledResources& World::Impl::Resources() {
    if (!resources) resources = CompiledResources::Program();
    return *resources;
}

// --- windows --------------------------------------------------------------------

const Node* World::Find(std::uintptr_t handle) const {
    const auto it = m_impl->nodes.find(handle);
    return it == m_impl->nodes.end() ? nullptr : &it->second;
}

const Node* World::Control(const Window& dialog, int id) const {
    return m_impl->LiveChild(dialog.Handle().value, id);
}

std::vector<const Node*> World::Children(const Window& dialog) const {
    std::vector<const Node*> out;
    for (auto handle : m_impl->children[dialog.Handle().value])
        if (const Node* n = m_impl->Live(handle)) out.push_back(n);
    return out;
}

std::vector<Window> World::Dialogs() const {
    std::vector<Window> out;
    for (auto handle : m_impl->creationOrder) {
        const Node* n = m_impl->Live(handle);
        if (n && n->className == kDialogClass) out.push_back(Window(WindowHandle(handle)));
    }
    return out;
}

std::uintptr_t World::Focus() const { return m_impl->focus; }

std::vector<MenuItem> World::SystemMenuItems(const Window& dialog) const {
    const auto it = m_impl->systemMenus.find(dialog.Handle().value);
    if (it == m_impl->systemMenus.end()) return {};
    return it->second;
}

bool World::IsInvalid(const Window& w) const { return m_impl->invalid.count(w.Handle().value) != 0; }

std::size_t World::OpenDeviceContexts() const { return m_impl->dcs.size(); }

}  // namespace hv::headless
