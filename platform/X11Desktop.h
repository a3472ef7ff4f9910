#pragma once

struct _XDisplay;

namespace dorvane {

// What the clock asks of the X desktop directly, beyond what Qt offers: the global state of the
// Escape key and whether a compositing manager is running. Without an X display both answer false.
class X11Desktop {
public:
    X11Desktop();
    ~X11Desktop();
    X11Desktop(const X11Desktop&) = delete;
    X11Desktop& operator=(const X11Desktop&) = delete;

    bool HasDisplay() const { return display_ != nullptr; }
    // True while Escape is held down, whichever window has the keyboard. X keeps no "pressed since
    // the last query" flag, so a press shorter than the time between two queries goes unseen.
    bool EscapeIsDown() const;
    // True when windows with per-pixel alpha blend with the desktop (a compositing manager owns
    // the _NET_WM_CM_S<screen> selection); without one, transparent pixels show black.
    bool IsCompositing() const;

private:
    ::_XDisplay* display_ = nullptr;
};

} // namespace dorvane
