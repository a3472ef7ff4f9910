#include "clock/commands/CommandLine.h"
#include "clock/commands/ImageCommand.h"
#include "clock/commands/SettingsCommand.h"
#include "clock/commands/SimulateCommand.h"
#include "clock/commands/SnapshotCommand.h"
#include "clock/commands/ToneCommand.h"
#include "clock/face/SkinCatalogue.h"
#include "clock/face/SkinSheet.h"
#include "image/c32bppDIB.h"
#include "tests/support/FakeScreen.h"
#include "tests/support/FakeTimeSource.h"
#include "tests/support/ImageOf.h"
#include "tests/support/ImageTestSupport.h"
#include "tests/support/PictureBuilders.h"
#include "tests/support/PngBuilder.h"
#include "tests/support/RecordingSoundOutput.h"
#include "tests/support/TempFolder.h"
#include "tones/RecordedChime.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <sstream>
#include <vector>

namespace dorvane {
namespace {

using namespace testing;
using Words = std::vector<std::string>;

TEST(CommandLine, SplitsKnownOptionsWithTheirValuesFromOperandsAndRefusesTheRest)
{
    // The error, empty when the words parse, and what was parsed.
    const struct { Words words; std::string error; bool flag; std::optional<std::string> out; Words operands; } cases[] = {
        {{}, "", false, std::nullopt, {}},
        {{"in", "--out", "a.png", "-750", "--flag"}, "", true, "a.png", {"in", "-750"}},
        {{"--out=a=b", "--out", "--flag"}, "", false, "--flag", {}}, // the last value counts, whatever it looks like
        {{"--out="}, "", false, "", {}},
        {{"-h", "x=y"}, "", false, std::nullopt, {"x=y"}},
        {{"in", "--out"}, "--out needs a value", false, std::nullopt, {}},
        {{"--flag=on"}, "--flag takes no value", false, std::nullopt, {}},
        {{"in", "--colour", "red"}, "unknown option --colour", false, std::nullopt, {}},
        {{"--colour=red"}, "unknown option --colour", false, std::nullopt, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.words));
        const auto line = CommandLine::Parse(c.words, OptionNames{{"--flag", "-h"}, {"--out"}});
        ASSERT_EQ(line.ok() ? "" : line.error(), c.error);
        if (!line)
            continue;
        EXPECT_EQ(line.value().Has("--flag"), c.flag);
        EXPECT_EQ(line.value().Value("--out"), c.out);
        EXPECT_EQ(line.value().Operands(), c.operands);
    }
}

TEST(SettingsCommand, PrintsTheEffectiveSettingsWithoutTouchingAnyFileAndSaysWhenItCannotBeRead)
{
    TempFolder folder;
    TempFolder::Write(folder / "a.ini", "[Settings]\nX=12\nY=34\nUnmovable=2\n");
    const struct { std::filesystem::path file; std::string shown, told; } cases[] = {
        {folder / "none.ini", "Skin=<Default>\nComputerSpeaker=0\nFreqVol=16250\nX=1110\nY=20\n", ""},
        {folder / "a.ini", "X=12\nY=34\nUnmovable=1\n", ""},
        {folder.path(), "[Settings]\nSkin=<Default>\n", "default settings"}}; // a folder, not a file
    for (const auto& c : cases) {
        std::ostringstream out, err;
        EXPECT_TRUE(RunSettingsCommand(c.file, testing::FakeScreen(), out, err) == 0 || !c.told.empty());
        EXPECT_NE(out.str().find(c.shown), std::string::npos) << out.str();
        EXPECT_TRUE(out.str().ends_with("[Alarm6]\nAlarmActivated=0\nAlarmDate=\nAlarmHour=\nAlarmMin=00\n"
                                        "AlarmAMPM=AM\nAlarmMessage=\nAlarmExec=\n"));
        EXPECT_EQ(err.str().empty(), c.told.empty()) << err.str();
        EXPECT_NE(err.str().find(c.told), std::string::npos) << err.str();
    }
    EXPECT_FALSE(std::filesystem::exists(folder / "none.ini"));
}

Words Simulate(const std::string& settings, const char* from, int64_t seconds)
{
    TempFolder folder;
    TempFolder::Write(folder / "ClockSettings.ini", settings);
    std::ostringstream out, err;
    EXPECT_EQ(RunSimulateCommand({folder / "ClockSettings.ini", *ParseSimulationStart(from), seconds}, testing::FakeScreen(),
                                 out, err), 0);
    EXPECT_EQ(err.str(), "");
    Words lines;
    std::istringstream in(out.str());
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

TEST(SimulateCommand, PrintsTicksRingsLaunchPopUpAndNumberedChimeStrokesAcrossMidnight)
{
    const Words lines = Simulate("[Settings]\r\nActivateTick=1\r\n[Alarm0]\r\nAlarmActivated=1\r\nAlarmHour=12\r\n"
                                 "AlarmMin=00\r\nAlarmAMPM=AM\r\nAlarmMessage=Wake \"up\"\r\nAlarmExec=/usr/bin/foo\r\n",
                                 "2026-12-06 23:59:59", 4);
    const std::string midnight = "2026-12-07 00:00:0", tick = " tick 7000Hz 50ms", tone = "0 tone 2000Hz 120ms";
    EXPECT_EQ(lines, (Words{"2026-12-06 23:59:59" + tick, midnight + "0" + tick, midnight + tone, midnight + tone,
                            midnight + tone, midnight + tone, midnight + "0 launch \"/usr/bin/foo\"",
                            midnight + "0 popup slot 0 \"Wake \\\"up\\\"\"", midnight + "0 chime stroke 1 BigBen",
                            midnight + "1" + tick, midnight + "1" + tick, midnight + "2" + tick,
                            midnight + "2 chime stroke 2 BigBen"}));
    EXPECT_EQ(Simulate("[Settings]\nSelectChime=Tone\n", "2026-12-06 13:00:00", 1),
              Words{"2026-12-06 13:00:00 chime stroke 1 tone 500Hz 500ms"});
}

TEST(SimulateCommand, ReadsStartAndLength)
{
    const auto start = ParseSimulationStart("2026-12-06 07:05:09");
    ASSERT_TRUE(start.has_value());
    EXPECT_EQ(start->date, (CivilDate{2026, 12, 6}));
    EXPECT_EQ(std::tuple(start->hour, start->minute, start->second), std::tuple(7, 5, 9));
    EXPECT_TRUE(ParseSimulationStart("2026-12-06T23:00").has_value());
    for (const char* bad :
         {"", "2026-12-06", "07:05:00", "2026-13-01 07:05:00", "2026-12-06 7:05 PM", "2026-12-06 07:05:00 x"})
        EXPECT_FALSE(ParseSimulationStart(bad).has_value()) << bad;
    EXPECT_EQ(ParseSimulationLength("60"), 60);
    EXPECT_EQ(ParseSimulationLength("34560000"), kMaxSimulatedSeconds);
    for (const char* bad : {"", "0", "1.5", "60s", "34560001", "99999999999999999999"})
        EXPECT_FALSE(ParseSimulationLength(bad).has_value()) << bad;
}

struct CommandRun {
    int status;
    std::string out, err;
};

CommandRun Command(std::vector<std::string> args)
{
    std::ostringstream out, err;
    const int status = RunImageCommand(args, out, err);
    return {status, out.str(), err.str()};
}

struct CommandTest : ::testing::Test {
    std::string Put(const std::string& name, const std::string& text)
    {
        TempFolder::Write(folder / name, text);
        return (folder / name).string();
    }
    std::string Put(const std::string& name, const Bytes& bytes) { return Put(name, std::string(bytes.begin(), bytes.end())); }
    TempFolder folder;
};

struct ImageCommandTest : CommandTest {
    const std::string raw = (folder / "out.raw").string();
};

TEST_F(ImageCommandTest, DecodeWritesSizeAndPixelsTopRowFirstAndInfoPrintsSizeKindAndAlpha)
{
    const PngImage png = MakePng(2, 2, 6, 8, {255, 0, 0, 255, 0, 0, 0, 0, /* bottom */ 0, 0, 255, 255, 200, 100, 50, 128});
    const CommandRun run = Command({"decode", Put("in.png", EncodePng(png)), raw});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(TempFolder::Read(raw), std::string("\x02\0\0\0\x02\0\0\0", 8) +
                                         std::string("\0\0\xFF\xFF\0\0\0\0\xFF\0\0\xFF\x19\x32\x64\x80", 16));
    const CommandRun info = Command({"info", Put("in.bmp", Bmp32(5, 3, {1, 2, 3, 0}))});
    EXPECT_EQ(info.status, 0);
    EXPECT_EQ(info.out, "width 5\nheight 3\nImageType 1\nAlpha False\n");
}

// The file with the byte at offset after the first occurrence of marker changed by change.
Bytes Damaged(Bytes file, const Bytes& marker, std::size_t offset, std::uint8_t (*change)(std::uint8_t))
{
    const auto at = std::search(file.begin(), file.end(), marker.begin(), marker.end());
    EXPECT_GT(file.end() - at, std::ptrdiff_t(marker.size() + offset)) << "no place to damage";
    if (file.end() - at > std::ptrdiff_t(marker.size() + offset))
        at[std::ptrdiff_t(marker.size() + offset)] = change(at[std::ptrdiff_t(marker.size() + offset)]);
    return file;
}

TEST_F(ImageCommandTest, FailsWithAOneLineReasonThatTellsWhyADamagedPictureCannotBeLoaded)
{
    for (const std::string name : {"junk", "tiny", "missing"}) {
        if (name != "missing")
            Put(name, Bytes(name == "junk" ? 100 : 10, 'j'));
        const CommandRun run = Command({"decode", (folder / name).string(), raw});
        EXPECT_EQ(run.status, 1) << name;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
        EXPECT_FALSE(std::filesystem::exists(raw));
    }
    Bytes truncatedBmp = Bmp32(5, 3, {1, 2, 3, 255});
    truncatedBmp.resize(truncatedBmp.size() - 10);
    Bytes badGif = OpaqueGif();
    badGif[kOpaqueGifCodeSizeAt] = 12; // beyond the 8 bits a GIF pixel can have
    badGif.resize(64, 0);              // long enough to be tried as a picture
    // A JPEG's frame header: the marker, then length, precision, height and width, two bytes each
    // but the precision; offset 6 is the width's low byte.
    const Bytes frameHeader = {0xFF, 0xC0};
    const struct { const char* name; Bytes file; std::string reason; } cases[] = {
        {"crc.png", Damaged(EncodePng(MakePng(8, 8, 0, 8, std::vector<std::uint16_t>(64, 9))), Bytes{'I', 'D', 'A', 'T'}, 0,
                            [](std::uint8_t b) { return std::uint8_t(b ^ 0xFF); }),
         "PNG: CRC mismatch in IDAT"},
        {"short.bmp", truncatedBmp, "BMP: pixel data ends early"},
        {"code-size.gif", badGif, "GIF: the image descriptor is damaged"},
        {"no-width.jpg", Damaged(JpegFile(8, 8, 1, 2, 3), frameHeader, 6, [](std::uint8_t) { return std::uint8_t(0); }),
         "JPEG: header cannot be read"},
    };
    for (const auto& c : cases) {
        const std::string path = Put(c.name, c.file);
        const CommandRun run = Command({"info", path});
        EXPECT_EQ(run.status, 1) << c.name;
        EXPECT_EQ(run.err.rfind("dorvane image: cannot load " + path + ": " + c.reason, 0), 0u) << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    }
}

TEST_F(ImageCommandTest, ConvertRendersThePictureAsTheClockDrawsAHandAndAWrongCommandLineShowsTheUsage)
{
    PngImage image = MakePng(4, 2, 6, 8, {});
    using U = std::uint16_t;
    for (int i = 0; i < 8; ++i) // left half red, right half blue, all opaque
        image.samples.insert(image.samples.end(), {U(i % 4 < 2 ? 255 : 0), 0, U(i % 4 < 2 ? 0 : 255), 255});
    const std::string in = Put("in.png", EncodePng(image)), out = (folder / "out.png").string();
    const struct { std::vector<std::string> options; int width, height; Bgra topLeft; } cases[] = {
        {{}, 4, 2, {0, 0, 255, 255}},                {{"--angle", "180"}, 4, 2, {255, 0, 0, 255}},
        {{"--opacity", "80"}, 4, 2, {0, 0, 204, 204}}, {{"--size", "8x4", "--hq", "off"}, 8, 4, {0, 0, 255, 255}}};
    for (const auto& c : cases) {
        std::vector<std::string> args = {"convert", in, out};
        args.insert(args.end(), c.options.begin(), c.options.end());
        const CommandRun run = Command(args);
        ASSERT_EQ(run.status, 0) << run.err;
        c32bppDIB result;
        ASSERT_TRUE(result.LoadPicture_File(out));
        EXPECT_EQ(std::pair(result.Width(), result.Height()), std::pair(c.width, c.height));
        EXPECT_EQ(StoredPixel(result, 0, 0), c.topLeft) << args.size();
    }
    EXPECT_EQ(Command({"convert", (folder / "missing.png").string(), out + "2"}).status, 1);
    // A wrong command line shows the usage.
    const std::vector<std::vector<std::string>> wrong = {
        {}, {"decode", "only-one"}, {"paint", "a"}, {"convert", "in.png", "out.png", "--size", "0x5"},
        {"convert", "in.png", "out.png", "--size", "12"}, {"convert", "in.png", "out.png", "--angle", "nan"},
        {"convert", "in.png", "out.png", "--angle"}, {"convert", "in.png", "out.png", "--hq", "maybe"},
        {"convert", "in.png", "out.png", "--opacity", "x"}, {"convert", "in.png", "out.png", "--colour", "red"}};
    for (const auto& args : wrong)
        EXPECT_EQ(Command(args).status, 2) << (args.empty() ? "nothing" : args.back());
}

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
        const int status = RunSnapshotCommand(args, FakeScreen(), time, out, err);
        return {status, out.str(), err.str()};
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
    for (std::size_t i = 0; i < half.size(); ++i)
        for (int c = 0; c < 4; ++c)
            ASSERT_NEAR(half[i][c], now.pixels[i][c] * 128 / 255.0, 1.5) << "pixel " << i << " byte " << c;
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
        {{out, "--border", "maybe"}, 2, {"--border takes on or off", "usage: dorvane snapshot"}},
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
    EXPECT_EQ(std::tuple(help.status, help.out.find("usage: dorvane snapshot"), help.err), std::tuple(0, 0u, ""));
    // Its options are taken in any order, the rest refused.
    const struct { std::vector<std::string> args; bool valid; } lines[] = {
        {{"--time", "7:05 PM", "out.png", "--skin", "Wall"}, true},
        {{"out.png", "--time=10:09:30", "--border=on", "--seconds=off", "--settings=a.ini"}, true},
        {{"--sheet", "out.png", "--border", "on"}, true},
        {{}, false}, {{"a.png", "b.png"}, false}, {{"out.png", "--time", "25:00:00"}, false},
        {{"out.png", "--seconds"}, false}, {{"out.png", "--colour", "red"}, false},
        {{"--sheet", "out.png", "--skin", "Wall"}, false}, // the sheet shows every skin
    };
    for (const auto& c : lines)
        EXPECT_EQ(std::holds_alternative<SnapshotRequest>(ParseSnapshotRequest(c.args)), c.valid) << c.args.size();
}

TEST_F(SnapshotCommandTest, TheSheetShowsEveryDialInItsCellAsTheClockDrawsItOnAnOpaqueBackdropWithItsName)
{
    const Picture sheet = Snap({"--sheet"}, "sheet.png");
    const auto dials = SkinCatalogue::AllDials();
    // Where a dial is opaque the sheet holds the clock's own picture of it.
    for (const std::string skin : {"Wall", "Chrono"}) {
        const Picture face = Snap({"--time", "10:09:30", "--skin", skin});
        const int index = static_cast<int>(std::find(dials.begin(), dials.end(), skin) - dials.begin());
        const auto at = SkinSheet::FacePosition(index, face.width, face.height);
        int opaque = 0, differing = 0;
        for (int y = 0; y < face.height; ++y)
            for (int x = 0; x < face.width; ++x)
                if (face.At(x, y)[3] == 255)
                    ++opaque, differing += sheet.At(at.x + x, at.y + y) != face.At(x, y);
        EXPECT_GT(opaque, 10000) << skin;
        EXPECT_EQ(differing, 0) << skin;
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

TEST(ParseToneCommand, RejectsWhatIsNoTone)
{
    const Words cases[] = {{}, {"--chime", "440"}, {"440", "880"}, {"abc"}, {"9e99"}, {"440", "--volume"},
                           {"440", "--volume", "loud"}, {"440", "--wave", "1e20"}, {"440", "--loud"}};
    for (const auto& words : cases) {
        const auto line = ParseToneCommand(words);
        EXPECT_FALSE(line.ok()) << ::testing::PrintToString(words);
        EXPECT_FALSE(line.error().empty());
    }
}

struct RunToneCommandTest : CommandTest {
    int Run(const Words& words) { return RunToneCommand(words, sound, err); }
    static std::vector<uint8_t> FileBytes(const std::filesystem::path& file)
    {
        const std::string text = TempFolder::Read(file);
        return {text.begin(), text.end()};
    }
    RecordingSoundOutput sound;
    std::ostringstream err;
};

TEST_F(RunToneCommandTest, WritesTheToneOfTheOptionsGivenOrPlaysASecondOfSineAtTheClocksVolumeOrWritesOrPlaysTheChime)
{
    const auto file = folder / "tone.wav";
    EXPECT_EQ(Run({"-750", "--volume", "12345.5", "--seconds", "0.3", "--wave", "3", "--decay", "--out", file.string()}), 0);
    EXPECT_EQ(FileBytes(file), ImageOf(-750, 12345.5, 0.3f, 3, true));
    EXPECT_TRUE(sound.played.empty());
    EXPECT_EQ(err.str(), "");
    const std::vector<uint8_t> chime(RecordedChime().begin(), RecordedChime().end());
    EXPECT_EQ(Run({"2000"}), 0);
    EXPECT_EQ(Run({"--chime", "--out", (folder / "chime.wav").string()}), 0);
    EXPECT_EQ(FileBytes(folder / "chime.wav"), chime);
    EXPECT_EQ(Run({"--chime"}), 0);
    ASSERT_EQ(sound.played.size(), 2u);
    EXPECT_EQ(sound.played[0].kind, RecordingSoundOutput::Played::Kind::WavSync);
    EXPECT_EQ(sound.played[0].wav, ImageOf(2000, ClockState{}.FreqVol, 1.0f, 0, false));
    EXPECT_EQ(sound.played[1].wav, chime);
}

TEST_F(RunToneCommandTest, ReportsBadWordsAToneTooLongAndAnUnwritableFileWithoutPlaying)
{
    TempFolder::Write(folder / "plain", "x");
    const struct { Words words; int exitCode; const char* said; } cases[] = {
        {{"loud"}, 2, "unexpected word: loud\nusage:\n       dorvane tone FREQ"},
        {{"2000", "--seconds", "1e9"}, 1, "too long"},
        {{"2000", "--out", (folder / "plain" / "tone.wav").string()}, 1, "dorvane: "},
    };
    for (const auto& c : cases) {
        err.str("");
        EXPECT_EQ(Run(c.words), c.exitCode) << c.said;
        EXPECT_NE(err.str().find(c.said), std::string::npos) << err.str();
    }
    EXPECT_TRUE(sound.played.empty());
}

} // namespace
} // namespace dorvane
