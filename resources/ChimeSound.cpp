#include "resources/ChimeSound.h"

namespace dorvane {
namespace {

constexpr uint8_t kChimeWav[] = {
#include "resources/ChimeSound.inc"
};

} // namespace

std::span<const uint8_t> ChimeSound() { return kChimeWav; }

} // namespace dorvane
