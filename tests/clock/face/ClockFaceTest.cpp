#include "clock/face/ClockFace.h"
#include "tests/support/FixedTime.h"

#include "image/cGDIPlus.h"
#include "tests/support/PngBuilder.h"
#include "tests/support/RenderTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace dorvane {
namespace {

using testing::AllPixels;
using testing::Bgra;
using testing::Premultiplied;
using testing::StoredPixel;

constexpr int kDial = 130;
constexpr int kHand = 196;
const Bgra kTransparent = {0, 0, 0, 0};
const Bgra kBlue = Premultiplied(0, 0, 255, 255);
const Bgra kGreen = Premultiplied(0, 255, 0, 255);
const Bgra kRed = Premultiplied(255, 0, 0, 255);

using testing::At;

double DistanceFromCentre(int x, int y, int size) { return std::hypot(x + 0.5 - size / 2.0, y + 0.5 - size / 2.0); }

// Paints a picture and loads it into target through its PNG bytes, kept as the skin loader keeps them.
void LoadPainted(c32bppDIB& target, int width, int height, const std::function<Bgra(int, int)>& paint)
{
    c32bppDIB picture;
    testing::Paint(picture, width, height, paint);
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
void LoadHand(c32bppDIB& hand, Bgra colour, double width, double length)
{
    LoadPainted(hand, kHand, kHand, [&](int x, int y) {
        const bool inBar = std::abs(x + 0.5 - kHand / 2.0) < width / 2 && y >= kHand / 2 - length && y < kHand / 2;
        return inBar ? colour : kTransparent;
    });
}
void LoadHourHand(ClockSurfaces& surfaces) { LoadHand(surfaces.iHour, kBlue, 8, 50); }
void LoadMinuteHand(ClockSurfaces& surfaces) { LoadHand(surfaces.iMin, kGreen, 6, 90); }
void LoadSecondHand(ClockSurfaces& surfaces) { LoadHand(surfaces.iSec, kRed, 4, 94); }

// The dial, the three hands and an orange ring from radius 55 to 64 of the dial.
void LoadAll(ClockSurfaces& surfaces)
{
    LoadGreyDial(surfaces.iBack);
    LoadHourHand(surfaces);
    LoadMinuteHand(surfaces);
    LoadSecondHand(surfaces);
    LoadPainted(surfaces.iClockBorder, kDial, kDial, [](int x, int y) {
        const double r = DistanceFromCentre(x, y, kDial);
        return r >= 55 && r <= 64 ? Premultiplied(255, 128, 0, 255) : kTransparent;
    });
}

class ClockFaceTest : public ::testing::Test {
protected:
    std::vector<Bgra> DrawAt(const LocalTime& time)
    {
        face.Draw(time);
        return AllPixels(surfaces.iBack);
    }
    void Empty()
    {
        for (c32bppDIB* surface : surfaces.All())
            surface->DestroyDIB();
    }

    // The direction, in degrees clockwise from 12, in which the drawing at time differs from the
    // bare dial (the pixels weighted by how much they changed).
    double DirectionOfChange(const LocalTime& time)
    {
        LoadGreyDial(surfaces.iBack);
        const std::vector<Bgra> bare = AllPixels(surfaces.iBack);
        const std::vector<Bgra> drawn = DrawAt(time);
        double sumX = 0, sumY = 0, weight = 0;
        for (int y = 0; y < kDial; ++y)
            for (int x = 0; x < kDial; ++x) {
                double change = 0;
                for (int c = 0; c < 4; ++c)
                    change += std::abs(bare[y * kDial + x][c] - drawn[y * kDial + x][c]);
                sumX += change * (x + 0.5 - kDial / 2.0), sumY += change * (y + 0.5 - kDial / 2.0);
                weight += change;
            }
        EXPECT_GT(weight, 0) << "nothing was drawn";
        const double degrees = std::atan2(sumX, -sumY) * 180 / std::numbers::pi;
        return degrees < -0.25 ? degrees + 360 : degrees;
    }

    ClockState state;
    ClockSurfaces surfaces;
    ClockFace face{state, surfaces};
};

TEST_F(ClockFaceTest, EachHandPointsWhereTheTimeSendsIt)
{
    // One hand at a time, the pictures that are not loaded drawing nothing; at 3:30:45 each hand
    // has a direction of its own.
    const std::pair<void (*)(ClockSurfaces&), double> hands[] = {
        {LoadHourHand, 105.375}, {LoadMinuteHand, 180}, {LoadSecondHand, 270}};
    for (const auto& [load, angle] : hands) {
        Empty();
        load(surfaces);
        EXPECT_NEAR(DirectionOfChange(At(15, 30, 45)), angle, 0.5);
    }
}

TEST_F(ClockFaceTest, HourAndMinuteHandsAndTheRingLetWhatIsBelowThroughTheSecondHandIsSolidTheRingOnTop)
{
    LoadAll(surfaces);
    // At 3:00:45 the hour hand lies along the middle row to the right, the minute hand straight up
    // across the ring's inner part and the second hand to the left. Nothing points down, where the
    // ring shows only when ShowBorder is 1.
    const auto ringAtSix = [&] { return StoredPixel(surfaces.iBack, 65, 125)[2] > 220; };
    for (const std::int16_t showBorder : {0, 2, 1}) {
        state.ShowBorder = showBorder;
        DrawAt(At(3, 0, 45));
        EXPECT_EQ(ringAtSix(), showBorder == 1) << showBorder;
    }
    // Each pixel as red, green, blue; 80 % of a hand or the ring over 20 % of what lies below, give
    // or take the rounding of each step.
    const auto expectColour = [&](int x, int y, double red, double green, double blue) {
        const Bgra pixel = StoredPixel(surfaces.iBack, x, y);
        EXPECT_NEAR(pixel[2], red, 3) << x << "," << y;
        EXPECT_NEAR(pixel[1], green, 3) << x << "," << y;
        EXPECT_NEAR(pixel[0], blue, 3) << x << "," << y;
        EXPECT_EQ(pixel[3], 255);
    };
    expectColour(80, 64, 0.2 * 200, 0.2 * 200, 0.8 * 255 + 0.2 * 200); // the blue hour hand
    expectColour(20, 64, 255, 0, 0);                                     // the red second hand
    const double minuteRed = 0.2 * 200, minuteGreen = 0.8 * 255 + 0.2 * 200, minuteBlue = 0.2 * 200;
    expectColour(64, 7, 0.8 * 255 + 0.2 * minuteRed, 0.8 * 128 + 0.2 * minuteGreen, 0.2 * minuteBlue); // orange ring
}

TEST_F(ClockFaceTest, EveryDrawingStartsFromTheBareDialAndOnlyShowSecondsOneDrawsTheSecondHand)
{
    LoadAll(surfaces);
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
}

TEST_F(ClockFaceTest, ADialWithoutTransparencyLosesTheColourOfItsTopLeftPixel)
{
    // An RGB PNG: a black disc on a plain green background.
    testing::PngImage png;
    png.width = png.height = kDial;
    png.colorType = 2;
    for (int y = 0; y < kDial; ++y)
        for (int x = 0; x < kDial; ++x) {
            const bool disc = DistanceFromCentre(x, y, kDial) <= 40;
            png.samples.insert(png.samples.end(), {std::uint8_t(disc ? 0 : 30), std::uint8_t(disc ? 0 : 200), 0});
        }
    ASSERT_TRUE(surfaces.iBack.LoadPicture_Stream(testing::EncodePng(png), 0, 0, true));
    ASSERT_FALSE(surfaces.iBack.Alpha());
    for (int tick = 0; tick < 2; ++tick) { // the key is made again after every restore
        DrawAt(At(12, 0, 0));
        EXPECT_TRUE(surfaces.iBack.Alpha());
        EXPECT_EQ(StoredPixel(surfaces.iBack, 0, 0), kTransparent);
        EXPECT_EQ(StoredPixel(surfaces.iBack, 129, 70), kTransparent);
        EXPECT_EQ(StoredPixel(surfaces.iBack, 65, 65), Premultiplied(0, 0, 0, 255));
    }
}

TEST_F(ClockFaceTest, ADialWithTransparentCornersKeepsEveryColour)
{
    // The corner is transparent, which reads as black; the black disc must stay.
    LoadPainted(surfaces.iBack, kDial, kDial, [](int x, int y) {
        const double r = DistanceFromCentre(x, y, kDial);
        return r <= 40 ? Premultiplied(0, 0, 0, 255) : r <= 63 ? Premultiplied(255, 255, 255, 255) : kTransparent;
    });
    const auto bare = AllPixels(surfaces.iBack);
    EXPECT_EQ(DrawAt(At(12, 0, 0)), bare);
}

TEST_F(ClockFaceTest, EmptyPicturesDrawNothingAndDoNotFail)
{
    state.ShowBorder = 1;
    LoadAll(surfaces);
    surfaces.iBack.DestroyDIB();
    face.Draw(At(10, 9, 30));
    EXPECT_EQ(surfaces.iBack.Handle(), nullptr) << "hands without a dial";

    Empty();
    LoadGreyDial(surfaces.iBack);
    const auto bare = AllPixels(surfaces.iBack);
    EXPECT_EQ(DrawAt(At(10, 9, 30)), bare) << "a dial without hands or ring";
}

TEST_F(ClockFaceTest, HandsAreScaledToADialOfAnotherSize)
{
    // A 129 x 128 dial, as the Wall skin's: the minute hand at 12 reaches 90/196 of its height up.
    LoadPainted(surfaces.iBack, 129, 128, [](int, int) { return Premultiplied(200, 200, 200, 255); });
    LoadMinuteHand(surfaces);
    DrawAt(At(12, 0, 0));
    int top = 128;
    for (int y = 127; y >= 0; --y)
        if (StoredPixel(surfaces.iBack, 64, y)[1] > 230 && StoredPixel(surfaces.iBack, 64, y)[2] < 60)
            top = y;
    EXPECT_NEAR(64 - top, 90.0 * 128 / 196, 1.5);
    EXPECT_EQ(std::pair(surfaces.iBack.Width(), surfaces.iBack.Height()), std::pair(129, 128));
}

} // namespace
} // namespace dorvane
