#include "clock/ClockWindowView.h"

#include "image/c32bppDIB.h"

#include <QMouseEvent>
#include <QPainter>

namespace dorvane {

ClockWindowView::ClockWindowView(ClockMouse& mouse, TimeSource& time, bool compositing)
    : QWidget(nullptr, Qt::FramelessWindowHint | Qt::Tool | Qt::NoDropShadowWindowHint),
      mouse_(mouse), time_(time), compositing_(compositing)
{
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setMouseTracking(true);
    setWindowTitle("Dorvane");
    resize(150, 150);
}

void ClockWindowView::Present(const c32bppDIB& face, uint8_t alpha)
{
    if (face.Width() <= 0 || face.Height() <= 0 || !face.BitsPointer()) {
        picture_ = QImage();
        update();
        return;
    }
    // The face keeps its rows bottom-up: it is drawn upside down, at the opacity, in one pass.
    const QImage bottomUp(face.BitsPointer(), face.Width(), face.Height(), face.scanWidth(),
                          QImage::Format_ARGB32_Premultiplied);
    if (picture_.size() != bottomUp.size())
        picture_ = QImage(bottomUp.size(), QImage::Format_ARGB32_Premultiplied);
    picture_.fill(Qt::transparent);
    {
        QPainter painter(&picture_);
        painter.setOpacity(alpha / 255.0);
        painter.setTransform(QTransform(1, 0, 0, -1, 0, face.Height()));
        painter.drawImage(0, 0, bottomUp);
    }
    if (!compositing_)
        UpdateShape();
    update();
}

// Without a compositing manager transparent pixels would show black, so the window takes the
// shape of every pixel the picture covers at all (a glass dial's faint centre included). The
// shape is set again only when it changes.
void ClockWindowView::UpdateShape()
{
    // Read straight from the picture: a format conversion of this size would be spread over Qt's
    // thread pool and wake its threads every second.
    QImage shape(picture_.size(), QImage::Format_MonoLSB);
    shape.setColorCount(2);
    shape.setColor(0, qRgb(255, 255, 255)); // outside
    shape.setColor(1, qRgb(0, 0, 0));       // inside
    for (int y = 0; y < picture_.height(); ++y) {
        const auto* pixels = reinterpret_cast<const QRgb*>(picture_.constScanLine(y));
        for (int x = 0; x < picture_.width(); ++x)
            shape.setPixel(x, y, qAlpha(pixels[x]) != 0 ? 1 : 0);
    }
    if (shape == shape_)
        return;
    shape_ = shape;
    setMask(QBitmap::fromImage(shape_));
}

// The picture replaces what the window showed before, pixel for pixel. Qt hands copies of more
// than about a hundred rows to its thread pool, whose threads would then wake every second for a
// job that takes microseconds; copying in bands of fewer rows keeps the work on this thread.
void ClockWindowView::paintEvent(QPaintEvent*)
{
    constexpr int kBandRows = 64;
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    if (picture_.isNull()) {
        painter.fillRect(rect(), Qt::transparent);
        return;
    }
    for (int top = 0; top < picture_.height(); top += kBandRows)
        painter.drawImage(QPoint(0, top), picture_, QRect(0, top, picture_.width(), kBandRows));
}

void ClockWindowView::mousePressEvent(QMouseEvent* event)
{
    mouse_.Press(event->position().x(), event->position().y());
}

void ClockWindowView::mouseMoveEvent(QMouseEvent* event)
{
    mouse_.Move(event->buttons() == Qt::LeftButton, event->position().x(), event->position().y(),
                time_.Now().SecondsSinceMidnight());
}

void ClockWindowView::mouseReleaseEvent(QMouseEvent*) { mouse_.Release(); }

void ClockWindowView::mouseDoubleClickEvent(QMouseEvent*) { mouse_.DoubleClick(); }

} // namespace dorvane
