#pragma once

#include <QApplication>
#include <QGuiApplication>
#include <QImage>
#include <QScreen>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>

namespace dorvane::testing {

// Skips the test unless it runs on a real X display.
#define DORVANE_REQUIRE_X_DISPLAY()                                                               \
    do {                                                                                          \
        if (QGuiApplication::platformName() != "xcb")                                             \
            GTEST_SKIP() << "needs an X display (scripts/test-services starts Xvfb)";             \
    } while (0)

// Real input through the X server's test extension.
inline bool Xdotool(const std::string& arguments)
{
    return std::system(("xdotool " + arguments + " >/dev/null 2>&1").c_str()) == 0;
}

// A point on the screen as xdotool takes it, "x y", and the middle of a control there.
inline std::string ScreenPoint(QPoint at) { return std::to_string(at.x()) + " " + std::to_string(at.y()); }
inline QPoint CentreOf(const QWidget& control) { return control.mapToGlobal(control.rect().center()); }

// Moves the real pointer to the middle of the control, lets it arrive, then acts: "click 1".
inline bool PointAt(const QWidget* control, const std::string& action)
{
    const bool moved = control && Xdotool("mousemove " + ScreenPoint(CentreOf(*control)));
    QTest::qWait(50);
    return moved && Xdotool(action);
}

// Lets events run until condition holds or the time is up.
inline bool WaitUntil(const std::function<bool()>& condition, int milliseconds = 3000)
{
    return QTest::qWaitFor(condition, milliseconds);
}

// What the screen shows in the given rectangle, as the X server has it.
inline QImage GrabScreen(int x, int y, int width, int height)
{
    QApplication::processEvents();
    return QGuiApplication::primaryScreen()->grabWindow(0, x, y, width, height).toImage().convertToFormat(QImage::Format_ARGB32);
}

} // namespace dorvane::testing
