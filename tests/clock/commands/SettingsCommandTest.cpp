#include "clock/commands/SettingsCommand.h"
#include "tests/support/FakeScreen.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>

namespace dorvane {
namespace {

using namespace testing;

TEST(SettingsCommand, PrintsTheEffectiveSettingsWithoutTouchingAnyFileAndSaysWhenItCannotBeRead)
{
    TempFolder folder;
    TempFolder::Write(folder / "a.ini", "[Settings]\nX=12\nY=34\nUnmovable=2\n");
    const struct { std::filesystem::path file; std::string shown, told; } cases[] = {
        {folder / "none.ini", "Skin=<Default>\nComputerSpeaker=0\nFreqVol=16250\nX=1110\nY=20\n", ""},
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

} // namespace
} // namespace dorvane
