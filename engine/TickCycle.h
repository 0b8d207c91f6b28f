#pragma once
// The one-second timer's round as the window runs it: the settings file read
// again while its record is unread, the tick's decision, the timer set anew,
// then the effects performed. A modal step (the hourly
// box) runs further rounds inside its own message loop; they must find the
// seconds of the round that opened it already examined.
#include <cstdint>

#include "engine/StoredRecord.h"
#include "engine/Tick.h"

namespace hv {

// What a round needs of the window: its clocks, its timer, and the effects
// performed in order (the view, then the steps).
class TickWindow {
public:
    virtual ~TickWindow() = default;
    virtual std::int64_t WallMs() const = 0;
    virtual std::int64_t MonoMs() const = 0;
    virtual LocalTime Local(std::int64_t epochSeconds) const = 0;
    virtual void SetTickTimer(std::int64_t inMs) = 0;
    virtual void Apply(const Effects& effects) = 0;
};

void RunSecondTick(MainModel& m, SettingsFile& file, TickWindow& window);

}  // namespace hv
