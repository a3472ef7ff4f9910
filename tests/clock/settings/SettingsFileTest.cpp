#include "clock/settings/SettingsFile.h"
#include "clock/settings/IniProfile.h"
#include "tests/support/Fakes.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <sstream>
#ifdef _WIN32
#include <fstream>
#else
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#endif

namespace dorvane {
namespace {

using testing::FakeScreen;
using testing::TempFolder;

// Records what the settings ask of the clock window, and what the state was at that moment.
struct RecordingHost : SettingsHost {
    explicit RecordingHost(const ClockState& state) : state(state) {}
    double ClockWindowWidthTwips() override
    {
        calls.push_back("width speaker " + std::to_string(state.ComputerSpeaker) + " volume " + std::to_string(state.FreqVol));
        return widthTwips;
    }
    TwipsPoint ClockWindowPositionTwips() override { return position; }
    void SetTopMost(bool onTop) override { calls.push_back(onTop ? "topmost" : "not topmost"); }
    void LoadSkin() override { calls.push_back("skin " + state.Skin + " alarm6 " + state.Alarms[6].AlarmHour); }
    const ClockState& state;
    std::vector<std::string> calls;
    double widthTwips = 2250;
    TwipsPoint position{1110 * 15, 20 * 15};
};

// While it lives, replacing the settings file fails the way it most often does on each system. On
// Linux the new file may grow to 64 bytes only, as on a full disk. On Windows another program (an
// editor, a virus scanner) holds the old file open without letting it be deleted.
struct FailingReplace {
#ifdef _WIN32
    explicit FailingReplace(const std::filesystem::path& file) : reader(file) {}
    std::ifstream reader;
#else
    explicit FailingReplace(const std::filesystem::path&)
    {
        getrlimit(RLIMIT_FSIZE, &saved);
        struct rlimit small = saved;
        small.rlim_cur = 64;
        setrlimit(RLIMIT_FSIZE, &small);
    }
    ~FailingReplace()
    {
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previousHandler);
    }
    struct rlimit saved {};
    void (*previousHandler)(int) = std::signal(SIGXFSZ, SIG_IGN);
#endif
};

std::string DefaultAlarm(int slot)
{
    return "[Alarm" + std::to_string(slot) +
           "]\nAlarmActivated=0\nAlarmDate=\nAlarmHour=\nAlarmMin=00\nAlarmAMPM=AM\nAlarmMessage=\nAlarmExec=\n";
}

struct SettingsFileTest : ::testing::Test {
    std::filesystem::path Path() const { return folder / "ClockSettings.ini"; }
    std::string FileText() const { return TempFolder::Read(Path()); }
    Status Load(const std::string& bytes)
    {
        TempFolder::Write(Path(), bytes);
        return settings.LoadSettings();
    }
    TempFolder folder;
    ClockState state;
    RecordingHost host{state};
    FakeScreen screen;
    std::ostringstream errors;
    SettingsFile settings{Path(), state, host, screen, errors};
};

TEST_F(SettingsFileTest, AMissingFileGivesEveryDefaultWhichTheSettingsTextAndASaveShowInOrderMakingItsFolder)
{
    state.Skin = "BLUE";
    state.Alarms[3].AlarmHour = "9";
    EXPECT_TRUE(settings.LoadSettings().ok());
    std::string expected = "[Settings]\nSkin=<Default>\nComputerSpeaker=0\nFreqVol=16250\nX=1110\nY=20\nUnmovable=0\n"
                           "AlwaysOnTop=0\nAlpha=179\nRunAtStartup=0\nInvisibleClock=0\nShowSeconds=1\nActivateTick=0\n"
                           "TickFreq=7000\nTickDur=50\nActivateChime=1\nSelectChime=BigBen\nChimeFreq=500\n"
                           "ChimeRingOnce=0\nAlarmFreq=2000\nAlarmNoOfRings=4\nShowBorder=0\nMissedAlarmGrace=10\n";
    for (int slot = 0; slot < 7; ++slot)
        expected += "\n" + DefaultAlarm(slot);
    EXPECT_EQ(settings.SettingsText(), expected);
    EXPECT_FALSE(std::filesystem::exists(Path()));
    ASSERT_TRUE(settings.SaveSettings().ok());
    EXPECT_EQ(FileText(), expected);
    const auto inNewFolder = folder / "new" / "ClockSettings.ini";
    ASSERT_TRUE(SettingsFile(inNewFolder, state, host, screen, errors).SaveSettings().ok());
    EXPECT_EQ(TempFolder::Read(inNewFolder), expected);
}

TEST_F(SettingsFileTest, ReadsInOrderCreatingTheWindowAfterTheSoundSettingsLoadingTheSkinLastAndPlacingItByTheScreen)
{
    Load("[Settings]\nSkin=RED\nComputerSpeaker=1\nFreqVol=100\nAlwaysOnTop=1\n[Alarm6]\nAlarmHour=11\n");
    EXPECT_EQ(host.calls, (std::vector<std::string>{"width speaker 1 volume 100", "topmost", "skin RED alarm6 11"}));
    EXPECT_TRUE(state.HighQuality);

    const struct { int screenWidth; double twipsPerPixel, windowWidthTwips; int x, y; } cases[] = {
        {1920, 15, 1950, 1770, 20}, {2560, 7.5, 2250, 2081, 37} /* 7.5 twips a pixel rounds to 8 */, {100, 15, 2250, -70, 20}};
    std::filesystem::remove(Path());
    for (const auto& c : cases) {
        FakeScreen otherScreen(c.screenWidth, 1000, c.twipsPerPixel);
        host.widthTwips = c.windowWidthTwips;
        SettingsFile(Path(), state, host, otherScreen, errors).LoadSettings();
        EXPECT_EQ(std::pair(int(state.X), int(state.Y)), std::pair(c.x, c.y)) << c.screenWidth;
    }
}

TEST_F(SettingsFileTest, ReadsKeysInAnyCaseKeepsEmptyTextsCutsLongOnesWholeCharactersOnlyIgnoresAlarm7AndGivesBadNumbersTheirDefault)
{
    Load("[SETTINGS]\nskin=\nselectchime=  Tone  \nUnmovable=2\nAlwaysOnTop=0.4\nAlpha=300\nTickFreq=99999\n"
         "TickDur=9e9\nChimeFreq=abc\nAlarmFreq=\nFreqVol= 1200.5 \nX=&H10\nY=-5\nAlarmNoOfRings=2.5\nShowBorder=3.5\n"
         "ChimeRingOnce=-0\n[alarm0]\nALARMACTIVATED=1\nalarmmin=\n[Alarm7]\nAlarmActivated=1\n");
    EXPECT_EQ(std::pair(state.Skin, state.SelectChime), std::pair(std::string(), std::string("Tone")));
    EXPECT_EQ(std::tuple(state.Alarms[0].IsArmed(), state.Alarms[0].AlarmMin, state.Alarms[7].IsArmed()), std::tuple(true, "", false))
        << "the table has seven alarms";
    EXPECT_TRUE(state.Unmovable && state.AlwaysOnTop);
    const std::vector<int> numbers = {state.Alpha,   state.TickFreq, state.TickDur,        state.ChimeFreq,
                                      state.AlarmFreq, state.FreqVol, state.X, state.Y, state.AlarmNoOfRings,
                                      state.ShowBorder, state.ChimeRingOnce};
    EXPECT_EQ(numbers, (std::vector<int>{179, 7000, 50, 500, 2000, 1200, 16, -5, 2, 4, 0}));
    // Values are cut to 254 bytes, never inside a character.
    EXPECT_TRUE(Load("[Settings]\nSelectChime=" + std::string(253, 'a') + "\xC3\xA9\nSkin=" + std::string(4 << 20, 'R')).ok());
    EXPECT_EQ(std::pair(state.Skin, state.SelectChime), std::pair(std::string(254, 'R'), std::string(253, 'a')));
    EXPECT_TRUE(settings.SaveSettings().ok());
}

TEST_F(SettingsFileTest, ASaveKeepsUnknownKeysCommentsAndLineEndsWritesTheRealPositionAndBooleansAsOneOrZeroAResetDefaults)
{
    Load("\xEF\xBB\xBF; my clock\r\n[Settings]\r\nSkin=RED\r\nMyKey=42\r\nUnmovable=2\r\nX=5\r\nY=6\r\n[Extra]\r\nA=B\r\n");
    host.position = {301 * 15 + 7, -40 * 15};
    state.TickFreq = -12;
    ASSERT_TRUE(settings.SaveSettings().ok());
    const std::string text = FileText();
    EXPECT_TRUE(text.starts_with("\xEF\xBB\xBF; my clock\r\n[Settings]\r\nSkin=RED\r\nMyKey=42\r\nUnmovable=1\r\n"
                                 "X=301\r\nY=-40\r\nComputerSpeaker=0\r\n")) << text;
    EXPECT_NE(text.find("TickFreq=-12\r\n"), std::string::npos) << text;
    // A reset deletes the file; a following save writes defaults at the window's position.
    Load("[Settings]\nSkin=RED\nX=50\n[Alarm3]\nAlarmHour=7\nAlarmActivated=1\n");
    host.position = {50 * 15, 60 * 15};
    testing::FakeMessagePump pump;
    ASSERT_TRUE(settings.ResetToDefaults(pump).ok());
    EXPECT_EQ(pump.runs, 1);
    EXPECT_FALSE(std::filesystem::exists(Path()));
    EXPECT_EQ(state.Skin, "<Default>");
    settings.SaveSettings(); // the options window saves as it reopens
    EXPECT_NE(FileText().find("X=50\nY=60\n"), std::string::npos);
    EXPECT_NE(FileText().find(DefaultAlarm(3)), std::string::npos);
}

// A file that cannot be read (a folder, a file too large to be settings, a FIFO, which must not
// block) gives the defaults. A read-only file is left alone, said once; settings over the read
// limit, or a replace that fails, are not saved and said each time. In every case the file stays as
// it was, with no temporary left beside it.
TEST_F(SettingsFileTest, AnUnreadableFileGivesDefaultsAndASaveNeverOverwritesAFileItMustNotOrWithOneTheNextStartCouldNotRead)
{
    namespace fs = std::filesystem;
    const fs::perms readOnly = fs::perms::owner_read | fs::perms::group_read, own = readOnly | fs::perms::owner_write;
    const std::string old = "[Settings]\nSkin=RED\nKeep=" + std::string(1000, 'k') + "\n";
    const std::string nearLimit = "[Settings]\nKeep=" + std::string(IniProfile::kMaxFileBytes - 100, 'k') + "\n";
    const std::string oversized = "[Settings]\nSkin=RED\n" + std::string(IniProfile::kMaxFileBytes, '#');
    const auto write = [&](const std::string& text) { return [&, text] { TempFolder::Write(Path(), text); }; };
    const auto fingerprint = [&] { return fs::is_regular_file(Path()) ? FileText() : std::to_string(int(fs::status(Path()).type())); };
    const struct { const char* what; std::function<void()> make; bool read, failing, saved; std::string told; int tellings; } cases[] = {
        {"a folder where the file should be", [&] { fs::create_directory(Path()); }, false, false, false, "", 0},
        {"a file too large to be settings", write(oversized), false, false, false, "", 0},
#ifndef _WIN32
        {"a FIFO, which must not block", [&] { ::mkfifo(Path().c_str(), 0600); }, false, false, false, "", 0},
#endif
        {"a read-only file", [&] { write(old)(), fs::permissions(Path(), readOnly); }, true, false, true, "read-only", 1},
        {"settings over the read limit", write(nearLimit), true, false, false, "bytes a settings file may have", 2},
        {"a failed replace", write(old), true, true, false, "ClockSettings.ini", 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        errors.str("");
        fs::remove_all(Path());
        c.make();
        const std::string before = fingerprint();
        EXPECT_EQ(settings.LoadSettings().ok(), c.read);
        EXPECT_TRUE(c.read || state.Skin == "<Default>");
        state.Skin = "BLUE";
        {
            std::optional<FailingReplace> failing;
            if (c.failing)
                failing.emplace(Path());
            for (int save = 0; save < 2; ++save) {
                const Status saved = settings.SaveSettings();
                EXPECT_EQ(saved.ok(), c.saved);
                EXPECT_TRUE(saved.ok() || errors.str().find(saved.error()) != std::string::npos) << "told on stderr";
            }
        }
        if (fs::is_regular_file(Path()))
            fs::permissions(Path(), own);
        EXPECT_EQ(fingerprint(), before) << "the file is as it was";
        const std::string told = errors.str();
        int tellings = 0;
        for (auto at = c.told.empty() ? std::string::npos : told.find(c.told); at != std::string::npos; at = told.find(c.told, at + 1))
            ++tellings;
        EXPECT_EQ(tellings, c.tellings) << told;
        EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), {}), 1) << "no temporary left behind";
    }
}

} // namespace
} // namespace dorvane
