#include "clock/settings/SettingsLocation.h"
#include "platform/FileStore.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace dorvane {
namespace {

// A program folder it may not write to sends the settings to %APPDATA%\Dorvane, made on saving.
TEST(FileStore, KeepsTheSettingsInTheUsersApplicationDataFolderWhateverItsLetters)
{
    testing::TempFolder folder;
    const auto appData = folder.path() / std::filesystem::path(u8"Zo\u00eb \u00c4rger \u65e5\u672c");
    std::filesystem::create_directories(appData);
    const std::wstring before = ::_wgetenv(L"APPDATA") ? ::_wgetenv(L"APPDATA") : L"";
    ::_wputenv((L"APPDATA=" + appData.wstring()).c_str());
    EXPECT_EQ(FileStore::ApplicationDataFolder(), appData);

    SettingsLocation location = SettingsLocation::ForThisProcess(std::nullopt);
    ::_wputenv((L"APPDATA=" + before).c_str());
    location.programFolder = folder / "not there";
    const auto settings = location.Resolve();
    EXPECT_EQ(settings, appData / "Dorvane" / "ClockSettings.ini");
    ASSERT_TRUE(FileStore::Replace(settings, "[Settings]\n"));
    const auto read = FileStore::Read(settings, 100);
    ASSERT_TRUE(read);
    EXPECT_EQ(read.value(), "[Settings]\n");
}

} // namespace
} // namespace dorvane
