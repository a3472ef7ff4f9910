#pragma once

#include <cstdint>
#include <span>

namespace dorvane {

// The recorded chime, the program's resource ("SOUNDS", 101): one stroke of a bell as a WAV file,
// mono, 8000 samples per second, 16 bits. Empty when the program was built without it.
std::span<const uint8_t> RecordedChime();

} // namespace dorvane
