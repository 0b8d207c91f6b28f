#include "ui/SlotLabels.h"

#include "platform/Constants.h"

namespace hv {

void DrawSlotLabels(const DeviceContext& dc, const std::array<std::string, kLabelCount>& labels,
                    const std::array<bool, kLabelCount>& active, const std::array<SlotLabelPlace, 6>& places,
                    const FontSpec& fontSpec, const Palette& palette) {
    const Font font(fontSpec);
    dc.SetBkMode(bk::kTransparent);
    const ScopedSelectFont selected(dc, font.Handle());
    for (std::size_t i = 0; i < labels.size(); ++i) {
        const SlotLabelPlace& at = places[i];
        dc.SetTextColor(active[i] ? palette.activeLabel : palette.inactiveLabel);
        dc.TextOut(at.besideSelector.x, at.besideSelector.y, labels[i]);
        dc.TextOut(at.beforeOverview.x, at.beforeOverview.y, labels[i]);
        dc.TextOut(at.colon.x, at.colon.y, ":");
    }
}

}  // namespace hv
