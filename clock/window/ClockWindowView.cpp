#include "clock/window/ClockWindowView.h"

#include "clock/face/WindowOpacity.h"
#include "image/c32bppDIB.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

#include <algorithm>
#include <cstring>
#include <span>

namespace dorvane {
namespace {

// Where two rows of width pixels that are known to differ first and last do, looking at four pixels
// at a time while they agree.
int FirstDifference(const QRgb* a, const QRgb* b, int width)
{
    int x = 0;
    while (x + 4 <= width && std::memcmp(a + x, b + x, 16) == 0)
        x += 4;
    while (a[x] == b[x])
        ++x;
    return x;
}

int LastDifference(const QRgb* a, const QRgb* b, int width)
{
    int x = width;  // one past the pixels still to look at
    while (x >= 4 && std::memcmp(a + x - 4, b + x - 4, 16) == 0)
        x -= 4;
    while (a[x - 1] == b[x - 1])
        --x;
    return x - 1;
}

} // namespace

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
    const bool fresh = picture_.size() != size || alpha != alpha_;
    if (picture_.size() != size) {
        picture_ = QImage(size, QImage::Format_ARGB32_Premultiplied);
        face_ = QImage(size, QImage::Format_ARGB32_Premultiplied);
    }
    alpha_ = alpha;
    // Only what changed since the last picture is faded, looked at again and sent to the X server:
    // in most seconds the second hand's old and new places.
    std::vector<QRect> changed = TakeChanges(face);
    if (fresh)
        changed = {QRect(QPoint(0, 0), size)};
    for (const QRect& area : changed)
        Fade(area);
    if (!compositing_ && !changed.empty())
        UpdateShape(changed);
    if (fresh)
        update();
    else if (!changed.empty())
        ShowChanges(changed);
}

// Copies the face's rows (kept bottom-up) upright into face_ where they differ from it. Returns,
// for each band of a few rows, the rectangle around the pixels that did: a hand slanting across
// the face changes a narrow strip of each band, far less than the box around all of it.
std::vector<QRect> ClockWindowView::TakeChanges(const c32bppDIB& face)
{
    constexpr int kBandRows = 8;
    const PixelView pixels = face.Pixels();
    const int width = pixels.width, height = pixels.height;
    std::vector<QRect> changes;
    QRect band;
    uchar* const kept = face_.bits();  // scanLine() would check for sharing on every row
    for (int y = 0; y < height; ++y) {
        const auto* is = reinterpret_cast<const QRgb*>(pixels.Row(y));
        auto* was = reinterpret_cast<QRgb*>(kept + static_cast<std::ptrdiff_t>(y) * face_.bytesPerLine());
        if (std::memcmp(was, is, static_cast<std::size_t>(width) * 4) != 0) {
            const int first = FirstDifference(was, is, width);
            const int last = LastDifference(was, is, width);
            std::memcpy(was + first, is + first, static_cast<std::size_t>(last - first + 1) * 4);
            band |= QRect(first, y, last - first + 1, 1);
        }
        if ((y % kBandRows == kBandRows - 1 || y == height - 1) && !band.isEmpty()) {
            changes.push_back(band);
            band = QRect();
        }
    }
    return changes;
}

// picture_ = face_ faded to the window's opacity, inside area.
void ClockWindowView::Fade(const QRect& area)
{
    const auto offset = static_cast<std::size_t>(area.left()) * 4;
    const auto bytes = static_cast<std::size_t>(area.width()) * 4;
    uchar* const shown = picture_.bits();
    for (int y = area.top(); y <= area.bottom(); ++y) {
        std::uint8_t* row = shown + static_cast<std::ptrdiff_t>(y) * picture_.bytesPerLine() + offset;
        std::memcpy(row, face_.constScanLine(y) + offset, bytes);
        ApplyWindowOpacity(std::span(row, bytes), alpha_);
    }
}

// Changes go straight into the X window, without Qt's painting and flushing; before the window is
// on the screen, or where that cannot be done, Qt paints them.
void ClockWindowView::ShowChanges(const std::vector<QRect>& areas)
{
    // Changing the window's flags (staying on top) gives it a new X window.
    if (isVisible() && testAttribute(Qt::WA_WState_Created) && (!direct_ || directWindow_ != winId())) {
        const auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
        directWindow_ = winId();
        direct_ = std::make_unique<X11WindowPicture>(x11 ? x11->display() : nullptr, directWindow_);
        windowHandle()->installEventFilter(this);
    }
    if (!direct_ || !direct_->Usable()) {
        for (const QRect& area : areas)
            update(area);
        return;
    }
    std::vector<X11WindowPicture::Area> puts;
    for (const QRect& area : areas)
        puts.push_back({area.x(), area.y(), area.width(), area.height()});
    direct_->Put(picture_.constBits(), picture_.width(), picture_.height(), static_cast<int>(picture_.bytesPerLine()),
                 puts);
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
void ClockWindowView::UpdateShape(const std::vector<QRect>& areas)
{
    const int width = picture_.width(), height = picture_.height();
    bool changed = false;
    if (shapeSize_ != picture_.size()) {
        shape_.assign(static_cast<std::size_t>(width) * height, 0);
        shapeSize_ = picture_.size();
        changed = true;
    }
    for (const QRect& area : areas)
        for (int y = area.top(); y <= area.bottom(); ++y) {
            const auto* pixels = reinterpret_cast<const QRgb*>(picture_.constScanLine(y));
            for (int x = area.left(); x <= area.right(); ++x) {
                uint8_t& covered = shape_[static_cast<std::size_t>(y) * width + x];
                changed |= covered != (qAlpha(pixels[x]) != 0);
                covered = qAlpha(pixels[x]) != 0;
            }
        }
    if (!changed)
        return;

    QImage mask(shapeSize_, QImage::Format_MonoLSB);
    mask.setColorCount(2);
    mask.setColor(0, qRgb(255, 255, 255)); // outside
    mask.setColor(1, qRgb(0, 0, 0));       // inside
    mask.fill(0);
    for (int y = 0; y < height; ++y) {
        uchar* bits = mask.scanLine(y);
        for (int x = 0; x < width; ++x)
            bits[x >> 3] |= static_cast<uchar>(shape_[static_cast<std::size_t>(y) * width + x] << (x & 7));
    }
    setMask(QBitmap::fromImage(mask));
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
