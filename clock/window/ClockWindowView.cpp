#include "clock/window/ClockWindowView.h"

#include "clock/face/WindowOpacity.h"
#include "image/c32bppDIB.h"

#include <QBitmap>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

#include <algorithm>
#include <cstring>
#include <span>
#include <vector>

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
    const QSize size(face.Width(), face.Height());
    const qreal scale = devicePixelRatio();
    const bool fresh = picture_.size() != size || alpha != alpha_ || picture_.devicePixelRatio() != scale;
    if (picture_.size() != size)
        picture_ = QImage(size, QImage::Format_ARGB32_Premultiplied);
    picture_.setDevicePixelRatio(scale);
    alpha_ = alpha;
    // Only what changed since the last picture is faded, looked at again and sent to the X server:
    // in most seconds the second hand's old and new places.
    const PictureChanges::Area whole{0, 0, size.width(), size.height()};
    Areas changed = changes_.Take(face.Pixels());
    if (fresh)
        changed = Areas(&whole, 1);
    for (const PictureChanges::Area& area : changed)
        Fade(area);
    // A window made anew (as staying on top does) needs the shape again even in a second without
    // changes.
    if (!compositing_)
        UpdateShape(changed);
    if (fresh)
        update();
    else if (!changed.empty())
        ShowChanges(changed);
}

// picture_ = the kept face faded to the window's opacity, inside area.
void ClockWindowView::Fade(const PictureChanges::Area& area)
{
    const auto offset = static_cast<std::size_t>(area.left) * 4;
    const auto bytes = static_cast<std::size_t>(area.width) * 4;
    uchar* const shown = picture_.bits();
    for (int y = area.top; y < area.top + area.height; ++y) {
        std::uint8_t* row = shown + static_cast<std::ptrdiff_t>(y) * picture_.bytesPerLine() + offset;
        std::memcpy(row, changes_.KeptRow(y) + offset, bytes);
        ApplyWindowOpacity(std::span(row, bytes), alpha_);
    }
}

// Changes go straight into the X window, without Qt's painting and flushing; before the window is
// on the screen, or where that cannot be done, Qt paints them.
void ClockWindowView::ShowChanges(Areas areas)
{
    if (!DirectWindowReady()) {
        // Qt paints in logical pixels: the smallest logical rectangle around each device one.
        const qreal scale = picture_.devicePixelRatio();
        for (const PictureChanges::Area& area : areas) {
            const QRectF device(area.left, area.top, area.width, area.height);
            update(QRectF(device.topLeft() / scale, device.size() / scale).toAlignedRect());
        }
        return;
    }
    std::vector<X11WindowPicture::Area> puts;
    for (const PictureChanges::Area& area : areas)
        puts.push_back({area.left, area.top, area.width, area.height});
    direct_->Put(picture_.constBits(), picture_.width(), picture_.height(), static_cast<int>(picture_.bytesPerLine()),
                 puts);
}

// Whether pictures and shapes can go straight into the X window; connects to it the first time
// it is on the screen, and again when it changes (changing the window's flags, such as staying on
// top, gives it a new X window, which has no shape yet).
bool ClockWindowView::DirectWindowReady()
{
    if (isVisible() && testAttribute(Qt::WA_WState_Created) && (!direct_ || directWindow_ != winId())) {
        const auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
        directWindow_ = winId();
        direct_ = std::make_unique<X11WindowPicture>(x11 ? x11->display() : nullptr, directWindow_);
        windowHandle()->installEventFilter(this);
        shapeSent_ = false;
    }
    return direct_ && direct_->Usable();
}

// Qt's own copy of the window's content misses the changes put straight into the window, so when
// the X server asks for the content again, Qt paints it afresh from the current picture.
bool ClockWindowView::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Expose)
        update();
    return QWidget::eventFilter(watched, event);
}

// Without a compositing manager transparent pixels would show black, so the window takes the
// shape of every pixel the picture covers at all (a glass dial's faint centre included). Only the
// areas that changed can change the shape, and the shape is handed to the X server again only when
// it does, which the moving hands rarely do.
void ClockWindowView::UpdateShape(Areas areas)
{
    const PixelView shown{picture_.bits(), picture_.width(), picture_.height(), picture_.bytesPerLine(), false};
    if (changes_.UpdateShape(shown, areas)) {
        shape_ = QImage(picture_.size(), QImage::Format_MonoLSB);
        shape_.setColorCount(2);
        shape_.setColor(0, qRgb(255, 255, 255)); // outside
        shape_.setColor(1, qRgb(0, 0, 0));       // inside
        shape_.fill(0);
        changes_.AddShapeTo(shape_.bits(), shape_.bytesPerLine());
        shapeSent_ = false;
    }
    SendShape();
}

// The shape goes to the X server in device pixels. Until the window is on the screen, or where
// that cannot be done, Qt cuts it in logical pixels, which on a scaled screen is coarser.
void ClockWindowView::SendShape()
{
    const bool direct = DirectWindowReady();
    if (shape_.isNull() || shapeSent_)
        return;
    shapeSent_ = true;
    if (direct) {
        if (!mask().isEmpty())
            clearMask();
        if (direct_->SetShape(shape_.constBits(), shape_.width(), shape_.height(), static_cast<int>(shape_.bytesPerLine())))
            return;
    }
    const QSize logical = (QSizeF(shape_.size()) / picture_.devicePixelRatio()).toSize();
    setMask(QBitmap::fromImage(shape_.size() == logical ? shape_ : shape_.scaled(logical)));
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
    // The picture's device pixels land one to one on the window's, whatever the scale.
    const qreal scale = picture_.devicePixelRatio();
    for (int top = 0; top < picture_.height(); top += kBandRows) {
        const int rows = std::min(kBandRows, picture_.height() - top);
        painter.drawImage(QPointF(0, top / scale), picture_, QRect(0, top, picture_.width(), rows));
    }
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
