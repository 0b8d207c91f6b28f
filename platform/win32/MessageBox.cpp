#include "platform/MessageBox.h"

#include <string>

#include "platform/win32/Win32.h"
#include "platform/win32/WideText.h"

namespace hv {

int ShowMessageBox(const Window& owner, std::string_view text, std::string_view caption, unsigned type) {
    // MessageBox runs Windows' own nested loop; it dispatches the thread's
    // other messages, so the window timers keep running while it is open.
    return MessageBoxW(win32::ToHwnd(owner.Handle()), win32::WideFromText(text).c_str(), win32::WideFromText(caption).c_str(),
                       type);
}

}  // namespace hv
