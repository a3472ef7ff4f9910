#pragma once

// The Linux side of what the program's start needs before any window exists.
#include "platform/linux/SdlSoundOutput.h"
#include "platform/linux/SystemTimeSource.h"
#include "platform/linux/SystemTimeZone.h"
#include "platform/linux/X11Desktop.h"

#include <string>
#include <vector>

namespace dorvane {

// The screen the commands measure with when no clock window runs.
using CommandScreen = X11Desktop;

// The words after the program's name, as UTF-8: Linux hands them over as they are.
inline std::vector<std::string> ProgramWords(int argc, char** argv) { return {argv + 1, argv + argc}; }

// The output streams are the terminal's, or where the shell sent them, from the start.
inline void ConnectOutputStreams() {}

} // namespace dorvane
