#include "platform/win32/WindowsSoundOutput.h"
#include "tests/support/WavBytes.h"

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <mutex>
#include <sstream>
#include <thread>
#include <windows.h>
#include <mmsystem.h>

namespace dorvane {
namespace {

using namespace std::chrono_literals;
using testing::SineWav;
using Calls = std::vector<std::pair<uint8_t, uint32_t>>;
constexpr uint32_t kFromMemory = SND_MEMORY | SND_NODEFAULT;
constexpr uint32_t kAsync = kFromMemory | SND_ASYNC;

// The sound system as the output calls it, noting each call by the first sample of the sound (0
// for a stop) and its flags, and holding the first call until the test lets it go.
struct FakeSystem {
    std::mutex mutex;
    Calls calls; // the sound, and the flags
    std::atomic<int> entered = 0;
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();

    WindowsSoundOutput::SystemCalls System()
    {
        return {[this](const void* sound, uint32_t flags) {
                    ++entered;
                    released.wait();
                    std::lock_guard lock(mutex);
                    calls.emplace_back(sound ? static_cast<const uint8_t*>(sound)[44] : 0, flags);
                    return true;
                },
                [](int, int) { return true; },
                {}};
    }
    std::size_t Count()
    {
        std::lock_guard lock(mutex);
        return calls.size();
    }
};

// A sound of 8-bit samples that tells itself apart by its samples' value.
std::vector<uint8_t> Sound(uint8_t mark, double seconds)
{
    auto wav = SineWav(8000, 1, 0, seconds, 0);
    std::fill(wav.begin() + 44, wav.end(), mark);
    return wav;
}

// The caller never waits for the device: three sounds are handed over while it is still busy
// starting the first. A new sound cuts off the playing and queued ones; a queued one waits for the one before.
TEST(WindowsSoundOutput, ReturnsWhileTheDeviceIsBusyCutsOffForANewSoundAndQueuesAfterTheSoundBefore)
{
    FakeSystem system;
    std::ostringstream diagnostics;
    WindowsSoundOutput output(diagnostics, system.System());
    output.QueueWav(Sound(1, 60)); // far longer than the test
    while (system.entered == 0)
        std::this_thread::yield();
    output.QueueWav(Sound(2, 0.01));
    output.PlayWavAsync(Sound(3, 0.01));
    output.QueueWav(Sound(4, 0.01));
    EXPECT_EQ(system.Count(), 0u) << "returned before the device was let go";
    system.release.set_value();
    while (system.Count() < 3)
        std::this_thread::yield();
    output.PlayWavSync(Sound(5, 0.01));
    EXPECT_EQ(system.calls, (Calls{{1, kAsync}, {3, kAsync}, {4, kAsync | SND_NOSTOP}, {5, kFromMemory | SND_SYNC}}));
    EXPECT_EQ(diagnostics.str(), "");
}

TEST(WindowsSoundOutput, MeasuresASoundByItsFormatAndTheSamplesItHas)
{
    auto cutShort = Sound(1, 1.0);
    cutShort.resize(44 + 2000);
    const struct { std::vector<uint8_t> wav; WindowsSoundOutput::Clock::duration length; } rows[] = {
        {Sound(1, 0.5), 500ms},
        {SineWav(44100, 2, 440, 2.0, 1000), 2s},
        {cutShort, 125ms},
        {{'R', 'I', 'F', 'F', 0, 0, 0, 0, 'A', 'V', 'I', ' '}, 0s},
        {{}, 0s},
    };
    for (const auto& row : rows)
        EXPECT_EQ(std::chrono::round<std::chrono::milliseconds>(WindowsSoundOutput::LengthOf(row.wav)), row.length);
}

} // namespace
} // namespace dorvane
