#include <cstring>

#include "platform/Services.h"
#include "platform/win32/Win32.h"

#include <shellapi.h>

namespace hv {

bool NotifyIcon(unsigned action, const TrayIconData& data) {
    NOTIFYICONDATAA nid;
    std::memset(&nid, 0, sizeof nid);
    // The first form of the record: every shell since Windows 95 takes it,
    // and the tip is 64 characters. Its size is 88 bytes in a 32-bit
    // program and 104 in a 64-bit one (pointers and their alignment).
    nid.cbSize = NOTIFYICONDATAA_V1_SIZE;
    nid.hWnd = win32::ToHwnd(data.window.Handle());
    nid.uID = data.id;
    nid.uFlags = data.flags;
    nid.uCallbackMessage = data.callbackMessage;
    nid.hIcon = win32::ToHicon(data.icon);
    lstrcpynA(nid.szTip, data.tip.c_str(), 64);
    return Shell_NotifyIconA(action, &nid) != FALSE;
}

unsigned TaskbarCreatedMessage() { return RegisterWindowMessageA("TaskbarCreated"); }

}  // namespace hv
