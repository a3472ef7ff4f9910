#include "platform/linux/X11EscapeTaps.h"

#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>
#include <X11/keysym.h>

namespace dorvane {
namespace {

// Asks for raw key presses of every device on the root window; false when the server has no XInput 2.
bool SelectRawKeyPresses(Display* display, int& opcode)
{
    int event = 0, error = 0;
    if (!XQueryExtension(display, "XInputExtension", &opcode, &event, &error))
        return false;
    int major = 2, minor = 0;
    if (XIQueryVersion(display, &major, &minor) != Success)
        return false;
    unsigned char bits[XIMaskLen(XI_LASTEVENT)] = {};
    XISetMask(bits, XI_RawKeyPress);
    XIEventMask mask{XIAllMasterDevices, static_cast<int>(sizeof bits), bits};
    XISelectEvents(display, DefaultRootWindow(display), &mask, 1);
    XFlush(display);
    return true;
}

} // namespace

X11EscapeTaps::X11EscapeTaps() : display_(XOpenDisplay(nullptr))
{
    if (!display_)
        return;
    escapeKeycode_ = XKeysymToKeycode(display_, XK_Escape);
    if (escapeKeycode_ == 0 || !SelectRawKeyPresses(display_, inputOpcode_)) {
        XCloseDisplay(display_);
        display_ = nullptr;
    }
}

X11EscapeTaps::~X11EscapeTaps()
{
    if (display_)
        XCloseDisplay(display_);
}

bool X11EscapeTaps::PressedSinceLastAsk()
{
    if (!display_)
        return false;
    bool pressed = false;
    // XPending reads only what has arrived, so the loop ends without waiting.
    while (XPending(display_) > 0) {
        XEvent event;
        XNextEvent(display_, &event);
        XGenericEventCookie& cookie = event.xcookie;
        if (cookie.type != GenericEvent || cookie.extension != inputOpcode_ || !XGetEventData(display_, &cookie))
            continue;
        if (cookie.evtype == XI_RawKeyPress)
            pressed = pressed || static_cast<const XIRawEvent*>(cookie.data)->detail == static_cast<int>(escapeKeycode_);
        XFreeEventData(display_, &cookie);
    }
    return pressed;
}

} // namespace dorvane
