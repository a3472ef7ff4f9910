#include "platform/PcSpeaker.h"

#include "tests/platform/TempFolder.h"

#include <gtest/gtest.h>

#include <linux/input.h>

#include <fcntl.h>
#include <unistd.h>

#include <chrono>

namespace dorvane {
namespace {

using testing::TempFolder;

TEST(PcSpeaker, IsNotFoundWhereNoDeviceCanSoundTones)
{
    TempFolder empty;
    EXPECT_FALSE(PcSpeaker::Find(empty.path()));
    EXPECT_FALSE(PcSpeaker::Find(empty / "missing"));

    TempFolder plainFiles;
    TempFolder::Write(plainFiles / "event0", "");
    TempFolder::Write(plainFiles / "event1", std::string(64, '\0'));
    EXPECT_FALSE(PcSpeaker::Find(plainFiles.path()));
}

TEST(PcSpeaker, SoundsTheToneForItsLengthThenStopsIt)
{
    int pipeEnds[2];
    ASSERT_EQ(pipe(pipeEnds), 0);
    {
        PcSpeaker speaker(pipeEnds[1]);
        const auto start = std::chrono::steady_clock::now();
        EXPECT_TRUE(speaker.Tone(880, 40));
        EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(40));
    }
    input_event events[3] = {};
    const ssize_t got = read(pipeEnds[0], events, sizeof events);
    close(pipeEnds[0]);
    ASSERT_EQ(got, static_cast<ssize_t>(2 * sizeof(input_event)));
    EXPECT_EQ(events[0].type, EV_SND);
    EXPECT_EQ(events[0].code, SND_TONE);
    EXPECT_EQ(events[0].value, 880);
    EXPECT_EQ(events[1].type, EV_SND);
    EXPECT_EQ(events[1].code, SND_TONE);
    EXPECT_EQ(events[1].value, 0);
}

TEST(PcSpeaker, RefusedToneReturnsAtOnce)
{
    PcSpeaker speaker(open("/dev/null", O_RDONLY | O_CLOEXEC));
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(speaker.Tone(880, 500));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(400));
}

} // namespace
} // namespace dorvane
