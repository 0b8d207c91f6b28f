#include "platform/Dialog.h"

#include <exception>

#include "platform/Diagnostics.h"
#include "platform/ModalLoop.h"

namespace hv {

int Dialog::DoModal(Window owner) {
    ResetModalState();
    return RunModalDialog(*this, owner);
}

void Dialog::EndDialog(int result) {
    m_result = result;
    m_ended = true;
}

bool Dialog::OnInitDialog() {
    DoDataExchange();
    return true;
}

bool Dialog::HandleMessage(const Message& m, LResult& result) {
    if (m.message == msg::kCommand && HighWord(m.wParam) == bn::kClicked) {
        switch (LowWord(m.wParam)) {
            case cmd::kOk:
                OnOK();
                result = 0;
                return true;
            case cmd::kCancel:
                OnCancel();
                result = 0;
                return true;
            default:
                break;
        }
    }
    return false;
}

bool Dialog::Dispatch(unsigned message, WParam w, LParam l, LResult& result) noexcept {
    try {
        if (message == msg::kInitDialog) {
            result = OnInitDialog() ? 1 : 0;
            return true;
        }
        return HandleMessage(Message{message, w, l}, result);
    } catch (const std::exception& e) {
        ReportFailure(m_wnd, message, e.what());
    } catch (...) {
        ReportFailure(m_wnd, message, nullptr);
    }
    // A handler that fails must not take the message loop down with it; the
    // window stays usable and the next event is handled normally.
    result = 0;
    return true;
}

}  // namespace hv
