#include "clock/face/ClockFace.h"
#include "clock/state/ClockSurfaces.h"
#include "image/cGDIPlus.h"
#include "tests/support/Fakes.h"
#include "tests/support/ImageTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

namespace dorvane {
namespace {

using namespace testing;

constexpr int kDial = 130, kHand = 196;
const Bgra kTransparent = {0, 0, 0, 0};

double DistanceFromCentre(int x, int y, int size) { return std::hypot(x + 0.5 - size / 2.0, y + 0.5 - size / 2.0); }

// Paints a picture and loads it into target through its PNG bytes, kept as the skin loader keeps them.
void LoadPainted(c32bppDIB& target, int width, int height, const std::function<Bgra(int, int)>& paint)
{
    c32bppDIB picture;
    Paint(picture, width, height, paint);
    std::vector<std::uint8_t> png;
    ASSERT_TRUE(cGDIPlus().SaveToPNG({}, png, picture, 0));
    ASSERT_TRUE(target.LoadPicture_Stream(png, 0, 0, true));
}

// A light grey disc of radius 63 on transparent corners.
void LoadGreyDial(c32bppDIB& dial)
{
    LoadPainted(dial, kDial, kDial, [](int x, int y) {
        return DistanceFromCentre(x, y, kDial) <= 63 ? Premultiplied(200, 200, 200, 255) : kTransparent;
    });
}

// A hand picture as the clock's: a solid bar of the colour pointing at 12 from the picture's centre.
// Hour 50, minute 90, second 94 of the picture's 98 pixels from the pivot to its edge.
struct Hand { c32bppDIB ClockSurfaces::*picture; Bgra colour; double width, length; };
const Hand kHourHand{&ClockSurfaces::iHour, Premultiplied(0, 0, 255, 255), 8, 50};
const Hand kMinuteHand{&ClockSurfaces::iMin, Premultiplied(0, 255, 0, 255), 6, 90};
const Hand kSecondHand{&ClockSurfaces::iSec, Premultiplied(255, 0, 0, 255), 4, 94};

struct ClockFaceTest : ::testing::Test {
    // The dial, the three hands and an orange ring from radius 55 to 64 of the dial.
    void LoadAll()
    {
        LoadGreyDial(surfaces.iBack);
        for (const Hand& hand : {kHourHand, kMinuteHand, kSecondHand})
            LoadPainted(surfaces.*hand.picture, kHand, kHand, [&](int x, int y) {
                const bool inBar = std::abs(x + 0.5 - kHand / 2.0) < hand.width / 2 && y >= kHand / 2 - hand.length && y < kHand / 2;
                return inBar ? hand.colour : kTransparent;
            });
        LoadPainted(surfaces.iClockBorder, kDial, kDial, [](int x, int y) {
            const double r = DistanceFromCentre(x, y, kDial);
            return r >= 55 && r <= 64 ? Premultiplied(255, 128, 0, 255) : kTransparent;
        });
    }
    std::vector<Bgra> DrawAt(const LocalTime& time)
    {
        face.Draw(time);
        return AllPixels(surfaces.iBack);
    }

    ClockState state;
    ClockSurfaces surfaces;
    ClockFace face{state, surfaces};
};

TEST_F(ClockFaceTest, HourAndMinuteHandsAndTheRingLetWhatIsBelowThroughTheSecondHandIsSolidTheRingOnTop)
{
    LoadAll();
    // At 3:00:45 each hand points where the time sends it: the hour hand along the middle row to
    // the right, the minute hand straight up across the ring's inner part and the second hand to the
    // left. Nothing points down, where the ring shows only when ShowBorder is 1.
    for (const std::int16_t showBorder : {0, 2, 1}) {
        state.ShowBorder = showBorder;
        DrawAt(At(3, 0, 45));
        EXPECT_EQ(StoredPixel(surfaces.iBack, 65, 125)[2] > 220, showBorder == 1) << showBorder;
    }
    // Each pixel as blue, green, red; 80 % of a hand or the ring over 20 % of what lies below, give
    // or take the rounding of each step.
    const double minuteRed = 0.2 * 200, minuteGreen = 0.8 * 255 + 0.2 * 200, minuteBlue = 0.2 * 200;
    const struct { int x, y; double bgr[3]; } pixels[] = {
        {80, 64, {0.8 * 255 + 0.2 * 200, 0.2 * 200, 0.2 * 200}}, // the blue hour hand
        {20, 64, {0, 0, 255}},                                   // the red second hand
        {64, 7, {0.2 * minuteBlue, 0.8 * 128 + 0.2 * minuteGreen, 0.8 * 255 + 0.2 * minuteRed}}, // the orange ring
    };
    for (const auto& p : pixels) {
        const Bgra pixel = StoredPixel(surfaces.iBack, p.x, p.y);
        for (int c = 0; c < 3; ++c)
            EXPECT_NEAR(pixel[c], p.bgr[c], 3) << p.x << "," << p.y << " byte " << c;
        EXPECT_EQ(pixel[3], 255);
    }
}

TEST_F(ClockFaceTest, EveryDrawingStartsFromTheBareDialOnlyShowSecondsOneDrawsTheSecondHandAndEmptyPicturesNothing)
{
    LoadAll();
    state.ShowSeconds = 0;
    const auto withoutSeconds = DrawAt(At(10, 9, 30));
    state.ShowSeconds = 1;
    EXPECT_NE(DrawAt(At(10, 9, 30)), withoutSeconds);
    state.ShowBorder = 1;
    DrawAt(At(3, 17, 5));
    state.ShowBorder = 0;
    state.ShowSeconds = 2;
    EXPECT_EQ(DrawAt(At(10, 9, 30)), withoutSeconds) << "no trace of 3:17:05 and no second hand";
    state.ShowSeconds = 1;
    surfaces.iSec.DestroyDIB();
    EXPECT_EQ(DrawAt(At(10, 9, 30)), withoutSeconds) << "the face without seconds is the face with no second hand";
    // Empty pictures draw nothing and do not fail.
    state.ShowBorder = 1;
    LoadAll();
    surfaces.iBack.DestroyDIB();
    face.Draw(At(10, 9, 30));
    EXPECT_EQ(surfaces.iBack.Handle(), nullptr) << "hands without a dial";
    for (c32bppDIB* surface : surfaces.All())
        surface->DestroyDIB();
    LoadGreyDial(surfaces.iBack);
    const auto bare = AllPixels(surfaces.iBack);
    EXPECT_EQ(DrawAt(At(10, 9, 30)), bare) << "a dial without hands or ring";
}

} // namespace
} // namespace dorvane
