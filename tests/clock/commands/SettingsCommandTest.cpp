#include "clock/commands/SettingsCommand.h"
#include "clock/settings/SettingsFile.h"
#include "clock/settings/WindowlessHost.h"
#include "tests/support/Fakes.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>

namespace dorvane {
namespace {

using namespace testing;

// What SaveSettings writes into a file holding text, made the clock's way on a copy.
std::string SavedFrom(const std::filesystem::path& copy, const std::string& text)
{
    TempFolder::Write(copy, text);
    ClockState state;
    const FakeScreen screen;
    WindowlessHost host(state, screen);
    std::ostringstream errors;
    SettingsFile file(copy, state, host, screen, errors);
    file.LoadSettings();
    EXPECT_TRUE(file.SaveSettings().ok()) << errors.str();
    return TempFolder::Read(copy);
}

TEST(SettingsCommand, PrintsExactlyWhatASaveWouldWriteIntoThatFileAndChangesNothing)
{
    TempFolder folder;
    const std::string cases[] = {
        "",
        "[Settings]\nX=12\nY=34\nUnmovable=2\n",
        "\xEF\xBB\xBF; mine\r\n[Settings]\r\nSkin=RED\r\nMyKey=42\r\n[Extra]\r\nA=B\r\n[Alarm3]\r\nAlarmHour=7\r\nNote=x\r\n",
        "[Alarm0]\nAlarmMessage=Hi\n\n[Later]\nkept=1\n"};
    for (const std::string& text : cases) {
        TempFolder::Write(folder / "a.ini", text);
        std::ostringstream out, err;
        EXPECT_EQ(RunSettingsCommand(folder / "a.ini", FakeScreen(), out, err), 0);
        EXPECT_EQ(out.str(), SavedFrom(folder / "copy.ini", text)) << text;
        EXPECT_EQ(TempFolder::Read(folder / "a.ini"), text);
        EXPECT_EQ(err.str(), "");
    }
}

// A missing file shows the defaults without being made; a folder shows them and says why.
TEST(SettingsCommand, ShowsTheDefaultsOfAMissingFileWithoutMakingItAndSaysWhenItCannotBeRead)
{
    TempFolder folder;
    for (const auto& [file, told] : {std::pair(folder / "none.ini", ""), {folder.path(), "default settings"}}) {
        std::ostringstream out, err;
        RunSettingsCommand(file, FakeScreen(), out, err);
        EXPECT_TRUE(out.str().starts_with("[Settings]\nSkin=<Default>\nComputerSpeaker=0\nFreqVol=16250\nX=1110\n"));
        EXPECT_TRUE(*told ? err.str().find(told) != std::string::npos : err.str().empty()) << err.str();
    }
    EXPECT_FALSE(std::filesystem::exists(folder / "none.ini"));
}

} // namespace
} // namespace dorvane
