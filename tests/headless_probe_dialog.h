#pragma once
// A small dialog on the probe templates (tests/data/probe.rc, compiled) that
// records what reaches it, for the tests of the headless backend itself.
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/Dialog.h"
#include "platform/Gdi.h"
#include "platform/MessageMap.h"
#include "platform/Services.h"
#include "platform/headless/World.h"
#include "tests/data/probe_resource.h"

namespace hv::test {

inline headless::World& TheWorld() { return headless::World::Get(); }

// A fresh world on the probe templates.
inline void ResetToProbeWorld() {
    TheWorld().Reset();
    TheWorld().UseResources(HV_PROBE_RES);
}

class ProbeDialog : public Dialog {
public:
    struct Event {
        unsigned message;
        unsigned id;  // command id or timer id
        unsigned code;
        LParam lParam;
        std::int64_t atMs;
    };
    explicit ProbeDialog(int templateId = IDD_PROBE) : Dialog(templateId) {}

    std::vector<Event> events;  // commands, timers, user messages, paints, in arrival order
    std::function<void(unsigned timerId)> onTimer;
    std::function<void(int id)> onCommand;
    bool focusFirstTabStop = true;
    bool throwOnPaint = false;

    std::vector<unsigned> Of(unsigned message) const {
        std::vector<unsigned> ids;
        for (const auto& e : events)
            if (e.message == message) ids.push_back(e.id);
        return ids;
    }

protected:
    bool OnInitDialog() override {
        Dialog::OnInitDialog();
        return focusFirstTabStop;
    }

    bool HandleMessage(const Message& m, LResult& result) override {
        static const MessageMapEntry<ProbeDialog> kMap[] = {
            map::Timer<ProbeDialog, &ProbeDialog::OnTimer>(),
            map::Paint<ProbeDialog, &ProbeDialog::OnPaint>(),
            map::Raw<ProbeDialog, &ProbeDialog::OnUser>(msg::kUser),
        };
        if (m.message == msg::kCommand) {
            events.push_back({m.message, LowWord(m.wParam), HighWord(m.wParam), m.lParam, MonotonicMilliseconds()});
            if (onCommand) onCommand(static_cast<int>(LowWord(m.wParam)));
        }
        if (DispatchMessageMap(*this, kMap, m, result)) return true;
        return Dialog::HandleMessage(m, result);
    }

private:
    void OnTimer(unsigned id) {
        events.push_back({msg::kTimer, id, 0, 0, MonotonicMilliseconds()});
        if (onTimer) onTimer(id);
    }
    void OnPaint() {
        events.push_back({msg::kPaint, 0, 0, 0, MonotonicMilliseconds()});
        if (throwOnPaint) throw std::runtime_error("paint failed");
        DefaultPaint(Wnd());
    }
    LResult OnUser(WParam w, LParam) {
        events.push_back({msg::kUser, static_cast<unsigned>(w), 0, 0, MonotonicMilliseconds()});
        return 0;
    }
};

}  // namespace hv::test
