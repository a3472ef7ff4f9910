#pragma once

#include "clock/tick/ClockSounds.h"
#include "platform/TimeSource.h"

#include <cstdint>
#include <filesystem>
#include <ostream>

namespace dorvane {

// Everything the running clock needs from outside, made by the program's start; the same on
// every system.
struct ClockAppParts {
    TimeSource& time;
    ClockSounds& sounds;
    std::filesystem::path settingsPath;
    bool settingsGiven = false; // by --settings
    uint32_t imagingToken = 0;
    std::ostream* tickLog = nullptr; // one line per picture shown, with the wall-clock time
};

} // namespace dorvane
