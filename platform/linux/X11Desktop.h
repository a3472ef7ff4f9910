#pragma once

#include "platform/Screen.h"

struct _XDisplay;

namespace dorvane {

// The X desktop, asked directly for what Qt does not offer: the size of the first screen (for the
// commands that run without windows), the global state of the Escape key, and whether a
// compositing manager is running. Without an X display the screen is 1920 x 1080 at 96 dots per
// inch and the questions answer false.
class X11Desktop : public Screen {
public:
    // Opens a connection of its own.
    X11Desktop();
    // Asks over a connection that stays the caller's, such as the window system's own, so that the
    // running clock keeps a single connection to the X server. nullptr: there is no X display.
    explicit X11Desktop(::_XDisplay* borrowed);
    ~X11Desktop() override;
    X11Desktop(const X11Desktop&) = delete;
    X11Desktop& operator=(const X11Desktop&) = delete;

    bool HasDisplay() const { return display_ != nullptr; }
    // True while Escape is held down, whichever window has the keyboard. X keeps no "pressed since
    // the last query" flag, so a press shorter than the time between two queries goes unseen.
    bool EscapeIsDown() const;
    // True when windows with per-pixel alpha blend with the desktop (a compositing manager owns
    // the _NET_WM_CM_S<screen> selection); without one, transparent pixels show black.
    bool IsCompositing() const;

    int WidthPixels() const override { return width_; }
    int HeightPixels() const override { return height_; }
    double TwipsPerPixelX() const override { return kTwipsPerPixel; }
    double TwipsPerPixelY() const override { return kTwipsPerPixel; }

private:
    // Twips per pixel at the 96 dots per inch that desktops assume.
    static constexpr double kTwipsPerPixel = 15;

    ::_XDisplay* display_ = nullptr;
    bool owned_ = false;
    int width_ = 1920;
    int height_ = 1080;
};

} // namespace dorvane
