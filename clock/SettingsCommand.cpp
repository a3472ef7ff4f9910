#include "clock/SettingsCommand.h"

#include "clock/SettingsFile.h"

#include <ostream>

namespace dorvane {
namespace {

// Stands in for the clock window: the size it has when it is created, and the position the
// settings give it.
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

} // namespace

int RunSettingsCommand(const std::filesystem::path& settingsPath, const Screen& screen, std::ostream& out,
                       std::ostream& err)
{
    ClockState state;
    WindowlessHost host(state, screen);
    SettingsFile file(settingsPath, state, host, screen, err);
    file.LoadSettings();
    out << file.SettingsText();
    return 0;
}

} // namespace dorvane
