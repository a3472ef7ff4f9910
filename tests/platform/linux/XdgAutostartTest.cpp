#include "platform/linux/XdgAutostart.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

namespace dorvane {
namespace {

using testing::TempFolder;

TEST(XdgAutostart, EnableWritesADesktopEntryQuotingThePathSoThatTheSessionRunsExactlyThisProgramDisableRemovesIt)
{
    TempFolder folder;
    XdgAutostart autostart(folder / "autostart");
    EXPECT_FALSE(autostart.IsEnabled());
    ASSERT_TRUE(autostart.Enable("/opt/dorvane/dorvane", {}));
    EXPECT_TRUE(autostart.IsEnabled());
    const std::string entry = TempFolder::Read(folder / "autostart" / "dorvane.desktop");
    EXPECT_TRUE(entry.starts_with("[Desktop Entry]\nType=Application\nName=Dorvane\n"));
    EXPECT_NE(entry.find("\nExec=\"/opt/dorvane/dorvane\"\n"), std::string::npos);
    ASSERT_TRUE(autostart.Enable("/usr/bin/dorvane", {"--settings", "/home/ann/My Clock.ini"})); // enabling again rewrites the program's place
    EXPECT_NE(TempFolder::Read(autostart.EntryPath()).find("Exec=\"/usr/bin/dorvane\" \"--settings\" \"/home/ann/My Clock.ini\"\n"), std::string::npos);
    EXPECT_TRUE(autostart.Disable());
    EXPECT_FALSE(autostart.IsEnabled());
    EXPECT_TRUE(autostart.Disable()) << "disabling twice is fine";

    const struct { const char* path; const char* exec; } cases[] = {
        {"/home/ann/My Apps/dorvane", "Exec=\"/home/ann/My Apps/dorvane\"\n"},
        {"/tmp/a$b`c\"d", "Exec=\"/tmp/a\\\\$b\\\\`c\\\\\"d\"\n"},
        {"/tmp/back\\slash", "Exec=\"/tmp/back\\\\\\\\slash\"\n"},
        {"/tmp/100%/dorvane", "Exec=\"/tmp/100%%/dorvane\"\n"},
        {"/tmp/x\nExec=rm", "Exec=\"/tmp/x Exec=rm\"\n"},
    };
    for (const auto& c : cases)
        EXPECT_NE(XdgAutostart::DesktopEntry(c.path).find(c.exec), std::string::npos)
            << c.path << "\n" << XdgAutostart::DesktopEntry(c.path);
}

} // namespace
} // namespace dorvane
