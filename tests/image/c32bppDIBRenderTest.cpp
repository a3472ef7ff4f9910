// Render's rules, pixel by pixel on small pictures: opacity, compositing, rectangles, mirrors, the choice between
// the blend and the imaging path, and what draws nothing.

#include "image/DeviceContext.h"
#include "image/c32bppDIB.h"
#include "tests/support/ImageTestSupport.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

namespace dorvane {
namespace {

using namespace testing;

const Bgra kOpaqueRed = {0, 0, 255, 255}, kClear = {0, 0, 0, 0};

// Draws source unscaled at (0, 0) of target, as the clock draws a picture onto its dial.
bool DrawOnto(c32bppDIB& source, c32bppDIB& target, int opacity = 100, float angle = 0)
{
    return source.Render(nullptr, 0, 0, 0, 0, 0, 0, 0, 0, opacity, true, true, &target, angle);
}

TEST(Render, OpacityIsTakenModulo100WithZeroMeaningFullAndBelowOneDrawsNothing)
{
    // Opacity * 255 / 100 after normalisation, on the blend path.
    const struct { int opacity; std::uint8_t alpha; } cases[] = {
        {100, 255}, {80, 204}, {150, 127}, {200, 255}, {1, 2}, {199, 252}, {INT_MAX, 119}, {0, 0}, {INT_MIN, 0}};
    for (const auto& c : cases) {
        c32bppDIB source, dial;
        Fill(source, 3, 3, kOpaqueRed);
        dial.InitializeDIB(3, 3);
        ASSERT_TRUE(DrawOnto(source, dial, c.opacity)) << c.opacity;
        EXPECT_EQ(StoredPixel(dial, 1, 1), (Bgra{0, 0, c.alpha, c.alpha})) << c.opacity;
    }
}

// Source over in premultiplied space: each source channel scaled by the constant alpha, plus the destination
// scaled by what the scaled source alpha leaves.
Bgra ExpectedOver(Bgra source, Bgra destination, double constantAlpha)
{
    Bgra out;
    const double sourceAlpha = source[3] * constantAlpha / 255.0;
    for (int c = 0; c < 4; ++c)
        out[c] = std::uint8_t(std::lround(source[c] * constantAlpha / 255.0 + destination[c] * (1 - sourceAlpha / 255.0)));
    return out;
}

// The blend path honours the source's alpha bytes only when the surface has transparency, else every pixel is
// opaque; the imaging path always takes them and scales by the exact opacity where the blend path truncates.
// An unscaled drawing blends whole runs at once; each pixel must come out exactly as when drawn alone.
TEST(Render, BlendsSourceOverInPremultipliedSpaceOnBothPathsARunOfPixelsAsEachAlone)
{
    constexpr int kWidth = 23, kHeight = 3;
    // First a half-covering source on an opaque dial, one onto a translucent dial, white onto clear, clear onto any.
    std::vector<Bgra> sources = {{0, 0, 100, 128}, {50, 60, 70, 200}, {255, 255, 255, 255}, kClear},
                      dials = {{200, 200, 200, 255}, {10, 20, 30, 40}, kClear, {90, 80, 70, 200}};
    std::uint32_t seed = 12345;
    const auto next = [&seed] { return seed = seed * 1103515245u + 12345u, std::uint8_t(seed >> 16); };
    const auto premultiplied = [&](bool allowClear) {
        const std::uint8_t pick = next();
        const std::uint8_t alpha = pick < 40 && allowClear ? 0 : pick < 100 ? 255 : next();
        return Bgra{std::uint8_t(next() % (alpha + 1)), std::uint8_t(next() % (alpha + 1)), std::uint8_t(next() % (alpha + 1)), alpha};
    };
    while (sources.size() < kWidth * kHeight)
        sources.push_back(premultiplied(true)), dials.push_back(premultiplied(false));
    for (bool imagingPath : {false, true})
        for (bool alpha : {true, false})
            for (const int opacity : {100, 80, 60, 37}) {
                SCOPED_TRACE(::testing::Message() << (imagingPath ? "imaging" : "blend") << ", alpha " << alpha
                                                  << ", opacity " << opacity);
                const auto draw = [&](c32bppDIB& source, c32bppDIB& dial, int x) {
                    source.SetAlpha(alpha), source.SetGdiToken(imagingPath ? 1 : 0);
                    return source.Render(nullptr, x, 0, 0, 0, 0, 0, 0, 0, opacity, true, true, &dial);
                };
                c32bppDIB source, dial;
                Paint(source, kWidth, kHeight, [&](int x, int y) { return sources[y * kWidth + x]; });
                Paint(dial, kWidth + 3, kHeight, [&](int x, int y) { return x < 3 ? kClear : dials[y * kWidth + x - 3]; });
                ASSERT_TRUE(draw(source, dial, 3));
                for (std::size_t i = 0; i < sources.size(); ++i) {
                    c32bppDIB one, onto;
                    Fill(one, 1, 1, sources[i]);
                    Fill(onto, 1, 1, dials[i]);
                    ASSERT_TRUE(draw(one, onto, 0));
                    const Bgra actual = StoredPixel(dial, 3 + int(i) % kWidth, int(i) / kWidth);
                    ASSERT_EQ(actual, StoredPixel(onto, 0, 0)) << "pixel " << i;
                    Bgra treatedAs = sources[i];
                    treatedAs[3] = alpha || imagingPath ? treatedAs[3] : 255;
                    const Bgra expected = ExpectedOver(treatedAs, dials[i], imagingPath ? opacity * 2.55 : opacity * 255 / 100);
                    for (int channel = 0; channel < 4; ++channel)
                        ASSERT_NEAR(actual[channel], expected[channel], 1) << "pixel " << i << ", channel " << channel;
                }
            }
}

// A negative size mirrors its axis, two mirrors cancel; the source rectangle is cut to the picture, a negative SrcX
// counting as 0 and a width of 0 meaning the whole; what lies outside it stays clear. With the imaging services on,
// one picture keeps its bridge for every draw, whose mirrors must follow each draw, not the one before.
TEST(Render, MirrorsNegativeSizesAndCutsTheSourceRectangleToThePictureOnBothPaths)
{
    const struct { int destWidth, destHeight, srcX, srcWidth, srcHeight, first, columns; bool mirrorX, mirrorY; } cases[] = {
        {130, 3, 0, -130, 3, 0, 130, true, false}, {-130, 3, 0, 130, 3, 0, 130, true, false},
        {130, -3, 0, 130, 3, 0, 130, false, true}, {130, 3, 0, 130, -3, 0, 130, false, true},
        {-130, -3, 0, 130, 3, 0, 130, true, true}, {-130, 3, 0, -130, 3, 0, 130, false, false},
        {10, 3, 120, 30, 3, 120, 10, false, false},  // 30 columns from 120 on a 130-wide picture: 10
        {4, 3, -5, 4, 3, 0, 4, false, false}, {130, 3, 0, 0, 3, 0, 130, false, false},
        {5, 3, 125, -30, 3, 125, 5, true, false}};  // cut, then mirrored
    for (bool imagingOn : {true, false}) {
        c32bppDIB source;
        PaintNumbered(source, 130, 3);
        source.SetIsGDIplusEnabled(imagingOn);
        source.SetKeepGDIplusActive(imagingOn);
        for (const auto& c : cases) {
            SCOPED_TRACE(::testing::Message() << c.destWidth << "," << c.destHeight << " from " << c.srcX << ", "
                                              << c.srcWidth << "," << c.srcHeight << (imagingOn ? " imaging" : ""));
            c32bppDIB dial;
            dial.InitializeDIB(130, 3);
            ASSERT_TRUE(source.Render(nullptr, 0, 0, c.destWidth, c.destHeight, c.srcX, 0, c.srcWidth, c.srcHeight, 100,
                                      true, true, &dial));
            for (int y = 0; y < 3; ++y)
                for (int x = 0; x < 130; ++x) {
                    const int from = c.first + (c.mirrorX ? c.columns - 1 - x : x), row = c.mirrorY ? 2 - y : y;
                    ASSERT_EQ(StoredPixel(dial, x, y), x < c.columns ? StoredPixel(source, from, row) : kClear)
                        << x << "," << y;
                }
        }
    }
}

// Opacity 50 tells the paths apart on an opaque pixel: the blend primitive's constant alpha is 50 * 255 / 100 =
// 127, the imaging path scales by exactly one half, 127.5, rounded to 128.
constexpr int kBlendPath = 127, kImagingPath = 128;

TEST(Render, ChoosesTheBlendPrimitiveOnlyWhereItDrawsAsWell)
{
    const struct {  // destWidth, destHeight 0: unstretched; negative: mirrored
        bool keepBridge; std::uint32_t token; bool highQuality, friendly, imagingOn; int destWidth, destHeight;
        float angle; int path; const char* why;
    } cases[] = {
        {false, 0, true, true, true, 0, 0, 0, kBlendPath, "plain copy"},
        {false, 0, true, true, true, 0, 0, -720, kBlendPath, "two whole turns back"},
        {false, 0, true, true, true, 0, 0, 720.5f, kImagingPath, "two turns and half a degree"},
        {false, 0, true, true, true, 0, 0, -0.001f, kImagingPath, "a hair back"},
        {false, 0, false, true, true, 12, 12, 0, kBlendPath, "stretch by nearest pixel"},
        {false, 0, true, true, true, 12, 12, 0, kImagingPath, "high-quality stretch"},
        {false, 0, true, true, true, -9, 9, 0, kImagingPath, "mirrored"},
        {false, 7, true, true, true, 0, 0, 0, kImagingPath, "the program's token"},
        {true, 0, true, true, true, 0, 0, 0, kImagingPath, "kept bridge"},
        {false, 0, true, false, true, 0, 0, 0, kImagingPath, "blend primitive not usable"},
        {false, 7, true, true, false, 12, 12, 0, kBlendPath, "imaging services off"},
        {false, 0, true, true, false, -9, 9, 0, kBlendPath, "mirrored, imaging services off"},
    };
    for (const auto& c : cases) {
        c32bppDIB source, dial;
        Fill(source, 9, 9, kOpaqueRed);
        source.SetIsGDIplusEnabled(c.imagingOn);
        source.SetKeepGDIplusActive(c.keepBridge);
        source.SetGdiToken(c.token);
        source.SetHighQualityInterpolation(c.highQuality);
        source.SetIsAlphaBlendFriendly(c.friendly);
        dial.InitializeDIB(9, 9);
        source.Render(nullptr, 0, 0, c.destWidth, c.destHeight, 0, 0, 0, 0, 50, true, true, &dial, c.angle);
        EXPECT_EQ(StoredPixel(dial, 4, 4)[3], c.path) << c.why;
    }
}

TEST(Render, DrawsNothingAndFailsWithoutADestinationAPictureOrAFiniteAngle)
{
    c32bppDIB source, empty, emptyHost, dial;
    PaintNumbered(source, 10, 3);
    dial.InitializeDIB(10, 3);
    DeviceContext unselected;
    EXPECT_FALSE(source.Render(nullptr, 0, 0, 0, 0, 0, 0, 0, 0));
    EXPECT_FALSE(DrawOnto(source, emptyHost));
    EXPECT_FALSE(source.Render(&unselected, 0, 0, 0, 0, 0, 0, 0, 0));
    EXPECT_FALSE(DrawOnto(empty, dial));
    EXPECT_FALSE(DrawOnto(source, dial, 100, NAN));
    EXPECT_FALSE(DrawOnto(source, dial, 100, INFINITY));
    EXPECT_FALSE(source.Render(nullptr, 0, 0, 0, 0, 10, 0, 5, 3, 100, true, true, &dial));  // right of the picture
    EXPECT_FALSE(source.Render(nullptr, 0, 0, 0, 0, 0, 3, 5, 3, 100, true, true, &dial));   // below it
    EXPECT_EQ(AllPixels(dial), std::vector<Bgra>(30, kClear));
}

TEST(Render, DrawsASurfaceOntoItselfFromAnUnchangedCopy)
{
    c32bppDIB surface;
    PaintNumbered(surface, 4, 1);
    const std::vector<Bgra> before = AllPixels(surface);
    ASSERT_TRUE(surface.Render(nullptr, 0, 0, -4, 1, 0, 0, 0, 0, 100, true, true, &surface));
    EXPECT_EQ(AllPixels(surface), (std::vector<Bgra>{before[3], before[2], before[1], before[0]}));
}

} // namespace
} // namespace dorvane
