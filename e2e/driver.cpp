// hvdriver: works a running Horovant from outside, as a user would (or the
// shell on the user's behalf, for the notification-area icon), for the
// end-to-end tests. Every subcommand prints its result on stdout and exits
// with 0 on success, 1 on failure, refusal or an expired wait, 2 on a usage
// error and 3 when the target did not answer a message in time. Nothing
// waits without a limit: messages go out with SendMessageTimeout, clicks that
// may open a modal box are posted, and every wait has a timeout. A posted
// click, key or shell message has been handled by the program when the
// command returns.
// What a user cannot do is refused ("refused: disabled"), never done anyway:
// no click on a disabled or hidden control, no typing into a read-only edit.
#include <fcntl.h>
#include <io.h>
#include <windows.h>
// After <windows.h>, which it needs.
#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

// Generous: a busy machine may answer late, and a late answer must not pass
// for an empty one. A hung target is still given up on (SMTO_ABORTIFHUNG).
constexpr UINT kSendTimeoutMs = 10000;
constexpr DWORD kPollMs = 50;
constexpr int kMessageBoxTextId = 0xFFFF;

std::string className(HWND w) {
    char buf[257] = {};  // class names are limited to 256 characters
    GetClassNameA(w, buf, sizeof buf);
    return buf;
}

// Caption of a top-level window; read from the window manager, so a hung
// target cannot block us.
std::string caption(HWND w) {
    std::string s(static_cast<size_t>(GetWindowTextLengthA(w)) + 1, '\0');
    s.resize(static_cast<size_t>(GetWindowTextA(w, s.data(), static_cast<int>(s.size()))));
    return s;
}

// A message the target did not answer: an error of its own, never a value.
// Thrown out of the command and reported by main.
struct SendFailure {
    std::string action;  // "reading text of Edit 1017"
    bool timedOut;
};

// Sends a message to another process's window and returns its answer; throws
// SendFailure when there is none. Wide sends the Unicode form of the message.
DWORD_PTR send(HWND w, UINT msg, WPARAM wp, LPARAM lp, const std::string& action, bool wide = false) {
    DWORD_PTR result = 0;
    SetLastError(ERROR_SUCCESS);
    const auto sendTimeout = wide ? &SendMessageTimeoutW : &SendMessageTimeoutA;
    if (sendTimeout(w, msg, wp, lp, SMTO_ABORTIFHUNG, kSendTimeoutMs, &result)) return result;
    const DWORD error = GetLastError();
    // A hung target is given up on at once, with ERROR_TIMEOUT or no code at all.
    throw SendFailure{action, error == ERROR_TIMEOUT || error == ERROR_SUCCESS};
}

std::string describe(HWND w) { return className(w) + " " + std::to_string(GetDlgCtrlID(w)); }

// Text of a control of another process, through WM_GETTEXT, in the ANSI
// code page as the program sees it. Read in UTF-16 and converted here:
// Wine answers an ANSI WM_GETTEXTLENGTH with a second, untimed send of
// WM_GETTEXT, which never returns from a target that stopped answering.
std::string controlText(HWND w) {
    const std::string action = "reading text of " + describe(w);
    const DWORD_PTR len = send(w, WM_GETTEXTLENGTH, 0, 0, action, true);
    std::wstring wide(len + 1, L'\0');
    const DWORD_PTR got = send(w, WM_GETTEXT, wide.size(), reinterpret_cast<LPARAM>(wide.data()), action, true);
    wide.resize(got < wide.size() ? got : wide.size() - 1);
    if (wide.empty()) return {};
    const int n = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr,
                                      nullptr);
    std::string s(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), s.data(), n, nullptr, nullptr);
    return s;
}

int checkState(HWND w) { return static_cast<int>(send(w, BM_GETCHECK, 0, 0, "reading check of " + describe(w))); }

std::vector<HWND> children(HWND dlg) {
    std::vector<HWND> v;
    for (HWND c = GetWindow(dlg, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) v.push_back(c);
    return v;
}

bool isDialog(HWND w) { return className(w) == "#32770"; }

// A message box is a small dialog whose text is the static control 0xFFFF.
bool isMessageBox(HWND w) {
    if (!isDialog(w)) return false;
    auto kids = children(w);
    if (kids.size() > 10) return false;
    for (HWND c : kids)
        if (GetDlgCtrlID(c) == kMessageBoxTextId && className(c) == "Static") return true;
    return false;
}

std::vector<HWND> topLevelWindows() {
    std::vector<HWND> v;
    EnumWindows(
        [](HWND w, LPARAM p) -> BOOL {
            try {  // no exception may cross the callback
                reinterpret_cast<std::vector<HWND>*>(p)->push_back(w);
                return TRUE;
            } catch (...) {
                return FALSE;
            }
        },
        reinterpret_cast<LPARAM>(&v));
    return v;
}

// The dialog with this caption. Message boxes carry the program's name as
// their caption too, so they never count as the dialog.
HWND findDialog(const std::string& title) {
    for (HWND w : topLevelWindows())
        if (isDialog(w) && caption(w) == title && !isMessageBox(w)) return w;
    return nullptr;
}

HWND findMessageBox() {
    for (HWND w : topLevelWindows())
        if (isMessageBox(w) && IsWindowVisible(w)) return w;
    return nullptr;
}

class Deadline {
public:
    explicit Deadline(DWORD ms) : m_ms(ms) {}
    DWORD left() const {
        const DWORD spent = GetTickCount() - m_start;
        return spent >= m_ms ? 0 : m_ms - spent;
    }

private:
    DWORD m_start = GetTickCount();
    DWORD m_ms;
};

template <class Pred>
bool waitFor(const Deadline& deadline, Pred done, DWORD pollMs = kPollMs) {
    for (;;) {
        if (done()) return true;
        if (!deadline.left()) return false;
        Sleep(pollMs);
    }
}

// Tabs and line breaks would break the one-line-per-control output.
std::string escaped(const std::string& s) {
    std::string out;
    for (char c : s) {
        switch (c) {
            case '\\':
                out += "\\\\";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\n':
                out += "\\n";
                break;
            default:
                out += c;
        }
    }
    return out;
}

void print(const std::string& s) {
    std::fwrite(s.data(), 1, s.size(), stdout);
    std::fputc('\n', stdout);
}

std::string hex(LONG bits) {
    char buf[12];  // eight hex digits
    std::snprintf(buf, sizeof buf, "%08lx", static_cast<unsigned long>(bits));
    return buf;
}

long parseNumber(const char* s) { return std::strtol(s, nullptr, 0); }

struct Args {
    int argc;
    char** argv;
    const char* at(int i) const { return i < argc ? argv[i] : nullptr; }
};

struct Usage {};

const char* need(const Args& a, int i) {
    if (const char* s = a.at(i)) return s;
    throw Usage{};
}

struct OwnedHandle {
    HANDLE h;
    explicit OwnedHandle(HANDLE handle) : h(handle) {}
    OwnedHandle(const OwnedHandle&) = delete;
    OwnedHandle& operator=(const OwnedHandle&) = delete;
    ~OwnedHandle() {
        if (h) CloseHandle(h);
    }
};

// Looks the dialog up, and the control if an id is given; reports what is missing.
struct Target {
    HWND dlg = nullptr;
    HWND ctl = nullptr;
};

bool resolve(const Args& a, bool withControl, Target& t) {
    t.dlg = findDialog(need(a, 2));
    if (!t.dlg) {
        print(std::string("no window ") + a.argv[2]);
        return false;
    }
    if (!withControl) return true;
    t.ctl = GetDlgItem(t.dlg, static_cast<int>(parseNumber(need(a, 3))));
    if (!t.ctl) {
        print(std::string("no control ") + a.argv[3]);
        return false;
    }
    return true;
}

// Why a user could not reach this window with mouse or keyboard, or nullptr
// if one could: it and its dialog must be shown, not minimised, and neither
// it nor any window it lies in disabled (a dialog under a modal box is).
const char* unreachable(HWND w) {
    if (!IsWindowVisible(w)) return "hidden";  // also when a parent is hidden
    if (IsIconic(GetAncestor(w, GA_ROOT))) return "minimized";
    for (HWND p = w; p; p = (GetWindowLongA(p, GWL_STYLE) & WS_CHILD) ? GetParent(p) : nullptr)
        if (!IsWindowEnabled(p)) return "disabled";
    return nullptr;
}

// Prints the refusal when the window is out of a user's reach.
bool refuseUnreachable(HWND w) {
    const char* why = unreachable(w);
    if (why) print(std::string("refused: ") + why);
    return why != nullptr;
}

// Waits until the target's thread has fetched our posted messages: a sent
// message is handled only where the thread fetches messages, and it fetches
// a posted one at the latest on the way back from the first answer, so when
// the second answer comes the posted input has been handled (or a modal box
// it opened is running). No answer (the window went, the thread is busy)
// leaves the caller to look at what happened.
void settle(HWND w) {
    for (int i = 0; i < 2; ++i) {
        DWORD_PTR r = 0;
        if (!SendMessageTimeoutA(w, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &r)) return;
    }
}

// The end of a command that posted input: once the program has taken it,
// "ok"; "failed" when it could not be posted.
int posted(bool ok, HWND dlg) {
    if (ok) settle(dlg);
    print(ok ? "ok" : "failed");
    return ok ? 0 : 1;
}

// Per-1000 scale from dialog units to pixels. The dialog's own mapping is
// exact, but Wine refuses MapDialogRect on another process's window; then the
// client area against the template's size (when given) gives the same ratio.
bool dialogScale(HWND dlg, long templateCx, long templateCy, RECT& scale) {
    scale = RECT{0, 0, 1000, 1000};
    if (MapDialogRect(dlg, &scale)) return true;
    RECT client{};
    if (templateCx <= 0 || templateCy <= 0 || !GetClientRect(dlg, &client)) return false;
    scale = RECT{0, 0, client.right * 1000 / templateCx, client.bottom * 1000 / templateCy};
    return scale.right > 0 && scale.bottom > 0;
}

// A control's rectangle in dialog units, relative to the dialog's client area.
RECT dialogUnits(HWND dlg, HWND ctl, const RECT& scale) {
    RECT r{};
    GetWindowRect(ctl, &r);
    MapWindowPoints(nullptr, dlg, reinterpret_cast<POINT*>(&r), 2);
    auto du = [](LONG px, LONG per1000) { return static_cast<LONG>((px * 1000L + per1000 / 2) / per1000); };
    return RECT{du(r.left, scale.right), du(r.top, scale.bottom), du(r.right - r.left, scale.right),
                du(r.bottom - r.top, scale.bottom)};
}

// The dialog (of the given process, if any) with the control, ready for use:
// the dialog and its controls exist before WM_INITDIALOG has run; only once
// its thread answers a message is the initialisation over.
// The answer is awaited no longer than the caller's wait lasts.
bool windowReady(const std::string& title, const char* idArg, const Deadline& deadline, DWORD processId = 0) {
    HWND d = findDialog(title);
    if (!d) return false;
    DWORD owner = 0;
    GetWindowThreadProcessId(d, &owner);
    if (processId && owner != processId) return false;
    if (idArg && !GetDlgItem(d, static_cast<int>(parseNumber(idArg)))) return false;
    DWORD_PTR r = 0;
    const DWORD left = deadline.left();
    return SendMessageTimeoutA(d, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, left ? left : 1, &r) != 0;
}

int cmdWaitWindow(const Args& a) {
    const std::string title = need(a, 2);
    const Deadline deadline(static_cast<DWORD>(parseNumber(need(a, 3))));
    bool ok = waitFor(deadline, [&] { return windowReady(title, a.at(4), deadline); });
    print(ok ? "found" : "timeout");
    return ok ? 0 : 1;
}

// Starts a program in its own folder and prints the milliseconds until its
// window is ready; the program keeps running.
int cmdStartTimed(const Args& a) {
    const std::string exe = need(a, 2), title = need(a, 3);
    const Deadline deadline(static_cast<DWORD>(parseNumber(need(a, 4))));
    const std::string folder = exe.substr(0, exe.find_last_of('\\') + 1);
    std::string cmdLine = "\"" + exe + "\"";
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    LARGE_INTEGER freq, t0, t1;
    QueryPerformanceFrequency(&freq);
    QueryPerformanceCounter(&t0);
    if (!CreateProcessA(exe.c_str(), cmdLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &si, &pi))
        return print("cannot start " + exe), 1;
    const OwnedHandle process{pi.hProcess}, thread{pi.hThread};
    // Fine polling: the result is a measurement.
    bool ok = waitFor(
        deadline, [&] { return windowReady(title, a.at(5), deadline, pi.dwProcessId); }, 2);
    QueryPerformanceCounter(&t1);
    if (!ok) return print("timeout"), 1;
    print(std::to_string((t1.QuadPart - t0.QuadPart) * 1000 / freq.QuadPart));
    return 0;
}

int cmdWaitGone(const Args& a) {
    const std::string title = need(a, 2);
    bool ok = waitFor(Deadline(static_cast<DWORD>(parseNumber(need(a, 3)))), [&] { return !findDialog(title); });
    print(ok ? "gone" : "timeout");
    return ok ? 0 : 1;
}

// Whether a process of this program file (bare name) runs. A process can
// outlive its window for a while; a failed snapshot counts as still running.
bool processRunning(const std::string& exeName) {
    HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snap == INVALID_HANDLE_VALUE) return true;
    const OwnedHandle held{snap};
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snap, &entry); more; more = Process32Next(snap, &entry))
        if (lstrcmpiA(entry.szExeFile, exeName.c_str()) == 0) return true;
    return false;
}

int cmdWaitExit(const Args& a) {
    const std::string exe = need(a, 2);
    bool ok = waitFor(Deadline(static_cast<DWORD>(parseNumber(need(a, 3)))), [&] { return !processRunning(exe); });
    print(ok ? "exited" : "timeout");
    return ok ? 0 : 1;
}

// One line per control. Printed only when every control has answered: a
// read that fails fails the whole dump.
int cmdDump(const Args& a) {
    Target t;
    if (!resolve(a, false, t)) return 1;
    RECT scale{};
    const bool scaled =
        dialogScale(t.dlg, a.at(3) ? parseNumber(a.at(3)) : 0, a.at(4) ? parseNumber(a.at(4)) : 0, scale);
    std::vector<std::string> lines;
    for (HWND c : children(t.dlg)) {
        const std::string cls = className(c);
        const std::string check = cls == "Button" ? std::to_string(checkState(c)) : "-";
        const RECT du = scaled ? dialogUnits(t.dlg, c, scale) : RECT{-1, -1, -1, -1};
        const std::string fields[] = {
            std::to_string(GetDlgCtrlID(c)),
            escaped(cls),
            hex(GetWindowLongA(c, GWL_STYLE)),
            hex(GetWindowLongA(c, GWL_EXSTYLE)),
            IsWindowEnabled(c) ? "1" : "0",
            IsWindowVisible(c) ? "1" : "0",
            check,
            std::to_string(du.left) + "," + std::to_string(du.top) + "," + std::to_string(du.right) + "," +
                std::to_string(du.bottom),
            escaped(controlText(c)),
        };
        std::string line;
        for (const std::string& f : fields) line += (line.empty() ? "" : "\t") + f;
        lines.push_back(line);
    }
    for (const std::string& line : lines) print(line);
    return 0;
}

int cmdText(const Args& a) {
    Target t;
    if (!resolve(a, true, t)) return 1;
    print(controlText(t.ctl));
    return 0;
}

// Only where a user can type: a shown, enabled edit that is not read-only.
int cmdSetText(const Args& a) {
    Target t;
    if (!resolve(a, true, t)) return 1;
    if (refuseUnreachable(t.ctl)) return 1;
    if (className(t.ctl) != "Edit") return print("refused: not an edit"), 1;
    if (GetWindowLongA(t.ctl, GWL_STYLE) & ES_READONLY) return print("refused: read-only"), 1;
    const LPARAM text = reinterpret_cast<LPARAM>(need(a, 4));
    bool ok = send(t.ctl, WM_SETTEXT, 0, text, "setting text of " + describe(t.ctl)) != 0;
    print(ok ? "ok" : "failed");
    return ok ? 0 : 1;
}

// Posted, not sent: the click may open a modal box, which would block a send.
int cmdClick(const Args& a) {
    Target t;
    if (!resolve(a, true, t)) return 1;
    if (refuseUnreachable(t.ctl)) return 1;
    const WPARAM wp = MAKEWPARAM(GetDlgCtrlID(t.ctl), BN_CLICKED);
    bool ok = PostMessageA(t.dlg, WM_COMMAND, wp, reinterpret_cast<LPARAM>(t.ctl)) != 0;
    return posted(ok, t.dlg);
}

// A press with the mouse: BM_CLICK, as the button takes it, gives the
// button the focus before it reports the click. Posted, as a click is.
int cmdPress(const Args& a) {
    Target t;
    if (!resolve(a, true, t)) return 1;
    if (refuseUnreachable(t.ctl)) return 1;
    if (className(t.ctl) != "Button") return print("refused: not a button"), 1;
    return posted(PostMessageA(t.ctl, BM_CLICK, 0, 0) != 0, t.dlg);
}

int cmdCheck(const Args& a) {
    Target t;
    if (!resolve(a, true, t)) return 1;
    print(std::to_string(checkState(t.ctl)));
    return 0;
}

int cmdEnabled(const Args& a) {
    Target t;
    if (!resolve(a, true, t)) return 1;
    print(IsWindowEnabled(t.ctl) ? "1" : "0");
    return 0;
}

// The input state of the window's thread: focus and active window.
bool threadInput(HWND w, GUITHREADINFO& gti) {
    gti = GUITHREADINFO{};
    gti.cbSize = sizeof gti;
    return GetGUIThreadInfo(GetWindowThreadProcessId(w, nullptr), &gti) != FALSE;
}

HWND focusedWindow(HWND dlg) {
    GUITHREADINFO gti;
    return threadInput(dlg, gti) ? gti.hwndFocus : nullptr;
}

// Id of the focused control, 0 when the focus is on no control of the dialog.
int cmdFocus(const Args& a) {
    Target t;
    if (!resolve(a, false, t)) return 1;
    HWND f = focusedWindow(t.dlg);
    while (f && GetParent(f) && GetParent(f) != t.dlg) f = GetParent(f);  // e.g. a combo's edit
    print(std::to_string(f && GetParent(f) == t.dlg ? GetDlgCtrlID(f) : 0));
    return 0;
}

struct KeyCode {
    const char* name;
    UINT vk;
    UINT scan;
};

const KeyCode kKeys[] = {{"esc", VK_ESCAPE, 0x01}, {"enter", VK_RETURN, 0x1C}};

const KeyCode& keyCode(const std::string& name) {
    for (const KeyCode& k : kKeys)
        if (name == k.name) return k;
    throw Usage{};
}

// Posts a key press and release as the system does: repeat count 1, the scan
// code, bit 29 (Alt) clear; the release also has bits 30 and 31.
bool postKey(HWND to, UINT down, UINT up, const KeyCode& key) {
    const LPARAM pressed = 1 | (static_cast<LPARAM>(key.scan) << 16);
    const LPARAM released = pressed | (1L << 30) | (1L << 31);
    return PostMessageA(to, down, key.vk, pressed) && PostMessageA(to, up, key.vk, released);
}

// A key goes where Windows sends it, so that the program's own loop has to
// turn it into a dialog command (IsDialogMessage), as with a real key press:
// to the focused window. When the thread has no focus window at all, Windows
// sends it to the active window as a system key (WM_SYSKEYDOWN without Alt),
// which IsDialogMessage leaves alone for Esc and Enter: a program that leaves
// the focus nowhere does not react to them, and neither does it here. The
// dialog stands for the active window: a user would have activated it.
int cmdKey(const Args& a) {
    Target t;
    if (!resolve(a, false, t)) return 1;
    if (refuseUnreachable(t.dlg)) return 1;
    const KeyCode& key = keyCode(need(a, 3));
    // Windows routes a key to the focus window of the moment the program
    // reads it. Read from outside, the focus can be missing for an instant
    // inside a handler (a field disabled, its successor not yet focused):
    // only a focus missing once the program is idle counts as none.
    HWND f = nullptr;
    for (int attempt = 0; attempt < 3 && !f; ++attempt) {
        if (attempt) settle(t.dlg);
        GUITHREADINFO gti;
        if (!threadInput(t.dlg, gti)) return print("failed reading the focus"), 1;
        f = gti.hwndFocus;
    }
    bool ok = false;
    if (!f)
        ok = postKey(t.dlg, WM_SYSKEYDOWN, WM_SYSKEYUP, key);
    else if (f == t.dlg || IsChild(t.dlg, f))
        ok = postKey(f, WM_KEYDOWN, WM_KEYUP, key);
    else
        return print("refused: focus elsewhere"), 1;  // the key would reach that window
    return posted(ok, t.dlg);
}

int cmdMsgBox(const Args& a) {
    HWND box = nullptr;
    bool ok = waitFor(Deadline(static_cast<DWORD>(parseNumber(need(a, 2)))),
                      [&] { return (box = findMessageBox()) != nullptr; });
    if (!ok) return print("no message box"), 1;
    print(escaped(caption(box)) + "\t" + escaped(controlText(GetDlgItem(box, kMessageBoxTextId))));
    return 0;
}

// Answers the open message box with a button id (IDOK unless given).
int cmdMsgBoxOk(const Args& a) {
    HWND box = findMessageBox();
    if (!box) return print("no message box"), 1;
    const int id = a.at(2) ? static_cast<int>(parseNumber(a.at(2))) : IDOK;
    HWND button = GetDlgItem(box, id);
    if (!button) return print("no button " + std::to_string(id)), 1;
    if (refuseUnreachable(button)) return 1;
    bool ok =
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button)) != 0;
    print(ok ? "ok" : "failed");
    return ok ? 0 : 1;
}

// The system menu is there while the window is shown, even under a modal box.
int cmdSysCommand(const Args& a) {
    Target t;
    if (!resolve(a, false, t)) return 1;
    if (!IsWindowVisible(t.dlg)) return print("refused: hidden"), 1;
    bool ok = PostMessageA(t.dlg, WM_SYSCOMMAND, static_cast<WPARAM>(parseNumber(need(a, 3))), 0) != 0;
    print(ok ? "ok" : "failed");
    return ok ? 0 : 1;
}

// What the shell posts to the program when the user works its notification-
// area icon: the callback message with the icon's id and the mouse message.
constexpr UINT kTrayCallbackMessage = WM_APP + 100;
constexpr WPARAM kTrayIconId = 1;

// The driver stands in for the shell's icon here, because the test bench has
// no notification area a user could click. The icon is there while the
// window is hidden, and the shell takes clicks on it while a modal box is
// open, so neither is refused.
int cmdTrayNotify(const Args& a) {
    Target t;
    if (!resolve(a, false, t)) return 1;
    const LPARAM mouse = parseNumber(need(a, 3));
    bool ok = PostMessageA(t.dlg, kTrayCallbackMessage, kTrayIconId, mouse) != 0;
    return posted(ok, t.dlg);
}

// What Explorer broadcasts when it starts again, to every top-level window,
// hidden ones too: a program puts its icon back then.
int cmdTaskbarCreated(const Args& a) {
    Target t;
    if (!resolve(a, false, t)) return 1;
    const UINT msg = RegisterWindowMessageA("TaskbarCreated");
    bool ok = msg && PostMessageA(t.dlg, msg, 0, 0);
    return posted(ok, t.dlg);
}

// Positions and sizes in screen pixels, also of a hidden window: the program
// paints at fixed places of its client area, and pictures are cut from the
// screen by them.
int cmdOrigin(const Args& a) {
    Target t;
    if (!resolve(a, false, t)) return 1;
    POINT p{0, 0};
    if (!ClientToScreen(t.dlg, &p)) return print("failed"), 1;
    print(std::to_string(p.x) + " " + std::to_string(p.y));
    return 0;
}

// The window with its frame. Under Windows' desktop composition the
// rectangle can also hold invisible resize borders; the test bench has none.
int cmdWinRect(const Args& a) {
    Target t;
    if (!resolve(a, false, t)) return 1;
    RECT r{};
    if (!GetWindowRect(t.dlg, &r)) return print("failed"), 1;
    print(std::to_string(r.left) + " " + std::to_string(r.top) + " " + std::to_string(r.right - r.left) + " " +
          std::to_string(r.bottom - r.top));
    return 0;
}

int cmdWinStyle(const Args& a) {
    Target t;
    if (!resolve(a, false, t)) return 1;
    print(hex(GetWindowLongA(t.dlg, GWL_STYLE)) + "\t" + hex(GetWindowLongA(t.dlg, GWL_EXSTYLE)));
    return 0;
}

int cmdVisible(const Args& a) {
    Target t;
    if (!resolve(a, false, t)) return 1;
    print(IsWindowVisible(t.dlg) ? "1" : "0");
    return 0;
}

int cmdExists(const Args& a) {
    bool found = findDialog(need(a, 2)) != nullptr;
    print(found ? "1" : "0");
    return found ? 0 : 1;
}

// --- whether the captions fit their controls --------------------------------

// The template's FONT line. Wine does not answer WM_GETFONT for another
// process's window, so the font is made here as the dialog manager makes it.
constexpr int kTemplatePointSize = 8;
// Room a push button's border and focus rectangle take on each side.
constexpr LONG kPushButtonBorder = 3;
// Gap between a check box's or radio button's box and its text.
constexpr LONG kBoxTextGap = 4;
// Width of that box at 96 DPI.
constexpr int kBoxWidth96 = 13;

// With DS_SHELLFONT, Windows takes "MS Shell Dlg 2" (Tahoma) for the
// template's "MS Shell Dlg", else Microsoft Sans Serif. Wine keeps "MS Shell
// Dlg" and substitutes Tahoma for both names; on the test bench it finds no
// Tahoma and takes Liberation Sans, for the dialog and here alike.
const char* dialogFace(HWND dlg) {
    return (GetWindowLongA(dlg, GWL_STYLE) & DS_SHELLFONT) == DS_SHELLFONT ? "MS Shell Dlg 2" : "MS Shell Dlg";
}

// A screen DC with the dialog's font at the screen's DPI selected.
class MeasureDc {
public:
    explicit MeasureDc(const char* face) {
        if (!m_dc) return;
        const int height = -MulDiv(kTemplatePointSize, GetDeviceCaps(m_dc, LOGPIXELSY), 72);
        m_font = CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, PROOF_QUALITY, FF_DONTCARE, face);
        if (m_font) m_old = SelectObject(m_dc, m_font);
    }
    MeasureDc(const MeasureDc&) = delete;
    MeasureDc& operator=(const MeasureDc&) = delete;
    ~MeasureDc() {
        if (m_old) SelectObject(m_dc, m_old);
        if (m_font) DeleteObject(m_font);
        if (m_dc) ReleaseDC(nullptr, m_dc);
    }
    bool ok() const { return m_old != nullptr; }
    HDC dc() const { return m_dc; }

private:
    HDC m_dc = GetDC(nullptr);
    HFONT m_font = nullptr;
    HGDIOBJ m_old = nullptr;
};

// The font's dialog base units as the dialog manager reckons them: the mean
// width of the 52 letters, rounded, and the character height.
SIZE baseUnits(HDC dc) {
    static const char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    SIZE s{};
    GetTextExtentPoint32A(dc, kLetters, 52, &s);
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    return SIZE{(s.cx / 26 + 1) / 2, tm.tmHeight};
}

std::string pixels(LONG cx, LONG cy) { return std::to_string(cx) + " x " + std::to_string(cy); }

// Empty when the font gives the dialog its real client size from the
// template's size, else what differs: then every measurement would be off.
std::string fontMismatch(HWND dlg, HDC dc, const char* face, long templateCx, long templateCy) {
    const SIZE base = baseUnits(dc);
    const LONG cx = MulDiv(templateCx, base.cx, 4), cy = MulDiv(templateCy, base.cy, 8);
    RECT client{};
    GetClientRect(dlg, &client);
    if (std::labs(client.right - cx) <= 1 && std::labs(client.bottom - cy) <= 1) return {};
    return std::string("font '") + face + "' " + std::to_string(kTemplatePointSize) + " pt makes the client area " +
           pixels(cx, cy) + ", it is " + pixels(client.right, client.bottom);
}

bool isClass(HWND w, const char* name) { return lstrcmpiA(className(w).c_str(), name) == 0; }

// Where a control lays its caption out: the room in pixels, whether the text
// wraps there, and whether '&' marks a mnemonic (and is not shown).
struct CaptionRoom {
    SIZE size;
    bool wraps;
    bool prefix;
};

// The box of a check box or radio button. Windows draws it as wide as
// SM_CXMENUCHECK says; Wine draws 13 px at 96 DPI while its SM_CXMENUCHECK
// follows the menu font (11 px on the test bench).
LONG boxWidth(HDC dc) {
    return std::max(GetSystemMetrics(SM_CXMENUCHECK), MulDiv(kBoxWidth96, GetDeviceCaps(dc, LOGPIXELSX), 96));
}

// False for controls that show no caption text: group boxes (their caption
// is drawn over the frame), edits, pictures, owner-drawn ones.
bool captionRoom(HWND c, LONG box, CaptionRoom& room) {
    RECT r{};
    GetWindowRect(c, &r);
    const LONG cx = r.right - r.left, cy = r.bottom - r.top;
    const LONG style = GetWindowLongA(c, GWL_STYLE);
    if (isClass(c, "Static")) {
        const LONG type = style & SS_TYPEMASK;
        // Windows wraps SS_LEFT, SS_CENTER and SS_RIGHT text at word breaks.
        const bool wraps = type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT;
        if (!wraps && type != SS_LEFTNOWORDWRAP && type != SS_SIMPLE) return false;
        room = CaptionRoom{SIZE{cx, cy}, wraps, !(style & SS_NOPREFIX)};
        return true;
    }
    if (!isClass(c, "Button") || (style & (BS_BITMAP | BS_ICON))) return false;
    const bool wraps = (style & BS_MULTILINE) != 0;
    const SIZE pushRoom{cx - 2 * kPushButtonBorder, cy - 2 * kPushButtonBorder};
    const SIZE boxRoom{cx - box - kBoxTextGap, cy};
    switch (style & BS_TYPEMASK) {
        case BS_PUSHBUTTON:
        case BS_DEFPUSHBUTTON:
        case BS_PUSHBOX:
            room = CaptionRoom{pushRoom, wraps, true};
            return true;
        case BS_CHECKBOX:
        case BS_AUTOCHECKBOX:
        case BS_3STATE:
        case BS_AUTO3STATE:
        case BS_RADIOBUTTON:
        case BS_AUTORADIOBUTTON:
            room = CaptionRoom{(style & BS_PUSHLIKE) ? pushRoom : boxRoom, wraps, true};
            return true;
        default:
            return false;
    }
}

// The text as shown: "&&" is one '&', a single '&' underlines the next letter.
std::string withoutPrefixes(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && ++i == text.size()) break;
        out += text[i];
    }
    return out;
}

// The size the caption takes: wrapped at the room's width, or on one line.
SIZE captionNeeds(HDC dc, const std::string& text, const CaptionRoom& room) {
    if (room.wraps) {
        RECT r{0, 0, room.size.cx > 0 ? room.size.cx : 1, 0};
        const UINT format = DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | (room.prefix ? 0 : DT_NOPREFIX);
        DrawTextA(dc, text.data(), static_cast<int>(text.size()), &r, format);
        return SIZE{r.right - r.left, r.bottom - r.top};
    }
    const std::string shown = room.prefix ? withoutPrefixes(text) : text;
    SIZE s{};
    GetTextExtentPoint32A(dc, shown.data(), static_cast<int>(shown.size()), &s);
    return s;
}

// Every caption of the dialog in its font at the current DPI; one line per
// control whose caption does not fit ("has" is the room for the text). With
// the template's size, first checks that the font is the dialog's.
int cmdFits(const Args& a) {
    Target t;
    if (!resolve(a, false, t)) return 1;
    const char* face = dialogFace(t.dlg);
    const MeasureDc m(face);
    if (!m.ok()) return print(std::string("failed making the font ") + face), 1;
    std::vector<std::string> misfits;
    if (a.at(3)) {
        std::string wrong = fontMismatch(t.dlg, m.dc(), face, parseNumber(a.at(3)), parseNumber(need(a, 4)));
        if (!wrong.empty()) misfits.push_back(wrong);
    }
    const LONG box = boxWidth(m.dc());
    for (HWND c : children(t.dlg)) {
        CaptionRoom room;
        if (!captionRoom(c, box, room)) continue;
        const std::string text = controlText(c);
        if (text.empty()) continue;
        const SIZE needs = captionNeeds(m.dc(), text, room);
        if (needs.cx <= room.size.cx && needs.cy <= room.size.cy) continue;
        misfits.push_back(std::to_string(GetDlgCtrlID(c)) + " " + className(c) + " '" + escaped(text) + "' needs " +
                          pixels(needs.cx, needs.cy) + ", has " + pixels(room.size.cx, room.size.cy));
    }
    for (const std::string& line : misfits) print(line);
    if (misfits.empty()) print("all fit");
    return misfits.empty() ? 0 : 1;
}

// Holds a file open without sharing, as another program can, for the given
// time: every open by someone else fails meanwhile.
int cmdHold(const Args& a) {
    const std::string path = need(a, 2);
    const DWORD ms = static_cast<DWORD>(parseNumber(need(a, 3)));
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return print("failed"), 1;
    print("held");
    std::fflush(stdout);
    Sleep(ms);
    CloseHandle(h);
    return 0;
}

// Moves the mouse pointer to a screen point, as a user moves it off a
// window. While it rests over a control that tracks it, Wine polls it with
// a 10 ms system timer, which an idle measurement must not count.
int cmdPointer(const Args& a) {
    const int x = static_cast<int>(parseNumber(need(a, 2))), y = static_cast<int>(parseNumber(need(a, 3)));
    bool ok = SetCursorPos(x, y) != 0;
    print(ok ? "ok" : "failed");
    return ok ? 0 : 1;
}

// --- how late the clock shows a new second ---------------------------------

// The wall clock in 100 ns steps since 1601, as finely as the system reads
// it: the precise form where there is one (Windows 8 on, Wine), else the
// value of the last clock interrupt.
ULONGLONG wallClock() {
    using Reader = VOID(WINAPI*)(LPFILETIME);
    static const Reader read = [] {
        const FARPROC p = GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetSystemTimePreciseAsFileTime");
        return p ? reinterpret_cast<Reader>(reinterpret_cast<void*>(p)) : &GetSystemTimeAsFileTime;
    }();
    FILETIME ft{};
    read(&ft);
    return (static_cast<ULONGLONG>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
}

// The seconds of a clock text " hh:mm:ss ", or -1 for any other text.
int shownSecond(const std::string& text) {
    int h = 0, m = 0, s = 0;
    if (std::sscanf(text.c_str(), " %d:%d:%d", &h, &m, &s) != 3 || s < 0 || s > 59) return -1;
    return s;
}

// Reads the clock control about every millisecond and, at each change, how
// long ago the wall-clock second began that the new text shows (seconds of
// local time and UTC agree, zones being whole minutes apart). A text one
// second behind counts from the start of its own second, over 1000 ms; a
// second the text never showed counts as skipped. Each lag is at most the
// printed poll gap later than the change: a few ms under Wine, where
// Sleep(1) sleeps about that long; Windows' default timer resolution would
// stretch it to 16 ms.
int cmdClockLag(const Args& a) {
    Target t;
    if (!resolve(a, true, t)) return 1;
    const long samples = parseNumber(need(a, 4));
    if (samples <= 0) throw Usage{};
    constexpr ULONGLONG kTicksPerMs = 10000;
    const Deadline deadline(static_cast<DWORD>((samples + 5) * 1000));
    std::string last = controlText(t.ctl);
    int lastSecond = shownSecond(last);
    ULONGLONG lastRead = wallClock();
    std::vector<long> lags;
    long skipped = 0;
    ULONGLONG gapMax = 0;
    while (static_cast<long>(lags.size()) < samples && deadline.left()) {
        Sleep(1);
        const std::string text = controlText(t.ctl);
        const ULONGLONG now = wallClock();
        const ULONGLONG gap = now - lastRead;
        lastRead = now;
        if (text == last) continue;
        last = text;
        const int second = shownSecond(text);
        if (second < 0) return print("not a clock text: '" + escaped(text) + "'"), 1;
        const ULONGLONG ms = now / kTicksPerMs;
        const long behind = static_cast<long>((ms / 1000 % 60 + 60 - static_cast<ULONGLONG>(second)) % 60);
        lags.push_back(behind * 1000 + static_cast<long>(ms % 1000));
        const int step = lastSecond < 0 ? 1 : (second + 60 - lastSecond) % 60;
        if (step > 1) skipped += step - 1;
        lastSecond = second;
        gapMax = std::max(gapMax, gap);
    }
    if (lags.empty()) return print("no change"), 1;
    std::vector<long> sorted = lags;
    std::sort(sorted.begin(), sorted.end());
    const size_t n = sorted.size();
    std::string all;
    for (long lag : lags) {
        all += ' ';
        all += std::to_string(lag);
    }
    // Median the upper middle, 90th percentile by nearest rank.
    print("median " + std::to_string(sorted[n / 2]) + " p90 " + std::to_string(sorted[(9 * n + 9) / 10 - 1]) +
          " max " + std::to_string(sorted.back()));
    print("changes " + std::to_string(n) + " skipped " + std::to_string(skipped) + " poll-gap-max " +
          std::to_string((gapMax + kTicksPerMs - 1) / kTicksPerMs));
    print("lags" + all);
    return static_cast<long>(n) < samples ? 1 : 0;
}

struct Command {
    const char* name;
    int (*run)(const Args&);
    const char* usage;
};

const Command kCommands[] = {
    {"wait-window", cmdWaitWindow, "<caption> <timeout_ms> [control_id]"},
    {"start-timed", cmdStartTimed, "<exe_path> <caption> <timeout_ms> [control_id]"},
    {"wait-gone", cmdWaitGone, "<caption> <timeout_ms>"},
    {"wait-exit", cmdWaitExit, "<exe_name> <timeout_ms>"},
    {"dump", cmdDump, "<caption> [template_cx template_cy]"},
    {"winstyle", cmdWinStyle, "<caption>"},
    {"origin", cmdOrigin, "<caption>"},
    {"winrect", cmdWinRect, "<caption>"},
    {"fits", cmdFits, "<caption> [template_cx template_cy]"},
    {"text", cmdText, "<caption> <id>"},
    {"settext", cmdSetText, "<caption> <id> <text>"},
    {"click", cmdClick, "<caption> <id>"},
    {"press", cmdPress, "<caption> <id>"},
    {"check", cmdCheck, "<caption> <id>"},
    {"enabled", cmdEnabled, "<caption> <id>"},
    {"focus", cmdFocus, "<caption>"},
    {"key", cmdKey, "<caption> esc|enter"},
    {"traynotify", cmdTrayNotify, "<caption> <mouse_message>"},
    {"taskbarcreated", cmdTaskbarCreated, "<caption>"},
    {"msgbox", cmdMsgBox, "<timeout_ms>"},
    {"msgbox-ok", cmdMsgBoxOk, "[button_id]"},
    {"syscommand", cmdSysCommand, "<caption> <command_id>"},
    {"visible", cmdVisible, "<caption>"},
    {"exists", cmdExists, "<caption>"},
    {"hold", cmdHold, "<file_path> <ms>"},
    {"pointer", cmdPointer, "<x> <y>"},
    {"clocklag", cmdClockLag, "<caption> <id> <samples>"},
};

int usage() {
    std::fputs("usage: hvdriver <command> ...\n", stderr);
    for (const Command& c : kCommands) std::fprintf(stderr, "  %s %s\n", c.name, c.usage);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    // Texts are printed byte for byte; no CR may sneak into the lines.
    _setmode(_fileno(stdout), _O_BINARY);
    if (argc < 2) return usage();
    const Args args{argc, argv};
    for (const Command& c : kCommands) {
        if (std::strcmp(c.name, argv[1]) != 0) continue;
        try {
            int rc = c.run(args);
            std::fflush(stdout);
            return rc;
        } catch (const Usage&) {
            return usage();
        } catch (const SendFailure& f) {
            print((f.timedOut ? "timeout " : "failed ") + f.action);
            std::fflush(stdout);
            return f.timedOut ? 3 : 1;
        }
    }
    return usage();
}
