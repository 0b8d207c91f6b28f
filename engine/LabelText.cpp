#include "engine/LabelText.h"

namespace hv {

std::string PadLabel(std::string label) {
    if (!label.empty() && label.size() < kMaxLabelLength) label.append(kMaxLabelLength - label.size(), ' ');
    return label;
}

}  // namespace hv
