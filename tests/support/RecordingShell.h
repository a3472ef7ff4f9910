#pragma once

#include "platform/Shell.h"

#include <string>
#include <vector>

namespace dorvane::testing {

// Notes every target it is asked to open; opening succeeds unless the test says otherwise.
struct RecordingShell : Shell {
    bool Open(const std::string& target) override { return opened.push_back(target), succeed; }
    std::vector<std::string> opened;
    bool succeed = true;
};

} // namespace dorvane::testing
