#include "clock/settings/SettingsLocation.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

namespace dorvane {
namespace {

using testing::TempFolder;

TEST(SettingsLocation, PrefersTheCommandLineThenTheProgramsFolderWhateverItsLettersThenTheUsersConfigFolder)
{
    TempFolder folder;
    SettingsLocation location;
    location.programFolder = folder.path();
    location.home = "/home/ann";
    EXPECT_EQ(location.Resolve(), folder / "ClockSettings.ini");
    location.installedCopy = true; // writable, yet installed
    EXPECT_EQ(location.Resolve(), "/home/ann/.config/dorvane/ClockSettings.ini");
    location.installedCopy = false;
    location.explicitFile = "/tmp/mine.ini";
    EXPECT_EQ(location.Resolve(), "/tmp/mine.ini");
    location.explicitFile.reset();
    location.programFolder = "/no/such/folder"; // cannot be written
    EXPECT_EQ(location.Resolve(), "/home/ann/.config/dorvane/ClockSettings.ini");
    location.xdgConfigHome = "/cfg";
    EXPECT_EQ(location.Resolve(), "/cfg/dorvane/ClockSettings.ini");
    location.xdgConfigHome = "relative/cfg";
    EXPECT_EQ(location.Resolve(), "/home/ann/.config/dorvane/ClockSettings.ini");
    location.appData = "/Users/ann/AppData/Roaming"; // only Windows names one
    EXPECT_EQ(location.Resolve(), "/Users/ann/AppData/Roaming/Dorvane/ClockSettings.ini");
    const auto lettered = folder.path() / std::filesystem::path(u8"M\u00fcller \u65e5\u672c");
    std::filesystem::create_directories(lettered);
    location.programFolder = lettered;
    EXPECT_EQ(location.Resolve(), lettered / "ClockSettings.ini");
}

} // namespace
} // namespace dorvane
