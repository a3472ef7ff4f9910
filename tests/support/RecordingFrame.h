#pragma once

#include "clock/face/ClockWindowFrame.h"

#include <utility>
#include <vector>

namespace dorvane::testing {

using Size = std::pair<int, int>;

struct RecordingFrame : ClockWindowFrame {
    void SizeToDial(int width, int height) override { sizes.emplace_back(width, height); }
    std::vector<Size> sizes;
};

} // namespace dorvane::testing
