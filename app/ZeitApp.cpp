#include "app/ZeitApp.h"

#include "platform/Services.h"
#include "platform/SingleInstance.h"
#include "system/TrayIcon.h"
#include "ui/HauptDlg.h"

namespace hv {

// Two copies would ring every alarm twice and each keep its own idea of the
// settings: a second start shows the running window and ends.
bool ZeitApp::InitInstance() {
    const SessionMutex oneCopy(kOneCopyName);
    if (oneCopy.AlreadyExisted()) {
        ShowRunningCopy();
        return false;
    }
    InitCommonControls();
    HauptDlg dlg;
    dlg.DoModal();
    return false;
}

// As a click on its tray icon does: shown, the icon gone, and no longer
// hidden again at its next paint.
void ZeitApp::ShowRunningCopy() {
    const Window running = FindMarkedWindow(kMainWindowMark);
    if (!running.IsValid()) return;  // still starting: it shows itself
    running.Post(WM_TRAYNOTIFY, kTrayIconId, msg::kLButtonUp);
    BringToFront(running);
}

}  // namespace hv
