#pragma once

namespace dorvane {

struct TwipsPoint {
    double x = 0;
    double y = 0;
};

// What loading and saving the settings need of the clock window.
class SettingsHost {
public:
    virtual ~SettingsHost() = default;
    // The clock window's width in twips; asking creates the clock window when it does not exist yet.
    virtual double ClockWindowWidthTwips() = 0;
    // The clock window's top-left corner on the screen, in twips.
    virtual TwipsPoint ClockWindowPositionTwips() = 0;
    virtual void SetTopMost(bool onTop) = 0;
    // Loads the skin named by the clock state into the clock window.
    virtual void LoadSkin() = 0;
};

} // namespace dorvane
