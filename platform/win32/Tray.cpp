#include <cstring>

#include "platform/Services.h"
#include "platform/win32/LateBound.h"
#include "platform/win32/WideText.h"

#include <shellapi.h>

namespace hv {

bool NotifyIcon(unsigned action, const TrayIconData& data) {
    NOTIFYICONDATAW nid;
    std::memset(&nid, 0, sizeof nid);
    // The second form of the record: every shell since Windows 2000 takes
    // it, and its tip holds 128 characters, enough for the live tip.
    nid.cbSize = NOTIFYICONDATAW_V2_SIZE;
    nid.hWnd = win32::ToHwnd(data.window.Handle());
    nid.uID = data.id;
    nid.uFlags = data.flags;
    nid.uCallbackMessage = data.callbackMessage;
    nid.hIcon = win32::ToHicon(data.icon);
    lstrcpynW(nid.szTip, win32::WideFromText(data.tip).c_str(), sizeof nid.szTip / sizeof nid.szTip[0]);
    using NotifyFn = BOOL(WINAPI*)(DWORD, NOTIFYICONDATAW*);
    const auto notify = win32::LateBound<NotifyFn>("shell32.dll", "Shell_NotifyIconW");
    return notify && notify(action, &nid) != FALSE;
}

unsigned TaskbarCreatedMessage() { return RegisterWindowMessageW(L"TaskbarCreated"); }

}  // namespace hv
