#pragma once
// The headless backend's in-process model of the desktop: windows built from
// the real dialog templates, a message queue, window timers on a fake
// monotonic clock, a fake wall clock, an in-memory file system, registry,
// and records of sounds, shell, tray, message-box and draw calls. Tests drive
// it through this interface; the program sees only the platform headers.
//
// It behaves like Win32 where the program depends on it: disabled or hidden
// controls ignore clicks, manual check boxes and radio buttons do not toggle
// themselves, a modal box or dialog runs a nested loop in which timers still
// tick, WM_TIMER messages of one timer are merged while the loop is busy.
//
// Defaults after Reset(): wall clock 2026-01-01 00:00:00 UTC in a zone of
// UTC+1 without daylight saving; monotonic clock at 10,000,000 ms.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/Handles.h"
#include "platform/Gdi.h"
#include "platform/Window.h"

namespace hv {
class Dialog;
}

namespace hv::headless {

// One control or dialog of the model.
struct Node {
    std::uintptr_t handle = 0;
    std::uintptr_t parent = 0;
    int id = 0;
    std::string className;  // "Button", "Edit", "Static", "#32770"
    std::string text;       // ANSI bytes
    std::uint32_t style = 0;
    std::uint32_t exStyle = 0;
    Rect rect;              // dialog units, as in the template
    bool enabled = true;
    bool visible = true;
    int check = 0;
    int selFirst = 0, selLast = 0;
    FontHandle font{};
    IconHandle bigIcon{}, smallIcon{};
    bool iconic = false;
    bool destroyed = false;
    Dialog* dialog = nullptr;  // for dialog windows
    int templateId = 0;
};

struct MessageBoxCall {
    std::uintptr_t owner = 0;
    std::string text;
    std::string caption;
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
    unsigned id = 0;
    unsigned flags = 0;
    unsigned callbackMessage = 0;
    IconHandle icon{};
    std::string tip;
};

struct DrawCall {
    enum Kind {
        TextOut, DrawIcon, SetTextColor, SetBkColor, SetBkMode, SelectFont, IconEraseBkgnd, DefaultPaint,
        GetDc, ReleaseDc, BeginPaint, EndPaint  // ReleaseDc/EndPaint: `font` is the font still selected
    };
    Kind kind = TextOut;
    std::uintptr_t window = 0;
    std::uintptr_t dc = 0;
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

// Thrown out of SleepMilliseconds in a worker that Reset() abandons; the
// worker start catches it. Worker bodies must let it pass.
struct WorkerAbandoned {};

class World {
public:
    static World& Get();
    // Forgets every window, timer, file, registry value, record and callback;
    // clocks back to their defaults; ends every worker thread (a worker that
    // still sleeps is abandoned, see WorkerAbandoned).
    void Reset();
    // Dialog templates and strings from another script until the next Reset
    // (tests of the backend itself); the program's script otherwise.
    void UseResourceScript(const std::string& path);

    // --- clocks ---
    // Wall clock as UTC seconds (ms resolution); local time = UTC + offset.
    void SetWallClockMs(std::int64_t utcMs);
    std::int64_t WallClockMs() const;
    void SetUtcOffsetSeconds(int offset);
    int UtcOffsetSeconds() const;
    std::int64_t MonotonicMs() const;
    // Moves both clocks forward, delivering every window timer when due and
    // the posted messages in between (one WM_TIMER per period, in time order),
    // and painting invalid windows whenever the queue is empty. Worker
    // threads sleeping in SleepMilliseconds wake at their fake times and run
    // until they sleep again before the loop goes on. May be called from a
    // handler inside a nested loop (message box, onModalDialog).
    void Advance(std::int64_t ms);
    // Moves both clocks forward while the program is busy: no message is
    // delivered meanwhile; afterwards each due timer arrives once (merged),
    // as Windows does.
    void Stall(std::int64_t ms);
    // Sets the wall clock alone (the user changes the system time).
    void JumpWallClock(std::int64_t utcMs);

    // --- messages ---
    void Post(std::uintptr_t window, unsigned message, WParam w, LParam l);
    LResult Send(std::uintptr_t window, unsigned message, WParam w, LParam l);
    // Delivers posted messages until the queue is empty (no painting, no
    // timers: no time passes).
    void Pump();

    // --- user actions (delivered at once, followed by Pump) ---
    // A mouse click on control `id` of `dialog`: ignored (false) when the
    // control or its dialog is disabled or hidden, and for group boxes and
    // statics without SS_NOTIFY; otherwise the button takes the focus and
    // BN_CLICKED goes to the dialog. Check boxes and radio buttons with
    // manual styles do not change by themselves; automatic ones toggle (an
    // automatic radio button clears the others of its group) before notifying.
    bool Click(const Window& dialog, int id);
    // Typing into an edit: focuses it, replaces its text and sends
    // EN_CHANGE. ES_NUMBER fields refuse every character but digits; false
    // when a character was refused or the field is read-only, disabled or
    // hidden.
    bool Type(const Window& dialog, int id, const std::string& text);
    // IDCANCEL with BN_CLICKED and the Cancel button's handle (or 0), as
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
    Node* FindMutable(std::uintptr_t handle);
    const Node* Control(const Window& dialog, int id) const;
    std::vector<const Node*> Children(const Window& dialog) const;  // template order
    // Dialog windows that exist, oldest first.
    std::vector<Window> Dialogs() const;
    std::uintptr_t Focus() const;
    std::vector<MenuItem> SystemMenuItems(const Window& dialog) const;
    // Paints every window that is visible and has an invalid region
    // (WM_PAINT, as the loop does when the queue is empty).
    void PaintInvalidWindows();
    bool IsInvalid(const Window& w) const;

    // Windows are invalid from their first showing until painted; a modal
    // dialog or message box that closes leaves its visible owner invalid, as
    // an uncovered window is.
    // Creates `dialog` from its template and runs WM_INITDIALOG, without
    // entering a modal loop: the test drives it and checks IsEnded().
    Window Open(Dialog& dialog, const Window& owner = Window());
    // Destroys a dialog's window (after it ended): WM_DESTROY, its timers
    // stop, and the dialog's Wnd() becomes empty.
    void Close(Dialog& dialog);

    // While a modal dialog or message box is open its owner is disabled and
    // the focus is away from it; both come back when it closes.
    // What a modal dialog run inside a handler does (the label editor, the
    // about window). Called with the open dialog after WM_INITDIALOG and
    // the messages already queued; when it returns and the dialog has not
    // ended, the dialog is cancelled (IDCANCEL).
    std::function<void(Dialog&)> onModalDialog;
    // What the user answers to a message box; called while the box is open,
    // so it may advance time (timers tick in the nested loop). Default: the
    // box's first button (IDOK for MB_OK).
    std::function<int(const MessageBoxCall&)> onMessageBox;

    // --- records ---
    std::vector<MessageBoxCall> messageBoxes;
    std::vector<SoundCall> sounds;
    std::vector<ShellCall> shellCalls;
    std::vector<TrayCall> trayCalls;
    std::vector<DrawCall> drawCalls;
    std::vector<std::pair<unsigned, unsigned>> timersStarted;  // id, period
    std::vector<int> workerPriorities;                          // one per started worker
    int commonControlsInitialized = 0;                           // InitCommonControls calls

    // --- GDI objects that exist (created and not yet deleted) ---
    std::map<std::uintptr_t, FontSpec> liveFonts;
    std::map<std::uintptr_t, Color> liveBrushes;
    std::vector<FontSpec> createdFonts;  // every font ever created, in order
    std::size_t OpenDeviceContexts() const;

    // --- notification area: icons that are there now, by (window, id) ---
    bool HasTrayIcon(std::uintptr_t window, unsigned id) const;
    // Explorer restarts: every icon is gone and each top-level window gets
    // the TaskbarCreated message (posted).
    void RestartTaskbar();

    // --- file system (paths compared case-insensitively, '\\' separators) ---
    // Keys are ResolvePath results. Folders exist implicitly; a path that
    // leads to files counts as a folder. One File object at a time may have
    // a file open (no sharing).
    std::map<std::string, FakeFile> files;
    std::string currentDirectory = "C:\\windows\\system32\\";
    std::string moduleFileName = "C:\\Programme\\Horovant\\Horovant.exe";
    std::int64_t diskFreeBytes = -1;  // -1: unlimited; writes use it up
    FakeFile* FindFile(const std::string& path);
    std::string ResolvePath(const std::string& path) const;

    // --- registry: key "HKLM\\Software\\..." -> value name -> value ---
    // Only keys in the map exist; the Run key of HKLM is there after Reset.
    std::map<std::string, std::map<std::string, RegistryValue>> registry;
    bool registryWritable = true;

    // The backend's own state (WorldImpl.h); not for tests.
    struct Impl;
    Impl& Internals() { return *m_impl; }

private:
    World();
    Impl* m_impl;
};

}  // namespace hv::headless
