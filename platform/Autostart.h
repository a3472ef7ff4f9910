#pragma once

#include <string>
#include <vector>

namespace dorvane {

// Whether the clock starts when the user logs on.
class Autostart {
public:
    virtual ~Autostart() = default;
    // Starts programPath with arguments at each logon from now on; false when that could not be set up.
    virtual bool Enable(const std::string& programPath, const std::vector<std::string>& arguments) = 0;
    virtual bool Disable() = 0;
    virtual bool IsEnabled() const = 0;
};

} // namespace dorvane
