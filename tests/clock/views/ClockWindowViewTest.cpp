#include "clock/ClockWindowView.h"
#include "image/c32bppDIB.h"
#include "tests/ViewTesting.h"
#include "tests/platform/FakeTimeSource.h"

#include <cmath>
#include <vector>

namespace dorvane {
namespace {

// Counts what the real mouse asks of the clock. (A drag moving the real window is the
// end-to-end test's.)
class RecordingMouse : public ClockMouseActions {
public:
    void MoveClockBy(int, int) override {}
    void ShowStrip() override { ++shows; }
    void UnloadStrip() override {}
    void HideStrip() override {}
    void SetStripTimer(bool) override {}
    void SilenceCurrentAlarm() override { ++silences; }
    int shows = 0, silences = 0;
};

// A face of size x size: an opaque red disc on transparent corners.
void PaintRedDisc(c32bppDIB& face, int size)
{
    ASSERT_TRUE(face.InitializeDIB(size, size));
    const PixelView pixels = face.Pixels();
    const double centre = size / 2.0, radius = size / 2.0 - 1;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const bool inside = std::hypot(x + 0.5 - centre, y + 0.5 - centre) <= radius;
            uint8_t* p = pixels.Pixel(x, y);
            p[0] = 0, p[1] = 0, p[2] = inside ? 255 : 0, p[3] = inside ? 255 : 0;
        }
}

class ClockWindowViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        DORVANE_REQUIRE_X_DISPLAY();
        PaintRedDisc(face, kSize);
        view = std::make_unique<ClockWindowView>(mouseLogic, time, /*compositing=*/false);
        view->resize(kSize, kSize);
        view->move(kLeft, kTop);
    }
    void ShowWith(uint8_t alpha)
    {
        view->Present(face, alpha);
        view->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(view.get()));
        QTest::qWait(100);
    }

    static constexpr int kSize = 60, kLeft = 200, kTop = 150;
    c32bppDIB face;
    testing::FakeTimeSource time{LocalTime{{2026, 12, 6}, 10, 9, 30, 0}};
    RecordingMouse actions;
    ClockState state;
    ClockMouse mouseLogic{actions, state};
    std::unique_ptr<ClockWindowView> view;
};

TEST_F(ClockWindowViewTest, ShowsThePictureCutToEveryPixelItCoversAndFadedByItsOpacity)
{
    // A glass dial's faint centre: a premultiplied red of alpha 40.
    for (int y = 20; y < 40; ++y)
        for (int x = 20; x < 40; ++x) {
            uint8_t* p = face.Pixels().Pixel(x, y);
            p[0] = 0, p[1] = 0, p[2] = 40, p[3] = 40;
        }
    ShowWith(255);
    const QImage screen = testing::GrabScreen(kLeft, kTop, kSize, kSize);
    EXPECT_EQ(QColor(screen.pixel(kSize / 2, 3)), QColor(255, 0, 0));
    // Without a compositor the corners belong to the desktop underneath, not to the window.
    for (QPoint corner : {QPoint(0, 0), QPoint(kSize - 1, 0), QPoint(0, kSize - 1), QPoint(kSize - 1, kSize - 1)})
        EXPECT_NE(QColor(screen.pixel(corner)), QColor(255, 0, 0)) << corner.x() << "," << corner.y();
    for (uint8_t alpha : {255, 179}) {
        ShowWith(alpha);
        EXPECT_TRUE(view->mask().contains(QPoint(kSize / 2, kSize / 2))) << "the faint centre at " << int(alpha);
        EXPECT_FALSE(view->mask().contains(QPoint(0, 0)));
    }

    ShowWith(128);
    const QRgb red = view->Picture().pixel(kSize / 2, 5); // premultiplied
    EXPECT_NEAR(qAlpha(red), 128, 1);
    EXPECT_NEAR(qRed(red), 128, 1);
    EXPECT_EQ(qGreen(red), 0);
    ShowWith(0);
    EXPECT_EQ(qAlpha(view->Picture().pixel(kSize / 2, 5)), 0);
}

TEST_F(ClockWindowViewTest, HoveringShowsTheStripAndADoubleClickSilences)
{
    ShowWith(255);
    ASSERT_TRUE(testing::Xdotool("mousemove 225 175"));
    QTest::qWait(50);
    ASSERT_TRUE(testing::Xdotool("mousemove 235 185"));
    EXPECT_TRUE(testing::WaitUntil([&] { return actions.shows > 0; }));
    ASSERT_TRUE(testing::Xdotool("click --repeat 2 --delay 80 1"));
    EXPECT_TRUE(testing::WaitUntil([&] { return actions.silences == 1; }));
}

} // namespace
} // namespace dorvane
