#include "tones/RecordedChime.h"

#include "resources/EmbeddedResources.h"

namespace dorvane {

std::span<const uint8_t> RecordedChime()
{
    return EmbeddedResources::Program().Find("SOUNDS", "101").value_or(std::span<const uint8_t>{});
}

} // namespace dorvane
