#pragma once
// A failure that nothing above could handle (an exception out of a message
// handler or a worker thread) is reported, never swallowed: on Windows to the
// debugger's output. A
// failed WM_PAINT still validates its window, or Windows would ask again
// without end.
#include "platform/Window.h"

namespace hv {

// `message` is the message whose handler failed, 0 for a worker thread.
void ReportFailure(const Window& window, unsigned message, const char* what) noexcept;

}  // namespace hv
