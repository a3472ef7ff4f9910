#include "clock/window/ClockWindowView.h"
#include "clock/window/SurfaceImage.h"
#include "image/c32bppDIB.h"
#include "tests/support/Fakes.h"
#include "tests/support/ImageTestSupport.h"
#include "tests/support/ViewTesting.h"

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace dorvane {
namespace {

void FillSquare(c32bppDIB& face, int from, int to, testing::Bgra bgra)
{
    for (int y = from; y < to; ++y)
        for (int x = from; x < to; ++x)
            std::copy(bgra.begin(), bgra.end(), face.Pixels().Pixel(x, y));
}

// The clock window, shown no mouse and (unless a test shows it) no screen.
struct ClockWindowTest : ::testing::Test {
    c32bppDIB face;
    testing::FakeTimeSource time{LocalTime{{2026, 12, 6}, 10, 9, 30, 0}};
    testing::RecordingMouseActions actions; // dragging and the strip are the end-to-end test's
    ClockState state;
    ClockMouse mouseLogic{actions, state};
};

// Whether what the window would show is the picture faded by Qt's own painter: the bytes a window
// painted at that opacity would show.
bool ShownAsQtFades(ClockWindowView& window, const c32bppDIB& face, std::uint8_t alpha)
{
    window.Present(face, alpha);
    const QImage upright = SurfaceImage(face);
    QImage faded(upright.size(), QImage::Format_ARGB32_Premultiplied);
    faded.fill(Qt::transparent);
    QPainter painter(&faded);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.setOpacity(alpha / 255.0);
    painter.drawImage(0, 0, upright);
    return window.Picture() == faded;
}

TEST_F(ClockWindowTest, FadesAPictureExactlyAsQtWouldPaintItAndEachNewPictureWholeWhenOnlyPartOfItChanged)
{
    using B = std::uint8_t; // premultiplied pixels of every alpha, each with colours up to it
    testing::Paint(face, 256, 4, [](int a, int y) { return testing::Bgra{B(a * y / 3), B(a * (3 - y) / 3), B(a / 2), B(a)}; });
    for (const int alpha : {0, 1, 60, 128, 179, 200, 254, 255}) {
        ClockWindowView window{mouseLogic, time, /*compositing=*/true};
        EXPECT_TRUE(ShownAsQtFades(window, face, static_cast<std::uint8_t>(alpha))) << alpha;
    }
    // The window fades only what changed since the last picture; the whole picture must still come
    // out as if faded afresh.
    ClockWindowView window{mouseLogic, time, /*compositing=*/true};
    window.Present(face, 179);
    for (int x = 250; x < 256; ++x)
        std::fill_n(face.Pixels().Pixel(x, 3), 4, std::uint8_t(7));
    EXPECT_TRUE(ShownAsQtFades(window, face, 179)) << "a corner changed";
    EXPECT_TRUE(ShownAsQtFades(window, face, 60)) << "another opacity";
    c32bppDIB smaller;
    ASSERT_TRUE(smaller.InitializeDIB(16, 2));
    std::ranges::fill(smaller.PixelBytes(), std::uint8_t(90));
    EXPECT_TRUE(ShownAsQtFades(window, smaller, 60)) << "a new size";
}

struct ClockWindowViewTest : ClockWindowTest {
    void SetUp() override
    {
        DORVANE_REQUIRE_X_DISPLAY();
        testing::Paint(face, kSize, kSize, [](int x, int y) { // an opaque red disc on transparent corners
            const bool inside = std::hypot(x + 0.5 - kSize / 2.0, y + 0.5 - kSize / 2.0) <= kSize / 2.0 - 1;
            return inside ? testing::Bgra{0, 0, 255, 255} : testing::Bgra{0, 0, 0, 0};
        });
        view = std::make_unique<ClockWindowView>(mouseLogic, time, /*compositing=*/false);
        view->resize(kSize, kSize);
        view->move(kLeft, kTop);
    }
    QColor Centre() const { return QColor(testing::GrabScreen(kLeft + kSize / 2, kTop + kSize / 2, 1, 1).pixel(0, 0)); }
    static constexpr int kSize = 60, kLeft = 200, kTop = 150;
    std::unique_ptr<ClockWindowView> view;
};

// The window is cut to every pixel the picture covers, even faintly, and a double click silences.
// After the first picture, each change goes straight into the X window, past Qt's painting; it is
// not in Qt's own copy of the window: when the window is shown again (here unmapped and mapped
// behind Qt's back), the newest picture must come back, not an older one. (That the screen shows
// each picture inside its shape and the desktop around it is the scaled-clock end-to-end test's.)
TEST_F(ClockWindowViewTest, ShowsThePictureCutToEveryPixelItCoversEachNewPictureAlsoWhenExposedAgainAndADoubleClickSilences)
{
    FillSquare(face, 20, 40, {0, 0, 40, 40}); // a glass dial's faint centre: a premultiplied red of alpha 40
    view->Present(face, 179);
    view->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view.get()));
    EXPECT_TRUE(view->mask().contains(QPoint(kSize / 2, kSize / 2))) << "the faint centre";
    EXPECT_FALSE(view->mask().contains(QPoint(0, 0)));
    FillSquare(face, 20, 40, {255, 0, 0, 255}); // an opaque blue square over the disc's centre
    view->Present(face, 255);
    QTest::qWait(100);
    EXPECT_EQ(Centre(), QColor(0, 0, 255));
    const std::string window = std::to_string(view->winId());
    ASSERT_TRUE(testing::Xdotool("windowunmap --sync " + window));
    ASSERT_TRUE(testing::Xdotool("windowmap --sync " + window));
    QTest::qWait(300);
    EXPECT_EQ(Centre(), QColor(0, 0, 255));
    ASSERT_TRUE(testing::Xdotool("mousemove 225 175 click --repeat 2 --delay 80 1"));
    EXPECT_TRUE(testing::WaitUntil([&] { return std::ranges::count(actions.events, "silence") == 1; }));
}

} // namespace
} // namespace dorvane
