#pragma once

#include "clock/face/ClockFace.h"
#include "clock/face/ClockWindowFrame.h"
#include "clock/face/SkinLoader.h"
#include "clock/state/ClockState.h"
#include "clock/state/ClockSurfaces.h"
#include "platform/LocalTime.h"
#include "platform/Result.h"

#include <cstdint>

namespace dorvane {

// The clock's picture for a moment, made without a window: the skin loaded as the clock loads it,
// the face drawn as the clock's tick draws it, and faded by the state's Alpha as the clock window
// shows it, at scale device pixels to a logical pixel (1 unless asked).
class ClockSnapshot : private ClockWindowFrame {
public:
    explicit ClockSnapshot(const ClockState& state, double scale = 1.0);
    ~ClockSnapshot() override;
    ClockSnapshot(const ClockSnapshot&) = delete;
    ClockSnapshot& operator=(const ClockSnapshot&) = delete;

    // Loads the pictures of the skin the state names; see SkinLoader::LoadSkin.
    Status LoadSkin();
    // The clock at time, as the window would show it; an empty picture when no dial is loaded.
    c32bppDIB& Draw(const LocalTime& time);

private:
    // There is no window to size: the picture has the dial's size.
    void SizeToDial(int, int) override {}

    const ClockState& state_;
    std::uint32_t imagingToken_;
    ClockSurfaces surfaces_;
    ClockFace face_;
    SkinLoader loader_;
};

} // namespace dorvane
