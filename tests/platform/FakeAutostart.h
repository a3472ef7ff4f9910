#pragma once

#include "platform/Autostart.h"

#include <string>

namespace dorvane::testing {

class FakeAutostart : public Autostart {
public:
    bool Enable(const std::string& programPath) override { program = programPath; enabled = true; return true; }
    bool Disable() override { enabled = false; return true; }
    bool IsEnabled() const override { return enabled; }
    bool enabled = false;
    std::string program;
};

} // namespace dorvane::testing
