#include "image/ImageCommand.h"
#include "image/c32bppDIB.h"
#include "tests/image/ImageTestSupport.h"
#include "tests/image/PictureBuilders.h"
#include "tests/image/PngBuilder.h"
#include "tests/platform/TempFolder.h"

#include <gtest/gtest.h>

#include <sstream>

namespace dorvane {
namespace {

using testing::Bgra;
using testing::Bytes;

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

std::string AsText(const Bytes& bytes) { return std::string(bytes.begin(), bytes.end()); }

TEST(ImageCommand, DecodeWritesSizeAndPixelsTopRowFirst)
{
    testing::TempFolder folder;
    testing::PngImage image;
    image.width = 2, image.height = 2, image.colorType = 6, image.bitDepth = 8;
    image.samples = {255, 0, 0, 255, 0, 0, 0, 0, /* bottom */ 0, 0, 255, 255, 200, 100, 50, 128};
    testing::TempFolder::Write(folder / "in.png", AsText(testing::EncodePng(image)));
    const CommandRun run = Command({"decode", (folder / "in.png").string(), (folder / "out.raw").string()});
    EXPECT_EQ(run.status, 0) << run.err;
    const std::string expected = std::string("\x02\0\0\0\x02\0\0\0", 8) +
                                 std::string("\0\0\xFF\xFF\0\0\0\0\xFF\0\0\xFF\x19\x32\x64\x80", 16);
    EXPECT_EQ(testing::TempFolder::Read(folder / "out.raw"), expected);
}

TEST(ImageCommand, InfoPrintsSizeKindAndAlpha)
{
    testing::TempFolder folder;
    testing::TempFolder::Write(folder / "in.bmp", AsText(testing::Bmp32(5, 3, {1, 2, 3, 0})));
    const CommandRun run = Command({"info", (folder / "in.bmp").string()});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "width 5\nheight 3\nImageType 1\nAlpha False\n");
}

TEST(ImageCommand, FailsWithAOneLineReasonWhenNoPictureIsMade)
{
    testing::TempFolder folder;
    testing::TempFolder::Write(folder / "junk", std::string(100, 'j'));
    testing::TempFolder::Write(folder / "tiny", std::string(10, 'j'));
    for (const std::string name : {"junk", "tiny", "missing"}) {
        const CommandRun run = Command({"decode", (folder / name).string(), (folder / "out.raw").string()});
        EXPECT_EQ(run.status, 1) << name;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
        EXPECT_FALSE(std::filesystem::exists(folder / "out.raw"));
    }
}

TEST(ImageCommand, ConvertRendersThePictureAsTheClockDrawsAHand)
{
    testing::TempFolder folder;
    testing::PngImage image;
    image.width = 4, image.height = 2, image.colorType = 6, image.bitDepth = 8;
    for (int i = 0; i < 8; ++i)  // left half red, right half blue, all opaque
        image.samples.insert(image.samples.end(), {std::uint16_t(i % 4 < 2 ? 255 : 0), 0, std::uint16_t(i % 4 < 2 ? 0 : 255), 255});
    testing::TempFolder::Write(folder / "in.png", AsText(testing::EncodePng(image)));
    const std::string in = (folder / "in.png").string(), out = (folder / "out.png").string();
    const struct {
        std::vector<std::string> options;
        int width, height;
        Bgra topLeft;  // stored bytes
    } cases[] = {
        {{}, 4, 2, {0, 0, 255, 255}},
        {{"--angle", "180"}, 4, 2, {255, 0, 0, 255}},
        {{"--opacity", "80"}, 4, 2, {0, 0, 204, 204}},
        {{"--size", "8x4", "--hq", "off"}, 8, 4, {0, 0, 255, 255}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = {"convert", in, out};
        args.insert(args.end(), c.options.begin(), c.options.end());
        const CommandRun run = Command(args);
        ASSERT_EQ(run.status, 0) << run.err;
        c32bppDIB result;
        ASSERT_TRUE(result.LoadPicture_File(out));
        EXPECT_EQ(result.Width(), c.width);
        EXPECT_EQ(result.Height(), c.height);
        EXPECT_EQ(testing::StoredPixel(result, 0, 0), c.topLeft) << args.size();
    }
}

TEST(ImageCommand, ConvertRefusesBadOptions)
{
    for (std::vector<std::string> options : std::vector<std::vector<std::string>>{
             {"--size", "0x5"}, {"--size", "12"}, {"--angle", "nan"}, {"--angle"}, {"--hq", "maybe"}, {"--opacity", "x"},
             {"--colour", "red"}}) {
        std::vector<std::string> args = {"convert", "in.png", "out.png"};
        args.insert(args.end(), options.begin(), options.end());
        EXPECT_EQ(Command(args).status, 2) << options[0];
    }
    testing::TempFolder folder;
    EXPECT_EQ(Command({"convert", (folder / "missing.png").string(), (folder / "out.png").string()}).status, 1);
}

TEST(ImageCommand, ShowsUsageForAWrongCommandLine)
{
    EXPECT_EQ(Command({}).status, 2);
    EXPECT_EQ(Command({"decode", "only-one"}).status, 2);
    EXPECT_EQ(Command({"paint", "a"}).status, 2);
}

} // namespace
} // namespace dorvane
