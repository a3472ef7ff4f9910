// "dorvane tone" (and the other commands, where only a separate process shows a fault) run as the
// user runs it: a separate process with its own sound output.

#include "image/ImageLimits.h"
#include "tests/support/PictureBuilders.h"
#include "tests/support/PngBuilder.h"
#include "tests/support/ShellCommand.h"
#include "tests/support/TempFolder.h"
#include "tests/support/WavBytes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

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

// Out of memory, a command says so in one line and exits 1 rather than aborting. The address space
// is limited (ulimit -v, in KiB) so that the command's first large block fits and a later one does
// not; AddressSanitizer reserves far more address space than any such limit, so it cannot run here.
TEST(ToneProgram, OutOfMemoryIsOneLineAndExitCodeOne)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "AddressSanitizer needs an unlimited address space";
#endif
    TempFolder folder;
    TempFolder::Write(folder / "in.bmp", [] {
        const auto bmp = testing::Bmp32(2, 2, {1, 2, 3, 255});
        return std::string(bmp.begin(), bmp.end());
    }());
    TempFolder::Write(folder / "large.bmp", [] {
        testing::Bytes runs = testing::Repeated({255, 1}, 65000);
        runs.insert(runs.end(), {0, 1});
        const auto bmp = testing::RunLengthBmp(7680, 4320, runs);
        return std::string(bmp.begin(), bmp.end());
    }());
    const struct { std::string words; int kib; const char* said; } cases[] = {
        // The 127 MiB picture loads, its raw copy does not.
        {"image decode " + (folder / "large.bmp").string() + " " + (folder / "large.raw").string(), 260000,
         "dorvane image: not enough memory to decode "},
        // The 256 MiB canvas fits, drawing on it or saving it does not.
        {"image convert " + (folder / "in.bmp").string() + " " + (folder / "big.png").string() + " --size 8192x8192",
         500000, "dorvane image: not enough memory to convert "},
    };
    for (const auto& c : cases) {
        const auto ran = testing::RunShell("ulimit -v " + std::to_string(c.kib) + "; '" +
                                           std::string(DORVANE_EXECUTABLE) + "' " + c.words + " 2>&1 >/dev/null");
        EXPECT_EQ(ran.exitCode, 1) << c.words << "\n" << ran.output;
        EXPECT_TRUE(ran.output.starts_with(c.said)) << ran.output;
        EXPECT_EQ(std::count(ran.output.begin(), ran.output.end(), '\n'), 1) << ran.output;
    }
}

// A written tone is streamed: ten minutes (106 MB) go through a pipe, to "-" or to the standard-output
// link, in less memory than the whole image would take, and that link stays what it was.
TEST(ToneProgram, StreamsALongToneToStandardOutputInLittleMemory)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "AddressSanitizer needs an unlimited address space";
#endif
    const struct { const char* words; double seconds; } cases[] = {
        {"tone 440 --seconds 600 --out -", 600}, {"tone 440 --wave 1 --seconds 0.1 --out /dev/stdout", 0.1}};
    for (const auto& c : cases) {
        const auto ran = testing::RunShell("ulimit -v 150000; '" + std::string(DORVANE_EXECUTABLE) + "' " + c.words +
                                           " | wc -c");
        EXPECT_EQ(std::stoll(ran.output), 44 + 4 * std::llround(c.seconds * 44100)) << c.words;
    }
    EXPECT_TRUE(std::filesystem::is_symlink("/dev/stdout"));
}

// The simulation shows local time as the running clock does, with TZ honoured: in Berlin the clock
// jumps from 01:59:59 to 03:00:00 on 2026-03-29 (a start in between begins at 03:00:00, with a note)
// and runs the hour from 02:00 twice on 2026-10-25, so that the chime strikes 2 twice.
TEST(SimulateProgram, StepsRealSecondsAndShowsTheLocalTimeOfTheTimeZone)
{
    TempFolder folder;
    TempFolder::Write(folder / "tick.ini", "[Settings]\nActivateTick=1\nActivateChime=0\n");
    TempFolder::Write(folder / "chime.ini", "[Settings]\nSelectChime=Tone\nChimeRingOnce=1\n");
    const struct { const char* zone; const char* settings; const char* from; int seconds; std::vector<std::string> times; const char* note; } cases[] = {
        {"Europe/Berlin", "tick.ini", "2026-03-29 01:59:59", 2, {"2026-03-29 01:59:59", "2026-03-29 03:00:00"}, ""},
        {"UTC", "tick.ini", "2026-03-29 01:59:59", 2, {"2026-03-29 01:59:59", "2026-03-29 02:00:00"}, ""},
        {"Europe/Berlin", "tick.ini", "2026-03-29 02:30:00", 1, {"2026-03-29 03:00:00"}, "2026-03-29 02:30:00 is skipped"},
        {"Europe/Berlin", "chime.ini", "2026-10-25 01:59:59", 7202,
         {"2026-10-25 02:00:00", "2026-10-25 02:00:00", "2026-10-25 03:00:00"}, ""},
    };
    for (const auto& c : cases) {
        const std::string command = "TZ=" + std::string(c.zone) + " '" + DORVANE_EXECUTABLE + "' simulate --settings " +
                                    (folder / c.settings).string() + " --from '" + c.from + "' --seconds " +
                                    std::to_string(c.seconds);
        const auto ran = testing::RunShell(command + " 2>" + (folder / "err").string());
        EXPECT_EQ(ran.exitCode, 0) << command;
        std::vector<std::string> times;
        std::istringstream lines(ran.output);
        for (std::string line; std::getline(lines, line);)
            times.push_back(line.substr(0, 19));
        EXPECT_EQ(times, c.times) << command << "\n" << ran.output;
        const std::string note = TempFolder::Read(folder / "err");
        EXPECT_EQ(note.empty(), *c.note == '\0') << note;
        EXPECT_NE(note.find(c.note), std::string::npos) << note;
    }
}

// Alarms are wall-clock times, with the zone's real rules: in Berlin an alarm at 2:30 rings at 03:00
// on 2026-03-29, when the clock skips that hour, and once only on 2026-10-25, when it shows it twice.
TEST(SimulateProgram, AnAlarmInTheDaylightSavingHoursRingsOnce)
{
    TempFolder folder;
    TempFolder::Write(folder / "alarm.ini", "[Settings]\nActivateChime=0\n[Alarm0]\nAlarmActivated=1\nAlarmHour=2\n"
                                            "AlarmMin=30\nAlarmAMPM=AM\nAlarmMessage=Tea\n");
    const struct { const char* from; const char* rungAt; } cases[] = {
        {"2026-03-29 01:59:00", "2026-03-29 03:00:00"}, {"2026-10-25 01:59:00", "2026-10-25 02:30:00"}};
    for (const auto& c : cases) {
        const auto ran = testing::RunShell("TZ=Europe/Berlin '" + std::string(DORVANE_EXECUTABLE) + "' simulate --settings " +
                                           (folder / "alarm.ini").string() + " --from '" + c.from + "' --seconds 7300");
        std::istringstream lines(ran.output);
        std::vector<std::string> popups;
        for (std::string line; std::getline(lines, line);)
            if (line.find(" popup ") != std::string::npos)
                popups.push_back(line.substr(0, 19));
        EXPECT_EQ(popups, std::vector<std::string>{c.rungAt}) << ran.output;
    }
}

// The largest picture (an 8K screen's) loads in one surface of memory: the address space is limited
// to that surface and the program's own, short of a second copy. A bomb of 130 KB, which once cost
// gigabytes, is refused there by the size limit's reason for its pixel data alone.
TEST(ImageProgram, TheLargestPictureLoadsInOneSurfaceAndBombsAreRefusedByTheirPixelData)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "AddressSanitizer needs an unlimited address space";
#endif
    constexpr std::int32_t kWidth = 7680, kHeight = 4320;
    constexpr std::size_t kBulk = 130000;
    using testing::Bytes;
    Bytes runs = testing::Repeated({255, 1}, kBulk / 2);
    runs.insert(runs.end(), {0, 1});
    const Bytes flatRgba = testing::DeflateRepeated(Bytes(1 + 4 * std::size_t{kWidth}, 0), kHeight);
    const struct { const char* name; Bytes file; std::int64_t width, height; std::uint64_t pixelData; const char* format; } cases[] = {
        {"largest.png", testing::AssemblePng({testing::Chunk("IHDR", testing::HeaderData(kWidth, kHeight, 8, 6)),
                                              testing::Chunk("IDAT", flatRgba), testing::Chunk("IEND", {})}),
         kWidth, kHeight, flatRgba.size(), ""},
        {"largest.bmp", testing::RunLengthBmp(kWidth, kHeight, runs), kWidth, kHeight, runs.size(), ""},
        {"comment.gif", testing::GifWithComment(kWidth, kHeight, kBulk), kWidth, kHeight, 2, "GIF: screen "},
    };
    TempFolder folder;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Status allowed = ImageLimits::PictureAllowed(c.width, c.height, c.pixelData);
        ASSERT_EQ(allowed.ok(), *c.format == 0);
        const std::string path = (folder / c.name).string();
        TempFolder::Write(path, std::string(c.file.begin(), c.file.end()));
        const auto ran = testing::RunShell("ulimit -v 260000; '" + std::string(DORVANE_EXECUTABLE) + "' image info " +
                                           path + " 2>&1");
        if (allowed) {
            EXPECT_EQ(ran.exitCode, 0) << ran.output;
            EXPECT_TRUE(ran.output.starts_with("width " + std::to_string(c.width) + "\n")) << ran.output;
            continue;
        }
        EXPECT_EQ(ran.exitCode, 1);
        EXPECT_EQ(ran.output, "dorvane image: cannot load " + path + ": " + c.format + allowed.error() + "\n");
    }
}

} // namespace
} // namespace dorvane
