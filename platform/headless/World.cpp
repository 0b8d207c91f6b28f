#include "platform/headless/World.h"

#include <chrono>
#include <cstdio>

#include "platform/headless/WorldImpl.h"

namespace hv::headless {
namespace {
// Workers get this long, in real time, to end when the world is reset.
constexpr auto kAbandonWait = std::chrono::seconds(10);
}  // namespace

const char* const kRunKey = "HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

World::Impl& State() { return World::Get().Internals(); }

World::World() : m_impl(new Impl) { registry[kRunKey]; }

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
        s.wallMs = kDefaultWallMs;
        s.monoMs = kDefaultMonotonicMs;
        s.utcOffset = kDefaultUtcOffset;
    }
    // Dialog objects are not touched: a test may have destroyed one whose
    // window it left open. Their stale handles name no window from now on.
    s.nodes.clear();
    s.creationOrder.clear();
    s.children.clear();
    s.systemMenus.clear();
    s.savedFocus.clear();
    s.invalid.clear();
    s.validations.clear();
    s.painting.clear();
    s.focus = 0;
    s.script.reset();
    s.timers.clear();
    s.dcs.clear();
    s.openFiles.clear();
    s.openKeys.clear();
    s.trayIcons.clear();
    // Handle counters go on, so that a stale handle never names a new object.

    onModalDialog = nullptr;
    onMessageBox = nullptr;
    messageBoxes.clear();
    sounds.clear();
    shellCalls.clear();
    trayCalls.clear();
    drawCalls.clear();
    timersStarted.clear();
    workerPriorities.clear();
    commonControlsInitialized = 0;
    liveFonts.clear();
    liveBrushes.clear();
    createdFonts.clear();
    files.clear();
    currentDirectory = "C:\\windows\\system32\\";
    moduleFileName = "C:\\Programme\\Horovant\\Horovant.exe";
    diskFreeBytes = -1;
    registry.clear();
    registry[kRunKey];  // exists on every Windows
    registryWritable = true;
}

void World::UseResourceScript(const std::string& path) {
    m_impl->script = std::make_shared<const ResourceScript>(ResourceScript::Read(path));
}

const ResourceScript& World::Impl::Script() {
    if (!script) script = ResourceScript::Program();
    return *script;
}

// --- clocks -------------------------------------------------------------------

void World::SetWallClockMs(std::int64_t utcMs) {
    std::lock_guard<std::mutex> l(m_impl->lock);
    m_impl->wallMs = utcMs;
}

std::int64_t World::WallClockMs() const {
    std::lock_guard<std::mutex> l(m_impl->lock);
    return m_impl->wallMs;
}

void World::SetUtcOffsetSeconds(int offset) {
    std::lock_guard<std::mutex> l(m_impl->lock);
    m_impl->utcOffset = offset;
}

int World::UtcOffsetSeconds() const {
    std::lock_guard<std::mutex> l(m_impl->lock);
    return m_impl->utcOffset;
}

std::int64_t World::MonotonicMs() const { return m_impl->Monotonic(); }

void World::JumpWallClock(std::int64_t utcMs) { SetWallClockMs(utcMs); }

// --- windows --------------------------------------------------------------------

const Node* World::Find(std::uintptr_t handle) const {
    const auto it = m_impl->nodes.find(handle);
    return it == m_impl->nodes.end() ? nullptr : &it->second;
}

Node* World::FindMutable(std::uintptr_t handle) {
    const auto it = m_impl->nodes.find(handle);
    return it == m_impl->nodes.end() ? nullptr : &it->second;
}

const Node* World::Control(const Window& dialog, int id) const {
    return m_impl->LiveChild(dialog.Handle().value, id);
}

std::vector<const Node*> World::Children(const Window& dialog) const {
    std::vector<const Node*> out;
    const auto it = m_impl->children.find(dialog.Handle().value);
    if (it == m_impl->children.end()) return out;
    for (auto handle : it->second)
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
