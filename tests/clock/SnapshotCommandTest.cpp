#include "clock/SnapshotCommand.h"

#include "clock/SkinCatalogue.h"
#include "clock/SkinSheet.h"
#include "image/c32bppDIB.h"
#include "tests/image/ImageTestSupport.h"
#include "tests/platform/FakeScreen.h"
#include "tests/platform/FakeTimeSource.h"
#include "tests/platform/TempFolder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

namespace dorvane {
namespace {

using testing::AllPixels;
using testing::Bgra;
using testing::TempFolder;

const std::filesystem::path kArt = std::filesystem::path(DORVANE_SOURCE_DIR) / "resources/art";

struct CommandRun {
    int status;
    std::string out, err;
};

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
class SnapshotCommandTest : public ::testing::Test {
protected:
    SnapshotCommandTest() { TempFolder::Write(folder / "full.ini", "[Settings]\nAlpha=255\n"); }

    CommandRun Snapshot(std::vector<std::string> args)
    {
        std::ostringstream out, err;
        testing::FakeScreen screen;
        const int status = RunSnapshotCommand(args, screen, time, out, err);
        return {status, out.str(), err.str()};
    }
    // The picture written for the arguments, with the settings of full.ini unless others are named.
    Picture Snap(std::vector<std::string> args, const std::string& name = "out.png")
    {
        args.insert(args.begin(), (folder / name).string());
        if (std::find(args.begin(), args.end(), "--settings") == args.end())
            args.insert(args.end(), {"--settings", (folder / "full.ini").string()});
        const CommandRun run = Snapshot(args);
        EXPECT_EQ(run.status, 0) << run.err;
        return ReadPicture(folder / name);
    }
    static Picture Dial(const std::string& file) { return ReadPicture(kArt / "dials" / file); }

    TempFolder folder;
    testing::FakeTimeSource time{LocalTime{{2026, 12, 6}, 3, 0, 0, 0.25}};
};

// How much each pixel of a differs from the same pixel of b, summed over the four bytes.
std::vector<int> Change(const Picture& a, const Picture& b)
{
    const auto& pa = a.pixels;
    const auto& pb = b.pixels;
    EXPECT_EQ(pa.size(), pb.size());
    std::vector<int> change(pa.size());
    for (std::size_t i = 0; i < pa.size(); ++i)
        for (int c = 0; c < 4; ++c)
            change[i] += std::abs(pa[i][c] - pb[i][c]);
    return change;
}

TEST_F(SnapshotCommandTest, AtTwelveEveryHandPointsUp)
{
    const Picture noon = Snap({"--time", "12:00:00"});
    ASSERT_EQ(noon.width, 130);
    ASSERT_EQ(noon.height, 130);
    const std::vector<int> change = Change(noon, Dial("default.png"));
    int highest = 65, lowest = 65;
    for (int y = 0; y < 130; ++y)
        for (int x = 0; x < 130; ++x) {
            if (change[y * 130 + x] == 0)
                continue;
            // The hands, their short tails and their soft shadows lie along the 12-6 line.
            EXPECT_LE(std::abs(x + 0.5 - 65), 8) << x << "," << y;
            highest = std::min(highest, y), lowest = std::max(lowest, y);
        }
    EXPECT_LT(highest, 65 - 50) << "the minute and second hands reach up close to the rim";
    EXPECT_LT(lowest, 65 + 20) << "below the pivot only the tails";
}

TEST_F(SnapshotCommandTest, HandsFollowTheTime)
{
    // At 3:00:00 with the seconds hidden the hands make a right angle: the minute hand up, the hour
    // hand to the right; nothing reaches to the left or down.
    const Picture three = Snap({"--time", "3:00:00", "--seconds", "off"});
    const std::vector<int> change = Change(three, Dial("default.png"));
    double up = 0, right = 0, elsewhere = 0;
    for (int y = 0; y < 130; ++y)
        for (int x = 0; x < 130; ++x) {
            const double dx = x + 0.5 - 65, dy = y + 0.5 - 65;
            const int amount = change[y * 130 + x];
            if (std::hypot(dx, dy) < 20)
                continue;  // the pivot, the tails and the shadows around them
            (dy < -20 && std::abs(dx) < 8 ? up : dx > 20 && std::abs(dy) < 8 ? right : elsewhere) += amount;
        }
    EXPECT_GT(up, 0);
    EXPECT_GT(right, 0);
    EXPECT_LT(elsewhere, (up + right) / 100) << "no more than the edge of a shadow";
}

TEST_F(SnapshotCommandTest, WithoutATimeShowsTheClockNow)
{
    const Picture now = Snap({}, "now.png");
    EXPECT_EQ(now, Snap({"--time", "3:00:00"}, "three.png"));
    EXPECT_NE(now, Snap({"--time", "3:00:01"}, "later.png"));
}

TEST_F(SnapshotCommandTest, TheSettingsAlphaFadesThePictureAsTheWindowShowsIt)
{
    TempFolder::Write(folder / "half.ini", "[Settings]\nAlpha=128\n");
    const auto full = Snap({"--time", "10:09:30"}, "full.png").pixels;
    const auto half = Snap({"--time", "10:09:30", "--settings", (folder / "half.ini").string()}, "half.png").pixels;
    ASSERT_EQ(full.size(), half.size());
    for (std::size_t i = 0; i < full.size(); ++i)
        for (int c = 0; c < 4; ++c)
            ASSERT_NEAR(half[i][c], full[i][c] * 128 / 255.0, 1.5) << "pixel " << i << " byte " << c;
}

TEST_F(SnapshotCommandTest, TheSecondHandAndTheBorderRingComeAndGoWithTheirOptions)
{
    // At 12:00:30 the second hand points down, where the hour and minute hands do not go.
    const Picture dial = Dial("default.png");
    const auto belowPivot = [&](const Picture& picture) {
        int change = 0;
        const std::vector<int> changes = Change(picture, dial);
        for (int y = 90; y < 130; ++y)
            for (int x = 0; x < 130; ++x)
                change += changes[y * 130 + x];
        return change;
    };
    EXPECT_GT(belowPivot(Snap({"--time", "12:00:30", "--seconds", "on"}, "on.png")), 0);
    EXPECT_EQ(belowPivot(Snap({"--time", "12:00:30", "--seconds", "off"}, "off.png")), 0);

    const Picture withRing = Snap({"--time", "12:00:30", "--border", "on"}, "ring.png");
    const Picture withoutRing = Snap({"--time", "12:00:30", "--border", "off"}, "noring.png");
    // The ring lies at the rim, at 9 o'clock as everywhere else.
    EXPECT_NE(withRing.At(3, 65), withoutRing.At(3, 65));
    EXPECT_EQ(withRing.At(40, 65), withoutRing.At(40, 65)) << "the middle of the dial stays";
}

TEST_F(SnapshotCommandTest, OptionsOverrideTheSettingsFile)
{
    TempFolder::Write(folder / "wall.ini", "[Settings]\nSkin=Wall\nAlpha=255\nShowSeconds=0\nShowBorder=1\n");
    const std::string wall = (folder / "wall.ini").string();
    const Picture fromFile = Snap({"--time", "12:00:30", "--settings", wall}, "file.png");
    EXPECT_EQ(fromFile.width, 129);
    EXPECT_EQ(fromFile.height, 128);
    const Picture overridden = Snap(
        {"--time", "12:00:30", "--settings", wall, "--skin", "black", "--seconds", "on", "--border", "off"}, "o.png");
    EXPECT_EQ(overridden.width, 130);
    EXPECT_EQ(overridden, Snap({"--time", "12:00:30", "--skin", "Black"}, "black.png"));
}

TEST_F(SnapshotCommandTest, EveryDialIsWrittenAtItsOwnSize)
{
    const std::vector<std::tuple<std::string, int, int>> sizes = {
        {"<default>", 130, 130}, {"Blue", 129, 129}, {"Wall", 129, 128}, {"Aero", 129, 129},
        {"ROLEX1", 131, 131},    {"chrono", 130, 130}, {"GLASSGOLD", 130, 130},
    };
    for (const auto& [skin, width, height] : sizes) {
        SCOPED_TRACE(skin);
        const Picture picture = Snap({"--skin", skin});
        EXPECT_EQ(picture.width, width);
        EXPECT_EQ(picture.height, height);
        EXPECT_EQ(picture.At(0, 0), (Bgra{0, 0, 0, 0})) << "the corners stay transparent";
    }
}

TEST_F(SnapshotCommandTest, AnUnknownSkinOnTheCommandLineIsRefusedWithTheList)
{
    const CommandRun run = Snapshot({(folder / "out.png").string(), "--skin", "Marble"});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("no skin named \"Marble\""), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("GlassGradient1"), std::string::npos) << run.err;
    EXPECT_FALSE(std::filesystem::exists(folder / "out.png"));
}

TEST_F(SnapshotCommandTest, AnUnknownSkinInTheSettingsShowsTheDefaultDialAsTheClockDoes)
{
    TempFolder::Write(folder / "marble.ini", "[Settings]\nSkin=Marble\nAlpha=255\n");
    const std::string marble = (folder / "marble.ini").string();
    const CommandRun run = Snapshot({(folder / "m.png").string(), "--settings", marble, "--time", "10:09:30"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.err.find("Marble"), std::string::npos) << "the fallback is told: " << run.err;
    EXPECT_EQ(ReadPicture(folder / "m.png"), Snap({"--time", "10:09:30", "--skin", "<Default>"}));
}

TEST_F(SnapshotCommandTest, AFileThatCannotBeWrittenIsReported)
{
    // A folder cannot be made inside a file.
    TempFolder::Write(folder / "plain-file", "text");
    const auto output = folder / "plain-file" / "out.png";
    const CommandRun run = Snapshot({output.string(), "--settings", (folder / "full.ini").string()});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find(output.string()), std::string::npos) << run.err;
}

struct ParseCase {
    std::vector<std::string> args;
    bool valid;
};

TEST(SnapshotCommandLine, AcceptsItsOptionsInAnyOrderAndRefusesTheRest)
{
    const ParseCase cases[] = {
        {{"out.png"}, true},
        {{"--time", "7:05 PM", "out.png", "--skin", "Wall"}, true},
        {{"out.png", "--time=10:09:30", "--border=on", "--seconds=off", "--settings=a.ini"}, true},
        {{"--sheet", "out.png", "--border", "on"}, true},
        {{}, false},                                     // no file to write
        {{"a.png", "b.png"}, false},                     // two of them
        {{"out.png", "--time", "25:00:00"}, false},      // not a time of day
        {{"out.png", "--time", "noon"}, false},
        {{"out.png", "--border", "yes"}, false},         // on or off only
        {{"out.png", "--seconds"}, false},               // a value is missing
        {{"out.png", "--colour", "red"}, false},         // no such option
        {{"--sheet", "out.png", "--skin", "Wall"}, false},  // the sheet shows every skin
    };
    for (const auto& c : cases) {
        std::string joined;
        for (const auto& word : c.args)
            joined += word + " ";
        SCOPED_TRACE(joined);
        const auto parsed = ParseSnapshotRequest(c.args);
        EXPECT_EQ(std::holds_alternative<SnapshotRequest>(parsed), c.valid);
    }
}

TEST(SnapshotCommandLine, ReadsTheValues)
{
    const std::vector<std::string> args = {"--time", "7:05:09 PM", "out.png", "--skin", "Wall", "--border", "off",
                                           "--settings", "my.ini"};
    const auto parsed = ParseSnapshotRequest(args);
    ASSERT_TRUE(std::holds_alternative<SnapshotRequest>(parsed)) << std::get<std::string>(parsed);
    const SnapshotRequest& request = std::get<SnapshotRequest>(parsed);
    EXPECT_EQ(request.output, "out.png");
    EXPECT_EQ(request.skin, "Wall");
    EXPECT_EQ(request.time, (TimeOfDay{19, 5, 9}));
    EXPECT_EQ(request.showBorder, false);
    EXPECT_EQ(request.showSeconds, std::nullopt);
    EXPECT_EQ(request.settingsFile, "my.ini");
    EXPECT_FALSE(request.sheet);
}

TEST_F(SnapshotCommandTest, AWrongCommandLineGivesTheUsage)
{
    const CommandRun run = Snapshot({"out.png", "--border", "maybe"});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("--border takes on or off"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("usage: dorvane snapshot"), std::string::npos) << run.err;

    const CommandRun help = Snapshot({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("usage: dorvane snapshot"), std::string::npos);
    EXPECT_EQ(help.err, "");
}

// The sheet: every dial in its cell, at 10:09:30, at full strength.
class SkinSheetCommandTest : public SnapshotCommandTest {
protected:
    Picture Sheet(std::vector<std::string> extra = {})
    {
        std::vector<std::string> args = {"--sheet", (folder / "sheet.png").string()};
        args.insert(args.end(), extra.begin(), extra.end());
        const CommandRun run = Snapshot(args);
        EXPECT_EQ(run.status, 0) << run.err;
        return ReadPicture(folder / "sheet.png");
    }
};

TEST_F(SkinSheetCommandTest, ShowsEveryDialInItsCellAsTheClockDrawsIt)
{
    const Picture sheet = Sheet();
    const auto dials = SkinCatalogue::AllDials();
    ASSERT_EQ(dials.size(), 21u);
    // Opaque dials cover their cell completely where they are opaque, so there the sheet holds the
    // clock's own picture; compare a ring of points between the hands and the rim.
    for (const std::string skin : {"Black", "Wall", "ROLEX1", "System", "Chrono"}) {
        SCOPED_TRACE(skin);
        const Picture face = Snap({"--time", "10:09:30", "--skin", skin});
        const int index = static_cast<int>(std::find(dials.begin(), dials.end(), skin) - dials.begin());
        const auto at = SkinSheet::FacePosition(index, face.width, face.height);
        int compared = 0;
        for (int step = 0; step < 36; ++step) {
            const double angle = step * 10 * 3.14159265 / 180;
            const int x = face.width / 2 + int(std::lround(std::sin(angle) * 45));
            const int y = face.height / 2 - int(std::lround(std::cos(angle) * 45));
            if (face.At(x, y)[3] != 255)
                continue;
            EXPECT_EQ(sheet.At(at.x + x, at.y + y), face.At(x, y)) << x << "," << y;
            ++compared;
        }
        EXPECT_GT(compared, 30);
    }
}

TEST_F(SkinSheetCommandTest, IsOpaqueAndNamesEveryDial)
{
    const Picture sheet = Sheet();
    for (const Bgra& pixel : sheet.pixels)
        ASSERT_EQ(pixel[3], 255) << "a backdrop everywhere, so that the names can be read";
    // Below every face the label is written in light letters on the dark backdrop.
    for (int index = 0; index < 21; ++index) {
        SCOPED_TRACE(index);
        const auto face = SkinSheet::FacePosition(index, SkinSheet::kFaceBox, SkinSheet::kFaceBox);
        int light = 0;
        for (int y = face.y + SkinSheet::kFaceBox; y < face.y + SkinSheet::kFaceBox + 24; ++y)
            for (int x = face.x; x < face.x + SkinSheet::kFaceBox; ++x)
                light += sheet.At(x, y)[1] > 200;
        EXPECT_GT(light, 20);
    }
}

TEST_F(SkinSheetCommandTest, TakesTheSettingsFileAndTheOptionsGiven)
{
    const Picture plain = Sheet();
    TempFolder::Write(folder / "faded.ini", "[Settings]\nAlpha=60\n");
    EXPECT_NE(Sheet({"--settings", (folder / "faded.ini").string()}), plain);
    EXPECT_NE(Sheet({"--border", "on"}), plain);
    EXPECT_NE(Sheet({"--time", "4:45:00"}), plain);
    EXPECT_EQ(Sheet({"--time", "10:09:30", "--seconds", "on"}), plain);
}

} // namespace
} // namespace dorvane
