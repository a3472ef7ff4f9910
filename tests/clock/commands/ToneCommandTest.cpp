#include "clock/commands/ToneCommand.h"
#include "clock/state/ClockState.h"
#include "tests/support/CommandFixture.h"
#include "tests/support/Fakes.h"
#include "tests/support/ImageOf.h"
#include "tests/support/TempFolder.h"
#include "tones/RecordedChime.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace dorvane {
namespace {

using namespace testing;

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

// Words that are no tone, or out of range rather than wrapped or clamped, are refused with a reason
// above the usage; an unwritable file with the system's reason; nothing is played.
TEST_F(RunToneCommandTest, ReportsBadWordsAToneTooLongAndAnUnwritableFileWithoutPlaying)
{
    TempFolder::Write(folder / "plain", "x");
    const struct { Words words; int exitCode; std::string said; } cases[] = {
        {{"loud"}, 2, "\"loud\" is not a frequency in Hz\nusage:\n       dorvane tone FREQ"},
        {{"440", "880"}, 2, "one frequency only: \"880\" is one too many\nusage:"},
        {{"2000", "--seconds", "1e9"}, 2, "--seconds needs a number above 0 and at most 3600\nusage:"},
        {{"2000", "--volume", "-1"}, 2, "--volume needs a number from 0 to 32767\nusage:"},
        {{"2000", "--wave", "9"}, 2, "--wave needs a whole number from 0 to 5\nusage:"},
        {{"2000", "--seconds", "601"}, 2, "--seconds: a tone is played for 600 seconds at most; write a longer"},
        {{"2000", "--out", folder.path().string()}, 1, "dorvane tone: " + folder.path().string() + " is a folder"},
        {{"--chime", "--out", folder.path().string()}, 1, " is a folder, not a file\n"},
        {{"2000", "--out", (folder / "plain" / "tone.wav").string()}, 1, "tone.wav: "}, // with the reason
        {{}, 2, "usage:"}, {{"--chime", "440"}, 2, "usage:"}, {{"9e99"}, 2, "usage:"}, {{"440", "--volume"}, 2, "usage:"},
        {{"440", "--wave", "1e20"}, 2, "usage:"}, {{"440", "--loud"}, 2, "usage:"}, {{"440", "--volume", "32768"}, 2, "usage:"},
        {{"440", "--volume", "nan"}, 2, "usage:"}, {{"440", "--wave", "-1"}, 2, "usage:"}, {{"440", "--seconds", "0"}, 2, "usage:"},
        {{"440", "--seconds", "-1"}, 2, "usage:"}, {{"440", "--seconds", "3601"}, 2, "usage:"},
        {{"440", "--seconds", "nan"}, 2, "usage:"},
    };
    for (const auto& c : cases) {
        err.str("");
        EXPECT_EQ(Run(c.words), c.exitCode) << ::testing::PrintToString(c.words);
        EXPECT_NE(err.str().find(c.said), std::string::npos) << err.str();
    }
    EXPECT_TRUE(sound.played.empty());
}

} // namespace
} // namespace dorvane
