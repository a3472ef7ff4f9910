#include "clock/ClockWindowView.h"

#include "image/c32bppDIB.h"
#include "platform/qt/SurfaceImage.h"

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
    const QImage upright = SurfaceImage(face);
    if (upright.isNull()) {
        picture_ = QImage();
        update();
        return;
    }
    QImage picture(upright.size(), QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    {
        QPainter painter(&picture);
        painter.setOpacity(alpha / 255.0);
        painter.drawImage(0, 0, upright);
    }
    picture_ = std::move(picture);
    if (!compositing_)
        UpdateShape();
    update();
}

// Without a compositing manager transparent pixels would show black, so the window takes the
// shape of every pixel the picture covers at all (a glass dial's faint centre included). The
// shape is set again only when it changes.
void ClockWindowView::UpdateShape()
{
    const QImage alpha = picture_.convertToFormat(QImage::Format_Alpha8);
    QImage shape(alpha.size(), QImage::Format_MonoLSB);
    shape.setColorCount(2);
    shape.setColor(0, qRgb(255, 255, 255)); // outside
    shape.setColor(1, qRgb(0, 0, 0));       // inside
    for (int y = 0; y < alpha.height(); ++y) {
        const uchar* coverage = alpha.constScanLine(y);
        for (int x = 0; x < alpha.width(); ++x)
            shape.setPixel(x, y, coverage[x] != 0 ? 1 : 0);
    }
    if (shape == shape_)
        return;
    shape_ = shape;
    setMask(QBitmap::fromImage(shape_));
}

void ClockWindowView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(rect(), Qt::transparent);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    if (!picture_.isNull())
        painter.drawImage(0, 0, picture_);
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
