#include "app/ZeitApp.h"

#include "platform/Services.h"
#include "ui/HauptDlg.h"

namespace hv {

bool ZeitApp::InitInstance() {
    InitCommonControls();
    // The framework's per-user settings key; the program stores nothing there.
    SetRegistryKey("Quorrin");
    HauptDlg dlg;
    dlg.DoModal();
    return false;
}

}  // namespace hv
