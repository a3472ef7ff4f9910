#include "clock/face/HandLayers.h"
#include "clock/face/SkinLoader.h"
#include "clock/state/ClockSurfaces.h"
#include "image/cGDIPlus.h"
#include "tests/support/Fakes.h"
#include "tests/support/ImageTestSupport.h"

#include <gtest/gtest.h>

namespace dorvane {
namespace {

using namespace testing;

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

} // namespace
} // namespace dorvane
