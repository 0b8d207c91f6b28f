#pragma once
// Slot labels: at most 15 characters, stored padded with blanks to exactly 15.
#include <cstddef>
#include <string>

namespace hv {

constexpr std::size_t kMaxLabelLength = 15;

// A label of 1 to 14 characters with blanks up to 15; an empty label or one
// of 15 or more characters unchanged.
std::string PadLabel(std::string label);

// A rename in the label editor with the text typed: the padded label, or the
// refusal to show in the editor's status line (the label then stays).
struct RenameResult {
    std::string label;
    const char* refusal = nullptr;
};
RenameResult Rename(const std::string& typed);

}  // namespace hv
