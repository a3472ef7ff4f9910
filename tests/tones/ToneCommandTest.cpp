#include "tones/ToneCommand.h"

#include "tones/RecordedChime.h"
#include "tests/platform/FakeMessagePump.h"
#include "tests/platform/RecordingSoundOutput.h"
#include "tests/tones/ImageOf.h"
#include "tests/platform/TempFolder.h"
#include "tones/ToneGenerator.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

namespace dorvane {
namespace {

using testing::ImageOf;
using testing::RecordingSoundOutput;
using testing::TempFolder;
using Words = std::vector<std::string>;


std::vector<uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

TEST(ParseToneCommand, ReadsTheToneAndItsOptions)
{
    const auto line = ParseToneCommand(Words{"440", "--volume", "30000", "--seconds", "0.25", "--wave", "4",
                                             "--decay", "--out", "a.wav"});
    ASSERT_TRUE(line.ok()) << line.error();
    EXPECT_FALSE(line.value().chime);
    EXPECT_EQ(line.value().frequency, 440);
    EXPECT_EQ(line.value().volume, 30000);
    EXPECT_EQ(line.value().seconds, 0.25f);
    EXPECT_EQ(line.value().waveType, 4);
    EXPECT_TRUE(line.value().decay);
    EXPECT_EQ(line.value().out, std::filesystem::path("a.wav"));
}

TEST(ParseToneCommand, DefaultsToTheClocksVolumeForOneSecondOfPureSine)
{
    const auto line = ParseToneCommand(Words{"2000"});
    ASSERT_TRUE(line.ok());
    EXPECT_EQ(line.value().volume, ClockState{}.FreqVol);
    EXPECT_EQ(line.value().seconds, 1.0f);
    EXPECT_EQ(line.value().waveType, 0);
    EXPECT_FALSE(line.value().decay);
    EXPECT_FALSE(line.value().out);
}

TEST(ParseToneCommand, RejectsWhatIsNoTone)
{
    const Words cases[] = {
        {},
        {"--chime", "440"},
        {"440", "880"},
        {"abc"},
        {"440", "--volume"},
        {"440", "--volume", "loud"},
        {"440", "--seconds", "x"},
        {"440", "--wave", "1e20"},
        {"440", "--out"},
        {"440", "--loud"},
        {"9e99"},
    };
    for (const auto& words : cases) {
        const auto line = ParseToneCommand(words);
        EXPECT_FALSE(line.ok()) << ::testing::PrintToString(words);
        EXPECT_FALSE(line.error().empty());
    }
}

TEST(RunToneCommand, WritesTheImageTheToneGeneratorMakes)
{
    TempFolder folder;
    RecordingSoundOutput sound;
    std::ostringstream err;
    const auto file = folder / "tone.wav";
    EXPECT_EQ(RunToneCommand(Words{"-750", "--volume", "12345.5", "--seconds", "0.3", "--wave", "3", "--decay",
                                   "--out", file.string()},
                             sound, err),
              0);
    EXPECT_EQ(Bytes(TempFolder::Read(file)), ImageOf(-750, 12345.5, 0.3f, 3, true));
    EXPECT_TRUE(sound.played.empty());
    EXPECT_EQ(err.str(), "");
}

TEST(RunToneCommand, PlaysTheImageToTheEndWithoutOut)
{
    RecordingSoundOutput sound;
    std::ostringstream err;
    EXPECT_EQ(RunToneCommand(Words{"2000", "--seconds", "0.12"}, sound, err), 0);
    ASSERT_EQ(sound.played.size(), 1u);
    EXPECT_EQ(sound.played[0].kind, RecordingSoundOutput::Played::Kind::WavSync);
    EXPECT_EQ(sound.played[0].wav, ImageOf(2000, ClockState{}.FreqVol, 0.12f, 0, false));
}

TEST(RunToneCommand, WritesOrPlaysTheChime)
{
    TempFolder folder;
    RecordingSoundOutput sound;
    std::ostringstream err;
    const auto file = folder / "chime.wav";
    const std::vector<uint8_t> chime(RecordedChime().begin(), RecordedChime().end());
    EXPECT_EQ(RunToneCommand(Words{"--chime", "--out", file.string()}, sound, err), 0);
    EXPECT_EQ(Bytes(TempFolder::Read(file)), chime);
    EXPECT_EQ(RunToneCommand(Words{"--chime"}, sound, err), 0);
    ASSERT_EQ(sound.played.size(), 1u);
    EXPECT_EQ(sound.played[0].wav, chime);
}

TEST(RunToneCommand, ReportsBadWordsWithTheUsage)
{
    RecordingSoundOutput sound;
    std::ostringstream err;
    EXPECT_EQ(RunToneCommand(Words{"loud"}, sound, err), 2);
    EXPECT_NE(err.str().find("unexpected word: loud"), std::string::npos) << err.str();
    EXPECT_NE(err.str().find("dorvane tone FREQ"), std::string::npos) << err.str();
    EXPECT_TRUE(sound.played.empty());
}

TEST(RunToneCommand, ReportsAToneTooLongWithoutPlaying)
{
    RecordingSoundOutput sound;
    std::ostringstream err;
    EXPECT_EQ(RunToneCommand(Words{"2000", "--seconds", "1e9"}, sound, err), 1);
    EXPECT_NE(err.str().find("too long"), std::string::npos) << err.str();
    EXPECT_TRUE(sound.played.empty());
}

TEST(RunToneCommand, ReportsAFileThatCannotBeWritten)
{
    TempFolder folder;
    TempFolder::Write(folder / "plain", "x");
    RecordingSoundOutput sound;
    std::ostringstream err;
    EXPECT_EQ(RunToneCommand(Words{"2000", "--out", (folder / "plain" / "tone.wav").string()}, sound, err), 1);
    EXPECT_FALSE(err.str().empty());
}

} // namespace
} // namespace dorvane
