#include "engine/LabelText.h"

namespace hv {

std::string PadLabel(std::string label) {
    if (!label.empty() && label.size() < kMaxLabelLength) label.append(kMaxLabelLength - label.size(), ' ');
    return label;
}

RenameResult Rename(const std::string& typed) {
    if (typed.size() > kMaxLabelLength)
        return {{}, "Änderung nicht möglich, da die max. Länge von 15 Zeichen überschritten worden ist."};
    if (typed.empty()) return {{}, "Änderung nicht möglich, da keine Bezeichnung eingegeben worden ist."};
    return {PadLabel(typed), nullptr};
}

}  // namespace hv
