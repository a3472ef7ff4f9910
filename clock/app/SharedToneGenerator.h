#pragma once

#include "tones/ToneGenerator.h"

namespace dorvane {

// The process's tone generator, made by the first caller that needs a tone. It plays through the
// system's sound output (SystemSoundOutput). Until the windows hand it their message pump with
// SetMessagePump, it has no pending messages to run.
ToneGenerator& SharedToneGenerator();

} // namespace dorvane
