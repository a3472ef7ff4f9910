#include "clock/ClockFace.h"

#include "image/cGDIPlus.h"
#include "tests/clock/HandAngleCases.h"
#include "tests/image/PngBuilder.h"
#include "tests/image/RenderTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace dorvane {
namespace {

using testing::AllPixels;
using testing::Bgra;
using testing::Paint;
using testing::Premultiplied;
using testing::StoredPixel;

constexpr int kDial = 130;
constexpr int kHand = 196;
const Bgra kTransparent = {0, 0, 0, 0};

using testing::ClockAt;

double DistanceFromCentre(int x, int y, int size)
{
    return std::hypot(x + 0.5 - size / 2.0, y + 0.5 - size / 2.0);
}

// Loads picture into target through its PNG bytes, kept as the skin loader keeps them.
void LoadKept(c32bppDIB& target, const c32bppDIB& picture)
{
    std::vector<std::uint8_t> png;
    ASSERT_TRUE(cGDIPlus().SaveToPNG({}, png, picture, 0));
    ASSERT_TRUE(target.LoadPicture_Stream(png, 0, 0, true));
}

// A light grey disc of radius 63 on transparent corners.
void LoadGreyDial(c32bppDIB& dial)
{
    c32bppDIB picture;
    Paint(picture, kDial, kDial, [](int x, int y) {
        return DistanceFromCentre(x, y, kDial) <= 63 ? Premultiplied(200, 200, 200, 255) : kTransparent;
    });
    LoadKept(dial, picture);
}

// A hand picture as the clock's: a solid bar of the colour pointing at 12 from the picture's centre.
void LoadHand(c32bppDIB& hand, Bgra colour, double width, double length)
{
    c32bppDIB picture;
    Paint(picture, kHand, kHand, [&](int x, int y) {
        const bool inBar = std::abs(x + 0.5 - kHand / 2.0) < width / 2 && y >= kHand / 2 - length && y < kHand / 2;
        return inBar ? colour : kTransparent;
    });
    LoadKept(hand, picture);
}

// An orange ring from radius 55 to 64 of the dial.
void LoadBorder(c32bppDIB& border)
{
    c32bppDIB picture;
    Paint(picture, kDial, kDial, [](int x, int y) {
        const double r = DistanceFromCentre(x, y, kDial);
        return r >= 55 && r <= 64 ? Premultiplied(255, 128, 0, 255) : kTransparent;
    });
    LoadKept(border, picture);
}

const Bgra kBlue = Premultiplied(0, 0, 255, 255);
const Bgra kGreen = Premultiplied(0, 255, 0, 255);
const Bgra kRed = Premultiplied(255, 0, 0, 255);

// Hour 50, minute 90, second 94 of the hand picture's 98 pixels from the pivot to its edge.
void LoadHourHand(ClockSurfaces& surfaces) { LoadHand(surfaces.iHour, kBlue, 8, 50); }
void LoadMinuteHand(ClockSurfaces& surfaces) { LoadHand(surfaces.iMin, kGreen, 6, 90); }
void LoadSecondHand(ClockSurfaces& surfaces) { LoadHand(surfaces.iSec, kRed, 4, 94); }

void LoadAll(ClockSurfaces& surfaces)
{
    LoadGreyDial(surfaces.iBack);
    LoadHourHand(surfaces);
    LoadMinuteHand(surfaces);
    LoadSecondHand(surfaces);
    LoadBorder(surfaces.iClockBorder);
}

void Empty(ClockSurfaces& surfaces)
{
    for (c32bppDIB* surface : {&surfaces.iBack, &surfaces.iHour, &surfaces.iMin, &surfaces.iSec, &surfaces.iClockBorder})
        surface->DestroyDIB();
}

class ClockFaceTest : public ::testing::Test {
protected:
    std::vector<Bgra> DrawAt(const LocalTime& time)
    {
        face.Draw(time);
        return AllPixels(surfaces.iBack);
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
                const auto& a = bare[y * kDial + x];
                const auto& b = drawn[y * kDial + x];
                double change = 0;
                for (int c = 0; c < 4; ++c)
                    change += std::abs(a[c] - b[c]);
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
    auto cases = testing::HandAngleCases();
    // A second before ten: the minute hand at 354, the hour hand a hair short of 300.
    cases.push_back({ClockAt(9, 59, 59), 299.99f, 354, 354});
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.time.hour << ":" << c.time.minute << ":" << c.time.second);
        // One hand at a time: the pictures that are not loaded draw nothing.
        Empty(surfaces);
        LoadHourHand(surfaces);
        EXPECT_NEAR(DirectionOfChange(c.time), c.hour, 0.5);
        Empty(surfaces);
        LoadMinuteHand(surfaces);
        EXPECT_NEAR(DirectionOfChange(c.time), c.minute, 0.5);
        Empty(surfaces);
        LoadSecondHand(surfaces);
        EXPECT_NEAR(DirectionOfChange(c.time), c.second, 0.5);
    }
}

TEST_F(ClockFaceTest, HourAndMinuteHandsLetTheDialThroughAndTheSecondHandIsSolid)
{
    LoadAll(surfaces);
    // At 3:00:00 the hour hand lies along the middle row to the right, the minute hand straight up
    // and the second hand too, over the minute hand; look where only one of them lies.
    state.ShowSeconds = 0;
    DrawAt(ClockAt(3, 0, 0));
    const Bgra hour = StoredPixel(surfaces.iBack, 80, 64);
    // 80 % blue over 20 % of the grey dial, give or take the rounding of each step.
    EXPECT_NEAR(hour[0], 0.8 * 255 + 0.2 * 200, 2);
    EXPECT_NEAR(hour[2], 0.2 * 200, 2);
    EXPECT_EQ(hour[3], 255);

    state.ShowSeconds = 1;
    DrawAt(ClockAt(3, 0, 45));
    const Bgra second = StoredPixel(surfaces.iBack, 20, 64);  // the second hand at 9 hides the dial
    EXPECT_GE(second[2], 253);
    EXPECT_LE(second[1], 2);
    EXPECT_LE(second[0], 2);
    EXPECT_EQ(second[3], 255);
}

TEST_F(ClockFaceTest, WithoutShowSecondsNoSecondHandIsDrawn)
{
    LoadAll(surfaces);
    state.ShowSeconds = 0;
    const auto withoutSeconds = DrawAt(ClockAt(10, 9, 30));

    state.ShowSeconds = 1;
    const auto withSeconds = DrawAt(ClockAt(10, 9, 30));
    EXPECT_NE(withSeconds, withoutSeconds);

    surfaces.iSec.DestroyDIB();
    EXPECT_EQ(DrawAt(ClockAt(10, 9, 30)), withoutSeconds) << "the face without seconds is the face with no second hand";

    // Only exactly 1 shows the seconds, as with every on/off setting.
    LoadSecondHand(surfaces);
    state.ShowSeconds = 2;
    EXPECT_EQ(DrawAt(ClockAt(10, 9, 30)), withoutSeconds);
}

TEST_F(ClockFaceTest, TheBorderRingLiesOverTheHands)
{
    LoadAll(surfaces);
    state.ShowSeconds = 0;
    // At 12:00 the minute hand reaches radius 60, across the ring's inner part.
    const int x = 64, y = kDial / 2 - 58;

    state.ShowBorder = 0;
    DrawAt(ClockAt(12, 0, 0));
    const Bgra handOnly = StoredPixel(surfaces.iBack, x, y);
    EXPECT_GT(handOnly[1], 200) << "green minute hand";
    EXPECT_LT(handOnly[2], 60);

    state.ShowBorder = 1;
    DrawAt(ClockAt(12, 0, 0));
    const Bgra ringOverHand = StoredPixel(surfaces.iBack, x, y);
    // 80 % orange over the hand: red strong, green a blend of the ring's half and the hand's full.
    EXPECT_NEAR(ringOverHand[2], 0.8 * 255 + 0.2 * handOnly[2], 2);
    EXPECT_NEAR(ringOverHand[1], 0.8 * 128 + 0.2 * handOnly[1], 2);
    EXPECT_NEAR(ringOverHand[0], 0.2 * handOnly[0], 2);
}

TEST_F(ClockFaceTest, TheBorderRingIsDrawnOnlyWhenShowBorderIsOne)
{
    LoadAll(surfaces);
    const int x = 4, y = kDial / 2;  // on the ring, at 9, where no hand goes at 12:00
    for (const std::int16_t showBorder : {0, 1, 2, -1}) {
        SCOPED_TRACE(showBorder);
        state.ShowBorder = showBorder;
        DrawAt(ClockAt(12, 0, 0));
        const bool ringShown = StoredPixel(surfaces.iBack, x, y)[2] > 220;
        EXPECT_EQ(ringShown, showBorder == 1);
    }
}

TEST_F(ClockFaceTest, EveryDrawingStartsFromTheBareDial)
{
    LoadAll(surfaces);
    state.ShowBorder = 1;
    DrawAt(ClockAt(3, 17, 5));
    const auto afterAnotherTime = DrawAt(ClockAt(8, 44, 51));

    ClockSurfaces fresh;
    LoadAll(fresh);
    ClockFace(state, fresh).Draw(ClockAt(8, 44, 51));
    EXPECT_EQ(afterAnotherTime, AllPixels(fresh.iBack)) << "no trace of 3:17:05";
}

struct Rgb {
    std::uint8_t red, green, blue;
};

// A dial without any transparency, an RGB PNG: a black disc on a plain background of the colour.
void LoadOpaqueDial(c32bppDIB& dial, Rgb background)
{
    testing::PngImage png;
    png.width = png.height = kDial;
    png.colorType = 2;
    for (int y = 0; y < kDial; ++y)
        for (int x = 0; x < kDial; ++x) {
            const Rgb colour = DistanceFromCentre(x, y, kDial) <= 40 ? Rgb{0, 0, 0} : background;
            png.samples.insert(png.samples.end(), {colour.red, colour.green, colour.blue});
        }
    ASSERT_TRUE(dial.LoadPicture_Stream(testing::EncodePng(png), 0, 0, true));
    ASSERT_FALSE(dial.Alpha());
}

TEST_F(ClockFaceTest, ADialWithoutTransparencyLosesTheColourOfItsTopLeftPixel)
{
    for (const Rgb background : {Rgb{255, 255, 255}, Rgb{30, 200, 90}}) {
        SCOPED_TRACE(::testing::Message() << int(background.red) << "," << int(background.green) << ","
                                          << int(background.blue));
        Empty(surfaces);
        LoadOpaqueDial(surfaces.iBack, background);
        for (int tick = 0; tick < 2; ++tick) {  // the key is made again after every restore
            DrawAt(ClockAt(12, 0, 0));
            EXPECT_TRUE(surfaces.iBack.Alpha());
            EXPECT_EQ(StoredPixel(surfaces.iBack, 0, 0), kTransparent);
            EXPECT_EQ(StoredPixel(surfaces.iBack, 129, 70), kTransparent);
            EXPECT_EQ(StoredPixel(surfaces.iBack, 65, 65), Premultiplied(0, 0, 0, 255));
        }
    }
}

TEST_F(ClockFaceTest, ADialWithTransparentCornersKeepsEveryColour)
{
    // The corner is transparent, which reads as black; the black disc must stay.
    c32bppDIB picture;
    Paint(picture, kDial, kDial, [](int x, int y) {
        const double r = DistanceFromCentre(x, y, kDial);
        return r <= 40 ? Premultiplied(0, 0, 0, 255) : r <= 63 ? Premultiplied(255, 255, 255, 255) : kTransparent;
    });
    LoadKept(surfaces.iBack, picture);
    const auto bare = AllPixels(surfaces.iBack);
    EXPECT_EQ(DrawAt(ClockAt(12, 0, 0)), bare);
}

TEST_F(ClockFaceTest, EmptyPicturesDrawNothingAndDoNotFail)
{
    state.ShowBorder = 1;
    face.Draw(ClockAt(10, 9, 30));
    EXPECT_EQ(surfaces.iBack.Handle(), nullptr) << "before a skin is loaded there is nothing to draw on";

    LoadHourHand(surfaces);
    LoadBorder(surfaces.iClockBorder);
    face.Draw(ClockAt(10, 9, 30));
    EXPECT_EQ(surfaces.iBack.Handle(), nullptr) << "hands without a dial";

    Empty(surfaces);
    LoadGreyDial(surfaces.iBack);
    const auto bare = AllPixels(surfaces.iBack);
    EXPECT_EQ(DrawAt(ClockAt(10, 9, 30)), bare) << "a dial without hands or ring";
}

TEST_F(ClockFaceTest, HandsAreScaledToADialOfAnotherSize)
{
    // A 129 x 128 dial, as the Wall skin's: the minute hand at 12 reaches 90/196 of its height up.
    c32bppDIB picture;
    Paint(picture, 129, 128, [](int, int) { return Premultiplied(200, 200, 200, 255); });
    LoadKept(surfaces.iBack, picture);
    LoadMinuteHand(surfaces);
    DrawAt(ClockAt(12, 0, 0));
    int top = 128;
    for (int y = 127; y >= 0; --y)
        if (StoredPixel(surfaces.iBack, 64, y)[1] > 230 && StoredPixel(surfaces.iBack, 64, y)[2] < 60)
            top = y;
    EXPECT_NEAR(64 - top, 90.0 * 128 / 196, 1.5);
    EXPECT_EQ(surfaces.iBack.Width(), 129);
    EXPECT_EQ(surfaces.iBack.Height(), 128);
}

} // namespace
} // namespace dorvane
