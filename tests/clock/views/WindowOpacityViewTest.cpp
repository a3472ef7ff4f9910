#include "clock/ClockWindowView.h"
#include "clock/WindowOpacity.h"
#include "tests/platform/FakeTimeSource.h"
#include "platform/qt/SurfaceImage.h"

#include <QImage>

#include <gtest/gtest.h>

namespace dorvane {
namespace {

// Premultiplied pixels of every alpha, each with colours up to it.
void FillWithPremultipliedPixels(c32bppDIB& picture)
{
    picture.InitializeDIB(256, 4);
    for (int a = 0; a < 256; ++a)
        for (int row = 0; row < 4; ++row) {
            std::uint8_t* p = picture.Pixels().Pixel(a, row);
            p[0] = static_cast<std::uint8_t>(a * row / 3);
            p[1] = static_cast<std::uint8_t>(a * (3 - row) / 3);
            p[2] = static_cast<std::uint8_t>(a / 2);
            p[3] = static_cast<std::uint8_t>(a);
        }
}

class NoMouseActions : public ClockMouseActions {
    void MoveClockBy(int, int) override {}
    void ShowStrip() override {}
    void UnloadStrip() override {}
    void HideStrip() override {}
    void SetStripTimer(bool) override {}
    void SilenceCurrentAlarm() override {}
};

// What the clock window puts on the screen for a face at an opacity.
QImage AsTheWindowShowsIt(const c32bppDIB& face, std::uint8_t alpha)
{
    NoMouseActions actions;
    const ClockState state;
    ClockMouse mouse(actions, state);
    testing::FakeTimeSource time{LocalTime{{2026, 12, 6}, 10, 9, 30, 0}};
    ClockWindowView window(mouse, time, /*compositing=*/true);
    window.Present(face, alpha);
    return window.Picture();
}

TEST(WindowOpacityView, FadesAPictureExactlyAsTheClockWindowShowsIt)
{
    for (const int alpha : {0, 1, 60, 128, 179, 200, 254, 255}) {
        SCOPED_TRACE(alpha);
        c32bppDIB face;
        FillWithPremultipliedPixels(face);
        const QImage shown = AsTheWindowShowsIt(face, static_cast<std::uint8_t>(alpha));
        ApplyWindowOpacity(face, static_cast<std::uint8_t>(alpha));
        const QImage ours = SurfaceImage(face);
        ASSERT_EQ(ours.format(), shown.format());
        int differing = 0;
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x)
                differing += ours.pixel(x, y) != shown.pixel(x, y);
        EXPECT_EQ(differing, 0);
    }
}

} // namespace
} // namespace dorvane
