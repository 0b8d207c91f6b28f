// hvdriver: works a running Horovant from outside, as a user would (or as the
// shell does on the user's behalf), for the end-to-end tests and benchmarks.
// Each command prints its result and exits with 0 on success, 1 on failure,
// refusal or an expired wait, 2 on a usage error and 3 when the target did not
// answer a message in time. Nothing waits without a limit. What a user cannot
// do is refused ("refused: disabled"), never done anyway. Input is posted, and
// the command returns once the program has taken it.
#include <fcntl.h>
#include <io.h>
#include <windows.h>
// After <windows.h>, which they need.
#include <oleacc.h>
#include <shellapi.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace {

// Generous: a busy machine answers late, and a late answer must not pass for
// an empty one. A hung target is still given up on (SMTO_ABORTIFHUNG).
constexpr UINT kSendTimeoutMs = 10000;
constexpr UINT kTrayCallback = WM_APP + 100, kGdiCount = WM_APP + 101, kWakeDue = WM_APP + 102;

struct Fail {  // printed as it is
    std::string what;
    int code = 1;
};

int g_argc;
char** g_argv;
const char* opt(int i) { return i < g_argc ? g_argv[i] : nullptr; }
const char* arg(int i) { return opt(i) ? opt(i) : throw Fail{"missing argument", 2}; }
long num(int i) { return std::strtol(arg(i), nullptr, 0); }

void print(const std::string& s) { std::printf("%s\n", s.c_str()); }
int result(bool ok, const std::string& yes, const char* no) { return print(ok ? yes : no), ok ? 0 : 1; }
std::string className(HWND w) { char b[257] = {}; return GetClassNameA(w, b, sizeof b), b; }
// From the window manager: a hung target cannot block it.
std::string caption(HWND w) { char b[512] = {}; return GetWindowTextA(w, b, sizeof b), b; }
// Numbers joined by a separator.
std::string join(std::initializer_list<long> v, const char* sep = " ") {
    std::string s;
    for (long n : v) s += (s.empty() ? "" : sep) + std::to_string(n);
    return s;
}
std::string hex(LONG v) { char b[12]; return std::snprintf(b, sizeof b, "%08lx", static_cast<unsigned long>(v)), b; }

DWORD_PTR send(HWND w, UINT msg, WPARAM wp, LPARAM lp, const char* action, bool wide = false) {
    DWORD_PTR r = 0;
    SetLastError(ERROR_SUCCESS);
    if ((wide ? SendMessageTimeoutW : SendMessageTimeoutA)(w, msg, wp, lp, SMTO_ABORTIFHUNG, kSendTimeoutMs, &r))
        return r;
    const DWORD e = GetLastError();  // a hung target: ERROR_TIMEOUT or no code at all
    throw Fail{(e == ERROR_TIMEOUT || e == ERROR_SUCCESS ? "timeout " : "failed ") + std::string(action), 3};
}

// Read in UTF-16 and converted to the program's ANSI code page: Wine answers an
// ANSI WM_GETTEXTLENGTH with a second, untimed WM_GETTEXT, which never returns
// from a target that stopped answering. Tabs and line breaks are escaped for
// the one-line-per-window output, unless it is measured.
std::string text(HWND w, bool escape = true) {
    std::wstring t(send(w, WM_GETTEXTLENGTH, 0, 0, "reading a text", true) + 1, L'\0');
    t.resize(std::min(send(w, WM_GETTEXT, t.size(), reinterpret_cast<LPARAM>(t.data()), "reading a text", true),
                      t.size() - 1));
    std::string s(t.size() * 2, '\0'), out;
    const int n = static_cast<int>(t.size());
    s.resize(static_cast<size_t>(WideCharToMultiByte(CP_ACP, 0, t.data(), n, s.data(), n * 2, nullptr, nullptr)));
    if (!escape) return s;
    for (char c : s) {
        const char* e = c == '\\' ? "\\\\" : c == '\t' ? "\\t" : c == '\n' ? "\\n" : c == '\r' ? "\\r" : nullptr;
        e ? out += e : out += c;
    }
    return out;
}

std::vector<HWND> children(HWND w) {
    std::vector<HWND> v;
    for (HWND c = GetWindow(w, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) v.push_back(c);
    return v;
}

// A message box is a small dialog whose text is the static control 0xFFFF. It
// carries the program's name as its caption too, and never counts as a dialog.
bool isMessageBox(HWND w) {
    HWND t = GetDlgItem(w, 0xFFFF);
    return className(w) == "#32770" && children(w).size() <= 10 && t && className(t) == "Static";
}
HWND findTopLevel(const std::string& title, bool messageBox) {
    std::vector<HWND> v;
    EnumWindows([](HWND w, LPARAM p) { return reinterpret_cast<std::vector<HWND>*>(p)->push_back(w), TRUE; },
                reinterpret_cast<LPARAM>(&v));
    for (HWND w : v)
        if (className(w) == "#32770" && isMessageBox(w) == messageBox &&
            (messageBox ? IsWindowVisible(w) != 0 : caption(w) == title))
            return w;
    return nullptr;
}
HWND dialog(int i) {
    HWND d = findTopLevel(arg(i), false);
    return d ? d : throw Fail{std::string("no window ") + arg(i)};
}
HWND control(HWND d, int i) {
    HWND c = GetDlgItem(d, static_cast<int>(num(i)));
    return c ? c : throw Fail{std::string("no control ") + arg(i)};
}

struct Deadline {
    DWORD ms, start = GetTickCount();
    DWORD left() const { return GetTickCount() - start >= ms ? 0 : ms - (GetTickCount() - start); }
};
template <class Done>
bool waitFor(const Deadline& d, Done done, DWORD pollMs = 50) {
    while (!done())
        if (d.left()) Sleep(pollMs); else return false;
    return true;
}

// A user reaches a control only while it and every window it lies in are
// shown, not minimised and enabled (a dialog under a modal box is not).
void reachable(HWND w) {
    const char* why = !IsWindowVisible(w) ? "hidden" : IsIconic(GetAncestor(w, GA_ROOT)) ? "minimized" : nullptr;
    for (HWND p = w; !why && p; p = (GetWindowLongA(p, GWL_STYLE) & WS_CHILD) ? GetParent(p) : nullptr)
        if (!IsWindowEnabled(p)) why = "disabled";
    if (why) throw Fail{std::string("refused: ") + why};
}

// The thread fetches posted messages at the latest on its way back from the
// first answer, so at the second one the posted input has been handled (or
// the modal box it opened is running). No answer leaves it to the caller.
void settle(HWND w) {
    for (int i = 0; i < 2 && SendMessageTimeoutA(w, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, nullptr); ++i) {}
}
int posted(HWND d, bool ok) {
    if (ok) settle(d);
    return result(ok, "ok", "failed");
}

HWND focusOf(HWND d) {
    GUITHREADINFO g{sizeof g};
    return GetGUIThreadInfo(GetWindowThreadProcessId(d, nullptr), &g) ? g.hwndFocus : nullptr;
}

// The dialog and its controls exist before WM_INITDIALOG has run: ready once
// its thread answers a message (and, if given, of that process).
bool ready(const char* title, const char* id, const Deadline& d, DWORD pid = 0) {
    HWND w = findTopLevel(title, false);
    DWORD owner = 0;
    if (!w || (GetWindowThreadProcessId(w, &owner), pid && owner != pid)) return false;
    if (id && !GetDlgItem(w, static_cast<int>(std::strtol(id, nullptr, 0)))) return false;
    return SendMessageTimeoutA(w, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, std::max<DWORD>(d.left(), 1), nullptr) != 0;
}

int cmdWaitWindow() {
    const Deadline d{static_cast<DWORD>(num(3))};
    return result(waitFor(d, [&] { return ready(arg(2), opt(4), d); }), "found", "timeout");
}
int cmdWaitGone() {
    return result(waitFor({static_cast<DWORD>(num(3))}, [] { return !findTopLevel(arg(2), false); }), "gone",
                  "timeout");
}

// One line per window, the dialog first, then its controls: id, class, styles,
// enabled, shown, check (of the dialog: the focused control), rectangle in
// dialog units (of the dialog: its client origin on the screen), text. Wine
// refuses MapDialogRect on another process's window; the client size against
// the template's size gives the same scale. Printed only when all answered.
int cmdDump() {
    HWND d = dialog(2), f = focusOf(d);
    while (f && GetParent(f) && GetParent(f) != d) f = GetParent(f);  // e.g. a combo's edit
    RECT scale{0, 0, 1000, 1000}, client{};
    GetClientRect(d, &client);
    if (!MapDialogRect(d, &scale) && opt(4)) scale = RECT{0, 0, client.right * 1000 / num(3), client.bottom * 1000 / num(4)};
    POINT o{0, 0};
    ClientToScreen(d, &o);
    auto line = [](HWND w, const std::string& id, const std::string& check, const std::string& rect) {
        return id + "\t" + className(w) + "\t" + hex(GetWindowLongA(w, GWL_STYLE)) + "\t" +
               hex(GetWindowLongA(w, GWL_EXSTYLE)) + "\t" + join({!!IsWindowEnabled(w), !!IsWindowVisible(w)}, "\t") +
               "\t" + check + "\t" + rect + "\t";
    };
    std::vector<std::string> lines{line(d, "window", std::to_string(f && GetParent(f) == d ? GetDlgCtrlID(f) : 0),
                                        join({o.x, o.y}, ",")) + caption(d)};
    auto du = [](LONG px, LONG per1000) { return (px * 1000L + per1000 / 2) / per1000; };
    for (HWND c : children(d)) {
        RECT r{};
        GetWindowRect(c, &r);
        MapWindowPoints(nullptr, d, reinterpret_cast<POINT*>(&r), 2);
        lines.push_back(line(c, std::to_string(GetDlgCtrlID(c)),
                             className(c) == "Button" ? std::to_string(send(c, BM_GETCHECK, 0, 0, "reading a check")) : "-",
                             join({du(r.left, scale.right), du(r.top, scale.bottom), du(r.right - r.left, scale.right),
                                   du(r.bottom - r.top, scale.bottom)}, ",")) + text(c));
    }
    for (const std::string& l : lines) print(l);
    return 0;
}

// Whether every caption fits its control, in the font the dialog really uses.
// Wine does not answer WM_GETFONT for another process's window, so the font is
// made here as the dialog manager makes it from the template ("MS Shell Dlg",
// 8 pt; on the bench Wine takes Liberation Sans for it, there and here alike).
// That font must first give the dialog its real client size.
int cmdFits() {
    HWND d = dialog(2);
    HDC dc = GetDC(nullptr);
    const char* face = (GetWindowLongA(d, GWL_STYLE) & DS_SHELLFONT) == DS_SHELLFONT ? "MS Shell Dlg 2" : "MS Shell Dlg";
    HGDIOBJ old = SelectObject(dc, CreateFontA(-MulDiv(8, GetDeviceCaps(dc, LOGPIXELSY), 72), 0, 0, 0, FW_NORMAL, 0, 0,
                                               0, DEFAULT_CHARSET, 0, 0, PROOF_QUALITY, 0, face));
    SIZE s{};  // the dialog base units: mean width of the 52 letters, and the height
    GetTextExtentPoint32A(dc, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52, &s);
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    RECT client{};
    GetClientRect(d, &client);
    const LONG cx = MulDiv(num(3), (s.cx / 26 + 1) / 2, 4), cy = MulDiv(num(4), tm.tmHeight, 8);
    std::vector<std::string> misfits;
    if (std::labs(client.right - cx) > 1 || std::labs(client.bottom - cy) > 1)
        misfits.push_back(std::string(face) + " makes the client area " + join({cx, cy}, " x ") + ", it is " +
                          join({client.right, client.bottom}, " x "));
    // Windows draws a check box as wide as SM_CXMENUCHECK; Wine 13 px at 96 DPI.
    const LONG box = std::max(GetSystemMetrics(SM_CXMENUCHECK), MulDiv(13, GetDeviceCaps(dc, LOGPIXELSX), 96));
    for (HWND c : children(d)) {
        const LONG st = GetWindowLongA(c, GWL_STYLE), bs = st & BS_TYPEMASK, ss = st & SS_TYPEMASK;
        RECT r{};
        GetWindowRect(c, &r);
        LONG w = r.right - r.left, h = r.bottom - r.top;
        UINT format = DT_CALCRECT | DT_EXPANDTABS;
        if (className(c) == "Static") {  // SS_LEFT, SS_CENTER and SS_RIGHT wrap at word breaks
            if (ss > SS_RIGHT && ss != SS_SIMPLE && ss != SS_LEFTNOWORDWRAP) continue;
            format |= (ss <= SS_RIGHT ? DT_WORDBREAK : DT_SINGLELINE) | ((st & SS_NOPREFIX) ? DT_NOPREFIX : 0);
        } else if (className(c) == "Button" && !(st & (BS_BITMAP | BS_ICON))) {
            if (bs <= BS_DEFPUSHBUTTON || bs == BS_PUSHBOX || (st & BS_PUSHLIKE)) w -= 6, h -= 6;  // border, focus
            else if (bs != BS_GROUPBOX && bs <= BS_AUTORADIOBUTTON && bs != BS_USERBUTTON) w -= box + 4;  // box, gap
            else continue;
            if (w <= 0 && bs > BS_DEFPUSHBUTTON) continue;  // only its box: a text for screen readers, never shown
            format |= (st & BS_MULTILINE) ? DT_WORDBREAK : DT_SINGLELINE;
        } else {
            continue;
        }
        const std::string t = text(c, false);
        RECT need{0, 0, std::max(w, 1L), 0};
        if (!t.empty() && DrawTextA(dc, t.data(), static_cast<int>(t.size()), &need, format) &&
            (need.right > w || need.bottom > h))
            misfits.push_back(std::to_string(GetDlgCtrlID(c)) + " '" + t + "' needs " +
                              join({need.right, need.bottom}, " x ") + ", has " + join({w, h}, " x "));
    }
    DeleteObject(SelectObject(dc, old));
    ReleaseDC(nullptr, dc);
    for (const std::string& m : misfits) print(m);
    return misfits.empty() ? result(true, "all fit", "") : 1;
}

// Only where a user can type: a shown, enabled edit that is not read-only.
int cmdSetText() {
    HWND c = control(dialog(2), 3);
    reachable(c);
    if (className(c) != "Edit" || (GetWindowLongA(c, GWL_STYLE) & ES_READONLY)) throw Fail{"refused: no entry field"};
    return result(send(c, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(arg(4)), "setting a text") != 0, "ok", "failed");
}

// A press with the mouse: the button takes the focus before it reports the
// click (BM_CLICK, as the button takes it).
int cmdClick() {
    HWND d = dialog(2), c = control(d, 3);
    reachable(c);
    if (className(c) != "Button") throw Fail{"refused: not a button"};
    return posted(d, PostMessageA(c, BM_CLICK, 0, 0) != 0);
}

// Esc goes where Windows sends a key, so that the program's own loop has to
// make it a dialog command: to the focused control, or, when no window has the
// focus, to the active window as WM_SYSKEYDOWN, which IsDialogMessage passes
// by. The dialog stands for the active window: a user would have activated it.
// Read from outside, the focus can be missing for an instant inside a handler;
// only a focus missing once the program is idle counts.
int cmdEsc() {
    HWND d = dialog(2), f = nullptr;
    reachable(d);
    for (int i = 0; i < 3 && !f; ++i) {
        if (i) settle(d);
        f = focusOf(d);
    }
    if (f && f != d && !IsChild(d, f)) throw Fail{"refused: focus elsewhere"};
    const UINT down = f ? WM_KEYDOWN : WM_SYSKEYDOWN;
    const LPARAM pressed = 1 | 0x01 << 16;  // repeat 1, scan code 1; released: bits 30 and 31 too
    return posted(d, PostMessageA(f ? f : d, down, VK_ESCAPE, pressed) &&
                         PostMessageA(f ? f : d, down + 1, VK_ESCAPE, pressed | 0xC0000000L));
}

// Waits for a message box, prints its caption and text and answers it with OK.
int cmdAnswer() {
    HWND box = nullptr;
    if (!waitFor({static_cast<DWORD>(num(2))}, [&] { return (box = findTopLevel("", true)) != nullptr; }))
        throw Fail{"no message box"};
    print(caption(box) + "\t" + text(GetDlgItem(box, 0xFFFF)));
    HWND ok = GetDlgItem(box, IDOK), owner = GetWindow(box, GW_OWNER);
    if (!ok) throw Fail{"no OK button"};
    reachable(ok);
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(ok));
    return settle(owner ? owner : box), 0;
}

// Prints the text of a system-menu entry and chooses it; the menu is there
// while the window is shown. Wine gives no other process's menu, so the text
// is that of the string the entry is made of, read from the window's program.
int cmdSysMenu() {
    HWND d = dialog(2);
    if (!IsWindowVisible(d)) throw Fail{"refused: hidden"};
    char t[256] = {}, exe[MAX_PATH] = {};
    DWORD pid = 0, size = MAX_PATH;
    GetWindowThreadProcessId(d, &pid);
    HANDLE p = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
    HMODULE file = p && QueryFullProcessImageNameA(p, 0, exe, &size)
                       ? LoadLibraryExA(exe, nullptr, LOAD_LIBRARY_AS_DATAFILE) : nullptr;
    if (!file || !LoadStringA(file, static_cast<UINT>(num(4)), t, sizeof t)) throw Fail{"no such string"};
    FreeLibrary(file);
    CloseHandle(p);
    print(t);
    return posted(d, PostMessageA(d, WM_SYSCOMMAND, static_cast<WPARAM>(num(3)), 0) != 0);
}

// The bench has no notification area a user could click, so the driver stands
// in for the shell: "icon" asks whether the window's icon is there (1 or 0);
// a number is the mouse message the shell posts for the icon. The icon is there while the window is hidden or under a
// modal box, so nothing is refused.
int cmdTray() {
    HWND d = dialog(2);
    const std::string what = arg(3);
    NOTIFYICONDATAA nid{sizeof nid, d, 1};  // the icon's id
    if (what == "icon") return print(Shell_NotifyIconA(NIM_MODIFY, &nid) ? "1" : "0"), 0;  // modifies nothing
    return posted(d, PostMessageA(d, kTrayCallback, nid.uID, num(3)) != 0);
}

// A notification area that is not ready yet, as at logon before Explorer has
// its taskbar: shell32 hands every Shell_NotifyIcon to the first top-level
// "Shell_TrayWnd" it finds, and this one, topmost and so found before Wine's
// own, refuses them all for <ms>. Then it goes and announces the taskbar as a
// starting Explorer does. Prints "busy" once it refuses, and at the end how
// many requests it refused, so that the caller can tell the program retried.
int cmdBusyShell() {
    static long refused = 0;
    WNDCLASSW wc{0, [](HWND w, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
        return m == WM_COPYDATA ? (++refused, FALSE) : DefWindowProcW(w, m, wp, lp);
    }};
    wc.lpszClassName = L"Shell_TrayWnd";
    HWND fake = RegisterClassW(&wc) ? CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, wc.lpszClassName,
                                                      nullptr, WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr) : nullptr;
    if (!fake || FindWindowExW(nullptr, nullptr, wc.lpszClassName, nullptr) != fake) throw Fail{"no shell window"};
    print("busy");
    std::fflush(stdout);
    // The programs wait in SendMessage for the answer: take messages all along.
    for (const Deadline d{static_cast<DWORD>(num(2))}; d.left();) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, d.left(), QS_ALLINPUT);
        for (MSG msg; PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE);) DispatchMessageW(&msg);
    }
    DestroyWindow(fake);
    const bool ok = PostMessageW(HWND_BROADCAST, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0) != 0;
    return result(ok, "ready " + std::to_string(refused), "failed");
}

// The time the program last gave its wake timer, in seconds since 1970, or "none".
int cmdWake() {
    const auto ms = static_cast<long long>(send(dialog(2), kWakeDue, 0, 0, "reading the wake time"));
    return print(ms ? std::to_string(ms / 1000) : "none"), 0;
}

// Repaints the window that often, as windows moved over it make it do, then
// prints the program's own count of its live fonts, brushes and device
// contexts (under Wine GetGuiResources answers 0).
int cmdGdi() {
    HWND d = dialog(2);
    for (long i = opt(3) ? num(3) : 0; i > 0; --i)
        if (!RedrawWindow(d, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW)) throw Fail{"no repaint"};
    const DWORD_PTR n = send(d, kGdiCount, 0, 0, "reading the GDI count");
    return print(join({static_cast<long>(n & 0xFF), static_cast<long>(n >> 8 & 0xFF), static_cast<long>(n >> 16)})), 0;
}

// WM_DPICHANGED as Windows sends it when the window moves to a screen of
// that DPI, without the suggested rectangle: a pointer cannot cross processes.
int cmdDpiChanged() {
    const auto dpi = static_cast<WORD>(num(3));
    return send(dialog(2), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), 0, "WM_DPICHANGED"), print("ok"), 0;
}

// Holds a file open without sharing, as another program can: every open by
// someone else fails meanwhile.
// Without sharing, as a virus scanner may; "read": reading, sharing both ways, as a sync client.
int cmdHold() {
    const bool read = g_argc > 4 && std::string(arg(4)) == "read";
    HANDLE h = CreateFileA(arg(2), read ? GENERIC_READ : GENERIC_READ | GENERIC_WRITE,
                           read ? FILE_SHARE_READ | FILE_SHARE_WRITE : 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) throw Fail{"failed"};
    print("held");
    std::fflush(stdout);
    Sleep(static_cast<DWORD>(num(3)));
    return CloseHandle(h), 0;
}

// What a screen reader announces for a control: its accessible object's name,
// as Microsoft Active Accessibility hands it out.
int cmdAccName() {
    HWND c = control(dialog(2), 3);
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IAccessible* acc = nullptr;
    const HRESULT got = AccessibleObjectFromWindow(c, OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(&acc));
    if (FAILED(got) || !acc) throw Fail{"no accessible object: " + hex(got)};
    VARIANT self;
    VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    const HRESULT hr = acc->get_accName(self, &name);
    acc->Release();
    std::string out;
    if (hr == S_OK && name) {
        const int n = static_cast<int>(SysStringLen(name));
        out.resize(static_cast<size_t>(n) * 2);
        out.resize(static_cast<size_t>(WideCharToMultiByte(CP_ACP, 0, name, n, out.data(), n * 2, nullptr, nullptr)));
    }
    SysFreeString(name);
    return hr == S_OK ? (print(out), 0) : (print("no name"), 1);
}

// The benchmarks' commands (start-timed, wait-exit, pointer, winrect, clocklag).
#include "bench/driver_commands.h"

const std::map<std::string, int (*)()> kCommands = {
    {"wait-window", cmdWaitWindow}, {"wait-gone", cmdWaitGone}, {"dump", cmdDump}, {"fits", cmdFits},
    {"settext", cmdSetText}, {"click", cmdClick}, {"esc", cmdEsc}, {"answer", cmdAnswer}, {"sysmenu", cmdSysMenu},
    {"tray", cmdTray}, {"gdi", cmdGdi}, {"hold", cmdHold}, {"busyshell", cmdBusyShell}, {"wake", cmdWake}, {"dpichanged", cmdDpiChanged},
    {"accname", cmdAccName}, {"start-timed", cmdStartTimed},
    {"wait-exit", cmdWaitExit}, {"pointer", cmdPointer}, {"winrect", cmdWinRect}, {"clocklag", cmdClockLag}};

}  // namespace

// The commands and their arguments are listed in e2e/README.md.
int main(int argc, char** argv) {
    _setmode(_fileno(stdout), _O_BINARY);  // texts byte for byte, no CR in the lines
    g_argc = argc;
    g_argv = argv;
    const auto c = kCommands.find(argc > 1 ? argv[1] : "");
    int rc = 2;
    try {
        rc = c != kCommands.end() ? c->second() : throw Fail{"usage: hvdriver <command> ... (see e2e/README.md)", 2};
    } catch (const Fail& f) {
        print(f.what);
        rc = f.code;
    }
    std::fflush(stdout);
    return rc;
}
