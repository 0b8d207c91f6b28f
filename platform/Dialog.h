#pragma once
// Modal dialog base: built on a dialog template of the resources, run by our
// own modal loop (owner disabled, dialog created modeless, IsDialogMessage
// pump until EndDialog), with controls bound by id and messages looked up in
// a typed map.
// Messages reach the dialog through Dispatch, which no exception leaves.
#include <vector>

#include "platform/Handles.h"
#include "platform/MessageMap.h"
#include "platform/Window.h"

namespace hv {

class Dialog {
public:
    explicit Dialog(int templateId) : m_templateId(templateId) {}
    virtual ~Dialog() = default;
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    // Runs the dialog modally; returns the value given to EndDialog, or -1
    // when the window could not be created.
    int DoModal(Window owner = Window());
    void EndDialog(int result);

    int TemplateId() const { return m_templateId; }
    const Window& Wnd() const { return m_wnd; }
    Window Item(int id) const { return m_wnd.Item(id); }
    bool IsEnded() const { return m_ended; }
    int Result() const { return m_result; }

    // Entry point of the win32 backend for every message of the dialog window.
    // Returns true when the message was handled; never throws: a handler's
    // exception is reported (ReportFailure) and the message counts as handled.
    bool Dispatch(unsigned message, WParam w, LParam l, LResult& result) noexcept;

    // Backend bookkeeping: the window exists (before WM_INITDIALOG) / is gone.
    void AttachWindow(WindowHandle h) { m_wnd.Attach(h); }
    void ResetModalState() { m_ended = false; m_result = -1; }

protected:
    // Binds the controls to members (the framework's DoDataExchange).
    virtual void DoDataExchange() {}
    // Base: runs DoDataExchange. Returns true to let the dialog manager set
    // the focus to the first tab stop.
    virtual bool OnInitDialog();
    // The derived class's message map; the base handles IDOK and IDCANCEL.
    virtual bool HandleMessage(const Message& m, LResult& result);
    virtual void OnOK() { EndDialog(cmd::kOk); }
    virtual void OnCancel() { EndDialog(cmd::kCancel); }

    // A control id missing from the template leaves the member unbound; it
    // is remembered, so that tests can prove every binding found its control.
    void Bind(Control& control, int id) {
        control.Attach(m_wnd.Item(id).Handle());
        if (!control.IsValid()) m_missingBindings.push_back(id);
    }

public:
    const std::vector<int>& MissingBindings() const { return m_missingBindings; }

private:
    int m_templateId;
    Window m_wnd;
    bool m_ended = false;
    int m_result = -1;
    std::vector<int> m_missingBindings;
};

}  // namespace hv
