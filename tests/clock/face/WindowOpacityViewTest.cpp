#include "clock/window/ClockWindowView.h"
#include "tests/support/FakeTimeSource.h"
#include "clock/window/SurfaceImage.h"

#include <QImage>
#include <QPainter>

#include <algorithm>

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

// The clock window, shown no mouse and no screen: what it would put on the screen.
class FadingWindow {
public:
    const QImage& Show(const c32bppDIB& face, std::uint8_t alpha)
    {
        window_.Present(face, alpha);
        return window_.Picture();
    }

private:
    NoMouseActions actions_;
    const ClockState state_;
    ClockMouse mouse_{actions_, state_};
    testing::FakeTimeSource time_{LocalTime{{2026, 12, 6}, 10, 9, 30, 0}};
    ClockWindowView window_{mouse_, time_, /*compositing=*/true};
};

int DifferingPixels(const QImage& a, const QImage& b)
{
    EXPECT_EQ(a.format(), b.format());
    EXPECT_EQ(a.size(), b.size());
    int differing = 0;
    for (int y = 0; y < std::min(a.height(), b.height()); ++y)
        for (int x = 0; x < std::min(a.width(), b.width()); ++x)
            differing += a.pixel(x, y) != b.pixel(x, y);
    return differing;
}

// The picture faded by Qt's own painter: the bytes a window painted at that opacity would show.
QImage Faded(const c32bppDIB& face, std::uint8_t alpha)
{
    const QImage upright = SurfaceImage(face);
    QImage image(upright.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.setOpacity(alpha / 255.0);
    painter.drawImage(0, 0, upright);
    return image;
}

TEST(WindowOpacityView, FadesAPictureExactlyAsTheClockWindowShowsIt)
{
    for (const int alpha : {0, 1, 60, 128, 179, 200, 254, 255}) {
        SCOPED_TRACE(alpha);
        c32bppDIB face;
        FillWithPremultipliedPixels(face);
        FadingWindow window;
        const QImage& shown = window.Show(face, static_cast<std::uint8_t>(alpha));
        EXPECT_EQ(DifferingPixels(Faded(face, static_cast<std::uint8_t>(alpha)), shown), 0);
    }
}

// The window fades only what changed since the last picture; the whole picture must still come
// out as if faded afresh, after a change in a corner, a change of opacity and a new size.
TEST(WindowOpacityView, ShowsEachNewPictureWholeWhenOnlyPartOfItChanged)
{
    c32bppDIB face;
    FillWithPremultipliedPixels(face);
    FadingWindow window;
    window.Show(face, 179);
    for (int x = 250; x < 256; ++x)
        std::fill_n(face.Pixels().Pixel(x, 3), 4, std::uint8_t(7));
    EXPECT_EQ(DifferingPixels(Faded(face, 179), window.Show(face, 179)), 0) << "a corner changed";
    EXPECT_EQ(DifferingPixels(Faded(face, 60), window.Show(face, 60)), 0) << "another opacity";
    c32bppDIB smaller;
    ASSERT_TRUE(smaller.InitializeDIB(16, 2));
    std::ranges::fill(smaller.PixelBytes(), std::uint8_t(90));
    EXPECT_EQ(DifferingPixels(Faded(smaller, 60), window.Show(smaller, 60)), 0) << "a new size";
}

} // namespace
} // namespace dorvane
