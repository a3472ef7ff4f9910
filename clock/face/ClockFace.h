#pragma once

#include "clock/face/DeviceArt.h"
#include "clock/face/HandLayers.h"
#include "clock/state/ClockState.h"
#include "clock/state/ClockSurfaces.h"
#include "platform/LocalTime.h"

namespace dorvane {

// Draws the clock for a moment: the dial restored from its kept bytes, the hour and minute hands,
// the second hand when ShowSeconds is 1, and the border ring over them when ShowBorder is 1. Every
// picture is scaled to the dial's size. Surfaces without a picture draw nothing, so drawing before
// a skin is loaded is harmless.
//
// At a device scale of 1 the face is drawn into iBack. At any other scale (device pixels to a
// logical pixel, as a high-resolution screen has) it is drawn at the device's resolution, from
// the sharp pictures where there are any, into a face of its own (see DeviceArt); the dial's
// logical size stays iBack's.
class ClockFace {
public:
    ClockFace(const ClockState& state, ClockSurfaces& surfaces,
              const EmbeddedResources& resources = EmbeddedResources::Program())
        : state_(state), surfaces_(surfaces), art_(resources)
    {
    }
    // Device pixels to a logical pixel for the drawings that follow; other than positive is ignored.
    void SetDeviceScale(double scale);
    double DeviceScale() const { return scale_; }

    void Draw(const LocalTime& time);
    // The last drawing: iBack at scale 1, else the face at the device's size.
    c32bppDIB& Picture();

private:
    void RestoreDial();
    void DrawHands(c32bppDIB& face, const LocalTime& time);
    c32bppDIB& Source(c32bppDIB& usual);

    const ClockState& state_;
    ClockSurfaces& surfaces_;
    double scale_ = 1.0;
    DeviceArt art_;
    HandLayers minuteLayers_, secondLayers_, borderLayers_;
};

} // namespace dorvane
