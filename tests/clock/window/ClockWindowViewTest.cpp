#include "clock/window/ClockWindowView.h"
#include "image/c32bppDIB.h"
#include "tests/support/ViewTesting.h"
#include "tests/support/FakeTimeSource.h"

#include <cmath>

namespace dorvane {
namespace {

// Counts the real mouse's double clicks. (Dragging and the strip are the end-to-end test's.)
class RecordingMouse : public ClockMouseActions {
public:
    void MoveClockBy(int, int) override {}
    void ShowStrip() override {}
    void UnloadStrip() override {}
    void HideStrip() override {}
    void SetStripTimer(bool) override {}
    void SilenceCurrentAlarm() override { ++silences; }
    int silences = 0;
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

// An opaque blue square over the disc's centre.
void PaintBlueSquare(c32bppDIB& face)
{
    for (int y = 20; y < 40; ++y)
        for (int x = 20; x < 40; ++x) {
            uint8_t* p = face.Pixels().Pixel(x, y);
            p[0] = 255, p[1] = 0, p[2] = 0, p[3] = 255;
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

TEST_F(ClockWindowViewTest, ShowsThePictureCutToEveryPixelItCoversAndADoubleClickSilences)
{
    // A glass dial's faint centre: a premultiplied red of alpha 40. (The fading is the opacity
    // view test's.)
    for (int y = 20; y < 40; ++y)
        for (int x = 20; x < 40; ++x) {
            uint8_t* p = face.Pixels().Pixel(x, y);
            p[0] = 0, p[1] = 0, p[2] = 40, p[3] = 40;
        }
    ShowWith(179);
    EXPECT_TRUE(view->mask().contains(QPoint(kSize / 2, kSize / 2))) << "the faint centre";
    EXPECT_FALSE(view->mask().contains(QPoint(0, 0)));
    ShowWith(255);
    const QImage screen = testing::GrabScreen(kLeft, kTop, kSize, kSize);
    EXPECT_EQ(QColor(screen.pixel(kSize / 2, 3)), QColor(255, 0, 0));
    // Without a compositor the corners belong to the desktop underneath, not to the window.
    for (QPoint corner : {QPoint(0, 0), QPoint(kSize - 1, 0), QPoint(0, kSize - 1), QPoint(kSize - 1, kSize - 1)})
        EXPECT_NE(QColor(screen.pixel(corner)), QColor(255, 0, 0)) << corner.x() << "," << corner.y();

    ASSERT_TRUE(testing::Xdotool("mousemove 225 175 click --repeat 2 --delay 80 1"));
    EXPECT_TRUE(testing::WaitUntil([&] { return actions.silences == 1; }));
}

// After the first picture, each change goes straight into the X window, past Qt's painting.
TEST_F(ClockWindowViewTest, ShowsEachNewPictureThatChangesOnlyPartOfTheLastOne)
{
    ShowWith(255);
    const auto centre = [&] { return QColor(testing::GrabScreen(kLeft, kTop, kSize, kSize).pixel(kSize / 2, kSize / 2)); };
    ASSERT_EQ(centre(), QColor(255, 0, 0));
    PaintBlueSquare(face);
    view->Present(face, 255);
    QTest::qWait(100);
    EXPECT_EQ(centre(), QColor(0, 0, 255));
}

// Changes put straight into the window are not in Qt's own copy of it: when the window is shown
// again (here unmapped and mapped behind Qt's back), the newest picture comes back, not an older one.
TEST_F(ClockWindowViewTest, ShowsTheNewestPictureAgainWhenTheWindowIsExposedAgain)
{
    ShowWith(255);
    PaintBlueSquare(face);
    view->Present(face, 255);
    QTest::qWait(100);
    const std::string window = std::to_string(view->winId());
    ASSERT_TRUE(testing::Xdotool("windowunmap --sync " + window));
    ASSERT_TRUE(testing::Xdotool("windowmap --sync " + window));
    QTest::qWait(300);
    EXPECT_EQ(QColor(testing::GrabScreen(kLeft, kTop, kSize, kSize).pixel(kSize / 2, kSize / 2)), QColor(0, 0, 255));
}

} // namespace
} // namespace dorvane
