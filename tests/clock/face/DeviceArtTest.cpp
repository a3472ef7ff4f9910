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

ClockState StateWith(const std::string& skin)
{
    ClockState state;
    state.Skin = skin, state.Alpha = 255, state.ShowSeconds = 1;
    return state;
}

// The face at scale has the device's size, with the dial's own sharp picture where it has one: away
// from the hands (the lowest quarter, at 12:00) its pixels are the sharp picture's.
TEST(DeviceArtTest, AScaledFaceHasTheDevicesSizeAndTheSharpDialWhereThereIsOne)
{
    const struct { std::string skin; double scale; std::string sharpType, sharpDial; } cases[] = {
        {"Wall", 2, "CUSTOM", "WALL-2X"}, {"Marble", 2, "PNG", "BACK-2X"}, // an unknown skin shows the default dial
        {"Blue", 1.25, "", ""}, {"<default>", 1.5, "", ""}, {"Rolex1", 3, "", ""},
    };
    for (const auto& c : cases) {
        const ClockState state = StateWith(c.skin);
        ClockSnapshot logical(state), scaled(state, c.scale);
        logical.LoadSkin(), scaled.LoadSkin();
        const c32bppDIB& dial = logical.Draw(At(12, 0));
        const c32bppDIB& face = scaled.Draw(At(12, 0));
        EXPECT_EQ(std::pair(face.Width(), face.Height()), std::pair(DeviceArt::DeviceLength(dial.Width(), c.scale),
                                                                    DeviceArt::DeviceLength(dial.Height(), c.scale)))
            << c.skin << " at " << c.scale;
        EXPECT_EQ(StoredPixel(face, 0, 0)[3], 0) << "the corners stay transparent";
        if (c.sharpDial.empty())
            continue;
        c32bppDIB sharp;
        ASSERT_TRUE(sharp.LoadPicture_Resource(c.sharpDial, c.sharpType));
        int differing = 0;
        for (int y = face.Height() * 3 / 4; y < face.Height(); ++y)
            for (int x = 0; x < face.Width(); ++x)
                differing += StoredPixel(face, x, y) != StoredPixel(sharp, x, y);
        EXPECT_EQ(differing, 0) << c.skin;
    }
}

// One face that goes through other skins and scales, as a clock moved between screens does, draws
// each time what a face made afresh for that skin and scale draws.
TEST(DeviceArtTest, AFaceFollowsEveryChangeOfSkinAndScale)
{
    const std::pair<std::string, double> steps[] = {
        {"Wall", 2}, {"Black", 2}, {"Black", 1}, {"Black", 1.5}, {"GlassGold", 1.5}, {"GlassGold", 2}};
    ClockState state = StateWith("");
    ClockSurfaces surfaces;
    RecordingFrame frame;
    SkinLoader loader(state, surfaces, frame);
    ClockFace face(state, surfaces);
    const std::uint32_t token = cGDIPlus::Startup();
    for (const auto& [skin, scale] : steps) {
        if (state.Skin != skin) {
            state.Skin = skin;
            loader.LoadSkin();
            for (c32bppDIB* surface : surfaces.All())
                surface->SetGdiToken(token);
        }
        face.SetDeviceScale(scale);
        face.Draw(At(4, 41, 27));
        ClockSnapshot fresh(state, scale);
        fresh.LoadSkin();
        EXPECT_EQ(AllPixels(face.Picture()), AllPixels(fresh.Draw(At(4, 41, 27)))) << skin << " at " << scale;
        EXPECT_EQ(frame.sizes.back(), std::pair(surfaces.iBack.Width(), surfaces.iBack.Height()))
            << "the window is sized in logical pixels";
    }
    cGDIPlus::Shutdown(token);
}

} // namespace
} // namespace dorvane
