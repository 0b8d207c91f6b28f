#pragma once
// The state behind World, shared by the backend's source files. Windows,
// timers, GDI, files and registry belong to the thread that runs the dialogs;
// the clocks, the message queue and the worker bookkeeping are also used by
// worker threads and are guarded by `lock`.
#include <algorithm>
#include <cctype>
#include <condition_variable>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/Constants.h"
#include "platform/headless/CompiledResources.h"
#include "platform/headless/World.h"

namespace hv::headless {

// Defaults the clocks return to at Reset, in microseconds.
constexpr std::int64_t kDefaultWallUs = 1767225600000000LL;  // 2026-01-01 00:00:00 UTC
constexpr std::int64_t kDefaultMonotonicUs = 10000000000LL;
constexpr std::int64_t kTickUs = 15625;  // 64 clock interrupts a second

// Win32 values the model interprets.
namespace win {
constexpr std::uint32_t kWsVisible = 0x10000000, kWsDisabled = 0x08000000, kWsTabStop = 0x00010000,
                        kWsSysMenu = 0x00080000;
constexpr std::uint32_t kSsTypeMask = 0x1F, kSsBitmap = 0xE, kSsRealSizeControl = 0x40;
constexpr std::uint32_t kBsTypeMask = 0xF, kBsPushButton = 0, kBsDefPushButton = 1, kBsAutoCheckBox = 3,
                        kBsRadioButton = 4, kBsAutoRadioButton = 9, kBsGroupBox = 7, kBsPushBox = 0xA, kBsOwnerDraw = 0xB;
constexpr std::uint32_t kEsMultiline = 0x4, kEsReadOnly = 0x800, kEsWantReturn = 0x1000, kEsNumber = 0x2000;
constexpr unsigned kEnChange = 0x0300;
constexpr unsigned kScClose = 0xF060, kScMove = 0xF010;
constexpr unsigned kUserTimerMinimum = 10;
constexpr unsigned kTaskbarCreated = 0xC0DE;  // a value from the registered-message range
constexpr std::uintptr_t kStockSystemFont = 0x018A0021;
}  // namespace win

constexpr const char* kDialogClass = "#32770";

// File, folder, key and value names compare without regard to case, as on Windows.
inline bool SameText(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

struct Posted { std::uintptr_t window; unsigned message; WParam w; LParam l; };

// The state of the dialog thread's desktop that Reset starts afresh.
struct Desktop {
    // --- windows ---
    std::map<std::uintptr_t, Node> nodes;            // destroyed ones stay, flagged
    std::vector<std::uintptr_t> creationOrder;
    std::map<std::uintptr_t, std::vector<std::uintptr_t>> children;  // template order
    std::map<std::uintptr_t, std::vector<MenuItem>> systemMenus;
    std::map<std::uintptr_t, std::set<std::string>> marks;  // window properties
    std::map<std::uintptr_t, std::uintptr_t> savedFocus;  // of hidden or minimised dialogs
    std::set<std::uintptr_t> invalid;
    std::map<std::uintptr_t, unsigned> validations;  // counts BeginPaint/DefaultPaint per window
    std::set<std::uintptr_t> painting;
    std::uintptr_t focus = 0;
    std::shared_ptr<const CompiledResources> resources;

    // --- timers ---
    struct Timer {
        std::int64_t periodUs;
        std::int64_t dueUs;    // the next expiry: on a tick, plus its lateness
        std::uint64_t serial;  // orders timers that fall due together
    };
    std::map<std::pair<std::uintptr_t, unsigned>, Timer> timers;
    std::uint64_t timerSerial = 0;

    // --- GDI ---
    struct Dc { std::uintptr_t window; FontHandle font; };  // its window, the font selected
    std::map<std::uintptr_t, Dc> dcs;

    // --- files, registry, notification area ---
    struct OpenFile {
        std::string key;  // of World::files
        std::uint64_t position = 0;
        bool canRead = false, canWrite = false;
    };
    std::map<std::uintptr_t, OpenFile> openFiles;
    struct OpenKey {
        std::string name;  // of World::registry
        bool writable = false;
    };
    std::map<std::uintptr_t, OpenKey> openKeys;
    std::set<std::pair<std::uintptr_t, unsigned>> trayIcons;
};

struct World::Impl : Desktop {
    // Handle counters go on over Reset, so that a stale handle never names
    // a new object.
    std::uintptr_t nextWindow = 0x00010010, nextGdi = 0x00A00000, nextKernelHandle = 0x100;

    // --- shared with worker threads ---
    std::mutex lock;
    std::condition_variable changed;
    std::int64_t monoUs = kDefaultMonotonicUs;
    // The wall clock is wallBaseUs at monotonic wallBaseMonoUs and runs at
    // its own rate from there.
    std::int64_t wallBaseUs = kDefaultWallUs;
    std::int64_t wallBaseMonoUs = kDefaultMonotonicUs;
    int wallRatePpm = 0;
    TimeZone zone = kEuropeBerlin;
    std::deque<Posted> queue;
    std::set<std::uintptr_t> liveWindows;
    std::multiset<std::int64_t> sleepers;  // wake times (µs) of sleeping workers
    int awakeWorkers = 0;                   // started and not sleeping
    int liveWorkers = 0;                    // started and not ended
    bool abandon = false;

    // --- windows (Windows.cpp, Dialogs.cpp) ---
    Node* Live(std::uintptr_t handle);
    Node* LiveChild(std::uintptr_t dialog, int id);
    const CompiledResources& Resources();
    std::uintptr_t CreateDialogWindow(Dialog& dialog, std::uintptr_t owner);
    void InitDialogWindow(std::uintptr_t handle);
    void DestroyDialogWindow(std::uintptr_t handle);
    // False when the window cannot take it. A mouse press gives it without
    // the radio button's click of its own.
    bool SetFocus(std::uintptr_t handle, bool byMousePress = false);
    void SetEnabled(Node& node, bool on);
    void Show(Node& node, int command);
    bool IsVisible(const Node& node);
    bool Contains(std::uintptr_t outer, std::uintptr_t inner);
    void Invalidate(std::uintptr_t handle);
    void Validate(std::uintptr_t handle);

    // --- messages and time (MessageLoop.cpp) ---
    LResult Deliver(std::uintptr_t window, unsigned message, WParam w, LParam l);
    bool PostChecked(std::uintptr_t window, unsigned message, WParam w, LParam l);
    bool PopPosted(Posted& out);
    void Paint(std::uintptr_t window);
    bool FireOneDueTimer();
    // The next expiry of a timer that falls due at `dueUs`: the first clock
    // tick from then on, plus the lateness the test sets.
    std::int64_t Expiry(std::int64_t dueUs, unsigned timerId);
    std::int64_t CeilToTick(std::int64_t us);
    std::int64_t MonotonicUs();
    std::int64_t WallUs();  // guarded by `lock`
    // Moves both clocks to `t` (not backwards) and wakes the workers due.
    void MoveClockTo(std::int64_t t);
    // Lets time pass without delivering messages, stepping through the wake
    // times of sleeping workers.
    void PassTime(std::int64_t us);
    // Waits until no worker thread is running (all sleep or have ended).
    void SettleWorkers();

    // --- GDI (Gdi.cpp) ---
    std::uintptr_t NewGdiHandle() { return nextGdi += 4; }
    void Record(DrawCall call);
};

World::Impl& State();  // World::Get().Internals()

// What a modal window (message box or dialog) does to its owner while it is
// open: the owner is disabled and its focus put aside; afterwards the owner
// is enabled again (if it was), gets its focus back and, being uncovered,
// needs painting. `focus` is the window to give the focus back to.
class ModalScope {
public:
    ModalScope(std::uintptr_t owner, std::uintptr_t focus);
    ~ModalScope();
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;
    void EnableOwner();

private:
    std::uintptr_t m_owner, m_focus;
    bool m_ownerWasEnabled = false;
};

}  // namespace hv::headless
