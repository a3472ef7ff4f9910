#include "platform/win32/WindowsScreen.h"

#include <windows.h>

namespace dorvane {

int WindowsScreen::WidthPixels() const { return ::GetSystemMetrics(SM_CXSCREEN); }

int WindowsScreen::HeightPixels() const { return ::GetSystemMetrics(SM_CYSCREEN); }

double WindowsScreen::TwipsPerPixelX() const { return TwipsPerPixel(LOGPIXELSX); }

double WindowsScreen::TwipsPerPixelY() const { return TwipsPerPixel(LOGPIXELSY); }

double WindowsScreen::TwipsPerPixel(int deviceCapability)
{
    constexpr double kTwipsPerInch = 1440.0;
    constexpr int kUsualDotsPerInch = 96;
    HDC screen = ::GetDC(nullptr);
    const int dotsPerInch = screen ? ::GetDeviceCaps(screen, deviceCapability) : 0;
    if (screen)
        ::ReleaseDC(nullptr, screen);
    return kTwipsPerInch / (dotsPerInch > 0 ? dotsPerInch : kUsualDotsPerInch);
}

} // namespace dorvane
