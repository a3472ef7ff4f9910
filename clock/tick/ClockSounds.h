#pragma once

#include "clock/tick/TickSounds.h"

namespace dorvane {

// Every sound of the clock window: the tick's, and the greeting and farewell of the window.
class ClockSounds : public TickSounds {
public:
    // Two 2000 Hz tones of 100 ms, when the clock window is created; they may sound on after this returns.
    virtual void PlayStartSignal() = 0;
    // One 2000 Hz tone of 100 ms, when it closes.
    virtual void PlayStopSignal() = 0;
};

} // namespace dorvane
