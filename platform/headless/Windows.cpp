// Windows and controls of the model: what the Window class does to a node,
// with the focus, enabling and visibility rules of Win32.
#include <algorithm>

#include "platform/Constants.h"
#include "platform/Window.h"
#include "platform/headless/WorldImpl.h"

namespace hv {
using headless::Node;
using headless::State;
namespace win = headless::win;

namespace headless {

Node* World::Impl::Live(std::uintptr_t handle) {
    if (handle == 0) return nullptr;
    const auto it = nodes.find(handle);
    if (it == nodes.end() || it->second.destroyed) return nullptr;
    return &it->second;
}

Node* World::Impl::LiveChild(std::uintptr_t dialog, int id) {
    const auto it = children.find(dialog);
    if (it == children.end()) return nullptr;
    for (auto handle : it->second) {
        Node* n = Live(handle);
        if (n && n->id == id) return n;
    }
    return nullptr;
}

bool World::Impl::Contains(std::uintptr_t outer, std::uintptr_t inner) {
    for (Node* n = Live(inner); n; n = (n->className == kDialogClass ? nullptr : Live(n->parent)))
        if (n->handle == outer) return true;
    return false;
}

// A disabled window takes no focus, nor does a control of a disabled dialog
// (the owner of an open modal window) or of a minimised one.
// As Windows' button does: an unchecked radio button that gets the focus
// other than by a mouse press notifies its parent of a click (that is how the
// arrow keys select in a group).
bool World::Impl::SetFocus(std::uintptr_t handle, bool byMousePress) {
    if (handle == 0) {
        focus = 0;
        return true;
    }
    Node* n = Live(handle);
    if (!n || !n->enabled) return false;
    const Node* top = n->className == kDialogClass ? n : Live(n->parent);
    if (top && (!top->enabled || top->iconic)) return false;
    const bool hadIt = focus == handle;
    focus = handle;
    const auto type = n->style & win::kBsTypeMask;
    if (!hadIt && !byMousePress && n->className == "Button" && n->check == 0 &&
        (type == win::kBsRadioButton || type == win::kBsAutoRadioButton)) {
        if (type == win::kBsAutoRadioButton) n->check = 1;
        Deliver(n->parent, msg::kCommand, MakeWParam(static_cast<unsigned>(n->id), bn::kClicked),
                static_cast<LParam>(handle));
    }
    return true;
}

void World::Impl::SetEnabled(Node& node, bool on) {
    node.enabled = on;
    if (!on && focus && Contains(node.handle, focus)) focus = 0;  // a disabled window loses the focus
}

bool World::Impl::IsVisible(const Node& node) {
    if (!node.visible) return false;
    if (node.className == kDialogClass) return true;
    const Node* parent = Live(node.parent);
    return !parent || parent->visible;
}

void World::Impl::Show(Node& node, int command) {
    const bool dialogWindow = node.className == kDialogClass;
    const bool wasVisible = node.visible;
    const bool wasIconic = node.iconic;
    switch (command) {
        case sw::kHide:
            node.visible = false;
            break;
        case sw::kShowMinimized:
        case sw::kMinimize:
            node.visible = true;
            node.iconic = true;
            break;
        case sw::kShowNormal:
        case sw::kRestore:
        case sw::kShowDefault:
            node.visible = true;
            node.iconic = false;
            break;
        default:  // SW_SHOW and the like keep the size
            node.visible = true;
            break;
    }
    if (!dialogWindow) {
        if (node.visible && !wasVisible) Invalidate(node.handle);
        return;
    }
    // A dialog that goes away (hidden, minimised) keeps its focused control
    // and gets it back when it is shown again, as the dialog manager does.
    const bool away = !node.visible || node.iconic;
    const bool wasAway = !wasVisible || wasIconic;
    if (away && !wasAway && focus && Contains(node.handle, focus)) {
        savedFocus[node.handle] = focus;
        focus = 0;
    } else if (!away && wasAway) {
        const auto it = savedFocus.find(node.handle);
        if (it != savedFocus.end()) {
            if (focus == 0) SetFocus(it->second);
            savedFocus.erase(it);
        }
    }
    if (node.visible && (!wasVisible || wasIconic != node.iconic)) Invalidate(node.handle);
}

void World::Impl::Invalidate(std::uintptr_t handle) {
    if (Live(handle)) invalid.insert(handle);
}

void World::Impl::Validate(std::uintptr_t handle) {
    invalid.erase(handle);
    ++validations[handle];
}

}  // namespace headless

namespace {
Node* LiveNode(const Window& w) { return State().Live(w.Handle().value); }

// What `read` gives for the window's node, or `fallback` when it is gone.
template <class T, class F>
T Read(const Window& w, T fallback, F read) {
    const Node* n = LiveNode(w);
    return n ? read(*n) : fallback;
}

bool IsButton(const Node& n) { return n.className == "Button"; }

bool HasCheckState(const Node& n) {
    const auto type = n.style & win::kBsTypeMask;
    return IsButton(n) && type != win::kBsPushButton && type != win::kBsDefPushButton && type != win::kBsGroupBox &&
           type < win::kBsPushBox;
}
}  // namespace

Window Window::Item(int id) const {
    Node* n = State().LiveChild(m_handle.value, id);
    return n ? Window(WindowHandle(n->handle)) : Window();
}

int Window::ControlId() const { return Read(*this, 0, [](const Node& n) { return n.id; }); }

std::string Window::Text() const { return Read(*this, std::string(), [](const Node& n) { return n.text; }); }

void Window::SetText(std::string_view text) const {
    if (Node* n = LiveNode(*this)) n->text.assign(text.data(), text.size());
}

void Window::Enable(bool on) const {
    if (Node* n = LiveNode(*this)) State().SetEnabled(*n, on);
}

bool Window::IsEnabled() const { return Read(*this, false, [](const Node& n) { return n.enabled; }); }

int Window::Check() const { return Read(*this, 0, [](const Node& n) { return HasCheckState(n) ? n.check : 0; }); }

void Window::SetCheck(int state) const {
    Node* n = LiveNode(*this);
    if (!n || !HasCheckState(*n)) return;  // BM_SETCHECK means nothing to other buttons
    n->check = state != 0 ? 1 : 0;
}

void Window::Focus() const { State().SetFocus(m_handle.value); }

void Window::SelectText(int first, int last) const {
    Node* n = LiveNode(*this);
    if (!n || n->className != "Edit") return;
    const int length = static_cast<int>(n->text.size());
    if (first == -1) {  // removes the selection, the caret stays
        n->selFirst = n->selLast;
        return;
    }
    if (last == -1) last = length;
    first = std::clamp(first, 0, length);
    last = std::clamp(last, 0, length);
    n->selFirst = std::min(first, last);
    n->selLast = std::max(first, last);
}

void Window::Show(int showCommand) const {
    if (Node* n = LiveNode(*this)) State().Show(*n, showCommand);
}

bool Window::IsVisible() const { return Read(*this, false, [](const Node& n) { return State().IsVisible(n); }); }

bool Window::IsIconic() const { return Read(*this, false, [](const Node& n) { return n.iconic; }); }

void Window::SetFont(FontHandle font, bool redraw) const {
    Node* n = LiveNode(*this);
    if (!n) return;
    n->font = font;
    if (redraw) State().Invalidate(n->handle);
}

void Window::SetIcon(IconHandle icon, bool big) const {
    if (Node* n = LiveNode(*this)) (big ? n->bigIcon : n->smallIcon) = icon;
}

void Window::Invalidate(bool) const { State().Invalidate(m_handle.value); }

void Window::Update() const {
    auto& s = State();
    const Node* n = s.Live(m_handle.value);
    if (n && s.invalid.count(n->handle) && s.IsVisible(*n)) s.Paint(n->handle);
}

// Dialog units to pixels for "MS Shell Dlg" 8 at 96 dpi (base units 6 x 13),
// rounded as MapDialogRect rounds.
Rect Window::ClientRect() const {
    const Node* n = LiveNode(*this);
    if (!n) return Rect{};
    if (n->pixelRect) return *n->pixelRect;
    const auto scale = [](int v, int base, int div) {
        const long long p = static_cast<long long>(v) * base;
        return static_cast<int>(p >= 0 ? (p + div / 2) / div : -((-p + div / 2) / div));
    };
    return Rect{0, 0, scale(n->rect.Width(), 6, 4), scale(n->rect.Height(), 13, 8)};
}

bool Window::SetTimer(unsigned id, unsigned periodMs) const {
    auto& s = State();
    if (!s.Live(m_handle.value)) return false;
    headless::World::Get().timersStarted.emplace_back(id, periodMs);
    // Windows raises shorter periods to USER_TIMER_MINIMUM; a timer set
    // again starts a new period.
    const std::int64_t period = std::int64_t{std::max(periodMs, win::kUserTimerMinimum)} * 1000;
    s.timers[{m_handle.value, id}] = {period, s.Expiry(s.MonotonicUs() + period, id), ++s.timerSerial};
    return true;
}

void Window::KillTimer(unsigned id) const { State().timers.erase({m_handle.value, id}); }

bool headless::World::HasTimer(const Window& w, unsigned id) const { return m_impl->timers.count({w.Handle().value, id}) > 0; }

bool Window::Post(unsigned message, WParam w, LParam l) const {
    return State().PostChecked(m_handle.value, message, w, l);
}

LResult Window::Send(unsigned message, WParam w, LParam l) const {
    return State().Deliver(m_handle.value, message, w, l);
}

Window FocusedWindow() { return Window(WindowHandle(State().focus)); }

SystemMenu::SystemMenu(const Window& owner) {
    const Node* n = LiveNode(owner);
    if (n && (n->style & win::kWsSysMenu)) m_menu = n->handle;
}

void SystemMenu::AppendSeparator() const {
    if (m_menu && State().Live(m_menu)) State().systemMenus[m_menu].push_back({true, 0, {}});
}

void SystemMenu::AppendString(unsigned commandId, std::string_view text) const {
    if (m_menu && State().Live(m_menu))
        State().systemMenus[m_menu].push_back({false, commandId, std::string(text)});
}

}  // namespace hv
