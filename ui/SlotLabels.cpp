#include "ui/SlotLabels.h"

#include "platform/Constants.h"

namespace hv {

FontSpec LabelFontSpec(int height) {
    FontSpec spec;
    spec.height = height;
    spec.escapement = 1;
    spec.orientation = 1;
    spec.weight = 400;
    spec.charSet = 0;           // ANSI_CHARSET
    spec.outPrecision = 7;      // OUT_TT_ONLY_PRECIS
    spec.clipPrecision = 0x80;  // CLIP_EMBEDDED
    spec.quality = 4;           // ANTIALIASED_QUALITY
    spec.pitchAndFamily = 0x50; // FF_DECORATIVE | DEFAULT_PITCH
    spec.faceName = "Arial";
    return spec;
}

void DrawSlotLabels(const DeviceContext& dc, const std::array<std::string, kLabelCount>& labels,
                    const std::array<bool, kLabelCount>& active, const std::array<SlotLabelPlace, 6>& places,
                    int fontHeight, const Palette& palette) {
    const Font font(LabelFontSpec(fontHeight));
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
