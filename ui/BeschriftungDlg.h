#pragma once
// The label editor: renames the labels of the four alarm times and the
// countdown, one at a time. The caller fills Labels() before it runs and
// reads them back afterwards, however it was closed.
#include <array>
#include <string>

#include "ui/MainWindowColours.h"
#include "platform/Dialog.h"
#include "platform/Gdi.h"

namespace hv {

constexpr int kEditableLabels = 5;  // alarm 1 to 4, countdown

class BeschriftungDlg : public Dialog {
public:
    BeschriftungDlg();
    std::array<std::string, kEditableLabels>& Labels() { return m_labels; }

protected:
    void DoDataExchange() override;
    bool OnInitDialog() override;
    bool HandleMessage(const Message& m, LResult& result) override;

private:
    void OnPaint();
    BrushHandle OnCtlColor(DcHandle dc, Window control, int kind);
    void OnRename(int k);
    void OnRename1() { OnRename(0); }
    void OnRename2() { OnRename(1); }
    void OnRename3() { OnRename(2); }
    void OnRename4() { OnRename(3); }
    void OnRename5() { OnRename(4); }

    Palette m_palette = SystemPalette();  // the theme's while it is a high-contrast one
    SolidBrush m_backgroundBrush;
    std::array<Control, kEditableLabels> m_inputEdits;
    std::array<Control, kEditableLabels> m_currentEdits;
    Control m_statusEdit;
    std::array<std::string, kEditableLabels> m_labels;
};

}  // namespace hv
