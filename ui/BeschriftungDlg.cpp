#include "ui/BeschriftungDlg.h"

#include "engine/LabelText.h"
#include "res/resource.h"
#include "ui/MainWindowColours.h"

namespace hv {
namespace {

constexpr int kInputIds[kEditableLabels] = {IDC_LABEL_IN1, IDC_LABEL_IN2, IDC_LABEL_IN3, IDC_LABEL_IN4, IDC_LABEL_IN5};
constexpr int kCurrentIds[kEditableLabels] = {IDC_LABEL_CUR1, IDC_LABEL_CUR2, IDC_LABEL_CUR3, IDC_LABEL_CUR4,
                                              IDC_LABEL_CUR5};

}  // namespace

BeschriftungDlg::BeschriftungDlg() : Dialog(IDD_BESCHRIFTUNG) {}

void BeschriftungDlg::DoDataExchange() {
    for (std::size_t i = 0; i < kEditableLabels; ++i) {
        Bind(m_inputEdits[i], kInputIds[i]);
        Bind(m_currentEdits[i], kCurrentIds[i]);
    }
    Bind(m_statusEdit, IDC_LABEL_STATUS);
}

bool BeschriftungDlg::OnInitDialog() {
    Dialog::OnInitDialog();
    m_backgroundBrush = SolidBrush(m_palette.window);
    return true;
}

// Every paint shows the current labels and puts the focus back on the first
// input, so an uncovered or restored editor is ready to type into.
void BeschriftungDlg::OnPaint() {
    { const PaintDc dc(Wnd()); }
    for (std::size_t i = 0; i < kEditableLabels; ++i) m_currentEdits[i].SetText(m_labels[i]);
    m_inputEdits[0].Focus();
}

BrushHandle BeschriftungDlg::OnCtlColor(DcHandle dc, Window, int kind) {
    return AnswerColours(DeviceContext(dc), WhiteDialogColoursOf(kind, m_palette), m_palette, m_backgroundBrush.Handle());
}

void BeschriftungDlg::OnRename(int k) {
    const auto i = static_cast<std::size_t>(k);
    const Control& input = m_inputEdits[i];
    const RenameResult r = Rename(input.Text());
    if (r.refusal) {
        m_statusEdit.SetText(r.refusal);
        input.SelectText(0, 20);
        input.Focus();
        return;
    }
    m_labels[i] = r.label;
    m_currentEdits[i].SetText(m_labels[i]);
    input.SetText("");
    input.Focus();
    m_statusEdit.SetText("");
}

bool BeschriftungDlg::HandleMessage(const Message& m, LResult& result) {
    static const MessageMapEntry<BeschriftungDlg> kMessageMap[] = {
        map::Paint<BeschriftungDlg, &BeschriftungDlg::OnPaint>(),
        map::CtlColor<BeschriftungDlg, &BeschriftungDlg::OnCtlColor>(),
        map::Command<BeschriftungDlg, &BeschriftungDlg::OnRename1>(IDC_LABEL_SET1),
        map::Command<BeschriftungDlg, &BeschriftungDlg::OnRename2>(IDC_LABEL_SET2),
        map::Command<BeschriftungDlg, &BeschriftungDlg::OnRename3>(IDC_LABEL_SET3),
        map::Command<BeschriftungDlg, &BeschriftungDlg::OnRename4>(IDC_LABEL_SET4),
        map::Command<BeschriftungDlg, &BeschriftungDlg::OnRename5>(IDC_LABEL_SET5),
    };
    return DispatchMessageMap(*this, kMessageMap, m, result) || Dialog::HandleMessage(m, result);
}

}  // namespace hv
