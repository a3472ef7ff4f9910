#pragma once

#include <QApplication>
#include <QGuiApplication>
#include <QImage>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>

namespace dorvane::testing {

// True when the tests run on a real X display.
inline bool HasXDisplay() { return QGuiApplication::platformName() == "xcb"; }

#define DORVANE_REQUIRE_X_DISPLAY()                                                               \
    do {                                                                                          \
        if (!::dorvane::testing::HasXDisplay())                                                   \
            GTEST_SKIP() << "needs an X display (scripts/test-services starts Xvfb)";             \
    } while (0)

// Real input through the X server's test extension.
inline bool Xdotool(const std::string& arguments)
{
    return std::system(("xdotool " + arguments + " >/dev/null 2>&1").c_str()) == 0;
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
