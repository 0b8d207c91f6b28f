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
    editor.DoModal(Wnd());
    const Effects effects = TakeLabels(m_model, m_file, editor.Labels());
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
    if ((command & 0xFFF0) != IDM_ABOUTBOX) return false;
    OnInfo();
    return true;
}

}  // namespace hv
