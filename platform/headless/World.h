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
    enum Kind { TextOut, DrawIcon, SetTextColor, SetBkColor, SetBkMode, SelectFont, IconEraseBkgnd, DefaultPaint };
    Kind kind = TextOut;
    std::uintptr_t window = 0;
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

class World {
public:
    static World& Get();
    // Forgets every window, timer, file, registry value and record; clocks
    // back to their defaults.
    void Reset();

    // --- clocks ---
    // Wall clock as UTC seconds (ms resolution); local time = UTC + offset.
    void SetWallClockMs(std::int64_t utcMs);
    std::int64_t WallClockMs() const;
    void SetUtcOffsetSeconds(int offset);
    int UtcOffsetSeconds() const;
    std::int64_t MonotonicMs() const;
    // Moves both clocks forward, delivering every window timer when due and
    // the posted messages in between (one WM_TIMER per period, in time order).
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
    // Delivers posted messages until the queue is empty.
    void Pump();

    // --- user actions (delivered at once, followed by Pump) ---
    // A mouse click on control `id` of `dialog`: ignored when the control or
    // its dialog is disabled or hidden; BN_CLICKED to the dialog otherwise.
    // Check boxes and radio buttons with manual styles do not change by
    // themselves; automatic ones toggle before notifying.
    bool Click(const Window& dialog, int id);
    // Typing into an edit: replaces its text (ES_NUMBER fields take digits
    // only; the field must be enabled and visible).
    bool Type(const Window& dialog, int id, const std::string& text);
    void PressEscape(const Window& dialog);  // IDCANCEL, as IsDialogMessage does
    void PressEnter(const Window& dialog);   // the default push button, if enabled
    void SystemCommand(const Window& dialog, unsigned command);

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

    // Creates `dialog` from its template and runs WM_INITDIALOG, without
    // entering a modal loop: the test drives it and checks IsEnded().
    Window Open(Dialog& dialog, const Window& owner = Window());
    // Destroys a dialog's window (after it ended).
    void Close(Dialog& dialog);

    // What a modal dialog run inside a handler does (the label editor, the
    // about window). Called with the open dialog; when it returns and the
    // dialog has not ended, the dialog is cancelled.
    std::function<void(Dialog&)> onModalDialog;
    // What the user answers to a message box; called while the box is open,
    // so it may advance time (timers tick in the nested loop). Default: OK.
    std::function<int(const MessageBoxCall&)> onMessageBox;

    // --- records ---
    std::vector<MessageBoxCall> messageBoxes;
    std::vector<SoundCall> sounds;
    std::vector<ShellCall> shellCalls;
    std::vector<TrayCall> trayCalls;
    std::vector<DrawCall> drawCalls;
    std::vector<std::pair<unsigned, unsigned>> timersStarted;  // id, period

    // --- file system (paths compared case-insensitively, '\\' separators) ---
    std::map<std::string, FakeFile> files;
    std::string currentDirectory = "C:\\windows\\system32\\";
    std::string moduleFileName = "C:\\Programme\\Horovant\\Horovant.exe";
    std::int64_t diskFreeBytes = -1;  // -1: unlimited
    FakeFile* FindFile(const std::string& path);
    std::string ResolvePath(const std::string& path) const;

    // --- registry: key "HKLM\\Software\\..." -> value name -> value ---
    std::map<std::string, std::map<std::string, RegistryValue>> registry;
    bool registryWritable = true;

private:
    World();
    struct Impl;
    Impl* m_impl;
};

}  // namespace hv::headless
