#pragma once

#include "options/ButtonStrip.h"
#include "options/ButtonStripLayout.h"
#include "platform/Screen.h"

#include <QImage>
#include <QRect>
#include <QWidget>

namespace dorvane {

// The button strip's window: a small rounded strip with the close, options and drag pictures in
// one column, separated by thin lines.
class ButtonStripView : public QWidget {
public:
    struct Pictures {
        QImage close, options, drag;
    };
    ButtonStripView(ButtonStripActions& actions, const Screen& screen, Pictures pictures);

    ButtonStrip& Logic() { return strip_; }

    QRect CloseRect() const { return Rect(ButtonStripLayout::Close()); }
    QRect OptionsRect() const { return Rect(ButtonStripLayout::Options()); }
    QRect DragRect() const { return Rect(ButtonStripLayout::Drag()); }

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    static QRect Rect(ButtonStripLayout::Box box) { return {box.left, box.top, box.width, box.height}; }
    double ToTwipsX(double x) const { return x * screen_.TwipsPerPixelX(); }
    double ToTwipsY(double y) const { return y * screen_.TwipsPerPixelY(); }

    const Screen& screen_;
    ButtonStrip strip_;
    Pictures pictures_;
    bool dragging_ = false;
};

} // namespace dorvane
