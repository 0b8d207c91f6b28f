#pragma once
// Win32 values the code outside platform/win32 needs, under our own names so
// that they never collide with <windows.h> macros. The values are Windows' own.
#include <cstdint>

namespace hv {

namespace msg {
constexpr unsigned kNull = 0x0000;
constexpr unsigned kDestroy = 0x0002;
constexpr unsigned kSize = 0x0005;
constexpr unsigned kDpiChanged = 0x02E0;
constexpr unsigned kPowerBroadcast = 0x0218;
constexpr unsigned kPaint = 0x000F;
constexpr unsigned kClose = 0x0010;
constexpr unsigned kSysColorChange = 0x0015;
constexpr unsigned kSettingChange = 0x001A;
constexpr unsigned kIconEraseBkgnd = 0x0027;
constexpr unsigned kQueryDragIcon = 0x0037;
constexpr unsigned kSetFont = 0x0030;
constexpr unsigned kSetIcon = 0x0080;
constexpr unsigned kKeyDown = 0x0100;
constexpr unsigned kInitDialog = 0x0110;
constexpr unsigned kCommand = 0x0111;
constexpr unsigned kSysCommand = 0x0112;
constexpr unsigned kTimer = 0x0113;
constexpr unsigned kCtlColorMsgBox = 0x0132;  // the seven WM_CTLCOLOR* messages
constexpr unsigned kCtlColorStatic = 0x0138;  // are kCtlColorMsgBox + kind
constexpr unsigned kMouseMove = 0x0200;
constexpr unsigned kLButtonDown = 0x0201;
constexpr unsigned kLButtonUp = 0x0202;
constexpr unsigned kLButtonDblClk = 0x0203;
constexpr unsigned kRButtonDown = 0x0204;
constexpr unsigned kRButtonUp = 0x0205;
constexpr unsigned kMButtonUp = 0x0208;
constexpr unsigned kUser = 0x0400;
constexpr unsigned kApp = 0x8000;
}  // namespace msg

// Kinds of WM_CTLCOLOR, as the framework's OnCtlColor numbers them.
namespace ctlcolor {
constexpr int kMsgBox = 0, kEdit = 1, kListBox = 2, kBtn = 3, kDlg = 4, kScrollBar = 5, kStatic = 6;
}

namespace bn {
constexpr unsigned kClicked = 0;
}

namespace cmd {
constexpr int kOk = 1;
constexpr int kCancel = 2;
constexpr unsigned kScClose = 0xF060;
}

namespace sw {
constexpr int kHide = 0, kShowNormal = 1, kShowMinimized = 2, kShowNoActivate = 4, kShow = 5, kMinimize = 6,
              kShowMinNoActive = 7, kRestore = 9, kShowDefault = 10;
}

namespace mb {
constexpr unsigned kOk = 0x0;
constexpr unsigned kIconStop = 0x10;
constexpr unsigned kIconExclamation = 0x30;
constexpr unsigned kSetForeground = 0x10000, kTopmost = 0x40000;
constexpr int kIdOk = 1;
}

namespace snd {
constexpr unsigned kAsync = 0x0001;
constexpr unsigned kLoop = 0x0008;
constexpr unsigned kFilename = 0x00020000;
}

namespace sm {
constexpr int kCxIcon = 11, kCyIcon = 12, kCxSmIcon = 49, kCySmIcon = 50;
}

namespace bk {
constexpr int kTransparent = 1, kOpaque = 2;
}

namespace nim {
constexpr unsigned kAdd = 0, kModify = 1, kDelete = 2;
constexpr unsigned kFlagMessage = 1, kFlagIcon = 2, kFlagTip = 4;
}

constexpr inline std::uintptr_t MakeWParam(unsigned low, unsigned high) {
    return (low & 0xFFFFu) | (static_cast<std::uintptr_t>(high & 0xFFFFu) << 16);
}
constexpr inline unsigned LowWord(std::uintptr_t v) { return static_cast<unsigned>(v & 0xFFFFu); }
constexpr inline unsigned HighWord(std::uintptr_t v) { return static_cast<unsigned>((v >> 16) & 0xFFFFu); }

}  // namespace hv
