#include "platform/Diagnostics.h"

#include "platform/win32/Win32.h"

namespace hv {

void ReportFailure(const Window& window, unsigned message, const char* what) noexcept {
    // user32's formatter: the C library's printf would add 25 KB to the exe.
    // The reason is cut to 100 characters, so the line always fits.
    char line[160];
    wsprintfA(line, "Horovant: handler of message 0x%04X failed: %.100s\n", message, what ? what : "unknown exception");
    OutputDebugStringA(line);
    if (message == WM_PAINT && window.IsValid()) ValidateRect(win32::ToHwnd(window.Handle()), nullptr);
}

}  // namespace hv
