#include "platform/qt/QtScreen.h"

#include <QGuiApplication>
#include <QScreen>

namespace dorvane {
namespace {

constexpr double kTwipsPerInch = 1440;
constexpr double kDefaultTwipsPerPixel = 15;

double TwipsPerPixel(double dotsPerInch) { return dotsPerInch > 0 ? kTwipsPerInch / dotsPerInch : kDefaultTwipsPerPixel; }

} // namespace

int QtScreen::WidthPixels() const
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().width() : 0;
}

int QtScreen::HeightPixels() const
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().height() : 0;
}

double QtScreen::TwipsPerPixelX() const
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return TwipsPerPixel(screen ? screen->logicalDotsPerInchX() : 0);
}

double QtScreen::TwipsPerPixelY() const
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return TwipsPerPixel(screen ? screen->logicalDotsPerInchY() : 0);
}

} // namespace dorvane
