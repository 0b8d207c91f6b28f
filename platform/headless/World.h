#pragma once
// The headless backend's in-process model of the desktop: windows built from
// the compiled dialog templates, a message queue, window timers and sleeps on
// a fake monotonic clock with Windows' tick, a fake wall clock in a real time
// zone, an in-memory file system, registry, and records of sounds, shell,
// tray, message-box and draw calls. Tests drive it through this interface;
// the program sees only the platform headers.
//
// It behaves like Win32 where the program depends on it: disabled or hidden
// controls ignore clicks, manual check boxes and radio buttons do not toggle
// themselves, a modal box or dialog runs a nested loop in which timers still
// tick, a dialog whose template is not visible shows when its loop first goes
// idle, timers are rounded to the tick, come late and merge while the loop is
// busy.
//
// Defaults after Reset(): wall clock 2026-01-01 00:00:00 UTC in the zone of
// Europe/Berlin; monotonic clock at 10,000 s. Timers fall due and sleeps end
// on the clock interrupt's tick of 15.625 ms, Windows' default.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/Gdi.h"
#include "platform/Handles.h"
#include "platform/Window.h"

namespace hv {
class Dialog;
}

namespace hv::headless {

// One control or dialog of the model.
struct Node {
    std::uintptr_t handle = 0, parent = 0;
    int id = 0;
    std::string className;  // "Button", "Edit", "Static", "#32770"
    std::string text;       // ANSI bytes
    std::uint32_t style = 0, exStyle = 0;
    Rect rect;  // dialog units, as in the template
    std::optional<Rect> pixelRect;  // a picture static takes its bitmap's size
    bool enabled = true, visible = true;
    int check = 0;
    int selFirst = 0, selLast = 0;
    FontHandle font{};
    IconHandle bigIcon{}, smallIcon{};
    bool iconic = false, destroyed = false;
    Dialog* dialog = nullptr;  // for dialog windows
};

struct MessageBoxCall {
    std::uintptr_t owner = 0;
    std::string text, caption;
    unsigned type = 0;
    int answer = 0;
};

struct SoundCall {
    std::optional<std::string> name;
    unsigned flags = 0;
    std::int64_t atMs = 0;  // monotonic time of the request
};

struct ShellCall {
    std::string file;
    int show = 0;
};

struct TrayCall {
    unsigned action = 0;
    std::uintptr_t window = 0;
    unsigned id = 0, flags = 0, callbackMessage = 0;
    IconHandle icon{};
    std::string tip;
};

struct DrawCall {
    enum Kind {
        TextOut, DrawIcon, SetTextColor, SetBkColor, SetBkMode, SelectFont, IconEraseBkgnd, DefaultPaint,
        GetDc, ReleaseDc, BeginPaint, EndPaint  // ReleaseDc/EndPaint: `font` is the font still selected
    };
    Kind kind = TextOut;
    std::uintptr_t window = 0, dc = 0;
    int x = 0, y = 0;
    std::string text;
    Color color = 0;
    int mode = 0;
    FontHandle font{};
    IconHandle icon{};
};

struct RegistryValue {
    unsigned type = 1;  // REG_SZ
    std::string data;   // raw bytes
};

struct FakeFile {
    std::string bytes;
    bool readOnly = false;
    bool lockedByOtherProgram = false;  // opens fail with a sharing violation
    int refusedOpens = 0;               // so many next opens fail so (a scanner holds it briefly)
    bool denyRead = false;              // the access rights allow writing but not reading
    bool readFails = false;             // reading fails (a damaged sector)
};

struct MenuItem {
    bool separator = false;
    unsigned id = 0;
    std::string text;
};

// What a window's parent answers to WM_CTLCOLOR* for it (see QueryColors).
struct ControlColors {
    int kind = 0;          // ctlcolor::k..., chosen as Windows chooses it
    bool handled = false;  // false: default colours
    BrushHandle brush{};
    std::optional<Color> textColor, backgroundColor;
    std::optional<int> backgroundMode;
};

// Local time: a standard offset, and the European Union's daylight saving
// (last Sunday of March to last Sunday of October, 01:00 UTC) when set.
struct TimeZone {
    int standardOffsetSeconds = 3600;
    bool euDaylightSaving = true;
};
constexpr TimeZone kEuropeBerlin{};

// Thrown out of SleepMilliseconds in a worker that Reset() abandons; the
// worker start catches it. Worker bodies must let it pass.
struct WorkerAbandoned {};

// What a test sets up and reads back; Reset starts it afresh.
struct WorldState {
    // How late each timer expiry comes beyond its tick, in microseconds; the
    // next period counts from the late expiry, so lateness adds up to drift.
    std::function<std::int64_t(unsigned timerId)> timerLatenessUs;

    // While a modal dialog or message box is open its owner is disabled and
    // the focus is away from it; both come back when it closes.
    // What the user does in a modal dialog run inside a handler (the label
    // editor, the about window), called once the dialog is shown; when it
    // returns and the dialog has not ended, the dialog is cancelled, as a
    // user closing it would.
    std::function<void(Dialog&)> onModalDialog;
    // How long a message box stands before the user answers it; timers tick
    // in its nested loop meanwhile. Default 0: answered at once.
    std::int64_t messageBoxOpenMs = 0;
    // The user's answer; default: the box's first button (IDOK for MB_OK).
    std::function<int(const MessageBoxCall&)> onMessageBox;

    // --- records ---
    std::vector<MessageBoxCall> messageBoxes;
    std::vector<SoundCall> sounds;
    std::vector<ShellCall> shellCalls;
    std::vector<TrayCall> trayCalls;
    std::vector<DrawCall> drawCalls;
    std::vector<std::pair<unsigned, unsigned>> timersStarted;  // id, period
    std::vector<int> workerPriorities;                          // one per started worker
    // Handlers that threw or left a paint undone. A scenario fails on any.
    std::vector<std::string> handlerFailures;

    // --- GDI objects that exist (created and not yet deleted) ---
    std::map<std::uintptr_t, FontSpec> liveFonts;
    std::map<std::uintptr_t, Color> liveBrushes;

    // --- file system (paths compared case-insensitively, '\\' separators) ---
    // Keys are ResolvePath results. A folder exists when it is in `folders`,
    // holds a file, or is the program's folder or the current directory, or
    // lies above one of these. One File object at a time may have a file open.
    std::map<std::string, FakeFile> files;
    std::set<std::string> folders;
    std::string currentDirectory = "C:\\windows\\system32\\";
    std::string moduleFileName = "C:\\Programme\\Horovant\\Horovant.exe";
    std::int64_t diskFreeBytes = -1;  // -1: unlimited; writes use it up

    // --- registry: key "HKLM\\Software\\..." or "HKCU\\..." -> value name -> value ---
    // Only keys in the map exist; the Run key is there on every Windows.
    std::map<std::string, std::map<std::string, RegistryValue>> registry = {
        {"HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", {}},
        {"HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Run", {}}};
    bool registryWritable = true;
    bool localMachineWritable = true;  // false: an ordinary user's rights

    // --- the session: named mutexes held by any process, the foreground window ---
    std::set<std::string> sessionMutexes;
    std::uintptr_t foregroundWindow = 0;
};

class World : public WorldState {
public:
    static World& Get();
    // Forgets every window, timer, file, registry value, record and callback;
    // clocks back to their defaults; ends every worker thread (a worker that
    // still sleeps is abandoned, see WorkerAbandoned).
    void Reset();
    // Dialog templates and strings from another .res file until the next
    // Reset (tests of the backend itself); the program's own otherwise.
    void UseResources(const std::string& resPath);

    // --- clocks ---
    // Sets the wall clock alone, as the user setting the system time does.
    void SetWallClockMs(std::int64_t utcMs);
    std::int64_t WallClockMs() const;
    // The wall clock runs this many millionths fast (negative: slow) against
    // the monotonic clock, as an unsynchronised PC clock does.
    void SetWallClockRatePpm(int ppm);
    void SetTimeZone(TimeZone zone);
    std::int64_t MonotonicMs() const;
    // Moves both clocks forward as the loop runs: posted messages, then
    // timers when due, painting whenever the queue is empty; sleeping
    // workers wake at their times and run until they sleep again. May be
    // called from a handler inside a nested loop (message box, dialog).
    void Advance(std::int64_t ms);
    // Moves both clocks forward while the program is busy: no message is
    // delivered meanwhile; afterwards each due timer arrives once (merged).
    void Stall(std::int64_t ms);

    // Delivers posted messages until the queue is empty (no painting, no
    // timers: no time passes).
    void Pump();

    // --- user actions (delivered at once, followed by Pump) ---
    // A mouse click on control `id` of `dialog`: ignored (false) when the
    // control or its dialog is disabled or hidden, and for group boxes and
    // statics; otherwise the button takes the focus and
    // BN_CLICKED goes to the dialog. Manual check boxes and radio buttons
    // do not change by themselves; an automatic check box toggles first.
    bool Click(const Window& dialog, int id);
    // Typing into an edit: focuses it, replaces its text and sends
    // EN_CHANGE. ES_NUMBER fields refuse all but digits; false when a
    // character was refused or the field is read-only, disabled or hidden.
    bool Type(const Window& dialog, int id, const std::string& text);
    // Keys reach a dialog only while it or one of its controls has the focus.
    // Esc: IDCANCEL with BN_CLICKED and the Cancel button's handle (or 0), as
    // IsDialogMessage sends it.
    void PressEscape(const Window& dialog);
    // A focused push button is pressed; otherwise the default push button,
    // unless it is disabled; IDOK when the template has none.
    void PressEnter(const Window& dialog);
    void SystemCommand(const Window& dialog, unsigned command);
    // Asks the parent for the colours of `control` as Windows does before it
    // draws it (a dialog asks itself with CTLCOLOR_DLG).
    ControlColors QueryColors(const Window& control);

    // --- windows ---
    const Node* Find(std::uintptr_t handle) const;
    const Node* Control(const Window& dialog, int id) const;
    std::vector<const Node*> Children(const Window& dialog) const;  // template order
    std::vector<Window> Dialogs() const;  // that exist, oldest first
    std::uintptr_t Focus() const;
    std::vector<MenuItem> SystemMenuItems(const Window& dialog) const;
    // Paints every window that is visible and has an invalid region
    // (WM_PAINT, as the loop does when the queue is empty). Windows are
    // invalid from their first showing until painted; a modal window that
    // closes leaves its visible owner invalid, as an uncovered window is.
    void PaintInvalidWindows();
    bool IsInvalid(const Window& w) const;

    // Creates `dialog` from its template and runs WM_INITDIALOG, without
    // entering a modal loop: the test drives it and checks IsEnded().
    Window Open(Dialog& dialog, const Window& owner = Window());
    // Destroys a dialog's window (after it ended): WM_DESTROY, its timers
    // stop, and the dialog's Wnd() becomes empty.
    void Close(Dialog& dialog);

    std::size_t OpenDeviceContexts() const;
    bool HasTimer(const Window& window, unsigned id) const;

    // --- notification area: icons that are there now, by (window, id) ---
    bool HasTrayIcon(std::uintptr_t window, unsigned id) const;
    // Explorer restarts: every icon is gone and each top-level window gets
    // the TaskbarCreated message (posted).
    void RestartTaskbar();

    // --- file system ---
    FakeFile* FindFile(const std::string& path);
    std::string ResolvePath(const std::string& path) const;

    // The backend's own state (WorldImpl.h); not for tests.
    struct Impl;
    Impl& Internals() { return *m_impl; }

private:
    World();
    Impl* m_impl;
};

}  // namespace hv::headless
