#include "ui/TrayIcon.h"

#include "platform/Constants.h"
#include "platform/Gdi.h"
#include "platform/Resources.h"
#include "res/resource.h"
#include "ui/HauptDlg.h"

namespace hv {

TrayPictures LoadTrayPictures(const Window& window) {
    const int dpi = window.Dpi();
    const int cx = SystemMetricForDpi(sm::kCxSmIcon, dpi), cy = SystemMetricForDpi(sm::kCySmIcon, dpi);
    return {OwnedIcon(IDR_MAINFRAME, cx, cy), OwnedIcon(IDI_ACTIVE, cx, cy)};
}

TrayIconData TrayIconFor(const Window& window, const TrayView& view, const TrayPictures& pictures) {
    TrayIconData data;
    data.window = window;
    data.id = kTrayIconId;
    data.flags = nim::kFlagMessage | nim::kFlagIcon | nim::kFlagTip;
    data.callbackMessage = WM_TRAYNOTIFY;
    data.icon = (view.activeIcon ? pictures.active : pictures.normal).Handle();
    data.tip = view.tip;
    return data;
}

bool RemoveTrayIcon(const Window& window) {
    TrayIconData data;
    data.window = window;
    data.id = kTrayIconId;
    return NotifyIcon(nim::kDelete, data);
}

}  // namespace hv
