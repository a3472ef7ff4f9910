#include "clock/commands/ImageCommand.h"
#include "image/c32bppDIB.h"
#include "tests/support/CommandFixture.h"
#include "tests/support/ImageTestSupport.h"
#include "tests/support/PictureBuilders.h"
#include "tests/support/PngBuilder.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace dorvane {
namespace {

using namespace testing;

CommandRun Command(std::vector<std::string> args)
{
    std::ostringstream out, err;
    return {RunImageCommand(args, out, err), out.str(), err.str()};
}

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
    EXPECT_EQ(std::pair(info.status, info.out), std::pair(0, std::string("width 5\nheight 3\nImageType 1\nAlpha False\n")));
}

TEST_F(ImageCommandTest, FailsWithAOneLineReasonThatTellsWhyADamagedPictureCannotBeLoaded)
{
    Bytes truncatedBmp = Bmp32(5, 3, {1, 2, 3, 255});
    truncatedBmp.resize(truncatedBmp.size() - 10);
    Bytes badGif = OpaqueGif();
    badGif[kOpaqueGifCodeSizeAt] = 12; // beyond the 8 bits a GIF pixel can have
    badGif.resize(64, 0);              // long enough to be tried as a picture
    const struct { const char* name; Bytes file; std::string reason; } cases[] = {
        {"junk", Bytes(100, 'j'), ""}, {"tiny", Bytes(10, 'j'), ""}, {"missing", {}, ""},
        {"short.bmp", truncatedBmp, "BMP: pixel data ends early"},
        {"code-size.gif", badGif, "GIF: the image descriptor is damaged"},
    };
    for (const auto& c : cases) {
        const std::string path = c.file.empty() ? (folder / c.name).string() : Put(c.name, c.file);
        const CommandRun run = Command({"decode", path, raw});
        EXPECT_EQ(run.status, 1) << c.name;
        EXPECT_EQ(run.err.rfind("dorvane image: cannot load " + path + ": " + c.reason, 0), 0u) << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
        EXPECT_FALSE(std::filesystem::exists(raw));
    }
}

TEST_F(ImageCommandTest, ConvertRendersThePictureAsTheClockDrawsAHandAndRefusesAFolderAsItsOutput)
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
    const CommandRun toFolder = Command({"convert", in, folder.path().string()});
    EXPECT_EQ(std::pair(toFolder.status, toFolder.err),
              std::pair(1, "dorvane image: " + folder.path().string() + " is a folder, not a file\n"));
}

TEST_F(ImageCommandTest, AWrongCommandLineSaysWhatIsWrongInOneLineAboveTheUsage)
{
    const struct { std::vector<std::string> args; std::string said; } cases[] = {
        {{}, "name what to do"}, {{"decode", "only-one"}, "decode needs IN and OUT"},
        {{"info", "a", "b"}, "info takes IN only: \"b\" is one too many"}, {{"paint", "a"}, "unknown image command \"paint\""},
        {{"convert", "in.png"}, "convert needs IN and OUT.png"},
        {{"convert", "in.png", "out.png", "--size", "0x5"}, "--size needs WxH"},
        {{"convert", "in.png", "out.png", "--size", "12"}, "not \"12\""},
        {{"convert", "in.png", "out.png", "--angle", "nan"}, "--angle needs a number of degrees, not \"nan\""},
        {{"convert", "in.png", "out.png", "--angle"}, "--angle needs a value"},
        {{"convert", "in.png", "out.png", "--hq", "maybe"}, "--hq takes on or off, not \"maybe\""},
        {{"convert", "in.png", "out.png", "--opacity", "x"}, "--opacity needs a whole number of percent, not \"x\""},
        {{"convert", "in.png", "out.png", "--colour", "red"}, "unknown option --colour"}};
    for (const auto& c : cases) {
        const CommandRun run = Command(c.args);
        EXPECT_EQ(run.status, 2) << c.said;
        EXPECT_TRUE(run.err.starts_with("dorvane image: ") && run.err.find(c.said) < run.err.find('\n')) << run.err;
        EXPECT_NE(run.err.find("\nusage:\n       dorvane image decode"), std::string::npos) << run.err;
    }
}

} // namespace
} // namespace dorvane
