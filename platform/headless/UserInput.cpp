// The user's mouse and keyboard, as Windows and IsDialogMessage turn them
// into messages for the dialog.
#include <algorithm>
#include <cctype>

#include "platform/Dialog.h"
#include "platform/headless/WorldImpl.h"

namespace hv::headless {
namespace {

// A window the user can reach: it exists, is shown and enabled.
bool Reachable(World::Impl& s, const Node* n) { return n && n->enabled && s.IsVisible(*n); }

unsigned ButtonType(const Node& n) { return n.style & win::kBsTypeMask; }

bool IsPushButton(const Node& n) {
    if (n.className != "Button") return false;
    const auto type = ButtonType(n);
    return type == win::kBsPushButton || type == win::kBsDefPushButton || type == win::kBsPushBox ||
           type == win::kBsOwnerDraw;
}

}  // namespace

bool World::Click(const Window& dialog, int id) {
    Impl& s = *m_impl;
    const std::uintptr_t dlg = dialog.Handle().value;
    if (!Reachable(s, s.Live(dlg))) return false;
    Node* c = s.LiveChild(dlg, id);
    if (!Reachable(s, c)) return false;
    const std::uintptr_t handle = c->handle;
    if (c->className == "Edit") {
        s.SetFocus(handle);
        Pump();
        return true;
    }
    // Statics without SS_NOTIFY (all of the program's) and group boxes are
    // transparent to the mouse.
    if (c->className != "Button" || ButtonType(*c) == win::kBsGroupBox) return false;
    s.SetFocus(handle, true);  // a button takes the focus when pressed
    // An automatic check box toggles before it notifies; push buttons and
    // the manual kinds leave it to the handler. (The program uses no
    // automatic radio buttons or three-state boxes: they are not modelled.)
    if (ButtonType(*c) == win::kBsAutoCheckBox) c->check = c->check ? 0 : 1;
    s.Deliver(dlg, msg::kCommand, MakeWParam(static_cast<unsigned>(id), bn::kClicked), static_cast<LParam>(handle));
    Pump();
    return true;
}

bool World::Type(const Window& dialog, int id, const std::string& text) {
    Impl& s = *m_impl;
    const std::uintptr_t dlg = dialog.Handle().value;
    if (!Reachable(s, s.Live(dlg))) return false;
    Node* c = s.LiveChild(dlg, id);
    if (!Reachable(s, c) || c->className != "Edit" || (c->style & win::kEsReadOnly)) return false;
    s.SetFocus(c->handle);
    std::string accepted;
    for (char ch : text) {
        // ES_NUMBER refuses every key but a digit.
        if ((c->style & win::kEsNumber) && !std::isdigit(static_cast<unsigned char>(ch))) continue;
        accepted += ch;
    }
    c->text = accepted;
    c->selFirst = c->selLast = static_cast<int>(accepted.size());
    s.Deliver(dlg, msg::kCommand, MakeWParam(static_cast<unsigned>(id), win::kEnChange),
              static_cast<LParam>(c->handle));
    Pump();
    return accepted.size() == text.size();
}

// Keys go to the focus window; where no window has the focus, Windows sends
// them to the active window as WM_SYSKEYDOWN, which IsDialogMessage passes by.
static bool TakesKeys(World::Impl& s, std::uintptr_t dlg) { return Reachable(s, s.Live(dlg)) && s.Contains(dlg, s.focus); }

void World::PressEscape(const Window& dialog) {
    Impl& s = *m_impl;
    const std::uintptr_t dlg = dialog.Handle().value;
    if (!TakesKeys(s, dlg)) return;
    const Node* cancel = s.LiveChild(dlg, cmd::kCancel);
    s.Deliver(dlg, msg::kCommand, MakeWParam(cmd::kCancel, bn::kClicked),
              static_cast<LParam>(cancel ? cancel->handle : 0));
    Pump();
}

// Enter: a focused push button is pressed; otherwise the default button,
// unless it is disabled (then Windows beeps); IDOK when there is none. An
// edit that wants Enter keeps it.
void World::PressEnter(const Window& dialog) {
    Impl& s = *m_impl;
    const std::uintptr_t dlg = dialog.Handle().value;
    if (!TakesKeys(s, dlg)) return;
    int id = cmd::kOk;
    const Node* focused = s.Live(s.focus);
    if (focused && focused->parent == dlg && focused->className == "Edit" &&
        (focused->style & win::kEsMultiline) && (focused->style & win::kEsWantReturn))
        return;
    if (focused && focused->parent == dlg && IsPushButton(*focused)) {
        id = focused->id;
    } else {
        for (auto h : s.children[dlg]) {
            const Node* n = s.Live(h);
            if (n && n->className == "Button" && ButtonType(*n) == win::kBsDefPushButton) {
                id = n->id;
                break;
            }
        }
    }
    const Node* button = s.LiveChild(dlg, id);
    if (button && !button->enabled) return;
    s.Deliver(dlg, msg::kCommand, MakeWParam(static_cast<unsigned>(id), bn::kClicked),
              static_cast<LParam>(button ? button->handle : 0));
    Pump();
}

void World::SystemCommand(const Window& dialog, unsigned command) {
    Impl& s = *m_impl;
    const std::uintptr_t dlg = dialog.Handle().value;
    if (!Reachable(s, s.Live(dlg))) return;
    s.Deliver(dlg, msg::kSysCommand, command, 0);
    Pump();
}

// Read-only and disabled edits ask with CTLCOLOR_STATIC, as do check boxes,
// radio buttons and group boxes; push buttons ask with CTLCOLOR_BTN.
ControlColors World::QueryColors(const Window& control) {
    Impl& s = *m_impl;
    ControlColors out;
    const Node* n = s.Live(control.Handle().value);
    if (!n) return out;
    std::uintptr_t asked = n->parent;
    if (n->className == kDialogClass) {
        out.kind = ctlcolor::kDlg;
        asked = n->handle;
    } else if (n->className == "Edit") {
        out.kind = (n->style & win::kEsReadOnly) || !n->enabled ? ctlcolor::kStatic : ctlcolor::kEdit;
    } else if (n->className == "Button") {
        out.kind = IsPushButton(*n) ? ctlcolor::kBtn : ctlcolor::kStatic;
    } else {  // statics; the program has no list box or scroll bar
        out.kind = ctlcolor::kStatic;
    }
    const DcHandle dc(s.NewGdiHandle());
    s.dcs[dc.value] = {n->handle, FontHandle(win::kStockSystemFont)};
    const std::size_t first = drawCalls.size();
    const Node* parent = s.Live(asked);
    LResult result = 0;
    if (parent && parent->dialog)
        out.handled = parent->dialog->Dispatch(msg::kCtlColorMsgBox + static_cast<unsigned>(out.kind), dc.value,
                                               static_cast<LParam>(n->handle), result);
    if (out.handled) out.brush = BrushHandle(static_cast<std::uintptr_t>(result));
    for (std::size_t i = first; i < drawCalls.size(); ++i) {
        const DrawCall& call = drawCalls[i];
        if (call.dc != dc.value) continue;
        if (call.kind == DrawCall::SetTextColor) out.textColor = call.color;
        if (call.kind == DrawCall::SetBkColor) out.backgroundColor = call.color;
        if (call.kind == DrawCall::SetBkMode) out.backgroundMode = call.mode;
    }
    s.dcs.erase(dc.value);
    return out;
}

}  // namespace hv::headless
