#include "platform/linux/DesktopShell.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <sstream>
#include <thread>
#include <tuple>

namespace dorvane {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;

// A folder that is home, with a search path "bin" and a stand-in for the desktop's opener that
// leaves the arguments it was given, one per line after their count, in the marker "opened".
class DesktopShellTest : public ::testing::Test {
protected:
    DesktopShellTest()
    {
        fs::create_directories(folder / "bin");
        WriteProgram(folder / "opener", Leave("opened", "printf '%s\\n' \"$#\" \"$@\""));
    }

    static void WriteProgram(const fs::path& file, const std::string& body)
    {
        TempFolder::Write(file, "#!/bin/sh\n" + body);
        fs::permissions(file, fs::perms::owner_all);
    }
    // Shell lines that leave the output of commands in the marker file, written whole.
    std::string Leave(const std::string& marker, const std::string& commands = "true") const
    {
        const std::string part = (folder / marker).string() + ".part";
        return "{ " + commands + "; } > \"" + part + "\"\nmv \"" + part + "\" \"" + (folder / marker).string() + "\"\n";
    }
    // Waits for a marker and takes it away; the programs under test leave theirs within
    // milliseconds, the bound only keeps a broken test from hanging.
    std::string Await(const std::string& marker)
    {
        for (int i = 0; i < 1000 && !fs::exists(folder / marker); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        const std::string left = fs::exists(folder / marker) ? TempFolder::Read(folder / marker) : "(nothing)";
        fs::remove(folder / marker);
        return left;
    }

    bool Open(const std::string& target)
    {
        return DesktopShell({(folder / "opener").string(), "::" + (folder / "bin").string(), folder.path().string()})
            .Open(target);
    }

    TempFolder folder;
};

TEST_F(DesktopShellTest, StartsAnExecutableFileWithoutArgumentsInASessionOfItsOwnReturnsAtOnceAndReapsIt)
{
    const std::string release = (folder / "release").string();
    WriteProgram(folder / "prog.sh", Leave("ran", "echo \"$#\"; readlink /proc/self/fd/0; echo $$; cut -d' ' -f6 /proc/$$/stat") +
                                         "for i in $(seq 400); do [ -e \"" + release + "\" ] && break; sleep 0.05; done\n" +
                                         Leave("done"));
    ASSERT_TRUE(Open((folder / "prog.sh").string()));
    EXPECT_FALSE(fs::exists(folder / "done")) << "Open waited for the program to end";
    std::istringstream ran(Await("ran"));
    std::string arguments, input, pid, session;
    ran >> arguments >> input >> pid >> session;
    EXPECT_EQ(arguments + " " + input, "0 /dev/null");
    EXPECT_EQ(session, pid) << "the program leads a session of its own";
    EXPECT_NE(session, std::to_string(::getsid(0)));
    TempFolder::Write(release, "");
    EXPECT_EQ(Await("done"), "");
    // A child that ended but was not reaped would stay in /proc as a zombie.
    for (int i = 0; i < 500 && fs::exists("/proc/" + pid); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_FALSE(fs::exists("/proc/" + pid));
}

// Programs are found on the search path and in home, without quotes and blanks, and run; addresses,
// documents and folders go to the opener as one argument; shell commands, missing targets or a
// missing opener start nothing.
TEST_F(DesktopShellTest, RunsProgramsHandsAddressesDocumentsAndFoldersToTheOpenerAndStartsNothingElse)
{
    WriteProgram(folder / "bin" / "dorvane-wake", Leave("ran"));
    WriteProgram(folder / "prog.sh", Leave("ran"));
    const fs::path document = folder / "notes; $(touch x) `id`.txt";
    TempFolder::Write(document, "remember");
    // A file that only carries the execute bit is a document, not a script to run through a shell.
    const fs::path commands = folder / "commands.txt";
    TempFolder::Write(commands, Leave("ran"));
    fs::permissions(commands, fs::perms::owner_all);
    const struct { std::string typed, marker, left; } cases[] = {
        {"dorvane-wake", "ran", ""}, {"~/prog.sh", "ran", ""}, {"  \"~/prog.sh\"\n", "ran", ""},
        {"https://example.com/a?b=1&c=$(id)", "opened", "https://example.com/a?b=1&c=$(id)"},
        {"www.example.com", "opened", "http://www.example.com"},
        {"mailto:someone@example.com", "opened", "mailto:someone@example.com"},
        {"file:///tmp/x y.txt", "opened", "file:///tmp/x y.txt"},
        {document.string(), "opened", document.string()},
        {(folder / "bin").string(), "opened", (folder / "bin").string()},
        {commands.string(), "opened", commands.string()},
    };
    for (const auto& c : cases) {
        EXPECT_TRUE(Open(c.typed)) << c.typed;
        EXPECT_EQ(Await(c.marker), c.marker == "ran" ? "" : "1\n" + c.left + "\n") << c.typed;
    }
    EXPECT_FALSE(fs::exists(folder / "ran"));

    const std::string canary = (folder / "canary").string();
    fs::create_directories(canary);
    WriteProgram(folder / "bin" / "x", Leave("x ran"));
    const std::string refused[] = {"x; rm -rf \"" + canary + "\"", "$(rm -rf " + canary + ")", "`rm -rf " + canary + "`",
                                   "x | rm -rf " + canary, "x\nrm -rf " + canary, "rm -rf " + canary, "", "   ",
                                   "/no/such/file", "no/such/file", "\"\"", "dorvane-no-such-program"};
    for (const std::string& text : refused)
        EXPECT_FALSE(Open(text)) << text;
    EXPECT_FALSE(DesktopShell({"/no/such/opener", "", ""}).Open("https://example.com"));
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_EQ(std::tuple(fs::exists(canary), fs::exists(folder / "x ran"), fs::exists(folder / "opened")), std::tuple(true, false, false));
}

} // namespace
} // namespace dorvane
