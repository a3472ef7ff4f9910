#pragma once

struct _XDisplay;

namespace dorvane {

// Escape presses anywhere on the X desktop, counted between two questions, so that a tap shorter
// than the time between them is not lost. It listens on a connection of its own for the raw key
// presses that the X input extension (XInput 2) reports on the root window to any client that asks,
// without a grab and whichever window has the keyboard; only Escape is kept. Without an X display or
// the extension it never sees a press.
class X11EscapeTaps {
public:
    X11EscapeTaps();
    ~X11EscapeTaps();
    X11EscapeTaps(const X11EscapeTaps&) = delete;
    X11EscapeTaps& operator=(const X11EscapeTaps&) = delete;

    bool Listening() const { return display_ != nullptr; }
    // True when Escape was pressed since the last call (or since the start); never waits for the
    // X server, only reads what it has already sent.
    bool PressedSinceLastAsk();

private:
    ::_XDisplay* display_ = nullptr;
    int inputOpcode_ = 0;
    unsigned escapeKeycode_ = 0;
};

} // namespace dorvane
