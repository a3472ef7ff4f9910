#include "clock/settings/SettingsLocation.h"
#include "platform/FileStore.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace dorvane {
namespace {

using testing::TempFolder;

// Sets %APPDATA% for the test and puts the user's back afterwards.
struct AppDataSetTo {
    explicit AppDataSetTo(const std::filesystem::path& folder)
    {
        if (const wchar_t* value = ::_wgetenv(L"APPDATA"))
            before = value;
        ::_wputenv((L"APPDATA=" + folder.wstring()).c_str());
    }
    ~AppDataSetTo() { ::_wputenv((L"APPDATA=" + before).c_str()); }
    std::wstring before;
};

// A program folder it may not write to sends the settings to %APPDATA%\Dorvane, made on saving.
TEST(FileStore, KeepsTheSettingsInTheUsersApplicationDataFolderWhateverItsLetters)
{
    TempFolder folder;
    const auto appData = folder.path() / std::filesystem::path(u8"Zo\u00eb \u00c4rger \u65e5\u672c");
    std::filesystem::create_directories(appData);
    AppDataSetTo setTo(appData);
    EXPECT_EQ(FileStore::ApplicationDataFolder(), appData);

    SettingsLocation location = SettingsLocation::ForThisProcess(std::nullopt);
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
