#include "clock/SkinLoader.h"

#include "clock/SettingsFile.h"
#include "tests/platform/FakeScreen.h"
#include "tests/platform/TempFolder.h"

#include <gtest/gtest.h>

#include <deque>
#include <sstream>

namespace dorvane {
namespace {

using testing::TempFolder;

const std::filesystem::path kArt = std::filesystem::path(DORVANE_SOURCE_DIR) / "resources/art";

std::vector<std::uint8_t> ArtBytes(const std::string& relative)
{
    const std::string bytes = TempFolder::Read(kArt / relative);
    return {bytes.begin(), bytes.end()};
}

// The clock window as the skin sees it: the sizes it was given.
class RecordingFrame : public ClockWindowFrame {
public:
    void SizeToDial(int width, int height) override { sizes.emplace_back(width, height); }
    std::vector<std::pair<int, int>> sizes;
};

class SkinLoaderTest : public ::testing::Test {
protected:
    Status Load(const std::string& skin)
    {
        state.Skin = skin;
        return loader.LoadSkin();
    }
    std::pair<int, int> DialSize() const { return {surfaces.iBack.Width(), surfaces.iBack.Height()}; }

    ClockState state;
    ClockSurfaces surfaces;
    RecordingFrame frame;
    SkinLoader loader{state, surfaces, frame};
};

struct DialCase {
    std::string skin;
    std::string file;  // under resources/art/dials
    int width, height;
};

const std::vector<DialCase> kDials = {
    {"<default>", "default.png", 130, 130},   {"Black", "black.png", 130, 130},
    {"Blue", "blue.png", 129, 129},           {"Rolex", "rolex.png", 130, 130},
    {"Wall", "wall.png", 129, 128},           {"Aero", "aero.png", 129, 129},
    {"Classic", "classic.png", 130, 130},     {"Red", "red.png", 130, 130},
    {"DINER", "diner.png", 130, 130},         {"NOVELTY", "novelty.png", 130, 130},
    {"ROLEX1", "rolex1.png", 131, 131},       {"System", "system.png", 130, 130},
    {"GlassBlack", "glassblack.png", 130, 130}, {"GlassGradient", "glassgradient.png", 130, 130},
    {"GlassGradient1", "glassgradient1.png", 130, 130}, {"GlassPurple", "glasspurple.png", 130, 130},
    {"GlassGreen", "glassgreen.png", 130, 130}, {"GlassGold", "glassgold.png", 130, 130},
    {"Border", "border.png", 130, 130},       {"BRISA", "brisa.png", 130, 130},
    {"Chrono", "chrono.png", 130, 130},
};

TEST_F(SkinLoaderTest, EverySkinLoadsItsOwnDialAndSizesTheWindowToIt)
{
    for (const auto& dial : kDials) {
        SCOPED_TRACE(dial.skin);
        EXPECT_TRUE(Load(dial.skin).ok());
        EXPECT_EQ(DialSize(), std::pair(dial.width, dial.height));
        EXPECT_EQ(frame.sizes.back(), std::pair(dial.width, dial.height));
        EXPECT_EQ(surfaces.iBack.SourceBytes(), ArtBytes("dials/" + dial.file));
        EXPECT_EQ(surfaces.iBack.ImageType(), c32bppDIB::kPng);
    }
    EXPECT_EQ(frame.sizes.size(), kDials.size());
}

TEST_F(SkinLoaderTest, SkinNamesMatchWithoutRegardToCase)
{
    for (std::string skin : {"black", "BLACK", "bLaCk"}) {
        SCOPED_TRACE(skin);
        EXPECT_TRUE(Load(skin).ok());
        EXPECT_EQ(surfaces.iBack.SourceBytes(), ArtBytes("dials/black.png"));
    }
    for (std::string skin : {"<Default>", "<DEFAULT>", "chrono", "CHRONO", "brisa", "rolex1"})
        EXPECT_TRUE(Load(skin).ok()) << skin;
}

TEST_F(SkinLoaderTest, TheHandsAndTheBorderComeWithEverySkinAndKeepTheirBytes)
{
    ASSERT_TRUE(Load("Wall").ok());
    const std::vector<std::pair<const c32bppDIB*, std::string>> pictures = {
        {&surfaces.iHour, "hands/hour.png"},
        {&surfaces.iMin, "hands/minute.png"},
        {&surfaces.iSec, "hands/second.png"},
        {&surfaces.iClockBorder, "dials/border.png"},
    };
    for (const auto& [surface, file] : pictures) {
        SCOPED_TRACE(file);
        EXPECT_EQ(surface->SourceBytes(), ArtBytes(file));
        EXPECT_TRUE(surface->Handle());
    }
    EXPECT_EQ(surfaces.iHour.Width(), 196);
    EXPECT_EQ(surfaces.iClockBorder.Width(), 130);
}

TEST_F(SkinLoaderTest, SwitchingFromBlackToWallMakesTheWindowTheWallDialsSize)
{
    ASSERT_TRUE(Load("Black").ok());
    ASSERT_TRUE(Load("Wall").ok());
    const std::vector<std::pair<int, int>> sizes = {{130, 130}, {129, 128}};
    EXPECT_EQ(frame.sizes, sizes);
    EXPECT_EQ(DialSize(), std::pair(129, 128));
}

TEST_F(SkinLoaderTest, ANameThatIsNoDialShowsTheDefaultDialAndSaysSo)
{
    for (std::string skin : {"Sundial", "", "default", "Black ", "HOUR", "BACK"}) {
        SCOPED_TRACE(skin);
        const Status status = Load(skin);
        EXPECT_FALSE(status.ok());
        EXPECT_NE(status.error().find("\"" + skin + "\""), std::string::npos) << status.error();
        EXPECT_EQ(surfaces.iBack.SourceBytes(), ArtBytes("dials/default.png"));
        EXPECT_EQ(frame.sizes.back(), std::pair(130, 130));
        EXPECT_TRUE(surfaces.iHour.Handle());
    }
    EXPECT_EQ(state.Skin, "BACK");  // the setting itself is left as the user wrote it
}

TEST_F(SkinLoaderTest, EverySurfaceTakesTheHighQualitySetting)
{
    const std::vector<const c32bppDIB*> all = {&surfaces.iBack, &surfaces.iHour, &surfaces.iMin, &surfaces.iSec,
                                               &surfaces.iClockBorder};
    for (bool highQuality : {false, true, false}) {
        state.HighQuality = highQuality;
        ASSERT_TRUE(Load("Red").ok());
        for (const c32bppDIB* surface : all)
            EXPECT_EQ(surface->HighQualityInterpolation(), highQuality);
    }
}

// A resource table whose pictures can be swapped between two loads.
class SwappableResourcesTest : public ::testing::Test {
protected:
    void Put(const std::string& type, const std::string& name, const std::string& file)
    {
        kept.push_back(ArtBytes(file));
        resources.Add(type, name, kept.back());
    }

    std::deque<std::vector<std::uint8_t>> kept;
    EmbeddedResources resources;
    ClockState state;
    ClockSurfaces surfaces;
    RecordingFrame frame;
    SkinLoader loader{state, surfaces, frame, resources};
};

TEST_F(SwappableResourcesTest, EverySkinChangeReloadsAllFivePictures)
{
    Put("CUSTOM", "BLACK", "dials/black.png");
    Put("CUSTOM", "BLUE", "dials/blue.png");
    Put("PNG", "HOUR", "hands/hour.png");
    Put("PNG", "MINUTE", "hands/minute.png");
    Put("PNG", "SECOND", "hands/second.png");
    Put("CUSTOM", "BORDER", "dials/border.png");
    state.Skin = "Black";
    ASSERT_TRUE(loader.LoadSkin().ok());

    // Other pictures under the same names: a second load must show every one of them.
    Put("CUSTOM", "BLUE", "dials/red.png");
    Put("PNG", "HOUR", "hands/second.png");
    Put("PNG", "MINUTE", "hands/hour.png");
    Put("PNG", "SECOND", "hands/minute.png");
    Put("CUSTOM", "BORDER", "dials/system.png");
    state.Skin = "Blue";
    ASSERT_TRUE(loader.LoadSkin().ok());
    EXPECT_EQ(surfaces.iBack.SourceBytes(), ArtBytes("dials/red.png"));
    EXPECT_EQ(surfaces.iHour.SourceBytes(), ArtBytes("hands/second.png"));
    EXPECT_EQ(surfaces.iMin.SourceBytes(), ArtBytes("hands/hour.png"));
    EXPECT_EQ(surfaces.iSec.SourceBytes(), ArtBytes("hands/minute.png"));
    EXPECT_EQ(surfaces.iClockBorder.SourceBytes(), ArtBytes("dials/system.png"));
}

TEST_F(SwappableResourcesTest, WithoutAnyDialTheSurfacesStayEmptyAndTheWindowKeepsItsSize)
{
    Put("PNG", "HOUR", "hands/hour.png");
    state.Skin = "Black";
    ASSERT_TRUE(surfaces.iBack.InitializeDIB(40, 40));
    const Status status = loader.LoadSkin();
    EXPECT_FALSE(status.ok());
    EXPECT_FALSE(status.error().empty());
    EXPECT_FALSE(surfaces.iBack.Handle());
    EXPECT_TRUE(surfaces.iHour.Handle());
    EXPECT_FALSE(surfaces.iMin.Handle());
    EXPECT_TRUE(frame.sizes.empty());
}

TEST_F(SwappableResourcesTest, AMissingHandIsToldWithTheDialStillShown)
{
    Put("PNG", "BACK", "dials/default.png");
    Put("PNG", "HOUR", "hands/hour.png");
    Put("PNG", "MINUTE", "hands/minute.png");
    Put("CUSTOM", "BORDER", "dials/border.png");
    const Status status = loader.LoadSkin();
    EXPECT_FALSE(status.ok());
    EXPECT_NE(status.error().find("PNG/SECOND"), std::string::npos) << status.error();
    EXPECT_EQ(frame.sizes, (std::vector<std::pair<int, int>>{{130, 130}}));
}

// The clock window as the settings file reaches it: loading the settings loads the skin.
class SkinnedHost : public SettingsHost, public ClockWindowFrame {
public:
    explicit SkinnedHost(const ClockState& state) : loader_(state, surfaces, *this) {}
    double ClockWindowWidthTwips() override { return 130 * 15; }
    TwipsPoint ClockWindowPositionTwips() override { return {}; }
    void SetTopMost(bool) override {}
    void LoadSkin() override { (void)loader_.LoadSkin(); }
    void SizeToDial(int width, int height) override { size = {width, height}; }

    ClockSurfaces surfaces;
    std::pair<int, int> size;

private:
    SkinLoader loader_;
};

TEST(SkinFromSettingsFile, ALowerCaseSkinLineSelectsTheSameDial)
{
    TempFolder folder;
    const auto path = folder / "ClockSettings.ini";
    TempFolder::Write(path, "[Settings]\r\nskin=wall\r\n");
    ClockState state;
    SkinnedHost host(state);
    testing::FakeScreen screen;
    std::ostringstream errors;
    SettingsFile settings(path, state, host, screen, errors);
    ASSERT_TRUE(settings.LoadSettings().ok());
    EXPECT_EQ(state.Skin, "wall");
    EXPECT_EQ(host.surfaces.iBack.SourceBytes(), ArtBytes("dials/wall.png"));
    EXPECT_EQ(host.size, std::pair(129, 128));
}

} // namespace
} // namespace dorvane
