#pragma once

#include "clock/ClockState.h"
#include "clock/ClockSurfaces.h"
#include "platform/LocalTime.h"

namespace dorvane {

// Draws the clock for a moment into iBack: the dial restored, the hands at their angles and the
// border ring over them.
class ClockFace {
public:
    ClockFace(const ClockState& state, ClockSurfaces& surfaces) : state_(state), surfaces_(surfaces) {}
    void Draw(const LocalTime& time);

private:
    const ClockState& state_;
    ClockSurfaces& surfaces_;
};

} // namespace dorvane
