#include "clock/window/ScreenPlacement.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace dorvane {
namespace {

// The gap between the spans [a, a + aLength) and [b, b + bLength) along one axis; 0 when they overlap.
// Computed in 64 bits: a position near the 32-bit limit plus a width overflows 32.
int64_t Gap(int64_t a, int64_t aLength, int64_t b, int64_t bLength)
{
    if (a + aLength <= b)
        return b - (a + aLength) + 1;
    if (b + bLength <= a)
        return a - (b + bLength) + 1;
    return 0;
}

// Squared distance between two rectangles; 0 when they share at least one pixel.
double Distance(const PixelRect& a, const PixelRect& b)
{
    const double dx = static_cast<double>(Gap(a.x, a.width, b.x, b.width));
    const double dy = static_cast<double>(Gap(a.y, a.height, b.y, b.height));
    return dx * dx + dy * dy;
}

// The start of a span of length inside [low, low + room): as close to start as it fits.
int32_t Inside(int32_t start, int32_t length, int32_t low, int32_t room)
{
    const int64_t high = static_cast<int64_t>(low) + room - length;
    return static_cast<int32_t>(std::max<int64_t>(low, std::min<int64_t>(start, high)));
}

} // namespace

PixelPoint ReachablePosition(const PixelRect& clock, std::span<const PixelRect> screens)
{
    const PixelRect* nearest = nullptr;
    double nearestDistance = std::numeric_limits<double>::infinity();
    for (const PixelRect& screen : screens) {
        const double distance = Distance(clock, screen);
        if (distance == 0)
            return {clock.x, clock.y};
        if (distance < nearestDistance) {
            nearestDistance = distance;
            nearest = &screen;
        }
    }
    if (!nearest)
        return {clock.x, clock.y};
    return {Inside(clock.x, clock.width, nearest->x, nearest->width),
            Inside(clock.y, clock.height, nearest->y, nearest->height)};
}

PixelPoint BesideWindow(const PixelRect& owner, int32_t width, int32_t height, const PixelRect& screen)
{
    int64_t left = int64_t{owner.x} + owner.width;
    if (left + width > int64_t{screen.x} + screen.width)
        left = std::max<int64_t>(screen.x, int64_t{owner.x} - width);
    return {static_cast<int32_t>(left), Inside(owner.y, height, screen.y, screen.height)};
}

PixelPoint TwipsToPixels(double left, double top, const Screen& screen)
{
    return {static_cast<int32_t>(std::lround(left / screen.TwipsPerPixelX())),
            static_cast<int32_t>(std::lround(top / screen.TwipsPerPixelY()))};
}

TwipsRect PixelsToTwips(const PixelRect& rect, const Screen& screen)
{
    const double x = screen.TwipsPerPixelX(), y = screen.TwipsPerPixelY();
    return {rect.x * x, rect.y * y, rect.width * x, rect.height * y};
}

} // namespace dorvane
