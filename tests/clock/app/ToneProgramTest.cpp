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

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
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

// A written tone is streamed: ten minutes (106 MB) go through a pipe, to "-" or to the
// standard-output link, in less memory (ulimit -v, in KiB) than the whole tone would take; the link
// stays what it was. AddressSanitizer reserves far more address space than any such limit.
TEST(ToneProgram, ALongToneIsStreamedInLittleMemory)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "AddressSanitizer needs an unlimited address space";
#endif
    for (const auto& [words, seconds] : {std::pair("tone 440 --seconds 600 --out -", 600.0),
                                         {"tone 440 --wave 1 --seconds 0.1 --out /dev/stdout", 0.1}})
        EXPECT_EQ(std::stoll(Dorvane("ulimit -v 150000;", words, " | wc -c").output), 44 + 4 * std::llround(seconds * 44100))
            << words;
    EXPECT_TRUE(std::filesystem::is_symlink("/dev/stdout"));
}

// In a limited address space the largest picture (an 8K screen's) loads in one surface of memory,
// short of a second copy, and a bomb of 130 KB, which once cost gigabytes, is refused by the size
// limit's reason for its pixel data alone. Out of memory a command says so in one line and exits 1
// rather than aborting: the picture loads, its raw copy does not; the 256 MiB canvas fits, drawing
// on it or saving it does not.
TEST(ImageProgram, TheLargestPictureLoadsInOneSurfaceBombsAreRefusedAndOutOfMemoryIsOneLineAndExitCodeOne)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "AddressSanitizer needs an unlimited address space";
#endif
    constexpr std::int32_t kWidth = 7680, kHeight = 4320;
    constexpr std::size_t kBulk = 130000;
    Bytes runs = testing::Repeated({255, 1}, kBulk / 2);
    runs.insert(runs.end(), {0, 1});
    const Bytes flatRgba = testing::DeflateRepeated(Bytes(1 + 4 * std::size_t{kWidth}, 0), kHeight);
    TempFolder folder;
    const auto put = [&](const char* name, const Bytes& file) {
        TempFolder::Write(folder / name, std::string(file.begin(), file.end()));
        return (folder / name).string();
    };
    const std::string png = put("largest.png", testing::AssemblePng({testing::Chunk("IHDR", testing::HeaderData(kWidth, kHeight, 8, 6)),
                                                                      testing::Chunk("IDAT", flatRgba), testing::Chunk("IEND", {})}));
    const std::string bmp = put("largest.bmp", testing::RunLengthBmp(kWidth, kHeight, runs));
    const std::string gif = put("comment.gif", testing::GifWithComment(kWidth, kHeight, kBulk));
    const std::string small = put("in.bmp", testing::Bmp32(2, 2, {1, 2, 3, 255}));
    const std::string width = "width " + std::to_string(kWidth) + "\n";
    const struct { std::string words; int kib, status; std::string said; } cases[] = {
        {"image info " + png, 260000, 0, width}, {"image info " + bmp, 260000, 0, width},
        {"image info " + gif, 260000, 1,
         "dorvane image: cannot load " + gif + ": GIF: screen " + ImageLimits::PictureAllowed(kWidth, kHeight, 2).error() + "\n"},
        {"image decode " + bmp + " " + (folder / "large.raw").string(), 260000, 1, "dorvane image: not enough memory to decode "},
        {"image convert " + small + " " + (folder / "big.png").string() + " --size 8192x8192", 500000, 1,
         "dorvane image: not enough memory to convert "},
    };
    for (const auto& c : cases) {
        const auto ran = Dorvane("ulimit -v " + std::to_string(c.kib) + ";", c.words, " 2>&1");
        EXPECT_EQ(ran.exitCode, c.status) << c.words << "\n" << ran.output;
        EXPECT_TRUE(ran.output.starts_with(c.said)) << ran.output;
        EXPECT_EQ(std::count(ran.output.begin(), ran.output.end(), '\n'), c.status ? 1 : 4) << ran.output;
    }
}

} // namespace
} // namespace dorvane
