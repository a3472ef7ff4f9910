#include "clock/face/SkinLoader.h"
#include "clock/state/ClockSurfaces.h"
#include "resources/EmbeddedResources.h"
#include "tests/support/Fakes.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <iterator>

namespace dorvane {
namespace {

using namespace testing;

std::vector<std::uint8_t> ArtBytes(const std::string& relative)
{
    const std::string bytes = TempFolder::Read(std::filesystem::path(DORVANE_SOURCE_DIR) / "resources/art" / relative);
    return {bytes.begin(), bytes.end()};
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

// Every dial's bytes are checked with the program's resources; here names in any case and every
// size, and names that are no dial: they show the default dial and say so, the setting left as written.
TEST_F(SkinLoaderTest, EverySkinLoadsItsOwnDialWhateverTheCaseSizesTheWindowToItAndANameThatIsNoDialShowsTheDefault)
{
    const struct { const char *skin, *file; Size size; bool dial; } dials[] = {
        {"<DEFAULT>", "default", {130, 130}, true}, {"wall", "wall", {129, 128}, true}, {"rolex1", "rolex1", {131, 131}, true},
        {"", "default", {130, 130}, false}, {"Black ", "default", {130, 130}, false}, {"BACK", "default", {130, 130}, false}};
    for (const auto& dial : dials) {
        SCOPED_TRACE(dial.skin);
        const Status status = Load(dial.skin);
        EXPECT_EQ(status.ok(), dial.dial);
        EXPECT_TRUE(dial.dial || status.error().find("\"" + std::string(dial.skin) + "\"") != std::string::npos);
        EXPECT_EQ(frame.sizes.back(), dial.size);
        EXPECT_EQ(surfaces.iBack.SourceBytes(), ArtBytes("dials/" + std::string(dial.file) + ".png"));
        EXPECT_EQ(std::pair(bool(surfaces.iHour.Handle()), state.Skin), std::pair(true, std::string(dial.skin)));
    }
    EXPECT_EQ(frame.sizes.size(), std::size(dials));
    for (bool highQuality : {false, true}) { // every surface takes the setting
        state.HighQuality = highQuality;
        ASSERT_TRUE(Load("Red").ok());
        for (const c32bppDIB* surface : std::as_const(surfaces).All())
            EXPECT_EQ(surface->HighQualityInterpolation(), highQuality);
    }
}

// Without any dial the surfaces stay empty and the window keeps its size; a missing hand is told with
// the dial shown; the next skin reloads all five pictures, each resource now holding another one.
TEST_F(SkinLoaderTest, WithoutADialNothingShowsAMissingHandIsToldAndEverySkinChangeReloadsAllFivePictures)
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
    ASSERT_FALSE(status.ok());
    EXPECT_FALSE(surfaces.iSec.LastLoadError().empty());
    EXPECT_NE(status.error().find("PNG/SECOND (" + surfaces.iSec.LastLoadError() + ")"), std::string::npos) << status.error();
    EXPECT_EQ(frame.sizes, std::vector<Size>{Size(130, 130)});
    const struct { const char *type, *name, *file; const c32bppDIB& surface; } pictures[] = {
        {"CUSTOM", "BLUE", "dials/blue.png", surfaces.iBack}, {"PNG", "HOUR", "hands/second.png", surfaces.iHour},
        {"PNG", "MINUTE", "hands/hour.png", surfaces.iMin},   {"PNG", "SECOND", "hands/minute.png", surfaces.iSec},
        {"CUSTOM", "BORDER", "dials/system.png", surfaces.iClockBorder}};
    for (const auto& picture : pictures)
        Put(picture.type, picture.name, picture.file);
    ASSERT_TRUE(Load("Blue", resources).ok());
    for (const auto& picture : pictures)
        EXPECT_EQ(picture.surface.SourceBytes(), ArtBytes(picture.file)) << picture.name;
}

} // namespace
} // namespace dorvane
