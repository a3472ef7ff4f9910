#include "clock/commands/SimulateCommand.h"
#include "clock/state/ClockText.h"
#include "tests/support/CommandFixture.h"
#include "tests/support/Fakes.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <sstream>
#include <string>
#include <utility>

namespace dorvane {
namespace {

using namespace testing;

Words Simulate(const std::string& settings, const char* from, int64_t seconds, const char* sleep = nullptr)
{
    TempFolder folder;
    TempFolder::Write(folder / "ClockSettings.ini", settings);
    std::ostringstream out, err;
    const auto asleep = sleep ? ParseSimulatedSleep(sleep) : std::nullopt;
    const int status = RunSimulateCommand({folder / "ClockSettings.ini", *ParseSimulationStart(from), seconds, asleep},
                                          testing::FakeScreen(), testing::FakeTimeZone(-5 * 3600), out, err);
    EXPECT_EQ(std::pair(status, err.str()), std::pair(0, std::string()));
    Words lines;
    std::istringstream in(out.str());
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

TEST(SimulateCommand, PrintsTicksRingsLaunchPopUpAndNumberedChimeStrokesAcrossMidnight)
{
    const Words lines = Simulate("[Settings]\r\nActivateTick=1\r\n[Alarm0]\r\nAlarmActivated=1\r\nAlarmHour=12\r\n"
                                 "AlarmMin=00\r\nAlarmAMPM=AM\r\nAlarmMessage=Wake \"up\"\r\nAlarmExec=/usr/bin/foo\r\n",
                                 "2026-12-06 23:59:59", 4);
    const std::string midnight = "2026-12-07 00:00:0", tick = " tick 7000Hz 50ms", tone = "0 tone 2000Hz 120ms";
    EXPECT_EQ(lines, (Words{"2026-12-06 23:59:59" + tick, midnight + "0" + tick, midnight + tone, midnight + tone,
                            midnight + tone, midnight + tone, midnight + "0 launch \"/usr/bin/foo\"",
                            midnight + "0 popup slot 0 \"Wake \\\"up\\\"\"", midnight + "0 chime stroke 1 BigBen",
                            midnight + "1" + tick, midnight + "1" + tick, midnight + "2" + tick,
                            midnight + "2 chime stroke 2 BigBen"}));
    EXPECT_EQ(Simulate("[Settings]\nSelectChime=Tone\n", "2026-12-06 13:00:00", 1),
              Words{"2026-12-06 13:00:00 chime stroke 1 tone 500Hz 500ms"});
}

// What a user sees when the laptop sleeps through an alarm: a short sleep rings it on waking, a
// long one lists it; a sleep over midnight wakes the next day.
TEST(SimulateCommand, ASleepShowsTheAlarmRungOnWakingWithinTheGraceAndListedBeyondIt)
{
    const std::string alarm = "[Settings]\nActivateChime=0\n[Alarm0]\nAlarmActivated=1\nAlarmHour=7\nAlarmMin=05\n"
                              "AlarmAMPM=AM\nAlarmMessage=Tea\n";
    const struct { const char* from; int64_t seconds; const char* sleep; Words expected; } rows[] = {
        {"2026-12-06 07:04:00", 245, "07:04:30-07:08:00",
         {"2026-12-06 07:04:30 sleep", "2026-12-06 07:08:00 resume", "2026-12-06 07:08:00 popup slot 0 \"Tea\""}},
        {"2026-12-06 07:04:00", 10900, "07:04:30-10:04:30",
         {"2026-12-06 07:04:30 sleep", "2026-12-06 10:04:30 resume", "2026-12-06 10:04:30 missed slot 0 \" 7:05 AM\" \"Tea\""}},
        {"2026-12-06 23:59:00", 26000, "23:59:30-07:08:00",
         {"2026-12-06 23:59:30 sleep", "2026-12-07 07:08:00 resume", "2026-12-07 07:08:00 popup slot 0 \"Tea\""}},
    };
    for (const auto& row : rows) {
        Words lines = Simulate(alarm, row.from, row.seconds, row.sleep);
        const auto tones = std::erase_if(lines, [](const std::string& line) { return line.ends_with(" tone 2000Hz 120ms"); });
        EXPECT_EQ(lines, row.expected) << row.sleep;
        EXPECT_EQ(tones, row.expected.back().find("popup") != std::string::npos ? 16u : 0u) << row.sleep;
    }
    for (const auto& [text, valid] : {std::pair("07:00-07:00", false), {"07:00 07:10", false}, {"23:50-00:10", true}})
        EXPECT_EQ(ParseSimulatedSleep(text).has_value(), valid) << text;
}

TEST(SimulateCommand, ReadsStartAndLength)
{
    for (const auto& [text, start] : {std::pair("2026-12-06 07:05:09", "2026-12-06 07:05:09"), {"2026-12-06T23:00", "2026-12-06 23:00:00"}})
        EXPECT_EQ(FormatTimestamp(ParseSimulationStart(text).value_or(LocalTime{})), start);
    for (const char* bad :
         {"", "2026-12-06", "07:05:00", "2026-13-01 07:05:00", "2026-12-06 7:05 PM", "2026-12-06 07:05:00 x"})
        EXPECT_FALSE(ParseSimulationStart(bad).has_value()) << bad;
    EXPECT_EQ(ParseSimulationLength("60"), 60);
    EXPECT_EQ(ParseSimulationLength("34560000"), kMaxSimulatedSeconds);
    for (const char* bad : {"", "0", "1.5", "60s", "34560001", "99999999999999999999"})
        EXPECT_FALSE(ParseSimulationLength(bad).has_value()) << bad;
}

} // namespace
} // namespace dorvane
