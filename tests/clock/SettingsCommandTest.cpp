#include "clock/SettingsCommand.h"
#include "tests/platform/FakeScreen.h"
#include "tests/platform/TempFolder.h"

#include <gtest/gtest.h>

#include <sstream>

namespace dorvane {
namespace {

TEST(SettingsCommand, PrintsTheEffectiveSettingsWithoutTouchingAnyFile)
{
    testing::TempFolder folder;
    const auto path = folder / "ClockSettings.ini";
    std::ostringstream out, err;
    EXPECT_EQ(RunSettingsCommand(path, testing::FakeScreen(1280, 1024, 15), out, err), 0);
    EXPECT_TRUE(out.str().starts_with("[Settings]\nSkin=<Default>\nComputerSpeaker=0\nFreqVol=16250\nX=1110\nY=20\n"));
    EXPECT_TRUE(out.str().ends_with("[Alarm6]\nAlarmActivated=0\nAlarmDate=\nAlarmHour=\nAlarmMin=00\nAlarmAMPM=AM\n"
                                    "AlarmMessage=\nAlarmExec=\n"));
    EXPECT_EQ(err.str(), "");
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(SettingsCommand, ShowsTheStoredPositionAndSaysWhenTheFileCannotBeRead)
{
    testing::TempFolder folder;
    testing::TempFolder::Write(folder / "a.ini", "[Settings]\nX=12\nY=34\nUnmovable=2\n");
    std::ostringstream out, err;
    RunSettingsCommand(folder / "a.ini", testing::FakeScreen(), out, err);
    EXPECT_NE(out.str().find("X=12\nY=34\nUnmovable=1\n"), std::string::npos);

    std::ostringstream out2, err2;
    RunSettingsCommand(folder.path(), testing::FakeScreen(), out2, err2); // a folder, not a file
    EXPECT_NE(err2.str().find("default settings"), std::string::npos) << err2.str();
    EXPECT_TRUE(out2.str().starts_with("[Settings]\nSkin=<Default>\n"));
}

} // namespace
} // namespace dorvane
