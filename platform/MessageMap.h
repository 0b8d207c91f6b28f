#pragma once
// Message maps as typed tables {message, id, code, handler}: each entry
// decodes the message's arguments and calls a member of the dialog class, in
// the manner of WTL's crackers. Dialog classes look messages up with
// DispatchMessageMap from their HandleMessage override.
#include <cstddef>

#include "platform/Constants.h"
#include "platform/Handles.h"
#include "platform/Window.h"

namespace hv {

class DeviceContext;

struct Message {
    unsigned message;
    WParam wParam;
    LParam lParam;
};

template <class T>
struct MessageMapEntry {
    // Returns true when the message was handled; `result` is the dialog
    // procedure's answer (for messages whose answer is a value).
    using Thunk = bool (*)(T&, const Message&, LResult& result);
    unsigned message;
    int id;         // command id for WM_COMMAND, -1 otherwise
    unsigned code;  // notification code for WM_COMMAND
    Thunk thunk;
};

namespace map {

// BN_CLICKED (or another notification) from control `id`: void F().
template <class T, void (T::*F)()>
constexpr MessageMapEntry<T> Command(int id, unsigned code = bn::kClicked) {
    return {msg::kCommand, id, code, [](T& t, const Message&, LResult& r) {
                (t.*F)();
                r = 0;
                return true;
            }};
}

// A message with its raw parameters: LResult F(WParam, LParam).
template <class T, LResult (T::*F)(WParam, LParam)>
constexpr MessageMapEntry<T> Raw(unsigned message) {
    return {message, -1, 0, [](T& t, const Message& m, LResult& r) {
                r = (t.*F)(m.wParam, m.lParam);
                return true;
            }};
}

// WM_TIMER: void F(unsigned timerId). Default processing follows (nothing).
template <class T, void (T::*F)(unsigned)>
constexpr MessageMapEntry<T> Timer() {
    return {msg::kTimer, -1, 0, [](T& t, const Message& m, LResult& r) {
                (t.*F)(static_cast<unsigned>(m.wParam));
                r = 0;
                return true;
            }};
}

// WM_PAINT: void F().
template <class T, void (T::*F)()>
constexpr MessageMapEntry<T> Paint() {
    return {msg::kPaint, -1, 0, [](T& t, const Message&, LResult& r) {
                (t.*F)();
                r = 0;
                return true;
            }};
}

// WM_SYSCOMMAND: bool F(unsigned command, LParam); false lets the default
// dialog processing handle the command (Move, Close, ...).
template <class T, bool (T::*F)(unsigned, LParam)>
constexpr MessageMapEntry<T> SysCommand() {
    return {msg::kSysCommand, -1, 0, [](T& t, const Message& m, LResult& r) {
                r = 0;
                return (t.*F)(static_cast<unsigned>(m.wParam), m.lParam);
            }};
}

// WM_QUERYDRAGICON: IconHandle F().
template <class T, IconHandle (T::*F)()>
constexpr MessageMapEntry<T> QueryDragIcon() {
    return {msg::kQueryDragIcon, -1, 0, [](T& t, const Message&, LResult& r) {
                r = static_cast<LResult>((t.*F)().value);
                return true;
            }};
}

// The seven WM_CTLCOLOR* messages: BrushHandle F(DcHandle, Window control, int kind).
// An empty brush means "not handled": the default colours apply.
template <class T, BrushHandle (T::*F)(DcHandle, Window, int)>
constexpr MessageMapEntry<T> CtlColor() {
    return {msg::kCtlColorMsgBox, -2, 0, [](T& t, const Message& m, LResult& r) {
                // `message` carries the kind; see DispatchMessageMap.
                const int kind = static_cast<int>(m.message - msg::kCtlColorMsgBox);
                BrushHandle b = (t.*F)(DcHandle(m.wParam), Window(WindowHandle(static_cast<std::uintptr_t>(m.lParam))), kind);
                r = static_cast<LResult>(b.value);
                return static_cast<bool>(b);
            }};
}

}  // namespace map

template <class T, std::size_t N>
bool DispatchMessageMap(T& self, const MessageMapEntry<T> (&entries)[N], const Message& m, LResult& result) {
    for (const auto& e : entries) {
        if (e.id == -2) {  // the WM_CTLCOLOR* range
            if (m.message >= msg::kCtlColorMsgBox && m.message <= msg::kCtlColorStatic)
                return e.thunk(self, m, result);
            continue;
        }
        if (e.message != m.message) continue;
        if (m.message == msg::kCommand) {
            if (static_cast<int>(LowWord(m.wParam)) != e.id || HighWord(m.wParam) != e.code) continue;
        }
        return e.thunk(self, m, result);
    }
    return false;
}

}  // namespace hv
