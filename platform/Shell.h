#pragma once

#include <string>

namespace dorvane {

// Opens a program, document or web address the way the desktop does.
class Shell {
public:
    virtual ~Shell() = default;
    // Starts opening target and returns at once; false when nothing could be started.
    virtual bool Open(const std::string& target) = 0;
};

} // namespace dorvane
