// Render's rules: opacity, rectangles, mirroring, centring, the rotated test, the borrowed host
// surface and the choice between the blend path and the imaging path, checked pixel by pixel on
// small synthetic pictures.

#include "image/DeviceContext.h"
#include "image/c32bppDIB.h"
#include "tests/image/RenderTestSupport.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

namespace dorvane {
namespace {

using testing::AllPixels;
using testing::Bgra;
using testing::Fill;
using testing::Paint;
using testing::StoredPixel;

const Bgra kOpaqueRed = {0, 0, 255, 255};
const Bgra kClear = {0, 0, 0, 0};

// Source over in premultiplied space, as the definition reads: every channel of the source scaled
// by the constant alpha, plus the destination scaled by what the scaled source alpha leaves.
Bgra ExpectedOver(Bgra source, Bgra destination, double constantAlpha)
{
    Bgra out;
    const double sourceAlpha = source[3] * constantAlpha / 255.0;
    for (int c = 0; c < 4; ++c)
        out[c] = std::uint8_t(std::lround(source[c] * constantAlpha / 255.0 + destination[c] * (1 - sourceAlpha / 255.0)));
    return out;
}

void ExpectNear(Bgra actual, Bgra expected, int tolerance, const std::string& context)
{
    for (int c = 0; c < 4; ++c)
        EXPECT_NEAR(actual[c], expected[c], tolerance) << context << " channel " << c;
}

// ---- opacity ----

TEST(Render, OpacityBelowOneDrawsNothingAndTellsWhetherThereIsAPicture)
{
    for (int opacity : {0, -5, INT_MIN}) {
        c32bppDIB source, empty, dial;
        Fill(source, 4, 4, kOpaqueRed);
        dial.InitializeDIB(4, 4);
        EXPECT_TRUE(source.Render(nullptr, 0, 0, 0, 0, 0, 0, 0, 0, opacity, true, true, &dial)) << opacity;
        EXPECT_FALSE(empty.Render(nullptr, 0, 0, 0, 0, 0, 0, 0, 0, opacity, true, true, &dial)) << opacity;
        EXPECT_EQ(AllPixels(dial), std::vector<Bgra>(16, kClear)) << opacity;
    }
}

// On the blend path the constant alpha is Opacity * 255 / 100 after normalisation.
TEST(Render, OpacityIsTakenModulo100WithZeroMeaningFull)
{
    const struct {
        int opacity;
        int percent;
    } cases[] = {{100, 100}, {80, 80}, {150, 50}, {250, 50}, {200, 100}, {1, 1}, {199, 99}, {INT_MAX, 47}};
    for (const auto& c : cases) {
        c32bppDIB source, dial;
        Fill(source, 3, 3, kOpaqueRed);
        dial.InitializeDIB(3, 3);
        ASSERT_TRUE(source.Render(nullptr, 0, 0, 0, 0, 0, 0, 0, 0, c.opacity, true, true, &dial));
        const int alpha = c.percent * 255 / 100;
        EXPECT_EQ(StoredPixel(dial, 1, 1), (Bgra{0, 0, std::uint8_t(alpha), std::uint8_t(alpha)})) << c.opacity;
    }
}

TEST(Render, Opacity80OnAnOpaquePixelGivesAlpha204OnBothPaths)
{
    for (bool imagingPath : {false, true}) {
        c32bppDIB source, dial;
        Fill(source, 3, 3, {10, 20, 250, 255});
        source.SetGdiToken(imagingPath ? 1 : 0);
        dial.InitializeDIB(3, 3);
        ASSERT_TRUE(source.Render(nullptr, 0, 0, 0, 0, 0, 0, 0, 0, 80, true, true, &dial));
        EXPECT_EQ(StoredPixel(dial, 1, 1)[3], 204) << imagingPath;
        ExpectNear(StoredPixel(dial, 1, 1), {8, 16, 200, 204}, 0, imagingPath ? "imaging" : "blend");
    }
}

// ---- compositing ----

TEST(Render, BlendsSourceOverInPremultipliedSpace)
{
    const struct {
        Bgra source, destination;
        int opacity;
    } cases[] = {
        {{0, 0, 100, 128}, {200, 200, 200, 255}, 100},  // half-covering source on an opaque dial
        {{0, 0, 100, 128}, {200, 200, 200, 255}, 80},
        {{50, 60, 70, 200}, {10, 20, 30, 40}, 60},       // onto a translucent destination
        {{255, 255, 255, 255}, {0, 0, 0, 0}, 37},
        {{0, 0, 0, 0}, {90, 80, 70, 200}, 100},          // a transparent source leaves the dial alone
    };
    for (bool imagingPath : {false, true}) {
        for (const auto& c : cases) {
            c32bppDIB source, dial;
            Fill(source, 2, 2, c.source);
            source.SetAlpha(true);
            source.SetGdiToken(imagingPath ? 1 : 0);
            Fill(dial, 2, 2, c.destination);
            ASSERT_TRUE(source.Render(nullptr, 0, 0, 0, 0, 0, 0, 0, 0, c.opacity, true, true, &dial));
            const double constantAlpha = imagingPath ? c.opacity * 2.55 : c.opacity * 255 / 100;
            ExpectNear(StoredPixel(dial, 0, 0), ExpectedOver(c.source, c.destination, constantAlpha), 1,
                       (imagingPath ? "imaging, opacity " : "blend, opacity ") + std::to_string(c.opacity));
        }
    }
}

// The blend path honours the source's alpha bytes only when the surface says it has transparency;
// otherwise every pixel counts as opaque. The imaging path always takes them.
TEST(Render, PerPixelAlphaOnlyWhenTheSurfaceHasTransparency)
{
    const Bgra source = {0, 0, 100, 128}, destination = {200, 200, 200, 255};
    const struct {
        bool alpha, imagingPath;
        Bgra treatedAs;
    } cases[] = {
        {true, false, source},
        {false, false, {0, 0, 100, 255}},
        {false, true, source},
    };
    for (const auto& c : cases) {
        c32bppDIB picture, dial;
        Fill(picture, 2, 2, source);
        picture.SetAlpha(c.alpha);
        picture.SetGdiToken(c.imagingPath ? 1 : 0);
        Fill(dial, 2, 2, destination);
        ASSERT_TRUE(picture.Render(nullptr, 0, 0, 0, 0, 0, 0, 0, 0, 100, true, true, &dial));
        ExpectNear(StoredPixel(dial, 1, 1), ExpectedOver(c.treatedAs, destination, 255), 1,
                   std::string("alpha ") + (c.alpha ? "on" : "off") + (c.imagingPath ? ", imaging" : ", blend"));
    }
}

// ---- rectangles and mirrors ----

// A 10 x 3 picture whose every pixel is different: blue counts columns, green rows.
void PaintNumbered(c32bppDIB& surface, int width = 10, int height = 3)
{
    Paint(surface, width, height, [](int x, int y) { return Bgra{std::uint8_t(x), std::uint8_t(y), 0, 255}; });
}

TEST(Render, NegativeSizesMirrorTheirAxis)
{
    const struct {
        int destWidth, destHeight, srcWidth, srcHeight;
        bool mirrorX, mirrorY;
    } cases[] = {
        {10, 3, 10, 3, false, false},
        {10, 3, -10, 3, true, false},    // srcWidth -10: the 10-pixel source mirrored left to right
        {-10, 3, 10, 3, true, false},
        {10, -3, 10, 3, false, true},
        {10, 3, 10, -3, false, true},
        {-10, -3, 10, 3, true, true},
        {-10, 3, -10, 3, false, false},  // two mirrors cancel
    };
    for (bool imagingOn : {true, false}) {
        for (const auto& c : cases) {
            c32bppDIB source, dial;
            PaintNumbered(source);
            source.SetIsGDIplusEnabled(imagingOn);
            dial.InitializeDIB(10, 3);
            ASSERT_TRUE(source.Render(nullptr, 0, 0, c.destWidth, c.destHeight, 0, 0, c.srcWidth, c.srcHeight, 100,
                                      true, true, &dial));
            for (int y = 0; y < 3; ++y)
                for (int x = 0; x < 10; ++x) {
                    const int fromX = c.mirrorX ? 9 - x : x, fromY = c.mirrorY ? 2 - y : y;
                    EXPECT_EQ(StoredPixel(dial, x, y), StoredPixel(source, fromX, fromY))
                        << c.destWidth << "," << c.destHeight << "," << c.srcWidth << "," << c.srcHeight << " at " << x
                        << "," << y << (imagingOn ? " imaging" : " blend");
                }
        }
    }
}

TEST(Render, SourceRectangleIsCutToThePicture)
{
    const struct {
        int srcX, srcWidth, destWidth;
        int firstColumn, columns;
    } cases[] = {
        {120, 30, 10, 120, 10},  // SrcX 120 with srcWidth 30 on a 130-wide surface uses 10 columns
        {-5, 4, 4, 0, 4},        // a negative SrcX counts as 0
        {0, 0, 130, 0, 130},     // 0 means the whole width
        {125, -30, 5, 125, 5},   // cut, then mirrored
    };
    for (const auto& c : cases) {
        c32bppDIB source, dial;
        PaintNumbered(source, 130, 1);
        dial.InitializeDIB(130, 1);
        ASSERT_TRUE(source.Render(nullptr, 0, 0, c.destWidth, 1, c.srcX, 0, c.srcWidth, 1, 100, true, true, &dial));
        const bool mirrored = c.srcWidth < 0;
        for (int x = 0; x < 130; ++x) {
            const Bgra expected = x < c.columns ? StoredPixel(source, c.firstColumn + (mirrored ? c.columns - 1 - x : x), 0)
                                                : kClear;
            EXPECT_EQ(StoredPixel(dial, x, 0), expected) << "SrcX " << c.srcX << " column " << x;
        }
    }
}

TEST(Render, ASourceRectangleOffThePictureDrawsNothingAndFails)
{
    c32bppDIB source, dial;
    PaintNumbered(source);
    dial.InitializeDIB(10, 3);
    EXPECT_FALSE(source.Render(nullptr, 0, 0, 0, 0, 10, 0, 5, 3, 100, true, true, &dial));
    EXPECT_FALSE(source.Render(nullptr, 0, 0, 0, 0, 0, 3, 5, 3, 100, true, true, &dial));
    EXPECT_EQ(AllPixels(dial), std::vector<Bgra>(30, kClear));
}

TEST(Render, CenterOnDestXYTakesTheRectangleCentre)
{
    const struct {
        int x, y, width, height;
        int left, top;
    } cases[] = {{65, 65, 130, 130, 0, 0}, {10, 20, 7, 5, 7, 18}, {0, 0, -9, 9, -4, -4}};
    for (const auto& c : cases) {
        c32bppDIB source, centred, placed;
        PaintNumbered(source, 130, 130);
        centred.InitializeDIB(140, 140);
        placed.InitializeDIB(140, 140);
        ASSERT_TRUE(source.Render(nullptr, c.x, c.y, c.width, c.height, 0, 0, 0, 0, 100, true, true, &centred, 0, true));
        ASSERT_TRUE(source.Render(nullptr, c.left, c.top, c.width, c.height, 0, 0, 0, 0, 100, true, true, &placed));
        EXPECT_EQ(AllPixels(centred), AllPixels(placed)) << c.x << "," << c.y;
    }
}

// ---- the rotated test and the back ends ----

// Opacity 50 tells the paths apart on an opaque pixel: the blend primitive's constant alpha is
// 50 * 255 / 100 = 127, the imaging path scales by exactly one half, 127.5, rounded to 128.
int AlphaAtHalfOpacity(c32bppDIB& source, int destWidth = 0, int destHeight = 0, float angle = 0)
{
    c32bppDIB dial;
    dial.InitializeDIB(source.Width(), source.Height());
    source.Render(nullptr, 0, 0, destWidth, destHeight, 0, 0, 0, 0, 50, true, true, &dial, angle);
    return StoredPixel(dial, source.Width() / 2, source.Height() / 2)[3];
}

constexpr int kBlendPath = 127;
constexpr int kImagingPath = 128;

TEST(Render, WholeTurnsDrawUnrotatedAndAnyOtherAngleTurns)
{
    const struct {
        float angle;
        int path;
    } cases[] = {{0, kBlendPath},       {360, kBlendPath},     {-720, kBlendPath}, {0.5f, kImagingPath},
                 {720.5f, kImagingPath}, {90, kImagingPath}, {-0.001f, kImagingPath}};
    for (const auto& c : cases) {
        c32bppDIB source;
        Fill(source, 9, 9, kOpaqueRed);
        source.SetGdiToken(0);
        EXPECT_EQ(AlphaAtHalfOpacity(source, 0, 0, c.angle), c.path) << c.angle;
    }
}

TEST(Render, ChoosesTheBlendPrimitiveOnlyWhereItDrawsAsWell)
{
    const struct {
        bool keepBridge;
        std::uint32_t token;
        bool highQuality, friendly, imagingOn;
        int destWidth, destHeight;  // 0: unstretched; negative: mirrored
        int path;
        const char* why;
    } cases[] = {
        {false, 0, true, true, true, 0, 0, kBlendPath, "plain copy"},
        {false, 0, false, true, true, 12, 12, kBlendPath, "stretch by nearest pixel"},
        {false, 0, true, true, true, 12, 12, kImagingPath, "high-quality stretch"},
        {false, 0, true, true, true, -9, 9, kImagingPath, "mirrored"},
        {false, 7, true, true, true, 0, 0, kImagingPath, "the program's token"},
        {true, 0, true, true, true, 0, 0, kImagingPath, "kept bridge"},
        {false, 0, true, false, true, 0, 0, kImagingPath, "blend primitive not usable"},
        {false, 7, true, true, false, 12, 12, kBlendPath, "imaging services off"},
        {false, 0, true, true, false, -9, 9, kBlendPath, "mirrored, imaging services off"},
    };
    for (const auto& c : cases) {
        c32bppDIB source;
        Fill(source, 9, 9, kOpaqueRed);
        source.SetIsGDIplusEnabled(c.imagingOn);
        source.SetKeepGDIplusActive(c.keepBridge);
        source.SetGdiToken(c.token);
        source.SetHighQualityInterpolation(c.highQuality);
        source.SetIsAlphaBlendFriendly(c.friendly);
        EXPECT_EQ(AlphaAtHalfOpacity(source, c.destWidth, c.destHeight), c.path) << c.why;
    }
}

TEST(Render, HalftoneAveragesAStretchOnTheBlendPathAndRestoresTheStretchMode)
{
    // Alternating black and white columns shrunk to half: picked pixels stay black or white,
    // averaged ones are grey.
    for (bool halftone : {false, true}) {
        c32bppDIB source, dial;
        Paint(source, 8, 2, [](int x, int) { return x % 2 ? Bgra{255, 255, 255, 255} : Bgra{0, 0, 0, 255}; });
        source.SetHighQualityInterpolation(false);
        dial.InitializeDIB(4, 1);
        DeviceContext dc(dial.Pixels());
        ASSERT_TRUE(source.Render(&dc, 0, 0, 4, 1, 0, 0, 0, 0, 100, true, halftone));
        EXPECT_EQ(dc.StretchMode(), DeviceContext::kStretchColorOnColor);
        const int blue = StoredPixel(dial, 1, 0)[0];
        if (halftone)
            EXPECT_NEAR(blue, 128, 1);
        else
            EXPECT_TRUE(blue == 0 || blue == 255) << blue;
    }
}

// ---- destinations ----

TEST(Render, BorrowsTheHostSurfaceAndAlwaysGivesItBack)
{
    const struct {
        const char* path;
        int destWidth;
        float angle;
        int srcX;
    } cases[] = {{"blend", 0, 0, 0}, {"imaging", -4, 0, 0}, {"rotated", 0, 30, 0}, {"failing", 0, 0, 99}};
    for (const auto& c : cases) {
        c32bppDIB source, host;
        Fill(source, 4, 4, kOpaqueRed);
        host.SetManageOwnDC(true);
        host.InitializeDIB(4, 4);
        DeviceContext* dc = host.LoadDIBinDC(true);
        ASSERT_NE(dc, nullptr);
        ASSERT_TRUE(dc->Target());
        source.Render(nullptr, 0, 0, c.destWidth, 0, c.srcX, 0, 0, 0, 100, true, true, &host, c.angle);
        EXPECT_FALSE(dc->Target()) << c.path << ": the host's pixels are still lent out";
        EXPECT_EQ(host.LoadDIBinDC(true), dc) << c.path << ": the host's own context was not kept";
    }
}

TEST(Render, DrawsOntoADeviceContextsPixels)
{
    c32bppDIB source, window;
    Fill(source, 2, 2, kOpaqueRed);
    window.InitializeDIB(4, 4);
    DeviceContext dc(window.Pixels());
    ASSERT_TRUE(source.Render(&dc, 1, 1, 0, 0, 0, 0, 0, 0));
    EXPECT_EQ(StoredPixel(window, 1, 1), kOpaqueRed);
    EXPECT_EQ(StoredPixel(window, 2, 2), kOpaqueRed);
    EXPECT_EQ(StoredPixel(window, 0, 0), kClear);
    EXPECT_EQ(StoredPixel(window, 3, 3), kClear);
}

TEST(Render, FailsWithoutADestinationOrAPicture)
{
    c32bppDIB source, empty, emptyHost, dial;
    Fill(source, 2, 2, kOpaqueRed);
    dial.InitializeDIB(2, 2);
    DeviceContext unselected;
    EXPECT_FALSE(source.Render(nullptr, 0, 0, 0, 0, 0, 0, 0, 0));
    EXPECT_FALSE(source.Render(nullptr, 0, 0, 0, 0, 0, 0, 0, 0, 100, true, true, &emptyHost));
    EXPECT_FALSE(source.Render(&unselected, 0, 0, 0, 0, 0, 0, 0, 0));
    EXPECT_FALSE(empty.Render(nullptr, 0, 0, 0, 0, 0, 0, 0, 0, 100, true, true, &dial));
    EXPECT_FALSE(source.Render(nullptr, 0, 0, 0, 0, 0, 0, 0, 0, 100, true, true, &dial, NAN));
    EXPECT_FALSE(source.Render(nullptr, 0, 0, 0, 0, 0, 0, 0, 0, 100, true, true, &dial, INFINITY));
    EXPECT_EQ(AllPixels(dial), std::vector<Bgra>(4, kClear));
}

TEST(Render, DrawsASurfaceOntoItselfFromAnUnchangedCopy)
{
    c32bppDIB surface;
    PaintNumbered(surface, 4, 1);
    std::vector<Bgra> before = AllPixels(surface);
    ASSERT_TRUE(surface.Render(nullptr, 0, 0, -4, 1, 0, 0, 0, 0, 100, true, true, &surface));
    for (int x = 0; x < 4; ++x)
        EXPECT_EQ(StoredPixel(surface, x, 0), before[std::size_t(3 - x)]);
}

} // namespace
} // namespace dorvane
