#pragma once
// The values of the <windows.h> names a resource script may use in dialog
// templates: window, dialog, edit, button and static styles, extended styles,
// the standard command ids and the predefined resource types. The values are
// Windows' own; a test compares what the templates give with the output of
// the resource compiler.
#include <cstdint>
#include <optional>
#include <string_view>

namespace hv::headless {

std::optional<std::int64_t> WindowsSymbol(std::string_view name);

}  // namespace hv::headless
