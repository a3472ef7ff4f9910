#include "clock/SimulateCommand.h"
#include "tests/platform/FakeScreen.h"
#include "tests/platform/TempFolder.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace dorvane {
namespace {

using testing::TempFolder;

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

std::vector<std::string> Simulate(const std::string& settings, const char* from, int64_t seconds)
{
    TempFolder folder;
    TempFolder::Write(folder / "ClockSettings.ini", settings);
    std::ostringstream out, err;
    const int status = RunSimulateCommand({folder / "ClockSettings.ini", *ParseSimulationStart(from), seconds},
                                          testing::FakeScreen(), out, err);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(err.str(), "");
    return Lines(out.str());
}

TEST(SimulateCommand, PrintsRingsLaunchAndPopUpOfAnAlarm)
{
    const auto lines = Simulate("[Settings]\r\nActivateChime=0\r\n[Alarm0]\r\nAlarmActivated=1\r\nAlarmHour=7\r\n"
                                "AlarmMin=05\r\nAlarmAMPM=AM\r\nAlarmMessage=Wake \"up\"\r\nAlarmExec=/usr/bin/foo\r\n",
                                "2026-12-06 07:04:30", 120);
    const std::vector<std::string> expected = {
        "2026-12-06 07:05:00 tone 2000Hz 120ms", "2026-12-06 07:05:00 tone 2000Hz 120ms",
        "2026-12-06 07:05:00 tone 2000Hz 120ms", "2026-12-06 07:05:00 tone 2000Hz 120ms",
        "2026-12-06 07:05:00 launch \"/usr/bin/foo\"", "2026-12-06 07:05:00 popup slot 0 \"Wake \\\"up\\\"\"",
    };
    EXPECT_EQ(lines, expected);
}

TEST(SimulateCommand, PrintsNumberedChimeStrokesAcrossMidnight)
{
    const auto lines = Simulate("[Settings]\nActivateChime=1\nSelectChime=BigBen\n", "2026-12-06 23:59:59", 30);
    ASSERT_EQ(lines.size(), 12u);
    EXPECT_EQ(lines.front(), "2026-12-07 00:00:00 chime stroke 1 BigBen");
    EXPECT_EQ(lines[2], "2026-12-07 00:00:04 chime stroke 3 BigBen");
    EXPECT_EQ(lines.back(), "2026-12-07 00:00:22 chime stroke 12 BigBen");
}

TEST(SimulateCommand, PrintsTicksAndToneChimes)
{
    const auto lines = Simulate("[Settings]\nActivateTick=1\nTickFreq=7000\nTickDur=50\nSelectChime=Tone\nChimeFreq=500\n"
                                "ChimeRingOnce=1\n",
                                "2026-12-06 12:59:59", 3);
    const std::vector<std::string> expected = {
        "2026-12-06 12:59:59 tick 7000Hz 50ms",
        "2026-12-06 13:00:00 tick 7000Hz 50ms",
        "2026-12-06 13:00:00 chime stroke 1 tone 500Hz 500ms",
        "2026-12-06 13:00:01 tick 7000Hz 50ms",
        "2026-12-06 13:00:01 tick 7000Hz 50ms",
    };
    EXPECT_EQ(lines, expected);
}

TEST(SimulateCommand, ReadsStartAndLength)
{
    const auto start = ParseSimulationStart("2026-12-06 07:05:09");
    ASSERT_TRUE(start.has_value());
    EXPECT_EQ(start->date, (CivilDate{2026, 12, 6}));
    EXPECT_EQ(start->hour * 3600 + start->minute * 60 + start->second, 7 * 3600 + 5 * 60 + 9);
    EXPECT_TRUE(ParseSimulationStart("2026-12-06T23:00").has_value());
    for (const char* bad : {"", "2026-12-06", "07:05:00", "2026-13-01 07:05:00", "2026-12-06 25:00:00",
                            "2026-12-06 7:05 PM", "tomorrow 07:05:00", "2026-12-06 07:05:00 x"})
        EXPECT_FALSE(ParseSimulationStart(bad).has_value()) << bad;

    EXPECT_EQ(ParseSimulationLength("60"), 60);
    EXPECT_EQ(ParseSimulationLength("34560000"), kMaxSimulatedSeconds);
    for (const char* bad : {"", "0", "-5", "1.5", "60s", "34560001", "99999999999999999999"})
        EXPECT_FALSE(ParseSimulationLength(bad).has_value()) << bad;
}

} // namespace
} // namespace dorvane
