#include "platform/MessageBox.h"

#include <string>

#include "platform/win32/Win32.h"

namespace hv {

int ShowMessageBox(const Window& owner, std::string_view text, std::string_view caption, unsigned type) {
    // MessageBox runs Windows' own nested loop; it dispatches the thread's
    // other messages, so the window timers keep running while it is open.
    return MessageBoxA(win32::ToHwnd(owner.Handle()), std::string(text).c_str(), std::string(caption).c_str(), type);
}

}  // namespace hv
