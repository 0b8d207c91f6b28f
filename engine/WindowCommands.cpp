// The notification area, the start into it, and the labels the editor hands back.
#include "engine/Commands.h"
#include "engine/FieldWrite.h"
#include "engine/LabelText.h"
#include "engine/Signalling.h"
#include "platform/Constants.h"

namespace hv {

Effects TrayMinimieren(MainModel& m) {
    Effects out;
    out.Add(Step::HideToTray);
    m.timers.inTray = true;
    return out;
}

Effects TrayNotify(MainModel& m, unsigned mouseMessage) {
    Effects out;
    if (mouseMessage == msg::kLButtonUp || mouseMessage == msg::kRButtonUp) BringBack(m, out);
    return out;
}

void Closing(MainModel& m, std::int64_t monoMs) {
    if (m.timers.stopwatch.Running()) m.timers.stopwatch.Stop(monoMs);
}

Effects Paint(MainModel& m) {
    // The rest of the paint runs all the same. Once: a window that waits in
    // the taskbar for the notification area paints its icon there.
    if (!m.timers.minimiseOnFirstPaint) return {};
    m.timers.minimiseOnFirstPaint = false;
    return TrayMinimieren(m);
}

// Never hidden without its icon, or it could not be shown again. At logon
// the shell may take no icons yet: the window waits in the taskbar,
// minimised, until the add succeeds, or until the user restores it there.
Effects TrayIconAnswered(MainModel& m, bool iconThere, bool restoredByUser) {
    Effects out;
    if (!m.timers.inTray) return out;
    if (restoredByUser) {
        BringBack(m, out);
    } else {
        out.Add(iconThere ? Step::HideWindow : Step::WaitForTray);
    }
    return out;
}

// Every accepted rename counts, however the editor was closed; all five are
// stored as exactly 15 characters, a short default label padded. While the
// stored record is unread only the renamed ones: the others show defaults.
Effects TakeLabels(MainModel& m, SettingsFile& file, const std::array<std::string, 5>& edited) {
    Effects out;
    const auto field = [](const std::string& label) {
        std::string f = label.substr(0, kMaxLabelLength);
        return f.append(kMaxLabelLength - f.size(), ' ');
    };
    std::string stored;
    std::array<bool, 5> renamed{};
    for (std::size_t i = 0; i < edited.size(); ++i) {
        renamed[i] = field(m.labels[i]) != field(edited[i]);
        m.labels[i] = edited[i];
        stored += field(edited[i]);
    }
    out.redrawLabels = true;
    if (!m.stored.unread) {
        WriteField(file, settings::Label(0), stored, out);
        return out;
    }
    for (std::size_t i = 0; i < edited.size(); ++i)
        if (renamed[i] && !WriteField(file, settings::Label(static_cast<int>(i)), field(edited[i]), out)) break;
    return out;
}

}  // namespace hv
