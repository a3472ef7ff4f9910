#pragma once

#include <string>

namespace dorvane {

// Whether the clock starts when the user logs on.
class Autostart {
public:
    virtual ~Autostart() = default;
    virtual bool Enable(const std::string& programPath) = 0;
    virtual bool Disable() = 0;
    virtual bool IsEnabled() const = 0;
};

} // namespace dorvane
