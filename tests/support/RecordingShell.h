#pragma once

#include "platform/Shell.h"

#include <string>
#include <vector>

namespace dorvane::testing {

class RecordingShell : public Shell {
public:
    bool Open(const std::string& target) override
    {
        opened.push_back(target);
        return succeed;
    }
    std::vector<std::string> opened;
    bool succeed = true;
};

} // namespace dorvane::testing
