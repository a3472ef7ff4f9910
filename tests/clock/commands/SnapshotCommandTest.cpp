#include "clock/commands/SnapshotCommand.h"
#include "clock/face/SkinCatalogue.h"
#include "clock/face/SkinSheet.h"
#include "image/c32bppDIB.h"
#include "tests/support/CommandFixture.h"
#include "tests/support/Fakes.h"
#include "tests/support/ImageTestSupport.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>
#include <variant>
#include <vector>

namespace dorvane {
namespace {

using namespace testing;

// A picture read back from a file by our decoder: its size and its pixels, top row first.
struct Picture {
    int width = 0, height = 0;
    std::vector<Bgra> pixels;
    Bgra At(int x, int y) const { return pixels[std::size_t(y) * width + x]; }
    bool operator==(const Picture&) const = default;
};

Picture ReadPicture(const std::filesystem::path& file)
{
    c32bppDIB surface;
    EXPECT_TRUE(surface.LoadPicture_File(file)) << "our decoder reads " << file;
    return {surface.Width(), surface.Height(), AllPixels(surface)};
}

// Runs the snapshot command, with the computer's clock standing at 3:00:00.
struct SnapshotCommandTest : CommandTest {
    SnapshotCommandTest() { Put("full.ini", "[Settings]\nAlpha=255\n"); }
    CommandRun Snapshot(const std::vector<std::string>& args)
    {
        std::ostringstream out, err;
        return {RunSnapshotCommand(args, FakeScreen(), time, out, err), out.str(), err.str()};
    }
    // The picture written to name for the arguments; a single face takes the settings of full.ini
    // unless others are named.
    Picture Snap(std::vector<std::string> args, const std::string& name = "out.png")
    {
        const auto given = [&](const char* option) { return std::find(args.begin(), args.end(), option) != args.end(); };
        if (!given("--settings") && !given("--sheet"))
            args.insert(args.end(), {"--settings", (folder / "full.ini").string()});
        args.insert(args.begin(), (folder / name).string());
        const CommandRun run = Snapshot(args);
        EXPECT_EQ(run.status, 0) << run.err;
        return ReadPicture(folder / name);
    }
    FakeTimeSource time{LocalTime{{2026, 12, 6}, 3, 0, 0, 0.25}};
};

TEST_F(SnapshotCommandTest, ShowsTheTimeGivenOrTheClockNowFadedByTheSettingsAlpha)
{
    const Picture now = Snap({}, "now.png");
    EXPECT_EQ(now, Snap({"--time", "3:00:00"}, "three.png"));
    EXPECT_NE(now, Snap({"--time", "3:00:01"}, "later.png"));
    EXPECT_EQ(now.At(0, 0), (Bgra{0, 0, 0, 0})) << "the corners stay transparent";
    const auto half = Snap({"--settings", Put("half.ini", "[Settings]\nAlpha=128\n")}, "half.png").pixels;
    ASSERT_EQ(now.pixels.size(), half.size());
    for (std::size_t i = 0; i < half.size() * 4; ++i)
        ASSERT_NEAR(half[i / 4][i % 4], now.pixels[i / 4][i % 4] * 128 / 255.0, 1.5) << "pixel " << i / 4 << " byte " << i % 4;
}

TEST_F(SnapshotCommandTest, OptionsOverrideTheSettingsFileAndAnUnknownSkinThereShowsTheDefaultDial)
{
    const std::string wall = Put("wall.ini", "[Settings]\nSkin=Wall\nAlpha=255\nShowSeconds=0\nShowBorder=1\n");
    const Picture fromFile = Snap({"--time", "12:00:30", "--settings", wall}, "file.png");
    EXPECT_EQ(std::pair(fromFile.width, fromFile.height), std::pair(129, 128));
    const Picture overridden = Snap(
        {"--time", "12:00:30", "--settings", wall, "--skin", "black", "--seconds", "on", "--border", "off"}, "o.png");
    EXPECT_EQ(overridden, Snap({"--time", "12:00:30", "--skin", "Black"}, "black.png"));

    const std::string marble = Put("marble.ini", "[Settings]\nSkin=Marble\nAlpha=255\n");
    const CommandRun run = Snapshot({(folder / "m.png").string(), "--settings", marble, "--time", "10:09:30"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.err.find("Marble"), std::string::npos) << "the fallback is told: " << run.err;
    EXPECT_EQ(ReadPicture(folder / "m.png"), Snap({"--time", "10:09:30", "--skin", "<Default>"}));
}

TEST_F(SnapshotCommandTest, FailuresAreToldWithTheirReasonAndWriteNothingAndOptionsAreReadInAnyOrder)
{
    TempFolder::Write(folder / "plain-file", "text"); // a folder cannot be made inside a file
    const std::string out = (folder / "out.png").string(), unwritable = (folder / "plain-file" / "out.png").string();
    const struct { std::vector<std::string> args; int status; std::vector<std::string> told; } cases[] = {
        {{out, "--skin", "Marble"}, 2, {"no skin named \"Marble\"", "GlassGradient1"}},
        {{out, "--border", "maybe"}, 2, {"--border takes on or off", "usage:\n       dorvane snapshot"}},
        {{unwritable, "--settings", (folder / "full.ini").string()}, 1, {unwritable}},
    };
    for (const auto& c : cases) {
        const CommandRun run = Snapshot(c.args);
        EXPECT_EQ(run.status, c.status) << run.err;
        for (const std::string& text : c.told)
            EXPECT_NE(run.err.find(text), std::string::npos) << run.err;
        EXPECT_FALSE(std::filesystem::exists(out));
    }
    const CommandRun help = Snapshot({"--help"});
    EXPECT_EQ(std::tuple(help.status, help.out.find("usage:\n       dorvane snapshot"), help.err), std::tuple(0, 0u, ""));
    // Its options are taken in any order, the rest refused.
    const struct { std::vector<std::string> args; bool valid; } lines[] = {
        {{"--time", "7:05 PM", "out.png", "--skin", "Wall"}, true},
        {{"out.png", "--time=10:09:30", "--border=on", "--seconds=off", "--settings=a.ini"}, true},
        {{"--sheet", "out.png", "--border", "on"}, true},
        {{}, false}, {{"a.png", "b.png"}, false}, {{"out.png", "--time", "25:00:00"}, false},
        {{"out.png", "--seconds"}, false}, {{"out.png", "--colour", "red"}, false},
        {{"--sheet", "out.png", "--skin", "Wall"}, false}, // the sheet shows every skin
        {{"out.png", "--scale", "1.5"}, true}, {{"--sheet", "out.png", "--scale=2"}, true},
        {{"out.png", "--scale", "0"}, false}, {{"out.png", "--scale", "twice"}, false},
    };
    for (const auto& c : lines)
        EXPECT_EQ(std::holds_alternative<SnapshotRequest>(ParseSnapshotRequest(c.args)), c.valid) << c.args.size();
}

// Where a dial is opaque the sheet holds the clock's own picture of it, drawn at the sheet's scale.
TEST_F(SnapshotCommandTest, TheSheetShowsEveryDialInItsCellAsTheClockDrawsItAtItsScaleOnAnOpaqueBackdropWithItsName)
{
    const Picture sheet = Snap({"--sheet"}, "sheet.png");
    const auto dials = SkinCatalogue::AllDials();
    for (const auto& [skin, scale] : {std::pair<std::string, std::string>("Wall", "1"), {"Chrono", "1"}, {"Wall", "2"},
                                      {"Wall", "1.5"}}) {
        const Picture scaled = scale == "1" ? sheet : Snap({"--sheet", "--scale", scale}, "sheet" + scale + ".png");
        EXPECT_EQ(scaled.width, std::lround(sheet.width * std::stod(scale))) << scale;
        const Picture face = Snap({"--time", "10:09:30", "--skin", skin, "--scale", scale});
        const int index = static_cast<int>(std::find(dials.begin(), dials.end(), skin) - dials.begin());
        const auto at = SkinSheet::FacePosition(index, face.width, face.height, std::stod(scale));
        int opaque = 0, differing = 0;
        for (int y = 0; y < face.height; ++y)
            for (int x = 0; x < face.width; ++x)
                if (face.At(x, y)[3] == 255)
                    ++opaque, differing += scaled.At(at.x + x, at.y + y) != face.At(x, y);
        EXPECT_EQ(std::pair(opaque > 10000, differing), std::pair(true, 0)) << skin << " at " << scale;
    }
    for (const Bgra& pixel : sheet.pixels)
        ASSERT_EQ(pixel[3], 255) << "a backdrop everywhere, so that the names can be read";
    // Below every face the label is written in light letters on the dark backdrop.
    for (int index = 0; index < static_cast<int>(dials.size()); ++index) {
        const auto face = SkinSheet::FacePosition(index, SkinSheet::kFaceBox, SkinSheet::kFaceBox);
        int light = 0;
        for (int y = face.y + SkinSheet::kFaceBox; y < face.y + SkinSheet::kFaceBox + 24; ++y)
            for (int x = face.x; x < face.x + SkinSheet::kFaceBox; ++x)
                light += sheet.At(x, y)[1] > 200;
        EXPECT_GT(light, 20) << index;
    }
    EXPECT_NE(Snap({"--sheet", "--settings", Put("faded.ini", "[Settings]\nAlpha=60\n")}, "faded.png"), sheet);
    EXPECT_NE(Snap({"--sheet", "--time", "4:45:00"}, "late.png"), sheet) << "the time and settings given";
}

} // namespace
} // namespace dorvane
