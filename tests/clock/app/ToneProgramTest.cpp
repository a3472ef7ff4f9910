// "dorvane tone" run as the user runs it: a separate process with its own sound output; and the
// program's --help.

#include "tests/support/ShellCommand.h"
#include "tests/support/TempFolder.h"
#include "tests/support/WavBytes.h"

#include <gtest/gtest.h>

#include <chrono>
#include <sstream>
#include <string>

namespace dorvane {
namespace {

using testing::TempFolder;

// Runs the program without a sound server; what it says on standard error becomes the run's output.
testing::ShellRun RunDorvane(const std::string& arguments)
{
    return testing::RunShell("env PULSE_SERVER=unix:/nonexistent/dorvane-no-server SDL_AUDIODRIVER=pulseaudio '" +
                             std::string(DORVANE_EXECUTABLE) + "' " + arguments + " 2>&1 >/dev/null");
}

TEST(ToneProgram, WithoutASoundServerPlaysSilentlySaysSoOnceAndWritesTheSameNoiseOnEveryRun)
{
    const auto start = std::chrono::steady_clock::now();
    const auto ran = RunDorvane("tone 2000 --seconds 0.12");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    EXPECT_EQ(ran.exitCode, 0);
    // Counted by the program's own lines: a sanitizer build adds a report of its own.
    std::istringstream lines(ran.output);
    int said = 0;
    for (std::string line; std::getline(lines, line);)
        said += line.starts_with("dorvane:");
    EXPECT_EQ(said, 1) << ran.output;
    EXPECT_NE(ran.output.find("dorvane: no sound device"), std::string::npos) << ran.output;
    TempFolder folder;
    for (const char* file : {"a.wav", "b.wav"})
        ASSERT_EQ(RunDorvane("tone 1000 --wave 1 --seconds 0.05 --out " + (folder / file).string()).exitCode, 0);
    const std::string first = TempFolder::Read(folder / "a.wav");
    EXPECT_EQ(first, TempFolder::Read(folder / "b.wav"));
    const testing::WavBytes wav{std::span(reinterpret_cast<const uint8_t*>(first.data()), first.size())};
    ASSERT_EQ(wav.Frames(), 2205u);
    EXPECT_NE(wav.Sample(0, 0), wav.Sample(1, 0));
    EXPECT_NE(wav.Sample(0, 0), wav.Sample(0, 1));
}

TEST(ToneProgram, HelpNamesEveryCommand)
{
    const auto help = testing::RunShell("'" + std::string(DORVANE_EXECUTABLE) + "' --help");
    EXPECT_EQ(help.exitCode, 0);
    for (const char* command : {"settings", "simulate", "snapshot", "image", "tone"})
        EXPECT_NE(help.output.find(std::string("dorvane ") + command + " "), std::string::npos) << command;
}

} // namespace
} // namespace dorvane
