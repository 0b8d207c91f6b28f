#include "platform/Diagnostics.h"

#include <string>

#include "platform/Constants.h"
#include "platform/headless/WorldImpl.h"

namespace hv {

void ReportFailure(const Window& window, unsigned message, const char* what) noexcept {
    try {
        auto& s = headless::State();
        if (message == msg::kPaint) s.Validate(window.Handle().value);
        std::lock_guard<std::mutex> g(s.lock);  // workers report too
        headless::World::Get().handlerFailures.push_back("message " + std::to_string(message) + ": " +
                                                         (what ? what : "unknown exception"));
    } catch (...) {
        std::abort();  // the record itself failed: a test must not pass over it
    }
}

}  // namespace hv
