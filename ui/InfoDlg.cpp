#include "ui/InfoDlg.h"

#include "platform/App.h"
#include "platform/MessageBox.h"
#include "platform/Services.h"
#include "res/resource.h"
#include "ui/MainWindowColours.h"

namespace hv {

InfoDlg::InfoDlg() : Dialog(IDD_INFO) {}

bool InfoDlg::OnInitDialog() {
    Dialog::OnInitDialog();
    m_backgroundBrush = SolidBrush(m_palette.window);
    return true;
}

BrushHandle InfoDlg::OnCtlColor(DcHandle dc, Window, int kind) {
    return AnswerColours(DeviceContext(dc), WhiteDialogColoursOf(kind, m_palette), m_palette, m_backgroundBrush.Handle());
}

// Shown normally: a mail program opened hidden would make the button seem dead.
void InfoDlg::OnMail() {
    if (!ShellOpen(kFeedbackMail, sw::kShowNormal))
        ShowMessageBox(Wnd(), kNoMailProgram, AppName(), mb::kOk | mb::kIconExclamation);
}

void InfoDlg::OnHomepage() {
    if (!ShellOpen(kHomepage, sw::kShowDefault))
        ShowMessageBox(Wnd(), kNoBrowser, AppName(), mb::kOk | mb::kIconExclamation);
}

bool InfoDlg::HandleMessage(const Message& m, LResult& result) {
    static const MessageMapEntry<InfoDlg> kMessageMap[] = {
        map::CtlColor<InfoDlg, &InfoDlg::OnCtlColor>(),
        map::Command<InfoDlg, &InfoDlg::OnMail>(IDC_MAIL),
        map::Command<InfoDlg, &InfoDlg::OnHomepage>(IDC_HOMEPAGE),
    };
    return DispatchMessageMap(*this, kMessageMap, m, result) || Dialog::HandleMessage(m, result);
}

}  // namespace hv
