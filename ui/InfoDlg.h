#pragma once
// The about window: product, version, and two buttons that hand the
// feedback address and the homepage to the shell.
#include "ui/MainWindowColours.h"
#include "platform/Dialog.h"
#include "platform/Gdi.h"

namespace hv {

// Reserved example addresses until the product has its own.
constexpr const char* kFeedbackMail = "mailto:feedback@example.com?subject=Horovant";
constexpr const char* kHomepage = "https://www.example.com/";
constexpr const char* kNoMailProgram =
    "Es konnte kein E-Mail-Programm geöffnet werden. Schreiben Sie an feedback@example.com.";
constexpr const char* kNoBrowser = "Die Internetseite https://www.example.com/ konnte nicht geöffnet werden.";

class InfoDlg : public Dialog {
public:
    InfoDlg();

protected:
    bool OnInitDialog() override;
    bool HandleMessage(const Message& m, LResult& result) override;

private:
    BrushHandle OnCtlColor(DcHandle dc, Window control, int kind);
    void OnMail();
    void OnHomepage();

    Palette m_palette = SystemPalette();  // the theme's while it is a high-contrast one
    SolidBrush m_backgroundBrush;
};

}  // namespace hv
