#pragma once

#include "clock/settings/SettingsHost.h"
#include "clock/state/ClockState.h"
#include "platform/Screen.h"

namespace dorvane {

// Stands in for the clock window when the settings are loaded without one (the commands that
// need no display): the size the window has when it is created, and the position the settings
// give it.
class WindowlessHost : public SettingsHost {
public:
    WindowlessHost(const ClockState& state, const Screen& screen) : state_(state), screen_(screen) {}

    double ClockWindowWidthTwips() override { return kInitialWidthTwips; }
    TwipsPoint ClockWindowPositionTwips() override
    {
        return {state_.X * screen_.TwipsPerPixelX(), state_.Y * screen_.TwipsPerPixelY()};
    }
    void SetTopMost(bool) override {}
    void LoadSkin() override {}

private:
    static constexpr double kInitialWidthTwips = 2250;
    const ClockState& state_;
    const Screen& screen_;
};

} // namespace dorvane
