#include "options/ButtonStripView.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QRegion>
#include <QToolTip>

#include <cmath>

namespace dorvane {

ButtonStripView::ButtonStripView(ButtonStripActions& actions, const Screen& screen, Pictures pictures)
    : QWidget(nullptr, Qt::FramelessWindowHint | Qt::Tool | Qt::WindowStaysOnTopHint | Qt::NoDropShadowWindowHint),
      screen_(screen), strip_(actions, ButtonStripLayout::WidthTwips(screen), ButtonStripLayout::HeightTwips(screen)), pictures_(std::move(pictures))
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setMouseTracking(true);
    setWindowTitle("Dorvane");
    const int width = static_cast<int>(std::lround(ButtonStripLayout::WidthTwips(screen) / screen.TwipsPerPixelX()));
    const int height = static_cast<int>(std::lround(ButtonStripLayout::HeightTwips(screen) / screen.TwipsPerPixelY()));
    setFixedSize(width, height);
    QPainterPath rounded;
    rounded.addRoundedRect(QRectF(0, 0, width, height), 2.5, 2.5);
    setMask(QRegion(rounded.toFillPolygon().toPolygon()));
}

bool ButtonStripView::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        const QPoint at = static_cast<QHelpEvent*>(event)->pos();
        const char* tip = CloseRect().contains(at) ? "Close"
                          : OptionsRect().contains(at) ? "About & Options"
                          : DragRect().contains(at) ? "Drag" : nullptr;
        if (tip)
            QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), tip, this);
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}

void ButtonStripView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QLinearGradient background(0, 0, 0, height());
    background.setColorAt(0, QColor(74, 84, 99));
    background.setColorAt(1, QColor(43, 49, 59));
    painter.fillRect(rect(), background);
    painter.setPen(QColor(255, 255, 255, 70));
    for (int i = 1; i <= 2; ++i) {
        const int y = ButtonStripLayout::LineY(i);
        painter.drawLine(ButtonStripLayout::kMargin, y, width() - ButtonStripLayout::kMargin - 1, y);
    }
    painter.drawImage(CloseRect(), pictures_.close);
    painter.drawImage(OptionsRect(), pictures_.options);
    painter.drawImage(DragRect(), pictures_.drag);
}

void ButtonStripView::mousePressEvent(QMouseEvent* event)
{
    const QPointF at = event->position();
    dragging_ = event->button() == Qt::LeftButton && DragRect().contains(at.toPoint());
    if (dragging_)
        strip_.DragPressed(ToTwipsX(at.x() - DragRect().left()), ToTwipsY(at.y() - DragRect().top()));
}

void ButtonStripView::mouseMoveEvent(QMouseEvent* event)
{
    strip_.PointerMoved();
    if (dragging_ && (event->buttons() & Qt::LeftButton)) {
        const QPointF at = event->position();
        strip_.DragMoved(ToTwipsX(at.x() - DragRect().left()), ToTwipsY(at.y() - DragRect().top()));
    }
}

void ButtonStripView::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    if (dragging_) {
        dragging_ = false;
        strip_.DragReleased(screen_.WidthPixels() * screen_.TwipsPerPixelX(),
                            screen_.HeightPixels() * screen_.TwipsPerPixelY());
    } else if (event->button() == Qt::LeftButton && OptionsRect().contains(at)) {
        strip_.OptionsClicked();
    } else if (event->button() == Qt::LeftButton && CloseRect().contains(at)) {
        strip_.CloseClicked();
    }
}

} // namespace dorvane
