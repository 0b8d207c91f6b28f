// Message boxes of the model: recorded and answered by the test while the
// box is "open", i.e. inside a nested loop in which the owner is disabled and
// time may pass (World::messageBoxOpenMs, or Advance from onMessageBox).
#include "platform/MessageBox.h"

#include "platform/headless/WorldImpl.h"

namespace hv {
namespace {

// The first button of the box's kind, as a user who just presses Enter.
int FirstButton(unsigned type) {
    switch (type & 0xF) {
        case 2: return 3;   // MB_ABORTRETRYIGNORE: IDABORT
        case 3:             // MB_YESNOCANCEL
        case 4: return 6;   // MB_YESNO: IDYES
        case 5: return 4;   // MB_RETRYCANCEL: IDRETRY
        case 6: return 2;   // MB_CANCELTRYCONTINUE: IDCANCEL
        default: return mb::kIdOk;
    }
}

}  // namespace

int ShowMessageBox(const Window& owner, std::string_view text, std::string_view caption, unsigned type) {
    auto& world = headless::World::Get();
    headless::MessageBoxCall call;
    call.owner = owner.Handle().value;
    call.text.assign(text.data(), text.size());
    call.caption.assign(caption.data(), caption.size());
    call.type = type;
    const std::size_t index = world.messageBoxes.size();
    world.messageBoxes.push_back(call);
    int answer = 0;
    {
        headless::ModalScope scope(call.owner, world.Internals().focus);
        world.Internals().focus = 0;  // the box has it
        world.Pump();
        if (world.messageBoxOpenMs > 0) world.Advance(world.messageBoxOpenMs);
        answer = world.onMessageBox ? world.onMessageBox(call) : FirstButton(type);
    }
    if (index < world.messageBoxes.size()) world.messageBoxes[index].answer = answer;
    return answer;
}

}  // namespace hv
