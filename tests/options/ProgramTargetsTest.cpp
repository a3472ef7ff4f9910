#include "options/ProgramTargets.h"

#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

namespace dorvane {
namespace {

TEST(ProgramTargets, LogonStartNamesTheSettingsFileOnlyWhenGivenAndTheManualIsTheFirstPlaceThatHoldsIt)
{
    testing::TempFolder folder;
    const auto settings = folder / "Zeitmesser \xc3\xbc" / "ClockSettings.ini";
    const StartCommand bare = StartCommandFor("/opt/dorvane", settings, false);
    const StartCommand named = StartCommandFor("/opt/dorvane", settings, true);
    EXPECT_EQ(bare.program, "/opt/dorvane");
    EXPECT_TRUE(bare.arguments.empty());
    EXPECT_EQ(named.arguments, (std::vector<std::string>{"--settings", PathText(settings)}));

    testing::TempFolder::Write(folder / "README.md", "manual");
    const AboutTargets about = AboutTargetsFor({folder / "missing.md", folder / "README.md"}, settings);
    EXPECT_EQ(about.manual, PathText(std::filesystem::weakly_canonical(folder / "README.md")));
    EXPECT_EQ(about.settingsFolder, PathText(settings.parent_path()));
    EXPECT_EQ(AboutTargetsFor(ManualPlaces(folder / "bin"), settings).manual, "");
}

} // namespace
} // namespace dorvane
