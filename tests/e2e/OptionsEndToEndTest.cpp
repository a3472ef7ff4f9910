// One alarm set up through the options window: the real program on a faked clock started just
// before the alarm's minute, opened from the button strip with the real mouse, the alarm typed with the real
// keyboard; it rings through the real sound server, its pop-up is snoozed and rings again, and is
// closed; the daily alarm stays armed in the settings file.

#include "tests/support/ClockProcess.h"
#include "tests/support/PulseRecording.h"
#include "tests/support/SignalAnalysis.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <sstream>
#include <string>

namespace dorvane {
namespace {

using namespace testing;
using namespace testing::SignalAnalysis;

using Seconds = std::chrono::duration<double>;
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
    TempFolder folder;
    const auto settings = folder / "ClockSettings.ini";
    TempFolder::Write(settings, "[Settings]\nX=300\nY=200\nActivateChime=0\n");
    const pid_t clock = StartClock(library, settings.string(), "@" + Output("date '+%F 07:04:42'"));
    const ClockGuard guard{clock};
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
    EXPECT_TRUE(StopClock(clock));
    const std::vector<int16_t> heard = recording->Stop();

    // 120 ms ring tones at AlarmFreq: four rings of four at 7:05 and four after the snooze, 180
    // seconds later. The start signal and the click tones come before the window closes, the
    // stop signal after the pop-up is closed. The first tone after a long silence starts a new
    // stream, whose first milliseconds the sink's monitor may miss.
    const auto bursts = FindBursts(heard, 1000, PulseRecording::kRate / 100);
    SCOPED_TRACE(Describe(bursts, PulseRecording::kRate));
    std::vector<Burst> rings[2];
    for (const auto& burst : bursts) {
        EXPECT_NEAR(ZeroCrossingFrequency(std::span<const int16_t>(heard).subspan(burst.start, burst.length()), PulseRecording::kRate), 2000, 20);
        const double at = Milliseconds(burst.start, PulseRecording::kRate) / 1000;
        if (at > closed.count() && at < popupClosed.count())
            rings[at > snoozed.count()].push_back(burst);
    }
    ASSERT_EQ(rings[0].size(), 16u);
    ASSERT_EQ(rings[1].size(), 4u);
    for (const auto& group : rings)
        for (std::size_t tone = 0; tone < group.size(); ++tone)
            EXPECT_NEAR(Milliseconds(group[tone].length(), PulseRecording::kRate), tone == 0 ? 110 : 120, tone == 0 ? 20 : 10);
    EXPECT_NEAR(Milliseconds(rings[1].front().start, PulseRecording::kRate) / 1000 - snoozed.count(), 180, 3)
        << "the snooze lasts 180 seconds";
    EXPECT_NE(TempFolder::Read(settings).find("[Alarm0]\nAlarmActivated=1\n"), std::string::npos) << "the daily alarm stays armed";
}

} // namespace
} // namespace dorvane
