#pragma once

#include "clock/face/HandLayers.h"
#include "clock/state/ClockState.h"
#include "clock/state/ClockSurfaces.h"
#include "platform/LocalTime.h"

namespace dorvane {

// Draws the clock for a moment into iBack, the picture the window shows: the dial restored from its
// kept bytes, the hour and minute hands, the second hand when ShowSeconds is 1, and the border ring
// over them when ShowBorder is 1. Every picture is scaled to the dial's size. Surfaces without a
// picture draw nothing, so drawing before a skin is loaded is harmless.
class ClockFace {
public:
    ClockFace(const ClockState& state, ClockSurfaces& surfaces) : state_(state), surfaces_(surfaces) {}
    void Draw(const LocalTime& time);

private:
    void KeyOutBackground();

    const ClockState& state_;
    ClockSurfaces& surfaces_;
    HandLayers minuteLayers_, secondLayers_, borderLayers_;
};

} // namespace dorvane
