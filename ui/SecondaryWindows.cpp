// The main window's way into the label editor and the about window, both
// modal: the main window is disabled meanwhile, its timers keep ticking.
#include "engine/LabelText.h"
#include "model/SettingsFile.h"
#include "res/resource.h"
#include "ui/BeschriftungDlg.h"
#include "ui/HauptDlg.h"
#include "ui/InfoDlg.h"

namespace hv {

// Every accepted rename counts, however the editor was closed.
void HauptDlg::OnBeschriftung() {
    BeschriftungDlg editor;
    for (std::size_t i = 0; i < kEditableLabels; ++i) editor.Labels()[i] = m_labels[i];
    editor.DoModal(Wnd());
    std::string stored;
    for (std::size_t i = 0; i < kEditableLabels; ++i) {
        m_labels[i] = editor.Labels()[i];
        // Stored as exactly 15 characters, a short default label padded.
        std::string field = m_labels[i].substr(0, kMaxLabelLength);
        field.append(kMaxLabelLength - field.size(), ' ');
        stored += field;
    }
    Wnd().Invalidate(true);
    Wnd().Update();
    g_settingsFile.RewriteField(settings::Label(0), stored);
}

void HauptDlg::OnInfo() {
    InfoDlg about;
    about.DoModal(Wnd());
}

// Every other command (Move, Close, ...) goes on to the default processing.
bool HauptDlg::OnSysCommand(unsigned command, LParam) {
    if ((command & 0xFFF0) != IDM_ABOUTBOX) return false;
    OnInfo();
    return true;
}

}  // namespace hv
