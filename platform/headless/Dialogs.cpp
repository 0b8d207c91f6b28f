// Dialog windows from their templates: creation, WM_INITDIALOG with the
// dialog manager's first focus, destruction, and the modal run of a nested
// dialog.
#include "platform/Dialog.h"
#include "platform/ModalLoop.h"
#include "platform/headless/WorldImpl.h"

namespace hv {
namespace headless {
namespace {

// The menu Windows gives a fixed-size dialog with a system menu.
std::vector<MenuItem> DefaultSystemMenu() {
    return {{false, win::kScMove, "&Verschieben"}, {true, 0, {}}, {false, win::kScClose, "&Schlie\xDF" "en\tAlt+F4"}};
}

bool IsEdit(const Node& n) { return n.className == "Edit"; }

}  // namespace

std::uintptr_t World::Impl::CreateDialogWindow(Dialog& dialog, std::uintptr_t owner) {
    const DialogTemplate* t = Resources().Dialog(dialog.TemplateId());
    if (!t) return 0;
    const std::uintptr_t handle = (nextWindow += 4);
    Node& d = nodes[handle];
    d.handle = handle;
    d.parent = owner;
    d.className = kDialogClass;
    d.text = t->caption;
    d.style = t->style;
    d.exStyle = t->exStyle;
    d.rect = Rect{t->x, t->y, t->x + t->cx, t->y + t->cy};
    d.enabled = (t->style & win::kWsDisabled) == 0;
    d.visible = false;  // shown after WM_INITDIALOG
    d.dialog = &dialog;
    creationOrder.push_back(handle);
    if (t->style & win::kWsSysMenu) systemMenus[handle] = DefaultSystemMenu();

    auto& list = children[handle];
    for (const ControlTemplate& c : t->controls) {
        const std::uintptr_t h = (nextWindow += 4);
        Node& n = nodes[h];
        n.handle = h;
        n.parent = handle;
        n.id = c.id;
        n.className = c.className;
        n.text = c.text;
        n.style = c.style;
        n.exStyle = c.exStyle;
        n.rect = Rect{c.x, c.y, c.x + c.cx, c.y + c.cy};
        n.enabled = (c.style & win::kWsDisabled) == 0;
        n.visible = (c.style & win::kWsVisible) != 0;
        // A picture static takes the size of its bitmap, as Windows sizes it.
        const auto bitmap = c.ordinal ? Resources().Bitmap(*c.ordinal) : std::nullopt;
        if (c.className == "Static" && (c.style & win::kSsTypeMask) == win::kSsBitmap &&
            !(c.style & win::kSsRealSizeControl) && bitmap)
            n.pixelRect = Rect{0, 0, bitmap->width, bitmap->height};
        creationOrder.push_back(h);
        list.push_back(h);
    }
    {
        std::lock_guard<std::mutex> l(lock);
        liveWindows.insert(handle);
        for (auto h : list) liveWindows.insert(h);
    }
    dialog.AttachWindow(WindowHandle(handle));
    return handle;
}

void World::Impl::InitDialogWindow(std::uintptr_t handle) {
    // The dialog manager's choice: the first visible, enabled tab stop in
    // template order, or without one the first visible, enabled control.
    std::uintptr_t first = 0;
    for (std::uint32_t tabStop : {win::kWsTabStop, 0u}) {
        for (auto h : children[handle]) {
            const Node* n = Live(h);
            if (!first && n && (n->style & tabStop) == tabStop && n->visible && n->enabled && n->className != "Static")
                first = h;
        }
    }
    const LResult setFocus = Deliver(handle, msg::kInitDialog, first, 0);
    Node* d = Live(handle);
    if (!d) return;
    if (setFocus && first && Live(first) && SetFocus(first)) {
        Node* n = Live(first);
        if (IsEdit(*n)) {  // the dialog manager selects the whole text of an edit it focuses
            n->selFirst = 0;
            n->selLast = static_cast<int>(n->text.size());
        }
    }
    // A template with WS_VISIBLE shows the dialog after WM_INITDIALOG, even
    // one that hid itself meanwhile.
    if (d->style & win::kWsVisible) Show(*d, sw::kShowNormal);
}

void World::Impl::DestroyDialogWindow(std::uintptr_t handle) {
    Node* d = Live(handle);
    if (!d) return;
    Deliver(handle, msg::kDestroy, 0, 0);
    d = Live(handle);
    if (!d) return;
    std::vector<std::uintptr_t> gone = children[handle];
    gone.push_back(handle);
    {
        std::lock_guard<std::mutex> l(lock);
        for (auto h : gone) liveWindows.erase(h);
    }
    for (auto h : gone) {
        nodes[h].destroyed = true;
        invalid.erase(h);
        if (focus == h) focus = 0;
    }
    for (auto it = timers.begin(); it != timers.end();) {
        if (it->first.first == handle) it = timers.erase(it);
        else ++it;
    }
    systemMenus.erase(handle);
    savedFocus.erase(handle);
    Dialog* dialog = d->dialog;
    d->dialog = nullptr;
    if (dialog && dialog->Wnd().Handle().value == handle) dialog->AttachWindow(WindowHandle());
}

ModalScope::ModalScope(std::uintptr_t owner, std::uintptr_t focus) : m_owner(owner), m_focus(focus) {
    auto& s = State();
    if (Node* n = s.Live(m_owner)) {
        m_ownerWasEnabled = n->enabled;
        s.SetEnabled(*n, false);
    }
}

void ModalScope::EnableOwner() {
    auto& s = State();
    Node* owner = s.Live(m_owner);
    if (owner && m_ownerWasEnabled) s.SetEnabled(*owner, true);
    m_ownerWasEnabled = false;
}

ModalScope::~ModalScope() {
    EnableOwner();
    auto& s = State();
    Node* owner = s.Live(m_owner);
    if (!s.Live(s.focus)) {
        s.focus = 0;
        s.SetFocus(m_focus);  // fails if that window went away meanwhile
    }
    if (owner && s.IsVisible(*owner)) s.Invalidate(m_owner);
}

Window World::Open(Dialog& dialog, const Window& owner) {
    dialog.ResetModalState();
    const std::uintptr_t handle = m_impl->CreateDialogWindow(dialog, owner.Handle().value);
    if (!handle) return Window();
    m_impl->InitDialogWindow(handle);
    return Window(WindowHandle(handle));
}

void World::Close(Dialog& dialog) { m_impl->DestroyDialogWindow(dialog.Wnd().Handle().value); }

}  // namespace headless

// The nested modal loop, in the order of our Win32 one: the owner is
// disabled, the dialog created modeless; a template without WS_VISIBLE is
// shown when the queue first runs dry. The test's onModalDialog plays the
// user; a dialog it leaves open is cancelled, as a user closing it would.
int RunModalDialog(Dialog& dialog, Window owner) {
    auto& world = headless::World::Get();
    auto& s = world.Internals();
    const std::uintptr_t ownerHandle = owner.Handle().value;
    headless::ModalScope scope(ownerHandle, s.focus);
    const std::uintptr_t handle = s.CreateDialogWindow(dialog, ownerHandle);
    if (!handle) return -1;
    s.InitDialogWindow(handle);
    const headless::Node* created = s.Live(handle);
    const bool showWhenIdle = created && !created->visible;
    world.Pump();
    if (headless::Node* d = s.Live(handle); d && showWhenIdle && !dialog.IsEnded()) {
        s.Show(*d, sw::kShowNormal);
        Window(WindowHandle(handle)).Update();
    }
    if (!dialog.IsEnded() && s.Live(handle) && world.onModalDialog) world.onModalDialog(dialog);
    if (!dialog.IsEnded() && s.Live(handle)) {
        const headless::Node* cancel = s.LiveChild(handle, cmd::kCancel);
        s.Deliver(handle, msg::kCommand, MakeWParam(cmd::kCancel, bn::kClicked),
                  static_cast<LParam>(cancel ? cancel->handle : 0));
    }
    const int result = dialog.Result();
    scope.EnableOwner();  // before the dialog goes, so the owner can be activated
    s.DestroyDialogWindow(handle);
    return result;
}

}  // namespace hv
