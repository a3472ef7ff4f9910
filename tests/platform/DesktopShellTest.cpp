#include "platform/DesktopShell.h"
#include "tests/platform/TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <dirent.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>
#include <unistd.h>

namespace dorvane {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;

// Waits for a file to appear; the programs under test write their markers within milliseconds,
// the bound only keeps a broken test from hanging.
bool WaitForFile(const fs::path& file)
{
    for (int i = 0; i < 1000; ++i) {
        if (fs::exists(file))
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

void WriteProgram(const fs::path& file, const std::string& body)
{
    TempFolder::Write(file, "#!/bin/sh\n" + body);
    fs::permissions(file, fs::perms::owner_all);
}

// Children of this process that have ended but were not reaped.
int ZombieChildren()
{
    int zombies = 0;
    for (const auto& entry : fs::directory_iterator("/proc")) {
        const std::string stat = TempFolder::Read(entry.path() / "stat");
        const auto close = stat.rfind(')');
        if (close == std::string::npos)
            continue;
        std::istringstream rest(stat.substr(close + 2));
        char state = 0;
        pid_t parent = 0;
        rest >> state >> parent;
        zombies += state == 'Z' && parent == ::getpid();
    }
    return zombies;
}

// A folder with a stand-in for the desktop's opener that writes the arguments it was given, one
// per line after their count, to "opened".
struct ShellRig {
    ShellRig()
    {
        fs::create_directories(folder / "bin");
        WriteProgram(folder / "opener", "printf '%s\\n' \"$#\" \"$@\" > \"" + (folder / "opened.part").string() +
                                            "\"\nmv \"" + (folder / "opened.part").string() + "\" \"" +
                                            (folder / "opened").string() + "\"\n");
    }
    DesktopShell Shell() const
    {
        return DesktopShell({(folder / "opener").string(), "::" + (folder / "bin").string(), folder.path().string()});
    }
    std::string Opened() { return WaitForFile(folder / "opened") ? TempFolder::Read(folder / "opened") : "(nothing)"; }

    TempFolder folder;
};

TEST(DesktopShell, StartsAnExecutableFileWithoutArgumentsInASessionOfItsOwn)
{
    ShellRig rig;
    const fs::path marker = rig.folder / "ran";
    WriteProgram(rig.folder / "prog.sh",
                 "{ echo \"$#\"; readlink /proc/self/fd/0; echo $$; cut -d' ' -f6 /proc/$$/stat; } > \"" + marker.string() +
                     ".part\"\nmv \"" + marker.string() + ".part\" \"" + marker.string() + "\"\n");
    ASSERT_TRUE(rig.Shell().Open((rig.folder / "prog.sh").string()));
    ASSERT_TRUE(WaitForFile(marker));
    std::istringstream ran(TempFolder::Read(marker));
    std::string arguments, input, pid, session;
    ran >> arguments >> input >> pid >> session;
    EXPECT_EQ(arguments, "0");
    EXPECT_EQ(input, "/dev/null");
    EXPECT_EQ(session, pid) << "the program leads a session of its own";
    EXPECT_NE(session, std::to_string(::getsid(0)));
}

TEST(DesktopShell, LeavesNoZombieBehind)
{
    ShellRig rig;
    WriteProgram(rig.folder / "quick.sh", "touch \"" + (rig.folder / "ran").string() + "\"\n");
    ASSERT_TRUE(rig.Shell().Open((rig.folder / "quick.sh").string()));
    ASSERT_TRUE(WaitForFile(rig.folder / "ran"));
    int zombies = 1;
    for (int i = 0; i < 500 && zombies > 0; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        zombies = ZombieChildren();
    }
    EXPECT_EQ(zombies, 0);
}

TEST(DesktopShell, ReturnsWhileTheProgramIsStillRunning)
{
    ShellRig rig;
    const std::string started = (rig.folder / "started").string(), release = (rig.folder / "release").string(),
                      done = (rig.folder / "done").string();
    WriteProgram(rig.folder / "slow.sh", "touch \"" + started + "\"\nfor i in $(seq 400); do [ -e \"" + release +
                                             "\" ] && break; sleep 0.05; done\ntouch \"" + done + "\"\n");
    ASSERT_TRUE(rig.Shell().Open((rig.folder / "slow.sh").string()));
    EXPECT_FALSE(fs::exists(done)) << "Open waited for the program to end";
    ASSERT_TRUE(WaitForFile(started));
    TempFolder::Write(release, "");
    EXPECT_TRUE(WaitForFile(done));
}

TEST(DesktopShell, FindsAProgramNameOnTheSearchPath)
{
    ShellRig rig;
    WriteProgram(rig.folder / "bin" / "dorvane-wake", "touch \"" + (rig.folder / "ran").string() + "\"\n");
    EXPECT_TRUE(rig.Shell().Open("dorvane-wake"));
    EXPECT_TRUE(WaitForFile(rig.folder / "ran"));
    EXPECT_FALSE(rig.Shell().Open("dorvane-no-such-program"));
}

TEST(DesktopShell, ExpandsHomeAndDropsQuotesAndBlanksAroundThePath)
{
    for (const std::string& typed : {std::string("~/prog.sh"), std::string("  \"") + "~/prog.sh\"\n"}) {
        ShellRig rig;
        WriteProgram(rig.folder / "prog.sh", "touch \"" + (rig.folder / "ran").string() + "\"\n");
        EXPECT_TRUE(rig.Shell().Open(typed)) << typed;
        EXPECT_TRUE(WaitForFile(rig.folder / "ran")) << typed;
    }
}

TEST(DesktopShell, HandsAddressesToTheOpenerAsOneArgument)
{
    const struct {
        const char* typed;
        const char* opened;
    } cases[] = {
        {"https://example.com/a?b=1&c=$(id)", "https://example.com/a?b=1&c=$(id)"},
        {"www.example.com", "http://www.example.com"},
        {"mailto:someone@example.com", "mailto:someone@example.com"},
        {"file:///tmp/x y.txt", "file:///tmp/x y.txt"},
    };
    for (const auto& c : cases) {
        ShellRig rig;
        EXPECT_TRUE(rig.Shell().Open(c.typed)) << c.typed;
        EXPECT_EQ(rig.Opened(), std::string("1\n") + c.opened + "\n");
    }
}

TEST(DesktopShell, HandsDocumentsAndFoldersToTheOpener)
{
    ShellRig rig;
    const fs::path document = rig.folder / "notes; $(touch x) `id`.txt";
    TempFolder::Write(document, "remember");
    EXPECT_TRUE(rig.Shell().Open(document.string()));
    EXPECT_EQ(rig.Opened(), "1\n" + document.string() + "\n");
    fs::remove(rig.folder / "opened");

    EXPECT_TRUE(rig.Shell().Open((rig.folder / "bin").string()));
    EXPECT_EQ(rig.Opened(), "1\n" + (rig.folder / "bin").string() + "\n");
}

TEST(DesktopShell, OpensAFileThatOnlyCarriesTheExecuteBitInsteadOfRunningItThroughAShell)
{
    ShellRig rig;
    const fs::path file = rig.folder / "commands.txt";
    TempFolder::Write(file, "touch \"" + (rig.folder / "ran").string() + "\"\n");
    fs::permissions(file, fs::perms::owner_all);
    EXPECT_TRUE(rig.Shell().Open(file.string()));
    EXPECT_EQ(rig.Opened(), "1\n" + file.string() + "\n");
    EXPECT_FALSE(fs::exists(rig.folder / "ran"));
}

TEST(DesktopShell, NeverRunsTheTextAsShellCommands)
{
    ShellRig rig;
    const std::string canary = (rig.folder / "canary").string();
    fs::create_directories(canary);
    WriteProgram(rig.folder / "bin" / "x", "touch \"" + (rig.folder / "x ran").string() + "\"\n");
    for (const std::string& text : {"x; rm -rf \"" + canary + "\"", "x && rm -rf " + canary, "$(rm -rf " + canary + ")",
                                    "`rm -rf " + canary + "`", "x | rm -rf " + canary, "rm -rf " + canary,
                                    "x\nrm -rf " + canary}) {
        EXPECT_FALSE(rig.Shell().Open(text)) << text;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_TRUE(fs::exists(canary));
    EXPECT_FALSE(fs::exists(rig.folder / "x ran"));
    EXPECT_FALSE(fs::exists(rig.folder / "opened"));
    if (!HasFailure()) {
        EXPECT_FALSE(rig.Shell().Open("x; rm -rf ~"));
    }
}

TEST(DesktopShell, StartsNothingForMissingTargetsOrAMissingOpener)
{
    ShellRig rig;
    for (const char* target : {"", "   ", "/no/such/file", "no/such/file", "\"\""})
        EXPECT_FALSE(rig.Shell().Open(target)) << '"' << target << '"';
    DesktopShell withoutOpener({"/no/such/opener", "", ""});
    EXPECT_FALSE(withoutOpener.Open("https://example.com"));
    EXPECT_FALSE(fs::exists(rig.folder / "opened"));
}

} // namespace
} // namespace dorvane
