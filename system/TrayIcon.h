#pragma once
// The main window's icon in the notification area: icon 130 while any
// function is on, else the application icon 128, with the four-line tip.
// The record it was added with is kept, so that the same icon can be added
// again when Explorer restarts.
#include "engine/TrayTip.h"
#include "platform/Constants.h"
#include "platform/Resources.h"
#include "platform/Services.h"
#include "platform/Window.h"

namespace hv {

constexpr unsigned kTrayIconId = 1;
// What the icon sends its window.
constexpr unsigned WM_TRAYNOTIFY = 0x8000 + 100;  // WM_APP + 100

class TrayIcon {
public:
    // The icon of `window`, its two pictures at the small-icon size of the
    // window's screen now: 16 pixels at 100 %, 24 at 150 %. Called again when
    // the window moves to another screen, and when Explorer restarts.
    void Load(const Window& window);
    // False when the shell did not take it.
    bool Add(const TrayView& view);
    // Only when the picture or the tip changed.
    void Show(const TrayView& view);
    // The kept record: added again, or modified where Explorer has it
    // already (it announced itself twice).
    bool AddAgain();
    // The kept record shown, with pictures loaded anew.
    void Refresh() { NotifyIcon(nim::kModify, m_data); }
    void Remove() { NotifyIcon(nim::kDelete, m_data); }

private:
    void Fill(const TrayView& view);

    OwnedIcon m_normal, m_active;
    TrayIconData m_data;
    TrayView m_shown;
};

}  // namespace hv
