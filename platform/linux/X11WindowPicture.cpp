#include "platform/linux/X11WindowPicture.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/shape.h>

namespace dorvane {

X11WindowPicture::X11WindowPicture(Display* display, unsigned long window) : display_(display), window_(window)
{
    XWindowAttributes attributes;
    if (!display_ || !window_ || !XGetWindowAttributes(display_, window_, &attributes))
        return;
    const Visual* visual = attributes.visual;
    if (attributes.depth != 32 || !visual || visual->red_mask != 0xFF0000 || visual->green_mask != 0xFF00 ||
        visual->blue_mask != 0xFF)
        return;
    visual_ = attributes.visual;
    gc_ = XCreateGC(display_, window_, 0, nullptr);
}

X11WindowPicture::~X11WindowPicture()
{
    if (gc_)
        XFreeGC(display_, gc_);
}

void X11WindowPicture::Put(const std::uint8_t* picture, int pictureWidth, int pictureHeight, int stride,
                           std::span<const Area> areas)
{
    if (!gc_ || !picture || pictureWidth <= 0 || pictureHeight <= 0)
        return;
    // Describes the caller's memory without copying it; Xlib sends only the rectangles asked for.
    XImage* image = XCreateImage(display_, static_cast<Visual*>(visual_), 32, ZPixmap, 0,
                                 reinterpret_cast<char*>(const_cast<std::uint8_t*>(picture)),
                                 static_cast<unsigned>(pictureWidth), static_cast<unsigned>(pictureHeight), 32, stride);
    if (!image)
        return;
    // Each pixel is the 32-bit word 0xAARRGGBB stored least significant byte first; Xlib swaps the
    // bytes for a server that wants them the other way round.
    image->byte_order = LSBFirst;
    for (const Area& area : areas) {
        const bool inside = area.x >= 0 && area.y >= 0 && area.width > 0 && area.height > 0 &&
                            area.width <= pictureWidth - area.x && area.height <= pictureHeight - area.y;
        if (inside)
            XPutImage(display_, window_, gc_, image, area.x, area.y, area.x, area.y, static_cast<unsigned>(area.width),
                      static_cast<unsigned>(area.height));
    }
    image->data = nullptr;  // the memory stays the caller's
    XDestroyImage(image);
    XFlush(display_);
}

bool X11WindowPicture::SetShape(const std::uint8_t* bits, int width, int height, int stride)
{
    int eventBase = 0, errorBase = 0;
    if (!gc_ || !bits || width <= 0 || height <= 0 || stride % 4 != 0 ||
        !XShapeQueryExtension(display_, &eventBase, &errorBase))
        return false;
    XImage* image = XCreateImage(display_, static_cast<Visual*>(visual_), 1, XYBitmap, 0,
                                 reinterpret_cast<char*>(const_cast<std::uint8_t*>(bits)), static_cast<unsigned>(width),
                                 static_cast<unsigned>(height), 32, stride);
    if (!image)
        return false;
    image->byte_order = LSBFirst;
    image->bitmap_bit_order = LSBFirst;
    const Pixmap mask = XCreatePixmap(display_, window_, static_cast<unsigned>(width), static_cast<unsigned>(height), 1);
    GC maskGc = XCreateGC(display_, mask, 0, nullptr);
    XSetForeground(display_, maskGc, 1);
    XSetBackground(display_, maskGc, 0);
    XPutImage(display_, mask, maskGc, image, 0, 0, 0, 0, static_cast<unsigned>(width), static_cast<unsigned>(height));
    XShapeCombineMask(display_, window_, ShapeBounding, 0, 0, mask, ShapeSet);
    XFreeGC(display_, maskGc);
    XFreePixmap(display_, mask);
    image->data = nullptr; // the memory stays the caller's
    XDestroyImage(image);
    XFlush(display_);
    return true;
}

} // namespace dorvane
