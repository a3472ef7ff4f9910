#include "platform/X11Screen.h"

#include <X11/Xlib.h>

namespace dorvane {

X11Screen::X11Screen()
{
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return;
    width_ = DisplayWidth(display, DefaultScreen(display));
    height_ = DisplayHeight(display, DefaultScreen(display));
    XCloseDisplay(display);
}

} // namespace dorvane
