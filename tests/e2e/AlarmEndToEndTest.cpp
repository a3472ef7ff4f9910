// Alarms end to end: the real program on a faked clock, driven with the real mouse and keyboard,
// its rings recorded from the real sound server.
//  - One alarm set up through the options window: opened from the button strip, the alarm typed,
//    it rings, its pop-up is snoozed and rings again, and is closed; the daily alarm stays armed in
//    the settings file.
//  - The computer sleeps over an alarm: the clock steps from 7:04:50 to 7:08:00 while the program
//    runs, and the alarm, three minutes late, rings once after the step and pops up.

#include "tests/support/PulseRecording.h"
#include "tests/support/ShellCommand.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <utility>

namespace dorvane {
namespace {

using namespace testing;
using namespace testing::SignalAnalysis;

// What a shell line prints, without its last line break.
std::string Output(const std::string& command)
{
    std::string output = RunShell(command).output;
    return output.ends_with('\n') ? output.substr(0, output.size() - 1) : output;
}

// Waits up to the given seconds (ten by default) for a visible window whose title matches the pattern to show, or to be
// gone; says which window it is, or "gone", or "" when the time is up.
std::string AwaitWindow(const std::string& titlePattern, bool gone, int seconds = 10)
{
    return Output("for i in $(seq " + std::to_string(seconds * 10) + "); do w=$(xdotool search --onlyvisible --name '" + titlePattern + "' 2>/dev/null | head -n 1); " +
                  std::string(gone ? "[ -z \"$w\" ] && echo gone" : "[ -n \"$w\" ] && echo $w") + " && break; sleep 0.1; done");
}

// A test of the real program on the X display: it has the faketime library, an X display with xdotool
// and a recording of the sound server, or it is skipped with the reason. A clock it leaves running
// is killed at the end.
class ClockProcessTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        library = Output("ls /usr/lib/*/faketime/libfaketime.so.1 2>/dev/null | head -n 1");
        if (library.empty() || Output("command -v xdotool >/dev/null && xdpyinfo >/dev/null 2>&1 && echo y") != "y")
            GTEST_SKIP() << "needs an X display, xdotool and faketime (scripts/test-services, scripts/install-deps --test)";
        auto started = PulseRecording::Start();
        if (!started)
            GTEST_SKIP() << started.error();
        recording = std::move(started.value());
    }
    void TearDown() override
    {
        if (clock > 0 && kill(clock, 0) == 0)
            kill(clock, SIGKILL), waitpid(clock, nullptr, 0);
    }

    // Starts the clock on a settings file of settingsText, its time of day as faketime takes it
    // ("@2026-12-07 07:04:57") read from timeFile at every look: another time written there makes
    // the clock jump, as after a sleep. The monotonic clocks stay real. The library is preloaded
    // directly so that the clock keeps its own process id (for the signal that ends it).
    void StartClock(const std::string& settingsText, const std::string& fakeTime)
    {
        TempFolder::Write(settings, settingsText);
        TempFolder::Write(timeFile, fakeTime + "\n");
        clock = fork();
        if (clock == 0) {
            setenv("LD_PRELOAD", library.c_str(), 1);
            setenv("FAKETIME_TIMESTAMP_FILE", timeFile.c_str(), 1);
            setenv("FAKETIME_NO_CACHE", "1", 1);
            setenv("FAKETIME_DONT_FAKE_MONOTONIC", "1", 1);
            execl(DORVANE_EXECUTABLE, DORVANE_EXECUTABLE, "--settings", settings.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        ASSERT_GT(clock, 0) << "the clock could not be started";
    }
    // Ends the clock as the session does and returns whether it exited cleanly.
    bool StopClock()
    {
        if (clock <= 0)
            return false; // never started: kill() would take -1 for every process
        kill(clock, SIGTERM);
        int status = 0;
        waitpid(std::exchange(clock, 0), &status, 0);
        return WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }

    std::string library;
    std::unique_ptr<PulseRecording> recording;
    TempFolder folder;
    const std::filesystem::path settings = folder / "ClockSettings.ini", timeFile = folder / "faketime";
    pid_t clock = 0;
};

using Seconds = std::chrono::duration<double>;
using AlarmEndToEnd = ClockProcessTest;
using OptionsEndToEnd = ClockProcessTest;
Seconds Since(std::chrono::steady_clock::time_point start) { return std::chrono::steady_clock::now() - start; }

// x y width height of a window.
std::string Geometry(const std::string& window)
{
    return Output("eval $(xdotool getwindowgeometry --shell " + window + ") && echo $X $Y $WIDTH $HEIGHT");
}

// Moves the pointer there, lets the window see it arrive, and clicks.
void ClickAt(int x, int y)
{
    Output("xdotool mousemove " + std::to_string(x) + " " + std::to_string(y) + " && sleep 0.3 && xdotool click 1");
}

// Hovers the clock until the strip shows and clicks its options picture, the second of its three;
// the strip stands 50 twips right of the clock and below its top. On the sped-up clock the strip
// stays only 0.4 s after the pointer stops, so one xdotool run goes straight on to the picture.
std::string OpenOptionsFromStrip(const std::string& clock)
{
    int x = 0, y = 0, width = 0;
    std::istringstream(Geometry(clock)) >> x >> y >> width;
    const std::string picture = std::to_string(x + width + 3 + 13) + " " + std::to_string(y + 3 + 38);
    return Output("for i in $(seq 5); do xdotool mousemove " + std::to_string(x + 50) + " " + std::to_string(y + 50) +
                  " sleep 0.1 mousemove " + std::to_string(x + 56) + " " + std::to_string(y + 56) + " sleep 0.15 mousemove " +
                  picture + " sleep 0.05 click 1; sleep 1; w=$(xdotool search --onlyvisible --name '^Dorvane Options$') && "
                  "echo $w && break; done");
}

TEST_F(OptionsEndToEnd, AnAlarmTypedIntoTheOptionsWindowIsSavedRingsSnoozesAndStaysArmed)
{
    const auto recordingStart = std::chrono::steady_clock::now();
    StartClock("[Settings]\nX=300\nY=200\nActivateChime=0\n", "@" + Output("date '+%F 07:04:42'"));
    const std::string clockWindow = AwaitWindow("^Dorvane$", false);
    ASSERT_FALSE(clockWindow.empty()) << "the clock did not appear";

    const std::string options = OpenOptionsFromStrip(clockWindow);
    ASSERT_FALSE(options.empty()) << "the strip's options picture opened no options window";
    Output("xdotool mousemove 350 250; sleep 0.05; xdotool mousemove 356 256; sleep 0.1");
    EXPECT_EQ(Output("xdotool search --onlyvisible --name '^Dorvane$' | wc -l"), "1")
        << "while the options window is open, hovering the clock brings up no strip";
    // The keyboard starts in row 0's date: Activate, hour, minute, AM/PM, message; back to Activate.
    Output("xdotool key Tab Tab type 7 && xdotool key Tab type 05 && xdotool key Tab Tab type 'Wake up, the tea is ready' && "
           "xdotool key shift+Tab shift+Tab shift+Tab shift+Tab space && sleep 0.3 && xdotool key Escape");
    EXPECT_EQ(AwaitWindow("^Dorvane Options$", true), "gone") << "Escape did not close the options window";
    const Seconds closed = Since(recordingStart);
    const std::string saved = TempFolder::Read(settings);
    EXPECT_NE(saved.find("[Alarm0]\nAlarmActivated=1\nAlarmDate=\nAlarmHour=7\nAlarmMin=05\nAlarmAMPM=AM\n"
                         "AlarmMessage=Wake up, the tea is ready\n"), std::string::npos) << saved;

    const std::string popup = AwaitWindow("^Dorvane $", false, 40); // 7:05 comes about 18 s after the start
    ASSERT_FALSE(popup.empty()) << "no pop-up appeared";
    Output("sleep 4 && xdotool search --onlyvisible --name '^Dorvane $' >/dev/null"); // four rings, one a second
    int x = 0, y = 0, width = 0, height = 0;
    std::istringstream(Geometry(popup)) >> x >> y >> width >> height;
    ClickAt(x + width - 87, y + height - 24); // snooze, the first of the three pictures at the bottom right
    EXPECT_EQ(AwaitWindow("^Dorvane $", true), "gone") << "the snooze picture did not hide the pop-up";
    const Seconds snoozed = Since(recordingStart);
    // A snooze runs on the monotonic clock, which the faked time of day does not speed up: 180 real seconds.
    const std::string again = Output("for i in $(seq 200); do xdotool search --onlyvisible --name '^Dorvane $' && break; sleep 1; done");
    ASSERT_FALSE(again.empty()) << "the snoozed pop-up did not come back";
    Output("sleep 1");
    ClickAt(x + width - 25, y + height - 24); // close
    EXPECT_EQ(AwaitWindow("^Dorvane $", true), "gone");
    const Seconds popupClosed = Since(recordingStart);
    EXPECT_TRUE(StopClock());
    const std::vector<int16_t> heard = recording->Stop();

    // 120 ms ring tones at AlarmFreq: four rings of four at 7:05 and four after the snooze, 180 s later,
    // between the start signal and clicks (before the window closes) and the stop signal (after the
    // pop-up is closed). A stream new after a long silence may lose its first milliseconds.
    const auto bursts = FindBursts(heard, 1000, kRate / 100);
    SCOPED_TRACE(Describe(bursts, kRate));
    std::vector<Burst> rings[2];
    for (const auto& burst : bursts) {
        EXPECT_NEAR(ZeroCrossingFrequency(std::span<const int16_t>(heard).subspan(burst.start, burst.length()), kRate), 2000, 20);
        const double at = Milliseconds(burst.start, kRate) / 1000;
        if (at > closed.count() && at < popupClosed.count())
            rings[at > snoozed.count()].push_back(burst);
    }
    ASSERT_EQ(rings[0].size(), 16u);
    ASSERT_EQ(rings[1].size(), 4u);
    for (const auto& group : rings)
        for (std::size_t tone = 0; tone < group.size(); ++tone)
            EXPECT_NEAR(Milliseconds(group[tone].length(), kRate), tone == 0 ? 110 : 120, tone == 0 ? 20 : 10);
    EXPECT_NEAR(Milliseconds(rings[1].front().start, kRate) / 1000 - snoozed.count(), 180, 3)
        << "the snooze lasts 180 seconds";
    EXPECT_NE(TempFolder::Read(settings).find("[Alarm0]\nAlarmActivated=1\n"), std::string::npos) << "the daily alarm stays armed";
}

TEST_F(AlarmEndToEnd, AnAlarmTheClockJumpedOverRingsOnceAfterTheJumpAndPopsUp)
{
    const std::string today = Output("date '+%F'");
    StartClock("[Settings]\nX=300\nY=200\nActivateChime=0\n[Alarm0]\nAlarmActivated=1\nAlarmHour=7\nAlarmMin=05\n"
               "AlarmAMPM=AM\nAlarmMessage=Wake up, the tea is ready\n", "@" + today + " 07:04:50");
    const std::string shown = Output("for i in $(seq 100); do xdotool search --onlyvisible --pid " + std::to_string(clock) +
                                     " >/dev/null 2>&1 && echo y && break; sleep 0.1; done");
    std::this_thread::sleep_for(std::chrono::seconds(2));
    const bool poppedBeforeJump = !Output("xdotool search --onlyvisible --name '^Dorvane $' 2>/dev/null").empty();
    TempFolder::Write(timeFile, "@" + today + " 07:08:00\n");
    const std::string popup = AwaitWindow("^Dorvane $", false);
    std::this_thread::sleep_for(std::chrono::seconds(6)); // four rings, one a second
    const auto bursts = FindBursts(recording->Stop(), 1000, kRate / 100);

    EXPECT_EQ(shown, "y") << "the clock did not show";
    EXPECT_FALSE(poppedBeforeJump);
    EXPECT_FALSE(popup.empty()) << "no pop-up appeared after the jump";
    const auto ringTone = [](const Burst& burst) { return std::abs(Milliseconds(burst.length(), kRate) - 120) <= 10; };
    EXPECT_EQ(std::ranges::count_if(bursts, ringTone), 16) << "four rings of four tones, once";
    EXPECT_TRUE(StopClock());
}

} // namespace
} // namespace dorvane
