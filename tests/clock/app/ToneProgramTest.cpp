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

using testing::Bytes;
using testing::TempFolder;

// Runs the program with words, after a shell prefix (such as "ulimit -v 1000;") and before a suffix.
testing::ShellRun Dorvane(const std::string& prefix, const std::string& words, const std::string& suffix = " 2>&1 >/dev/null")
{
    return testing::RunShell(prefix + " '" + DORVANE_EXECUTABLE + "' " + words + suffix);
}

// Without a sound server; what it says on standard error becomes the run's output.
const std::string kNoServer = "env PULSE_SERVER=unix:/nonexistent/dorvane-no-server SDL_AUDIODRIVER=pulseaudio";

std::vector<std::string> Lines(const std::string& text, std::size_t length = std::string::npos)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line.substr(0, length));
    return lines;
}

TEST(ToneProgram, WithoutASoundServerPlaysSilentlySaysSoOnceAndWritesTheSameNoiseOnEveryRunAndHelpNamesEveryCommand)
{
    const auto start = std::chrono::steady_clock::now();
    const auto ran = Dorvane(kNoServer, "tone 2000 --seconds 0.12");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    EXPECT_EQ(ran.exitCode, 0);
    // Counted by the program's own lines: a sanitizer build adds a report of its own.
    EXPECT_EQ(std::ranges::count_if(Lines(ran.output), [](const std::string& l) { return l.starts_with("dorvane:"); }), 1)
        << ran.output;
    EXPECT_NE(ran.output.find("dorvane: no sound device"), std::string::npos) << ran.output;
    TempFolder folder;
    for (const char* file : {"a.wav", "b.wav"})
        ASSERT_EQ(Dorvane(kNoServer, "tone 1000 --wave 1 --seconds 0.05 --out " + (folder / file).string()).exitCode, 0);
    const std::string first = TempFolder::Read(folder / "a.wav");
    EXPECT_EQ(first, TempFolder::Read(folder / "b.wav"));
    const testing::WavBytes wav{std::span(reinterpret_cast<const uint8_t*>(first.data()), first.size())};
    ASSERT_EQ(wav.Frames(), 2205u);
    EXPECT_NE(wav.Sample(0, 0), wav.Sample(1, 0));
    EXPECT_NE(wav.Sample(0, 0), wav.Sample(0, 1));
    const auto help = Dorvane("", "--help", "");
    EXPECT_EQ(help.exitCode, 0);
    for (const char* command : {"settings", "simulate", "snapshot", "image", "tone"})
        EXPECT_NE(help.output.find(std::string("dorvane ") + command + " "), std::string::npos) << "help names " << command;
}

// Out of memory, a command says so in one line and exits 1 rather than aborting; a written tone is
// streamed: ten minutes (106 MB) go through a pipe, to "-" or to the standard-output link, in less
// memory than the whole image would take, and that link stays what it was. The address space is
// limited (ulimit -v, in KiB) so that the command's first large block fits and a later one does
// not; AddressSanitizer reserves far more address space than any such limit, so it cannot run here.
TEST(ToneProgram, OutOfMemoryIsOneLineAndExitCodeOneAndALongToneIsStreamedInLittleMemory)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "AddressSanitizer needs an unlimited address space";
#endif
    TempFolder folder;
    const Bytes small = testing::Bmp32(2, 2, {1, 2, 3, 255});
    Bytes runs = testing::Repeated({255, 1}, 65000);
    runs.insert(runs.end(), {0, 1});
    const Bytes large = testing::RunLengthBmp(7680, 4320, runs);
    TempFolder::Write(folder / "in.bmp", std::string(small.begin(), small.end()));
    TempFolder::Write(folder / "large.bmp", std::string(large.begin(), large.end()));
    const struct { std::string words; int kib; const char* said; } cases[] = {
        // The 127 MiB picture loads, its raw copy does not.
        {"image decode " + (folder / "large.bmp").string() + " " + (folder / "large.raw").string(), 260000,
         "dorvane image: not enough memory to decode "},
        // The 256 MiB canvas fits, drawing on it or saving it does not.
        {"image convert " + (folder / "in.bmp").string() + " " + (folder / "big.png").string() + " --size 8192x8192",
         500000, "dorvane image: not enough memory to convert "},
    };
    for (const auto& c : cases) {
        const auto ran = Dorvane("ulimit -v " + std::to_string(c.kib) + ";", c.words);
        EXPECT_EQ(ran.exitCode, 1) << c.words << "\n" << ran.output;
        EXPECT_TRUE(ran.output.starts_with(c.said)) << ran.output;
        EXPECT_EQ(std::count(ran.output.begin(), ran.output.end(), '\n'), 1) << ran.output;
    }
    for (const auto& [words, seconds] : {std::pair("tone 440 --seconds 600 --out -", 600.0),
                                         {"tone 440 --wave 1 --seconds 0.1 --out /dev/stdout", 0.1}})
        EXPECT_EQ(std::stoll(Dorvane("ulimit -v 150000;", words, " | wc -c").output), 44 + 4 * std::llround(seconds * 44100))
            << words;
    EXPECT_TRUE(std::filesystem::is_symlink("/dev/stdout"));
}

// The simulation shows local time as the running clock does, with TZ honoured: in Berlin the clock
// jumps from 01:59:59 to 03:00:00 on 2026-03-29 (a start in between begins at 03:00:00, with a note)
// and runs the hour from 02:00 twice on 2026-10-25, so that the chime strikes 2 twice. Alarms are
// wall-clock times: one at 2:30 rings at 03:00 on 2026-03-29 and once only on 2026-10-25.
TEST(SimulateProgram, StepsRealSecondsAndShowsTheLocalTimeOfTheTimeZoneWhereAnAlarmRingsOnce)
{
    TempFolder folder;
    TempFolder::Write(folder / "tick.ini", "[Settings]\nActivateTick=1\nActivateChime=0\n");
    TempFolder::Write(folder / "chime.ini", "[Settings]\nSelectChime=Tone\nChimeRingOnce=1\n");
    TempFolder::Write(folder / "alarm.ini", "[Settings]\nActivateChime=0\n[Alarm0]\nAlarmActivated=1\nAlarmHour=2\n"
                                            "AlarmMin=30\nAlarmAMPM=AM\nAlarmMessage=Tea\n");
    const struct { const char *zone, *settings, *from; int seconds; std::vector<std::string> times; const char* note; } cases[] = {
        {"Europe/Berlin", "tick.ini", "2026-03-29 01:59:59", 2, {"2026-03-29 01:59:59", "2026-03-29 03:00:00"}, ""},
        {"UTC", "tick.ini", "2026-03-29 01:59:59", 2, {"2026-03-29 01:59:59", "2026-03-29 02:00:00"}, ""},
        {"Europe/Berlin", "tick.ini", "2026-03-29 02:30:00", 1, {"2026-03-29 03:00:00"}, "2026-03-29 02:30:00 is skipped"},
        {"Europe/Berlin", "chime.ini", "2026-10-25 01:59:59", 7202,
         {"2026-10-25 02:00:00", "2026-10-25 02:00:00", "2026-10-25 03:00:00"}, ""},
        {"Europe/Berlin", "alarm.ini", "2026-03-29 01:59:00", 7300, {"2026-03-29 03:00:00"}, ""},
        {"Europe/Berlin", "alarm.ini", "2026-10-25 01:59:00", 7300, {"2026-10-25 02:30:00"}, ""},
    };
    for (const auto& c : cases) {
        const std::string words = "simulate --settings " + (folder / c.settings).string() + " --from '" + c.from +
                                  "' --seconds " + std::to_string(c.seconds);
        const auto ran = Dorvane("TZ=" + std::string(c.zone), words, " 2>" + (folder / "err").string());
        EXPECT_EQ(ran.exitCode, 0) << words;
        std::vector<std::string> times = Lines(ran.output);
        if (std::string(c.settings) == "alarm.ini") // the pop-ups only
            std::erase_if(times, [](const std::string& line) { return line.find(" popup ") == std::string::npos; });
        std::ranges::for_each(times, [](std::string& line) { line.resize(19); });
        EXPECT_EQ(times, c.times) << c.zone << " " << words << "\n" << ran.output;
        const std::string note = TempFolder::Read(folder / "err");
        EXPECT_EQ(note.empty(), *c.note == '\0') << note;
        EXPECT_NE(note.find(c.note), std::string::npos) << note;
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
    Bytes runs = testing::Repeated({255, 1}, kBulk / 2);
    runs.insert(runs.end(), {0, 1});
    const Bytes flatRgba = testing::DeflateRepeated(Bytes(1 + 4 * std::size_t{kWidth}, 0), kHeight);
    const struct { const char* name; Bytes file; std::uint64_t pixelData; const char* format; } cases[] = {
        {"largest.png", testing::AssemblePng({testing::Chunk("IHDR", testing::HeaderData(kWidth, kHeight, 8, 6)),
                                              testing::Chunk("IDAT", flatRgba), testing::Chunk("IEND", {})}),
         flatRgba.size(), ""},
        {"largest.bmp", testing::RunLengthBmp(kWidth, kHeight, runs), runs.size(), ""},
        {"comment.gif", testing::GifWithComment(kWidth, kHeight, kBulk), 2, "GIF: screen "},
    };
    TempFolder folder;
    for (const auto& c : cases) {
        const Status allowed = ImageLimits::PictureAllowed(kWidth, kHeight, c.pixelData);
        ASSERT_EQ(allowed.ok(), *c.format == 0) << c.name;
        const std::string path = (folder / c.name).string();
        TempFolder::Write(path, std::string(c.file.begin(), c.file.end()));
        const auto ran = Dorvane("ulimit -v 260000;", "image info " + path, " 2>&1");
        EXPECT_EQ(ran.exitCode, allowed ? 0 : 1) << ran.output;
        if (allowed)
            EXPECT_TRUE(ran.output.starts_with("width " + std::to_string(kWidth) + "\n")) << ran.output;
        else
            EXPECT_EQ(ran.output, "dorvane image: cannot load " + path + ": " + c.format + allowed.error() + "\n");
    }
}

} // namespace
} // namespace dorvane
