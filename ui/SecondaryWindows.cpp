// The main window's way into the label editor and the about window, both
// modal: the main window is disabled meanwhile, its timers keep ticking.
#include "res/resource.h"
#include "ui/BeschriftungDlg.h"
#include "ui/HauptDlg.h"
#include "ui/InfoDlg.h"

namespace hv {

void HauptDlg::OnBeschriftung() {
    BeschriftungDlg editor;
    for (std::size_t i = 0; i < kEditableLabels; ++i) editor.Labels()[i] = m_model.labels[i];
    const auto opened = editor.Labels();
    editor.DoModal(Wnd());
    // The ticks go on meanwhile and may take the stored record.
    const Effects effects = UserCommand(
        m_model, m_file, [&] { return TakeLabels(m_model, m_file, LabelsFromEditor(m_model, opened, editor.Labels())); });
    // The whole window repaints, erased first, so a shorter label leaves nothing behind.
    Wnd().Invalidate(true);
    Wnd().Update();
    Apply(effects);
}

void HauptDlg::OnInfo() {
    InfoDlg about;
    about.DoModal(Wnd());
}

// Every other command (Move, Close, ...) goes on to the default processing.
bool HauptDlg::OnSysCommand(unsigned command, LParam) {
    switch (command & 0xFFF0) {
        case IDM_ABOUTBOX: OnInfo(); return true;
        case IDM_WAKE_FOR_ALARM: OnZumAlarmWecken(); return true;
        default: return false;
    }
}

}  // namespace hv
