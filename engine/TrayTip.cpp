#include "engine/TrayTip.h"

namespace hv {

ActiveFunctions ActiveOf(const TimekeepingState& t) {
    return {t.AnyAlarmActive(), t.countdown.active, t.stopwatch.Running(), t.hourlySignalOn};
}

std::string TrayTipText(const ActiveFunctions& on) {
    const auto line = [](const char* what, bool active) { return std::string(what) + (active ? " an" : " aus"); };
    return line("Alarm", on.anyAlarm) + "\n" + line("Countdown", on.countdown) + "\n" +
           line("Stoppuhr", on.stopwatch) + "\n" + line("Stundensignal", on.hourlySignal);
}

}  // namespace hv
