// One alarm end to end: the real program, started a few seconds before a daily alarm on a faked
// clock, rings it through the real sound server and shows its pop-up, whose close picture is
// clicked with the real mouse; the alarm stays armed in the settings file afterwards.

#include "tests/support/ClockProcess.h"
#include "tests/support/PulseRecording.h"
#include "tests/support/SignalAnalysis.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <string>
#include <thread>

namespace dorvane {
namespace {

using namespace testing::SignalAnalysis;
using testing::PulseRecording;
using testing::TempFolder;
using namespace testing;
using AlarmEndToEnd = ClockProcessTest;

TEST_F(AlarmEndToEnd, ADailyAlarmRingsShowsItsPopupAndStaysArmedAfterClosing)
{
    TempFolder folder;
    const auto settings = folder / "ClockSettings.ini";
    TempFolder::Write(settings, "[Settings]\nX=300\nY=200\nActivateChime=0\n[Alarm0]\nAlarmActivated=1\nAlarmHour=7\n"
                                "AlarmMin=05\nAlarmAMPM=AM\nAlarmMessage=Wake up, the tea is ready\n");
    const pid_t clock = StartClock(library, settings.string(), "@" + Output("date '+%F 07:04:57'"));
    const std::string popup = AwaitWindow("^Dorvane $", false);
    std::this_thread::sleep_for(std::chrono::seconds(6)); // four rings, one a second
    const std::vector<int16_t> heard = recording->Stop();
    EXPECT_FALSE(popup.empty()) << "no pop-up appeared";

    // Four rings of four 120 ms tones at 2000 Hz, after the two 100 ms tones of the start signal.
    // The start signal is the first sound of a new stream, whose first milliseconds the sink's
    // monitor may miss, so its tones may be heard shorter.
    int ringTones = 0, startTones = 0, others = 0;
    const auto bursts = FindBursts(heard, 1000, PulseRecording::kRate / 100);
    SCOPED_TRACE(Describe(bursts, PulseRecording::kRate));
    for (const auto& burst : bursts) {
        const auto tone = std::span<const int16_t>(heard).subspan(burst.start, burst.length());
        const double ms = Milliseconds(burst.length(), PulseRecording::kRate);
        EXPECT_NEAR(ZeroCrossingFrequency(tone, PulseRecording::kRate), 2000, 20);
        if (std::abs(ms - 120) <= 10)
            ++ringTones;
        else if (ringTones == 0 && ms >= 50 && ms <= 110)
            ++startTones;
        else
            ++others;
    }
    EXPECT_EQ(ringTones, 16);
    EXPECT_LE(startTones, 2);
    EXPECT_EQ(others, 0);

    if (!popup.empty()) {
        // The close picture is the last of the three at the pop-up's bottom right.
        Output("eval $(xdotool getwindowgeometry --shell " + popup + ") && "
               "xdotool mousemove $((X + WIDTH - 25)) $((Y + HEIGHT - 24)) click 1");
        EXPECT_EQ(AwaitWindow("^Dorvane $", true), "gone") << "the close picture did not close the pop-up";
    }

    EXPECT_TRUE(StopClock(clock));
    const std::string saved = TempFolder::Read(settings);
    EXPECT_NE(saved.find("\nAlpha=179\n"), std::string::npos) << "the clock did not save its settings:\n" << saved;
    EXPECT_NE(saved.find("[Alarm0]\nAlarmActivated=1\n"), std::string::npos) << saved;
    EXPECT_NE(saved.find("AlarmMessage=Wake up, the tea is ready\n"), std::string::npos) << saved;
}

// The computer sleeps over the alarm: the faked clock steps from 7:04:50 to 7:08:00 while the
// program runs, and the alarm, three minutes late, rings once after the step and pops up.
TEST_F(AlarmEndToEnd, AnAlarmTheClockJumpedOverRingsOnceAfterTheJumpAndPopsUp)
{
    TempFolder folder;
    const auto settings = folder / "ClockSettings.ini", timeFile = folder / "faketime";
    TempFolder::Write(settings, "[Settings]\nX=300\nY=200\nActivateChime=0\n[Alarm0]\nAlarmActivated=1\nAlarmHour=7\n"
                                "AlarmMin=05\nAlarmAMPM=AM\nAlarmMessage=Wake up, the tea is ready\n");
    const std::string today = Output("date '+%F'");
    const pid_t clock = StartSteppableClock(library, settings.string(), "@" + today + " 07:04:50", timeFile.string());
    const ClockGuard guard{clock};
    const std::string shown = Output("for i in $(seq 100); do xdotool search --onlyvisible --pid " + std::to_string(clock) +
                                     " >/dev/null 2>&1 && echo y && break; sleep 0.1; done");
    std::this_thread::sleep_for(std::chrono::seconds(2));
    const bool poppedBeforeJump = !Output("xdotool search --onlyvisible --name '^Dorvane $' 2>/dev/null").empty();
    TempFolder::Write(timeFile, "@" + today + " 07:08:00\n");
    const std::string popup = AwaitWindow("^Dorvane $", false);
    std::this_thread::sleep_for(std::chrono::seconds(6)); // four rings, one a second
    const auto bursts = FindBursts(recording->Stop(), 1000, PulseRecording::kRate / 100);

    EXPECT_EQ(shown, "y") << "the clock did not show";
    EXPECT_FALSE(poppedBeforeJump);
    EXPECT_FALSE(popup.empty()) << "no pop-up appeared after the jump";
    EXPECT_EQ(std::ranges::count_if(bursts, [](const auto& burst) {
                  return std::abs(Milliseconds(burst.length(), PulseRecording::kRate) - 120) <= 10;
              }),
              16)
        << "four rings of four tones, once";
    EXPECT_TRUE(StopClock(clock));
}

} // namespace
} // namespace dorvane
