#include "system/TrayIcon.h"

#include "platform/Gdi.h"
#include "res/resource.h"

namespace hv {

void TrayIcon::Load(const Window& window) {
    const int dpi = window.Dpi();
    const int cx = SystemMetricForDpi(sm::kCxSmIcon, dpi), cy = SystemMetricForDpi(sm::kCySmIcon, dpi);
    m_normal = OwnedIcon(IDR_MAINFRAME, cx, cy);
    m_active = OwnedIcon(IDI_ACTIVE, cx, cy);
    m_data.window = window;
    m_data.id = kTrayIconId;
    m_data.flags = nim::kFlagMessage | nim::kFlagIcon | nim::kFlagTip;
    m_data.callbackMessage = WM_TRAYNOTIFY;
    Fill(m_shown);
}

void TrayIcon::Fill(const TrayView& view) {
    m_shown = view;
    m_data.icon = (view.activeIcon ? m_active : m_normal).Handle();
    m_data.tip = view.tip;
}

bool TrayIcon::Add(const TrayView& view) {
    Fill(view);
    return NotifyIcon(nim::kAdd, m_data);
}

void TrayIcon::Show(const TrayView& view) {
    if (view == m_shown) return;
    const bool newPicture = view.activeIcon != m_shown.activeIcon;
    Fill(view);
    // The tip alone while the picture stays: each second of a running
    // stopwatch or countdown, and a picture sent makes the shell copy it.
    TrayIconData change = m_data;
    if (!newPicture) change.flags = nim::kFlagTip;
    NotifyIcon(nim::kModify, change);
}

bool TrayIcon::AddAgain() { return NotifyIcon(nim::kAdd, m_data) || NotifyIcon(nim::kModify, m_data); }

}  // namespace hv
