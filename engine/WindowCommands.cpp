// The notification area, the start into it, and the labels the editor hands back.
#include "engine/Commands.h"
#include "engine/LabelText.h"
#include "engine/Signalling.h"

namespace hv {

Effects TrayMinimieren(MainModel& m) {
    Effects out;
    out.Add(Step::HideToTray);
    m.timers.inTray = true;
    return out;
}

Effects TrayNotify(MainModel& m, unsigned mouseMessage) {
    Effects out;
    if (mouseMessage == kLButtonUp || mouseMessage == kRButtonUp) BringBack(m, out);
    return out;
}

Effects Paint(MainModel& m) {
    // The rest of the paint runs all the same.
    return m.timers.minimiseOnFirstPaint ? TrayMinimieren(m) : Effects{};
}

// Every accepted rename counts, however the editor was closed; all five are
// stored as exactly 15 characters, a short default label padded.
Effects TakeLabels(MainModel& m, SettingsFile& file, const std::array<std::string, 5>& edited) {
    Effects out;
    std::string stored;
    for (std::size_t i = 0; i < edited.size(); ++i) {
        m.labels[i] = edited[i];
        std::string field = edited[i].substr(0, kMaxLabelLength);
        field.append(kMaxLabelLength - field.size(), ' ');
        stored += field;
    }
    out.redrawLabels = true;
    Written(file, settings::Label(0), stored, out);
    return out;
}

}  // namespace hv
