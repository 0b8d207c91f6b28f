#include "ui/TrayIcon.h"

#include "platform/Constants.h"
#include "platform/Gdi.h"
#include "platform/Resources.h"
#include "res/resource.h"
#include "ui/HauptDlg.h"

namespace hv {

TrayIconData TrayIconFor(const Window& window, const TrayView& view) {
    TrayIconData data;
    data.window = window;
    data.id = kTrayIconId;
    data.flags = nim::kFlagMessage | nim::kFlagIcon | nim::kFlagTip;
    data.callbackMessage = WM_TRAYNOTIFY;
    // The small icon's size at this screen's scaling: 16 at 100 %, 24 at 150 %.
    data.icon = LoadSharedIcon(view.activeIcon ? IDI_ACTIVE : IDR_MAINFRAME, SystemMetric(sm::kCxSmIcon),
                               SystemMetric(sm::kCySmIcon));
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
