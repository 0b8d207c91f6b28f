// hvdriver: works a running Horovant from outside, as a user would, for the
// end-to-end tests. Every subcommand prints its result on stdout and exits
// with 0 on success, 1 on failure or timeout, 2 on a usage error. Nothing
// waits without a limit: messages go out with SendMessageTimeout, clicks that
// may open a modal box are posted, and every wait has a timeout.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr UINT kSendTimeoutMs = 2000;
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

// Text of a control of another process, through WM_GETTEXT.
std::string controlText(HWND w) {
    DWORD_PTR len = 0;
    if (!SendMessageTimeoutA(w, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &len)) return {};
    std::string s(len + 1, '\0');
    DWORD_PTR got = 0;
    if (!SendMessageTimeoutA(w, WM_GETTEXT, s.size(), reinterpret_cast<LPARAM>(s.data()), SMTO_ABORTIFHUNG,
                             kSendTimeoutMs, &got))
        return {};
    s.resize(got < s.size() ? got : s.size() - 1);
    return s;
}

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

template <class Pred>
bool waitFor(DWORD timeoutMs, Pred done, DWORD pollMs = kPollMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (done()) return true;
        if (GetTickCount() - start >= timeoutMs) return false;
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

bool sendTimeout(HWND w, UINT msg, WPARAM wp, LPARAM lp, DWORD_PTR& result) {
    return SendMessageTimeoutA(w, msg, wp, lp, SMTO_ABORTIFHUNG, kSendTimeoutMs, &result) != 0;
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
bool windowReady(const std::string& title, const char* idArg, DWORD processId = 0) {
    HWND d = findDialog(title);
    if (!d) return false;
    DWORD owner = 0;
    GetWindowThreadProcessId(d, &owner);
    if (processId && owner != processId) return false;
    if (idArg && !GetDlgItem(d, static_cast<int>(parseNumber(idArg)))) return false;
    DWORD_PTR r = 0;
    return sendTimeout(d, WM_NULL, 0, 0, r);
}

int cmdWaitWindow(const Args& a) {
    const std::string title = need(a, 2);
    const DWORD timeout = static_cast<DWORD>(parseNumber(need(a, 3)));
    bool ok = waitFor(timeout, [&] { return windowReady(title, a.at(4)); });
    print(ok ? "found" : "timeout");
    return ok ? 0 : 1;
}

// Starts a program in its own folder and prints the milliseconds until its
// window is ready; the program keeps running.
int cmdStartTimed(const Args& a) {
    const std::string exe = need(a, 2), title = need(a, 3);
    const DWORD timeout = static_cast<DWORD>(parseNumber(need(a, 4)));
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
        timeout, [&] { return windowReady(title, a.at(5), pi.dwProcessId); }, 2);
    QueryPerformanceCounter(&t1);
    if (!ok) return print("timeout"), 1;
    print(std::to_string((t1.QuadPart - t0.QuadPart) * 1000 / freq.QuadPart));
    return 0;
}

int cmdWaitGone(const Args& a) {
    const std::string title = need(a, 2);
    bool ok = waitFor(static_cast<DWORD>(parseNumber(need(a, 3))), [&] { return !findDialog(title); });
    print(ok ? "gone" : "timeout");
    return ok ? 0 : 1;
}

int cmdDump(const Args& a) {
    Target t;
    if (!resolve(a, false, t)) return 1;
    RECT scale{};
    const bool scaled =
        dialogScale(t.dlg, a.at(3) ? parseNumber(a.at(3)) : 0, a.at(4) ? parseNumber(a.at(4)) : 0, scale);
    for (HWND c : children(t.dlg)) {
        const std::string cls = className(c);
        std::string check = "-";
        if (cls == "Button") {
            DWORD_PTR r = 0;
            if (sendTimeout(c, BM_GETCHECK, 0, 0, r)) check = std::to_string(r);
        }
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
        print(line);
    }
    return 0;
}

int cmdText(const Args& a) {
    Target t;
    if (!resolve(a, true, t)) return 1;
    print(controlText(t.ctl));
    return 0;
}

int cmdSetText(const Args& a) {
    Target t;
    if (!resolve(a, true, t)) return 1;
    DWORD_PTR r = 0;
    bool ok = sendTimeout(t.ctl, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(need(a, 4)), r) && r;
    print(ok ? "ok" : "failed");
    return ok ? 0 : 1;
}

// Posted, not sent: the click may open a modal box, which would block a send.
int cmdClick(const Args& a) {
    Target t;
    if (!resolve(a, true, t)) return 1;
    const WPARAM wp = MAKEWPARAM(GetDlgCtrlID(t.ctl), BN_CLICKED);
    bool ok = PostMessageA(t.dlg, WM_COMMAND, wp, reinterpret_cast<LPARAM>(t.ctl)) != 0;
    print(ok ? "ok" : "failed");
    return ok ? 0 : 1;
}

int cmdCheck(const Args& a) {
    Target t;
    if (!resolve(a, true, t)) return 1;
    DWORD_PTR r = 0;
    if (!sendTimeout(t.ctl, BM_GETCHECK, 0, 0, r)) return print("failed"), 1;
    print(std::to_string(r));
    return 0;
}

int cmdEnabled(const Args& a) {
    Target t;
    if (!resolve(a, true, t)) return 1;
    print(IsWindowEnabled(t.ctl) ? "1" : "0");
    return 0;
}

HWND focusedWindow(HWND dlg) {
    GUITHREADINFO gti{};
    gti.cbSize = sizeof gti;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(dlg, nullptr), &gti)) return nullptr;
    return gti.hwndFocus;
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

// A key goes to the focused control, so that the program's own loop has to
// turn it into a dialog command (IsDialogMessage), as with a real key press.
int cmdKey(const Args& a) {
    Target t;
    if (!resolve(a, false, t)) return 1;
    const std::string key = need(a, 3);
    UINT vk = 0, scan = 0;
    if (key == "esc")
        vk = VK_ESCAPE, scan = 0x01;
    else if (key == "enter")
        vk = VK_RETURN, scan = 0x1C;
    else
        throw Usage{};
    HWND f = focusedWindow(t.dlg);
    HWND to = f && IsChild(t.dlg, f) ? f : t.dlg;
    const LPARAM down = 1 | (static_cast<LPARAM>(scan) << 16);
    const LPARAM up = down | (1L << 30) | (1L << 31);
    bool ok = PostMessageA(to, WM_KEYDOWN, vk, down) && PostMessageA(to, WM_KEYUP, vk, up);
    print(ok ? "ok" : "failed");
    return ok ? 0 : 1;
}

int cmdMsgBox(const Args& a) {
    HWND box = nullptr;
    bool ok = waitFor(static_cast<DWORD>(parseNumber(need(a, 2))),
                      [&] { return (box = findMessageBox()) != nullptr; });
    if (!ok) return print("timeout"), 1;
    print(escaped(caption(box)) + "\t" + escaped(controlText(GetDlgItem(box, kMessageBoxTextId))));
    return 0;
}

// Answers the open message box with a button id (IDOK unless given).
int cmdMsgBoxOk(const Args& a) {
    HWND box = findMessageBox();
    if (!box) return print("no message box"), 1;
    const int id = a.at(2) ? static_cast<int>(parseNumber(a.at(2))) : IDOK;
    HWND button = GetDlgItem(box, id);
    bool ok =
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button)) != 0;
    print(ok ? "ok" : "failed");
    return ok ? 0 : 1;
}

int cmdSysCommand(const Args& a) {
    Target t;
    if (!resolve(a, false, t)) return 1;
    bool ok = PostMessageA(t.dlg, WM_SYSCOMMAND, static_cast<WPARAM>(parseNumber(need(a, 3))), 0) != 0;
    print(ok ? "ok" : "failed");
    return ok ? 0 : 1;
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

struct Command {
    const char* name;
    int (*run)(const Args&);
    const char* usage;
};

const Command kCommands[] = {
    {"wait-window", cmdWaitWindow, "<caption> <timeout_ms> [control_id]"},
    {"start-timed", cmdStartTimed, "<exe_path> <caption> <timeout_ms> [control_id]"},
    {"wait-gone", cmdWaitGone, "<caption> <timeout_ms>"},
    {"dump", cmdDump, "<caption> [template_cx template_cy]"},
    {"winstyle", cmdWinStyle, "<caption>"},
    {"text", cmdText, "<caption> <id>"},
    {"settext", cmdSetText, "<caption> <id> <text>"},
    {"click", cmdClick, "<caption> <id>"},
    {"check", cmdCheck, "<caption> <id>"},
    {"enabled", cmdEnabled, "<caption> <id>"},
    {"focus", cmdFocus, "<caption>"},
    {"key", cmdKey, "<caption> esc|enter"},
    {"msgbox", cmdMsgBox, "<timeout_ms>"},
    {"msgbox-ok", cmdMsgBoxOk, "[button_id]"},
    {"syscommand", cmdSysCommand, "<caption> <command_id>"},
    {"visible", cmdVisible, "<caption>"},
    {"exists", cmdExists, "<caption>"},
    {"hold", cmdHold, "<file_path> <ms>"},
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
        }
    }
    return usage();
}
