#pragma once

#include "clock/face/ClockWindowFrame.h"
#include "clock/window/ClockMouse.h"
#include "image/render/PictureChanges.h"
#include "platform/TimeSource.h"
#include "platform/linux/X11WindowPicture.h"

#include <QImage>
#include <QWidget>

#include <cstdint>
#include <memory>
#include <span>

namespace dorvane {

class c32bppDIB;

// The clock window: a borderless window without a taskbar entry that shows exactly the last
// picture handed to it, with the picture's own alpha and one constant opacity on top. With a
// compositing manager the clock floats with soft edges; without one the window is cut to the
// picture's shape so that it still looks round. Each second only what changed goes to the X
// server, put straight into the window. Mouse input goes to the clock's mouse logic.
//
// The window's size and position are logical pixels; its picture, its shape and the changes sent
// are device pixels, so on a scaled screen the face handed over has the device's size.
class ClockWindowView : public QWidget, public ClockWindowFrame {
public:
    ClockWindowView(ClockMouse& mouse, TimeSource& time, bool compositing);

    // Shows face (premultiplied, rows bottom-up, device pixels) at opacity alpha (0..255) from now on.
    void Present(const c32bppDIB& face, uint8_t alpha);
    const QImage& Picture() const { return picture_; }

    void SizeToDial(int width, int height) override { resize(width, height); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    using Areas = std::span<const PictureChanges::Area>;
    void Fade(const PictureChanges::Area& area);
    void UpdateShape(Areas areas);
    void SendShape();
    bool DirectWindowReady();
    void ShowChanges(Areas areas);

    ClockMouse& mouse_;
    TimeSource& time_;
    bool compositing_;

    QImage picture_; // top-down, premultiplied, opacity already applied
    PictureChanges changes_; // keeps the last face handed over, upright and not yet faded
    uint8_t alpha_ = 255;
    QImage shape_; // one bit a device pixel, 1 inside; null until the picture has a shape
    bool shapeSent_ = false; // to the window as it is now
    std::unique_ptr<X11WindowPicture> direct_; // once the window is on the screen
    WId directWindow_ = 0;
};

} // namespace dorvane
