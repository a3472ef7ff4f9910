#include "clock/commands/CommandLine.h"
#include "clock/commands/SettingsCommand.h"
#include "clock/commands/SimulateCommand.h"
#include "tests/support/FakeScreen.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <optional>
#include <sstream>

namespace dorvane {
namespace {

using testing::TempFolder;
using Words = std::vector<std::string>;

TEST(CommandLine, SplitsKnownOptionsWithTheirValuesFromOperandsAndRefusesTheRest)
{
    const struct {
        Words words;
        std::string error; // empty: parsed
        bool flag;
        std::optional<std::string> out;
        Words operands;
    } cases[] = {
        {{}, "", false, std::nullopt, {}},
        {{"in", "--out", "a.png", "-750", "--flag"}, "", true, "a.png", {"in", "-750"}},
        {{"--out=a=b", "--out", "--flag"}, "", false, "--flag", {}}, // the last value counts, whatever it looks like
        {{"--out="}, "", false, "", {}},
        {{"-h", "x=y"}, "", false, std::nullopt, {"x=y"}},
        {{"in", "--out"}, "--out needs a value", false, std::nullopt, {}},
        {{"--flag=on"}, "--flag takes no value", false, std::nullopt, {}},
        {{"in", "--colour", "red"}, "unknown option --colour", false, std::nullopt, {}},
        {{"--colour=red"}, "unknown option --colour", false, std::nullopt, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.words));
        const auto line = CommandLine::Parse(c.words, OptionNames{{"--flag", "-h"}, {"--out"}});
        ASSERT_EQ(line.ok() ? "" : line.error(), c.error);
        if (!line)
            continue;
        EXPECT_EQ(line.value().Has("--flag"), c.flag);
        EXPECT_EQ(line.value().Value("--out"), c.out);
        EXPECT_EQ(line.value().Operands(), c.operands);
    }
}

TEST(SettingsCommand, PrintsTheEffectiveSettingsWithoutTouchingAnyFileAndSaysWhenItCannotBeRead)
{
    TempFolder folder;
    TempFolder::Write(folder / "a.ini", "[Settings]\nX=12\nY=34\nUnmovable=2\n");
    const struct {
        std::filesystem::path file;
        std::string shown, told;
    } cases[] = {{folder / "none.ini", "Skin=<Default>\nComputerSpeaker=0\nFreqVol=16250\nX=1110\nY=20\n", ""},
                 {folder / "a.ini", "X=12\nY=34\nUnmovable=1\n", ""},
                 {folder.path(), "[Settings]\nSkin=<Default>\n", "default settings"}}; // a folder, not a file
    for (const auto& c : cases) {
        std::ostringstream out, err;
        EXPECT_TRUE(RunSettingsCommand(c.file, testing::FakeScreen(), out, err) == 0 || !c.told.empty());
        EXPECT_NE(out.str().find(c.shown), std::string::npos) << out.str();
        EXPECT_TRUE(out.str().ends_with("[Alarm6]\nAlarmActivated=0\nAlarmDate=\nAlarmHour=\nAlarmMin=00\n"
                                        "AlarmAMPM=AM\nAlarmMessage=\nAlarmExec=\n"));
        EXPECT_EQ(err.str().empty(), c.told.empty()) << err.str();
        EXPECT_NE(err.str().find(c.told), std::string::npos) << err.str();
    }
    EXPECT_FALSE(std::filesystem::exists(folder / "none.ini"));
}

Words Simulate(const std::string& settings, const char* from, int64_t seconds)
{
    TempFolder folder;
    TempFolder::Write(folder / "ClockSettings.ini", settings);
    std::ostringstream out, err;
    EXPECT_EQ(RunSimulateCommand({folder / "ClockSettings.ini", *ParseSimulationStart(from), seconds}, testing::FakeScreen(),
                                 out, err), 0);
    EXPECT_EQ(err.str(), "");
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

TEST(SimulateCommand, ReadsStartAndLength)
{
    const auto start = ParseSimulationStart("2026-12-06 07:05:09");
    ASSERT_TRUE(start.has_value());
    EXPECT_EQ(start->date, (CivilDate{2026, 12, 6}));
    EXPECT_EQ(std::tuple(start->hour, start->minute, start->second), std::tuple(7, 5, 9));
    EXPECT_TRUE(ParseSimulationStart("2026-12-06T23:00").has_value());
    for (const char* bad : {"", "2026-12-06", "07:05:00", "2026-13-01 07:05:00", "2026-12-06 7:05 PM", "2026-12-06 07:05:00 x"})
        EXPECT_FALSE(ParseSimulationStart(bad).has_value()) << bad;
    EXPECT_EQ(ParseSimulationLength("60"), 60);
    EXPECT_EQ(ParseSimulationLength("34560000"), kMaxSimulatedSeconds);
    for (const char* bad : {"", "0", "1.5", "60s", "34560001", "99999999999999999999"})
        EXPECT_FALSE(ParseSimulationLength(bad).has_value()) << bad;
}

} // namespace
} // namespace dorvane
