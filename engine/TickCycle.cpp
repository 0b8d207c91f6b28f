#include "engine/TickCycle.h"

namespace hv {

void RunSecondTick(MainModel& m, SettingsFile& file, TickWindow& window) {
    window.Apply(CatchUpStoredRecord(m, file, window.MonoMs()));
    const TickResult r = SecondTick(m, file, window.WallMs(), window.MonoMs(),
                                    [&window](std::int64_t s) { return window.Local(s); });
    // Set before a modal box can hold the effects up, so that the clock runs on under it.
    window.SetTickTimer(r.nextTickInMs);
    window.Apply(r.effects);
}

}  // namespace hv
