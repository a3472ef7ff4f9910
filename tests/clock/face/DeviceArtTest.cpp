#include "clock/face/ClockFace.h"
#include "clock/face/ClockSnapshot.h"
#include "clock/face/DeviceArt.h"
#include "clock/face/SkinLoader.h"
#include "image/cGDIPlus.h"
#include "tests/support/Fakes.h"
#include "tests/support/ImageTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace dorvane {
namespace {

using namespace testing;

// One face that goes through other skins and scales, as a clock moved between screens does, draws
// each time what a face made afresh for that skin and scale draws: the device's size, the window sized
// in logical pixels, and the dial's own sharp picture where it has one. Away from the hands (the
// lowest quarter, at 10:09:55) its pixels are the sharp picture's.
TEST(DeviceArtTest, AFaceFollowsEveryChangeOfSkinAndScaleWithTheDevicesSizeAndTheSharpDialWhereThereIsOne)
{
    const struct { std::string skin; double scale; std::string sharpType, sharpDial; } steps[] = {
        {"Wall", 2, "CUSTOM", "WALL-2X"}, {"Marble", 2, "PNG", "BACK-2X"}, // an unknown skin shows the default dial
        {"Blue", 1.25, "", ""}, {"<default>", 1.5, "", ""}, {"Rolex1", 3, "", ""}, {"Rolex1", 1, "", ""},
        {"Rolex1", 1.5, "", ""}, {"GlassGold", 1.5, "", ""}, {"GlassGold", 2, "", ""}};
    ClockState state;
    state.Alpha = 255, state.ShowSeconds = 1;
    ClockSurfaces surfaces;
    RecordingFrame frame;
    SkinLoader loader(state, surfaces, frame);
    ClockFace face(state, surfaces);
    const std::uint32_t token = cGDIPlus::Startup();
    for (const auto& step : steps) {
        SCOPED_TRACE(step.skin + " at " + std::to_string(step.scale));
        if (state.Skin != step.skin) {
            state.Skin = step.skin;
            loader.LoadSkin();
            for (c32bppDIB* surface : surfaces.All())
                surface->SetGdiToken(token);
        }
        face.SetDeviceScale(step.scale);
        face.Draw(At(10, 9, 55));
        const c32bppDIB& drawn = face.Picture();
        ClockSnapshot fresh(state, step.scale);
        fresh.LoadSkin();
        EXPECT_EQ(AllPixels(drawn), AllPixels(fresh.Draw(At(10, 9, 55))));
        const Size logical = frame.sizes.back();
        EXPECT_EQ(logical, std::pair(surfaces.iBack.Width(), surfaces.iBack.Height())) << "the window is sized in logical pixels";
        EXPECT_EQ(std::pair(drawn.Width(), drawn.Height()),
                  std::pair(DeviceArt::DeviceLength(logical.first, step.scale), DeviceArt::DeviceLength(logical.second, step.scale)));
        EXPECT_EQ(StoredPixel(drawn, 0, 0)[3], 0) << "the corners stay transparent";
        if (step.sharpDial.empty())
            continue;
        c32bppDIB sharp;
        ASSERT_TRUE(sharp.LoadPicture_Resource(step.sharpDial, step.sharpType));
        int differing = 0;
        for (int y = drawn.Height() * 3 / 4; y < drawn.Height(); ++y)
            for (int x = 0; x < drawn.Width(); ++x)
                differing += StoredPixel(drawn, x, y) != StoredPixel(sharp, x, y);
        EXPECT_EQ(differing, 0);
    }
    cGDIPlus::Shutdown(token);
}

} // namespace
} // namespace dorvane
