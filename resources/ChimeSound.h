#pragma once

#include <cstdint>
#include <span>

namespace dorvane {

// The recorded chime (resource "SOUNDS", 101): one stroke of a bell that rings out, as a WAV file,
// mono, 8000 samples per second, 16 bits. Made by tools/MakeChime.cpp when the program is built.
std::span<const uint8_t> ChimeSound();

} // namespace dorvane
