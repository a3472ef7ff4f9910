#include "clock/settings/SettingsLocation.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

namespace dorvane {
namespace {

TEST(SettingsLocation, PrefersTheCommandLineThenTheProgramsFolderThenTheUsersConfigFolder)
{
    testing::TempFolder folder;
    SettingsLocation location;
    location.programFolder = folder.path();
    location.home = "/home/ann";
    EXPECT_EQ(location.Resolve(), folder / "ClockSettings.ini");
    location.explicitFile = "/tmp/mine.ini";
    EXPECT_EQ(location.Resolve(), "/tmp/mine.ini");
    // The program's folder cannot be written.
    location.explicitFile.reset();
    location.programFolder = "/no/such/folder";
    EXPECT_EQ(location.Resolve(), "/home/ann/.config/dorvane/ClockSettings.ini");
    location.xdgConfigHome = "/cfg";
    EXPECT_EQ(location.Resolve(), "/cfg/dorvane/ClockSettings.ini");
    location.xdgConfigHome = "relative/cfg";
    EXPECT_EQ(location.Resolve(), "/home/ann/.config/dorvane/ClockSettings.ini");
}

} // namespace
} // namespace dorvane
