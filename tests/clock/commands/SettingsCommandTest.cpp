#include "clock/commands/SettingsCommand.h"
#include "clock/settings/SettingsFile.h"
#include "clock/settings/WindowlessHost.h"
#include "tests/support/Fakes.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
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

// A missing file (no text) shows the defaults without being made; a folder shows them and says why.
TEST(SettingsCommand, PrintsExactlyWhatASaveWouldWriteIntoThatFileChangesNothingAndShowsTheDefaultsOfOneMissingOrUnreadable)
{
    TempFolder folder;
    std::filesystem::create_directory(folder / "folder.ini");
    const struct { const char* name; std::optional<std::string> text; const char* told; } cases[] = {
        {"empty.ini", "", ""}, {"placed.ini", "[Settings]\nX=12\nY=34\nUnmovable=2\n", ""},
        {"mine.ini", "\xEF\xBB\xBF; mine\r\n[Settings]\r\nSkin=RED\r\nMyKey=42\r\n[Extra]\r\nA=B\r\n[Alarm3]\r\nAlarmHour=7\r\nNote=x\r\n", ""},
        {"later.ini", "[Alarm0]\nAlarmMessage=Hi\n\n[Later]\nkept=1\n", ""},
        {"none.ini", std::nullopt, ""}, {"folder.ini", std::nullopt, "default settings"}};
    for (const auto& c : cases) {
        if (c.text)
            TempFolder::Write(folder / c.name, *c.text);
        std::ostringstream out, err;
        EXPECT_EQ(RunSettingsCommand(folder / c.name, FakeScreen(), out, err), 0);
        EXPECT_EQ(out.str(), SavedFrom(folder / "copy.ini", c.text.value_or(""))) << c.name;
        EXPECT_TRUE(c.text ? TempFolder::Read(folder / c.name) == *c.text : std::filesystem::exists(folder / c.name) == bool(*c.told));
        EXPECT_TRUE(*c.told ? err.str().find(c.told) != std::string::npos : err.str().empty()) << err.str();
    }
}

} // namespace
} // namespace dorvane
