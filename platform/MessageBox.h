#pragma once
#include <string_view>

#include "platform/Window.h"

namespace hv {

// A modal message box; returns the id of the button that closed it. Timers
// and posted messages keep being handled while it is open.
int ShowMessageBox(const Window& owner, std::string_view text, std::string_view caption, unsigned type);

}  // namespace hv
