#include "clock/face/ClockFace.h"
#include "clock/face/ClockWindowFrame.h"
#include "clock/face/HandAngles.h"
#include "clock/face/HandLayers.h"
#include "clock/face/LabelFont.h"
#include "clock/face/SkinCatalogue.h"
#include "clock/face/SkinLoader.h"
#include "clock/face/WindowOpacity.h"
#include "clock/state/ClockSurfaces.h"
#include "image/cGDIPlus.h"
#include "tests/support/FixedTime.h"
#include "tests/support/ImageTestSupport.h"
#include "tests/support/PngBuilder.h"
#include "tests/support/RenderTestSupport.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <deque>
#include <numbers>
#include <string>
#include <type_traits>
#include <utility>

namespace dorvane {
namespace {

using namespace testing;
using Size = std::pair<int, int>;

static_assert(std::is_same_v<decltype(HandAngles::hour), float>, "the hands turn in single precision");

TEST(HandAngles, StandWhereTheClockFaceShowsTheTime)
{
    const struct { LocalTime time; float hour, minute, second; } cases[] = {
        {At(0, 0, 0), 0, 0, 0},            {At(18, 0, 0), 180, 0, 0},
        {At(10, 9, 30), 304.75f, 54, 180}, {At(21, 15, 15), 277.625f, 90, 90},
        {At(23, 59, 59), 359.99167f, 354, 354},
        {At(9, 59, 59.999), 299.99167f, 354, 354}, // a fraction of a second does not count
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.time.hour << ":" << c.time.minute << ":" << c.time.second);
        const HandAngles angles = HandAnglesAt(c.time);
        EXPECT_FLOAT_EQ(angles.hour, c.hour);
        EXPECT_FLOAT_EQ(angles.minute, c.minute);
        EXPECT_FLOAT_EQ(angles.second, c.second);
    }
}

// The exact bytes are the window's (see the view test); they lie within a step and a half of the
// exact product, full strength and zero are exact, and pixels stay premultiplied.
TEST(WindowOpacity, ScalesEveryByteByAlphaOver255KeepingPixelsPremultiplied)
{
    for (const int alpha : {0, 1, 128, 179, 254, 255}) {
        SCOPED_TRACE(alpha);
        c32bppDIB picture; // blocks of four pixels and one left over; every byte value, colours up to alpha
        Paint(picture, 257, 1, [](int a, int) {
            using B = std::uint8_t;
            return Bgra{B(a * 3 / 4 % 256), B(a % 256), B(a / 3), B(a == 256 ? 255 : a)};
        });
        const auto before = AllPixels(picture);
        ApplyWindowOpacity(picture, static_cast<std::uint8_t>(alpha));
        const auto after = AllPixels(picture);
        for (std::size_t i = 0; i < after.size(); ++i)
            for (int c = 0; c < 4; ++c) {
                ASSERT_LE(std::abs(after[i][c] - before[i][c] * alpha / 255.0), alpha % 255 == 0 ? 0 : 1.5) << i;
                ASSERT_LE(after[i][c], after[i][3]) << i;
            }
    }
    c32bppDIB empty;
    ApplyWindowOpacity(empty, 100);
    EXPECT_EQ(empty.Handle(), nullptr);
}

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

void LoadHand(ClockSurfaces& surfaces, const Hand& hand)
{
    LoadPainted(surfaces.*hand.picture, kHand, kHand, [&](int x, int y) {
        const bool inBar = std::abs(x + 0.5 - kHand / 2.0) < hand.width / 2 && y >= kHand / 2 - hand.length && y < kHand / 2;
        return inBar ? hand.colour : kTransparent;
    });
}

struct ClockFaceTest : ::testing::Test {
    // The dial, the three hands and an orange ring from radius 55 to 64 of the dial.
    void LoadAll()
    {
        LoadGreyDial(surfaces.iBack);
        for (const Hand& hand : {kHourHand, kMinuteHand, kSecondHand})
            LoadHand(surfaces, hand);
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
    void Empty()
    {
        for (c32bppDIB* surface : surfaces.All())
            surface->DestroyDIB();
    }

    ClockState state;
    ClockSurfaces surfaces;
    ClockFace face{state, surfaces};
};

TEST_F(ClockFaceTest, EachHandPointsWhereTheTimeSendsIt)
{
    // One hand at a time, the pictures that are not loaded drawing nothing; at 3:30:45 each hand
    // has a direction of its own: that in which the drawing differs from the bare dial, the pixels
    // weighted by how much they changed.
    for (const auto& [hand, angle] : {std::pair(kHourHand, 105.375), {kMinuteHand, 180.0}, {kSecondHand, 270.0}}) {
        Empty();
        LoadHand(surfaces, hand);
        LoadGreyDial(surfaces.iBack);
        const std::vector<Bgra> bare = AllPixels(surfaces.iBack), drawn = DrawAt(At(15, 30, 45));
        double sumX = 0, sumY = 0;
        for (int i = 0; i < kDial * kDial; ++i) {
            double change = 0;
            for (int c = 0; c < 4; ++c)
                change += std::abs(bare[i][c] - drawn[i][c]);
            sumX += change * (i % kDial + 0.5 - kDial / 2.0), sumY += change * (i / kDial + 0.5 - kDial / 2.0);
        }
        ASSERT_TRUE(sumX != 0 || sumY != 0) << "nothing was drawn";
        const double degrees = std::atan2(sumX, -sumY) * 180 / std::numbers::pi;
        EXPECT_NEAR(degrees < -0.25 ? degrees + 360 : degrees, angle, 0.5);
    }
}

TEST_F(ClockFaceTest, HourAndMinuteHandsAndTheRingLetWhatIsBelowThroughTheSecondHandIsSolidTheRingOnTop)
{
    LoadAll();
    // At 3:00:45 the hour hand lies along the middle row to the right, the minute hand straight up
    // across the ring's inner part and the second hand to the left. Nothing points down, where the
    // ring shows only when ShowBorder is 1.
    for (const std::int16_t showBorder : {0, 2, 1}) {
        state.ShowBorder = showBorder;
        DrawAt(At(3, 0, 45));
        EXPECT_EQ(StoredPixel(surfaces.iBack, 65, 125)[2] > 220, showBorder == 1) << showBorder;
    }
    // Each pixel as red, green, blue; 80 % of a hand or the ring over 20 % of what lies below, give
    // or take the rounding of each step.
    const double minuteRed = 0.2 * 200, minuteGreen = 0.8 * 255 + 0.2 * 200, minuteBlue = 0.2 * 200;
    const struct { int x, y; double red, green, blue; } pixels[] = {
        {80, 64, 0.2 * 200, 0.2 * 200, 0.8 * 255 + 0.2 * 200}, // the blue hour hand
        {20, 64, 255, 0, 0},                                   // the red second hand
        {64, 7, 0.8 * 255 + 0.2 * minuteRed, 0.8 * 128 + 0.2 * minuteGreen, 0.2 * minuteBlue}, // the orange ring
    };
    for (const auto& p : pixels) {
        const Bgra pixel = StoredPixel(surfaces.iBack, p.x, p.y);
        EXPECT_NEAR(pixel[2], p.red, 3) << p.x << "," << p.y;
        EXPECT_NEAR(pixel[1], p.green, 3) << p.x << "," << p.y;
        EXPECT_NEAR(pixel[0], p.blue, 3) << p.x << "," << p.y;
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
    Empty();
    LoadGreyDial(surfaces.iBack);
    const auto bare = AllPixels(surfaces.iBack);
    EXPECT_EQ(DrawAt(At(10, 9, 30)), bare) << "a dial without hands or ring";
}

TEST_F(ClockFaceTest, ADialWithoutTransparencyLosesTheColourOfItsTopLeftPixelOneWithTransparentCornersNone)
{
    PngImage png; // RGB: a black disc on a plain green background
    png.width = png.height = kDial;
    png.colorType = 2;
    for (int i = 0; i < kDial * kDial; ++i) {
        const bool disc = DistanceFromCentre(i % kDial, i / kDial, kDial) <= 40;
        png.samples.insert(png.samples.end(), {std::uint8_t(disc ? 0 : 30), std::uint8_t(disc ? 0 : 200), 0});
    }
    ASSERT_TRUE(surfaces.iBack.LoadPicture_Stream(EncodePng(png), 0, 0, true));
    ASSERT_FALSE(surfaces.iBack.Alpha());
    for (int tick = 0; tick < 2; ++tick) { // the key is made again after every restore
        DrawAt(At(12, 0, 0));
        EXPECT_TRUE(surfaces.iBack.Alpha());
        EXPECT_EQ(StoredPixel(surfaces.iBack, 0, 0), kTransparent);
        EXPECT_EQ(StoredPixel(surfaces.iBack, 129, 70), kTransparent);
        EXPECT_EQ(StoredPixel(surfaces.iBack, 65, 65), Premultiplied(0, 0, 0, 255));
    }
    // A transparent corner reads as black; the black disc must stay.
    LoadPainted(surfaces.iBack, kDial, kDial, [](int x, int y) {
        const double r = DistanceFromCentre(x, y, kDial);
        return r <= 40 ? Premultiplied(0, 0, 0, 255) : r <= 63 ? Premultiplied(255, 255, 255, 255) : kTransparent;
    });
    const auto bare = AllPixels(surfaces.iBack);
    EXPECT_EQ(DrawAt(At(12, 0, 0)), bare);
}

TEST_F(ClockFaceTest, HandsAreScaledToADialOfAnotherSize)
{
    // A 129 x 128 dial, as the Wall skin's: the minute hand at 12 reaches 90/196 of its height up.
    LoadPainted(surfaces.iBack, 129, 128, [](int, int) { return Premultiplied(200, 200, 200, 255); });
    LoadHand(surfaces, kMinuteHand);
    DrawAt(At(12, 0, 0));
    int top = 128;
    for (int y = 127; y >= 0; --y)
        if (StoredPixel(surfaces.iBack, 64, y)[1] > 230 && StoredPixel(surfaces.iBack, 64, y)[2] < 60)
            top = y;
    EXPECT_NEAR(64 - top, 90.0 * 128 / 196, 1.5);
    EXPECT_EQ(std::pair(surfaces.iBack.Width(), surfaces.iBack.Height()), std::pair(129, 128));
}

std::vector<std::uint8_t> ArtBytes(const std::string& relative)
{
    const std::string bytes = TempFolder::Read(std::filesystem::path(DORVANE_SOURCE_DIR) / "resources/art" / relative);
    return {bytes.begin(), bytes.end()};
}

struct RecordingFrame : ClockWindowFrame {
    void SizeToDial(int width, int height) override { sizes.emplace_back(width, height); }
    std::vector<Size> sizes;
};

// The default skin's pictures loaded as the clock loads them, holding its running imaging token.
struct HandLayersTest : ::testing::Test {
    void SetUp() override
    {
        ASSERT_NE(token, 0u);
        ASSERT_TRUE(SkinLoader(state, surfaces, frame).LoadSkin().ok());
        for (c32bppDIB* surface : surfaces.All())
            surface->SetGdiToken(token);
    }
    void TearDown() override { cGDIPlus::Shutdown(token); }

    // The bare dial with picture drawn over it as the clock draws a hand: through layers, or by
    // the picture itself when there are none.
    std::vector<Bgra> Drawn(c32bppDIB& picture, int opacity, float angle, HandLayers* layers)
    {
        c32bppDIB& face = surfaces.iBack;
        EXPECT_TRUE(face.LoadPicture_FromOrignalFormat());
        if (layers)
            layers->Draw(picture, face, opacity, angle);
        else
            picture.Render(nullptr, 0, 0, face.Width(), face.Height(), 0, 0, 0, 0, opacity, true, true, &face, angle);
        return AllPixels(face);
    }

    std::uint32_t token = cGDIPlus::Startup();
    ClockState state;
    ClockSurfaces surfaces;
    RecordingFrame frame;
};

TEST_F(HandLayersTest, DrawsThePixelsOfThePictureItselfAtEveryAngleFromTheFirstTimeOn)
{
    const struct { const char* name; c32bppDIB& picture; int opacity, angles; } pictures[] = {
        {"minute hand", surfaces.iMin, 80, 60}, {"second hand", surfaces.iSec, 100, 60},
        {"border", surfaces.iClockBorder, 80, 1}};
    for (const auto& p : pictures) {
        HandLayers layers;
        for (const int pass : {1, 2})
            for (int step = 0; step < p.angles; ++step) {
                SCOPED_TRACE(::testing::Message() << p.name << " at " << step * 6 << " degrees, pass " << pass);
                const float angle = float(step) * 6.0f;
                ASSERT_EQ(Drawn(p.picture, p.opacity, angle, &layers), Drawn(p.picture, p.opacity, angle, nullptr));
            }
        EXPECT_EQ(layers.LayerCount(), std::size_t(p.angles)) << p.name;
    }
}

TEST_F(HandLayersTest, StartsAfreshForAnotherPictureOrFaceAndDrawsAPictureWithoutTokenItself)
{
    HandLayers layers;
    Drawn(surfaces.iSec, 100, 30, &layers);
    EXPECT_EQ(Drawn(surfaces.iMin, 80, 30, &layers), Drawn(surfaces.iMin, 80, 30, nullptr)) << "another picture";
    EXPECT_EQ(layers.LayerCount(), 1u);
    ASSERT_TRUE(surfaces.iMin.LoadPicture_Stream(surfaces.iSec.SourceBytes(), 0, 0, true));
    surfaces.iMin.SetGdiToken(token);
    EXPECT_EQ(Drawn(surfaces.iMin, 80, 30, &layers), Drawn(surfaces.iMin, 80, 30, nullptr)) << "the picture loaded anew";
    c32bppDIB smaller;
    ASSERT_TRUE(smaller.InitializeDIB(90, 70));
    layers.Draw(surfaces.iMin, smaller, 80, 30);
    const std::vector<Bgra> throughLayers = AllPixels(smaller);
    smaller.EraseDIB();
    surfaces.iMin.Render(nullptr, 0, 0, 90, 70, 0, 0, 0, 0, 80, true, true, &smaller, 30);
    EXPECT_EQ(throughLayers, AllPixels(smaller)) << "another face size";
    surfaces.iHour.SetGdiToken(0);
    HandLayers unused;
    EXPECT_EQ(Drawn(surfaces.iHour, 80, 42, &unused), Drawn(surfaces.iHour, 80, 42, nullptr));
    EXPECT_EQ(unused.LayerCount(), 0u);
}

constexpr LabelColour kWhite{255, 255, 255};

// A 200 x 40 transparent picture with text written in white at size, its left edge at x and its
// capitals' top at top.
struct Written : c32bppDIB {
    explicit Written(std::string_view text, double size = 2, double x = 4, double top = 4)
    {
        InitializeDIB(200, 40);
        LabelFont(size).Draw(*this, x, top, text, kWhite);
    }
};

// Where the ink of a picture lies: its bounding box and how many pixels are partly covered.
struct Ink { int left = 1 << 20, top = 1 << 20, right = -1, bottom = -1, partial = 0; };

Ink InkOf(const c32bppDIB& picture)
{
    Ink ink;
    for (int y = 0; y < picture.Height(); ++y)
        for (int x = 0; x < picture.Width(); ++x) {
            const int alpha = StoredPixel(picture, x, y)[3];
            if (alpha == 0)
                continue;
            ink.left = std::min(ink.left, x), ink.right = std::max(ink.right, x);
            ink.top = std::min(ink.top, y), ink.bottom = std::max(ink.bottom, y), ink.partial += alpha < 255;
        }
    return ink;
}

std::vector<Bgra> Drawn(std::string_view text) { return AllPixels(Written(text)); }

TEST(LabelFont, HasADistinctGlyphForEveryCharacterTheSkinSheetWritesAndAQuestionMarkForOthers)
{
    const auto unknown = Drawn("?");
    for (char c : std::string("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789<>:=."))
        EXPECT_NE(Drawn(std::string(1, c)), unknown) << c;
    const std::pair<const char*, const char*> lookAlikes[] = {{"D", "O"}, {"O", "0"}, {"B", "8"}, {"l", "I"}, {"S", "5"}};
    for (const auto& [a, b] : lookAlikes)
        EXPECT_NE(Drawn(a), Drawn(b)) << a << " and " << b;
    EXPECT_EQ(Drawn("\x01"), unknown);
    EXPECT_EQ(Drawn("\xC3\xA9"), Drawn("??"));
}

TEST(LabelFont, InkStaysInsideTheMeasuredTextOnTheBaselineWithCrispStraightStrokesAndSmoothDiagonals)
{
    for (const std::string text : {"GlassGradient1", "<default>", "jumpy"}) {
        SCOPED_TRACE(text);
        const LabelFont font(1.5);
        const Ink ink = InkOf(Written(text, 1.5, 10, 6));
        EXPECT_GE(ink.left, 10);
        EXPECT_LE(ink.right, 10 + std::ceil(font.TextWidth(text)) - 1);
        EXPECT_GE(ink.top, 6);
        EXPECT_LE(ink.bottom, 6 + std::ceil(font.Ascent() + font.Descent()) - 1);
        EXPECT_GT(ink.right - ink.left, font.TextWidth(text) - 3) << "the measure is not wider than the ink";
    }
    EXPECT_LT(LabelFont(1).TextWidth("ill"), LabelFont(1).TextWidth("mmm")) << "proportional";
    const int baseline = 4 + int(LabelFont(2).Ascent()); // the first row below the capitals
    for (const char* text : {"H", "a", "Black"})
        EXPECT_EQ(InkOf(Written(text)).bottom, baseline - 1) << text;
    for (const char* text : {"g", "y"})
        EXPECT_GT(InkOf(Written(text)).bottom, baseline) << text;
    EXPECT_EQ(InkOf(Written("H")).top, 4);
    EXPECT_GT(InkOf(Written("x")).top, 4 + 3) << "lower case is shorter than the capitals";
    // At a whole size on whole pixels an upright letter's edges fall on pixel edges; slanted
    // strokes are antialiased rather than stepped; between pixels every edge is shared.
    EXPECT_EQ(InkOf(Written("H", 2)).partial + InkOf(Written("T", 3)).partial, 0);
    EXPECT_GT(InkOf(Written("X", 2)).partial, 4);
    EXPECT_GT(InkOf(Written("H", 2, 4.5)).partial, 0);
}

TEST(LabelFont, LaysItsColourOverWhatIsThereAndWritesOnlyInsideThePicture)
{
    c32bppDIB picture;
    const Bgra grey = {100, 100, 100, 255};
    Fill(picture, 20, 20, grey);
    LabelFont(2).Draw(picture, 2, 2, "I", LabelColour{255, 0, 0, 128});
    // The middle of the I's stem is fully covered: half red over the grey.
    const Bgra stem = StoredPixel(picture, 4, 8);
    EXPECT_NEAR(stem[2], 128 + 100 * (1 - 128 / 255.0), 1);
    EXPECT_NEAR(stem[1], 100 * (1 - 128 / 255.0), 1);
    EXPECT_EQ(stem[3], 255);
    EXPECT_EQ(StoredPixel(picture, 15, 15), grey) << "away from the letter nothing changes";
    // Past every edge (the sanitizers watch the writes), and on no picture at all.
    const auto before = AllPixels(picture);
    LabelFont(2).Draw(picture, -7, -5, "Wall", kWhite);
    LabelFont(2).Draw(picture, 17, 15, "GlassGradient", kWhite);
    EXPECT_NE(AllPixels(picture), before) << "what falls inside is written";
    c32bppDIB empty;
    LabelFont(2).Draw(empty, 0, 0, "Wall", kWhite);
    EXPECT_EQ(empty.Handle(), nullptr);
}

TEST(SkinCatalogue, ListsTwentySkinsByPositionThenTheHiddenChronoAndGivesAPositionOnlyForTheExactText)
{
    const auto dials = SkinCatalogue::AllDials();
    ASSERT_EQ(dials.size(), 21u);
    for (int position = 1; position <= SkinCatalogue::kCount; ++position) {
        EXPECT_EQ(dials[position - 1], SkinCatalogue::SkinAt(position)) << position;
        EXPECT_EQ(SkinCatalogue::PositionOf(SkinCatalogue::SkinAt(position)), position) << position;
    }
    EXPECT_EQ(std::tuple(dials[0], dials[1], dials[10], dials[19], dials[20]),
              std::tuple("<default>", "Black", "ROLEX1", "BRISA", "Chrono")); // the options window's order
    for (std::string_view skin : {"black", "BLACK", "<Default>", "Chrono", "", "Black ", "Glass"})
        EXPECT_EQ(SkinCatalogue::PositionOf(skin), std::nullopt) << skin;
    const std::pair<std::string_view, PictureResource> cases[] = {
        {"<default>", {"PNG", "BACK"}},     {"<dEfAuLt>", {"PNG", "BACK"}},   {"Black", {"CUSTOM", "Black"}},
        {"black", {"CUSTOM", "black"}},     {"Chrono", {"CUSTOM", "Chrono"}}, {"default", {"CUSTOM", "default"}},
        {"<default> ", {"CUSTOM", "<default> "}}, {"Sundial", {"CUSTOM", "Sundial"}},
    };
    for (const auto& [skin, dial] : cases) {
        EXPECT_EQ(SkinCatalogue::DialOf(skin), dial) << skin;
        EXPECT_EQ(SkinCatalogue::IsDefault(skin), dial.type == "PNG") << skin;
    }
}

// A skin loader over the program's own pictures, or over a table of the test's own.
struct SkinLoaderTest : ::testing::Test {
    Status Load(const std::string& skin, const EmbeddedResources& from = EmbeddedResources::Program())
    {
        state.Skin = skin;
        return SkinLoader(state, surfaces, frame, from).LoadSkin();
    }
    void Put(const std::string& type, const std::string& name, const std::string& file)
    {
        kept.push_back(ArtBytes(file));
        resources.Add(type, name, kept.back());
    }

    ClockState state;
    ClockSurfaces surfaces;
    RecordingFrame frame;
    std::deque<std::vector<std::uint8_t>> kept;
    EmbeddedResources resources;
};

TEST_F(SkinLoaderTest, EverySkinLoadsItsOwnDialWhateverTheCaseSizesTheWindowToItAndTakesTheHighQualitySetting)
{
    // Every dial's bytes are checked with the program's resources; here names in any case and every size.
    const struct { const char *skin, *file; Size size; } dials[] = {
        {"<DEFAULT>", "default", {130, 130}}, {"wall", "wall", {129, 128}}, {"rolex1", "rolex1", {131, 131}}};
    for (const auto& dial : dials) {
        SCOPED_TRACE(dial.skin);
        EXPECT_TRUE(Load(dial.skin).ok());
        EXPECT_EQ(frame.sizes.back(), dial.size);
        EXPECT_EQ(Size(surfaces.iBack.Width(), surfaces.iBack.Height()), dial.size);
        EXPECT_EQ(surfaces.iBack.SourceBytes(), ArtBytes("dials/" + std::string(dial.file) + ".png"));
        EXPECT_EQ(surfaces.iBack.ImageType(), c32bppDIB::kPng);
    }
    EXPECT_EQ(frame.sizes.size(), std::size(dials));
    for (bool highQuality : {false, true}) { // every surface takes the setting
        state.HighQuality = highQuality;
        ASSERT_TRUE(Load("Red").ok());
        for (const c32bppDIB* surface : std::as_const(surfaces).All())
            EXPECT_EQ(surface->HighQualityInterpolation(), highQuality);
    }
}

TEST_F(SkinLoaderTest, ANameThatIsNoDialShowsTheDefaultDialAndSaysSo)
{
    for (std::string skin : {"", "Black ", "BACK"}) {
        SCOPED_TRACE(skin);
        const Status status = Load(skin);
        EXPECT_FALSE(status.ok());
        EXPECT_NE(status.error().find("\"" + skin + "\""), std::string::npos) << status.error();
        EXPECT_EQ(surfaces.iBack.SourceBytes(), ArtBytes("dials/default.png"));
        EXPECT_EQ(frame.sizes.back(), Size(130, 130));
        EXPECT_TRUE(surfaces.iHour.Handle());
    }
    EXPECT_EQ(state.Skin, "BACK"); // the setting itself is left as the user wrote it
}

TEST_F(SkinLoaderTest, EverySkinChangeReloadsAllFivePictures)
{
    // Each resource with the picture it holds at the first load and at the second.
    const struct { const char *type, *name, *first, *second; const c32bppDIB& surface; } pictures[] = {
        {"CUSTOM", "BLUE", "dials/blue.png", "dials/red.png", surfaces.iBack},
        {"PNG", "HOUR", "hands/hour.png", "hands/second.png", surfaces.iHour},
        {"PNG", "MINUTE", "hands/minute.png", "hands/hour.png", surfaces.iMin},
        {"PNG", "SECOND", "hands/second.png", "hands/minute.png", surfaces.iSec},
        {"CUSTOM", "BORDER", "dials/border.png", "dials/system.png", surfaces.iClockBorder},
    };
    Put("CUSTOM", "BLACK", "dials/black.png");
    for (const auto& picture : pictures)
        Put(picture.type, picture.name, picture.first);
    ASSERT_TRUE(Load("Black", resources).ok());
    for (const auto& picture : pictures)
        Put(picture.type, picture.name, picture.second);
    ASSERT_TRUE(Load("Blue", resources).ok());
    for (const auto& picture : pictures)
        EXPECT_EQ(picture.surface.SourceBytes(), ArtBytes(picture.second)) << picture.name;
}

TEST_F(SkinLoaderTest, WithoutAnyDialTheSurfacesStayEmptyAndTheWindowKeepsItsSizeAMissingHandIsToldWithTheDialShown)
{
    Put("PNG", "HOUR", "hands/hour.png");
    ASSERT_TRUE(surfaces.iBack.InitializeDIB(40, 40));
    EXPECT_FALSE(Load("Black", resources).ok());
    EXPECT_EQ(std::tuple(bool(surfaces.iBack.Handle()), bool(surfaces.iHour.Handle()), bool(surfaces.iMin.Handle())),
              std::tuple(false, true, false));
    EXPECT_TRUE(frame.sizes.empty());
    Put("PNG", "BACK", "dials/default.png");
    Put("PNG", "MINUTE", "hands/minute.png");
    Put("CUSTOM", "BORDER", "dials/border.png");
    const Status status = Load("<default>", resources);
    EXPECT_FALSE(status.ok());
    EXPECT_NE(status.error().find("PNG/SECOND (" + surfaces.iSec.LastLoadError() + ")"), std::string::npos) << status.error();
    EXPECT_FALSE(surfaces.iSec.LastLoadError().empty());
    EXPECT_EQ(frame.sizes, std::vector<Size>{Size(130, 130)});
}

} // namespace
} // namespace dorvane
