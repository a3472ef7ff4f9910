#include "platform/linux/PcSpeaker.h"

#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <linux/input.h>

#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <tuple>

namespace dorvane {
namespace {

using testing::TempFolder;
using Clock = std::chrono::steady_clock;

TEST(PcSpeaker, IsNotFoundWhereNoDeviceCanSoundTonesSoundsAToneForItsLengthAndReturnsAtOnceWhenRefused)
{
    TempFolder folder;
    EXPECT_FALSE(PcSpeaker::Find(folder / "missing"));
    EXPECT_FALSE(PcSpeaker::Find(folder.path()));
    TempFolder::Write(folder / "event0", "");
    TempFolder::Write(folder / "event1", std::string(64, '\0'));
    EXPECT_FALSE(PcSpeaker::Find(folder.path())) << "plain files";

    int pipeEnds[2];
    ASSERT_EQ(pipe(pipeEnds), 0);
    {
        PcSpeaker speaker(pipeEnds[1]);
        const auto start = Clock::now();
        EXPECT_TRUE(speaker.Tone(880, 40));
        EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(40));
    }
    input_event events[3] = {};
    const ssize_t got = read(pipeEnds[0], events, sizeof events);
    close(pipeEnds[0]);
    ASSERT_EQ(got, static_cast<ssize_t>(2 * sizeof(input_event)));
    for (int k : {0, 1})
        EXPECT_EQ(std::tuple(events[k].type, events[k].code, events[k].value), std::tuple(EV_SND, SND_TONE, k ? 0 : 880));

    PcSpeaker refusing(open("/dev/null", O_RDONLY | O_CLOEXEC));
    const auto start = Clock::now();
    EXPECT_FALSE(refusing.Tone(880, 500));
    EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(400));
}

} // namespace
} // namespace dorvane
