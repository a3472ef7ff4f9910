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
// shape of the picture's visible pixels. The shape is set again only when it changes.
void ClockWindowView::UpdateShape()
{
    QImage shape = picture_.createAlphaMask(Qt::ThresholdAlphaDither);
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
