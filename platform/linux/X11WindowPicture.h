#pragma once

#include <cstdint>
#include <span>

struct _XDisplay;
struct _XGC;

namespace dorvane {

// Puts pictures straight into one X window, past the window system's painting: how the clock window
// shows each new second with a single request to the X server. Only a window of depth 32 with the
// usual alpha, red, green, blue layout takes premultiplied pixels as they are (a translucent window
// gets one where the server offers it); for any other window Usable() is false.
class X11WindowPicture {
public:
    // Draws over a connection that stays the caller's.
    X11WindowPicture(::_XDisplay* display, unsigned long window);
    ~X11WindowPicture();
    X11WindowPicture(const X11WindowPicture&) = delete;
    X11WindowPicture& operator=(const X11WindowPicture&) = delete;

    bool Usable() const { return gc_ != nullptr; }

    struct Area {
        int x, y, width, height;
    };
    // Puts rectangles of a picture of premultiplied blue, green, red, alpha pixels, rows top-down
    // and stride bytes apart, at the same places in the window.
    void Put(const std::uint8_t* picture, int pictureWidth, int pictureHeight, int stride, std::span<const Area> areas);

    // Cuts the window to a shape given in window pixels: rows of one bit a pixel, lowest bit first,
    // stride bytes apart (a multiple of 4), 1 for a pixel inside. False when the server cannot.
    bool SetShape(const std::uint8_t* bits, int width, int height, int stride);

private:
    ::_XDisplay* display_;
    unsigned long window_;
    void* visual_ = nullptr;
    _XGC* gc_ = nullptr;
};

} // namespace dorvane
