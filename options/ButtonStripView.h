#pragma once

#include "options/ButtonStrip.h"
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
    // Layout in pixels.
    static constexpr int kMargin = 4;
    static constexpr int kPicture = 19;
    static constexpr int kGap = 6;

    ButtonStripView(ButtonStripActions& actions, const Screen& screen, Pictures pictures);

    ButtonStrip& Logic() { return strip_; }
    // Its size in twips, from the pictures' places: the right margin equals the left one, and the
    // drag handle has 50 twips below it.
    static double WidthTwips(const Screen& screen);
    static double HeightTwips(const Screen& screen);

    QRect CloseRect() const { return {kMargin, kMargin, kPicture, kPicture}; }
    QRect OptionsRect() const { return {kMargin, kMargin + kPicture + kGap, kPicture, kPicture}; }
    QRect DragRect() const { return {kMargin, kMargin + 2 * (kPicture + kGap), kPicture, kPicture}; }

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    double ToTwipsX(double x) const { return x * screen_.TwipsPerPixelX(); }
    double ToTwipsY(double y) const { return y * screen_.TwipsPerPixelY(); }

    const Screen& screen_;
    ButtonStrip strip_;
    Pictures pictures_;
    bool dragging_ = false;
};

} // namespace dorvane
