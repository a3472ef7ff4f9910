#pragma once

namespace dorvane {

// The clock window as the skin sees it: a borderless window that takes the dial's size.
class ClockWindowFrame {
public:
    virtual ~ClockWindowFrame() = default;
    // Makes the window's drawing area width × height pixels, keeping its left and top edges.
    virtual void SizeToDial(int width, int height) = 0;
};

} // namespace dorvane
