#include "platform/linux/X11Desktop.h"

#include <X11/Xlib.h>
#include <X11/keysym.h>

#include <string>

namespace dorvane {

X11Desktop::X11Desktop() : X11Desktop(XOpenDisplay(nullptr))
{
    owned_ = display_ != nullptr;
}

X11Desktop::X11Desktop(Display* borrowed) : display_(borrowed)
{
    if (!display_)
        return;
    width_ = DisplayWidth(display_, DefaultScreen(display_));
    height_ = DisplayHeight(display_, DefaultScreen(display_));
}

X11Desktop::~X11Desktop()
{
    if (owned_)
        XCloseDisplay(display_);
}

bool X11Desktop::EscapeIsDown() const
{
    if (!display_)
        return false;
    const KeyCode escape = XKeysymToKeycode(display_, XK_Escape);
    if (escape == 0)
        return false;
    char keys[32] = {};
    XQueryKeymap(display_, keys);
    return (keys[escape / 8] & (1 << (escape % 8))) != 0;
}

bool X11Desktop::IsCompositing() const
{
    if (!display_)
        return false;
    const std::string name = "_NET_WM_CM_S" + std::to_string(DefaultScreen(display_));
    const Atom selection = XInternAtom(display_, name.c_str(), False);
    return XGetSelectionOwner(display_, selection) != None;
}

} // namespace dorvane
