#include "clock/SettingsFile.h"
#include "tests/platform/FakeMessagePump.h"
#include "tests/platform/FakeScreen.h"
#include "tests/platform/TempFolder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sstream>
#include <sys/resource.h>

namespace dorvane {
namespace {

using testing::FakeMessagePump;
using testing::FakeScreen;
using testing::TempFolder;

// Records what the settings ask of the clock window, and what the state was at that moment.
class RecordingHost : public SettingsHost {
public:
    explicit RecordingHost(const ClockState& state) : state_(state) {}

    double ClockWindowWidthTwips() override
    {
        calls.push_back("width");
        speakerWhenCreated = state_.ComputerSpeaker;
        volumeWhenCreated = state_.FreqVol;
        return widthTwips;
    }
    TwipsPoint ClockWindowPositionTwips() override { return position; }
    void SetTopMost(bool onTop) override { calls.push_back(onTop ? "topmost" : "not topmost"); }
    void LoadSkin() override { calls.push_back("skin " + state_.Skin + " alarm6 " + state_.Alarms[6].AlarmHour); }

    std::vector<std::string> calls;
    double widthTwips = 2250;
    TwipsPoint position{1110 * 15, 20 * 15};
    int speakerWhenCreated = -1;
    int volumeWhenCreated = -1;

private:
    const ClockState& state_;
};

class SettingsFileTest : public ::testing::Test {
protected:
    std::filesystem::path Path() const { return folder / "ClockSettings.ini"; }
    void WriteFile(const std::string& bytes) { TempFolder::Write(Path(), bytes); }
    std::string FileText() const { return TempFolder::Read(Path()); }
    Status Load() { return settings.LoadSettings(); }

    TempFolder folder;
    ClockState state;
    RecordingHost host{state};
    FakeScreen screen{1280, 1024, 15};
    std::ostringstream errors;
    SettingsFile settings{Path(), state, host, screen, errors};
};

TEST_F(SettingsFileTest, AMissingFileGivesEveryDefault)
{
    state.Skin = "BLUE";
    state.Alarms[3].AlarmHour = "9";
    EXPECT_TRUE(Load().ok());
    const ClockState defaults;
    EXPECT_EQ(state.Skin, "<Default>");
    EXPECT_EQ(state.X, 1110); // (1280 * 15 - 2250 - 300) / 15
    EXPECT_EQ(state.Y, 20);
    EXPECT_EQ(state.Alpha, 179);
    EXPECT_EQ(state.FreqVol, 16250);
    EXPECT_EQ(state.TickFreq, 7000);
    EXPECT_EQ(state.SelectChime, "BigBen");
    EXPECT_EQ(state.Alarms[3].AlarmHour, "");
    EXPECT_EQ(state.Alarms[3].AlarmMin, "00");
    EXPECT_EQ(state.Alarms[3].AlarmAMPM, "AM");
    EXPECT_FALSE(std::filesystem::exists(Path()));
}

TEST_F(SettingsFileTest, AFileWithOnlyTheSkinKeepsEveryOtherDefault)
{
    WriteFile("[Settings]\nSkin=RED\n");
    Load();
    EXPECT_EQ(state.Skin, "RED");
    EXPECT_EQ(state.ShowSeconds, 1);
    EXPECT_EQ(state.ActivateChime, 1);
    EXPECT_EQ(state.AlarmNoOfRings, 4);
    EXPECT_EQ(host.calls.back(), "skin RED alarm6 ");
}

TEST_F(SettingsFileTest, ReadsInOrderCreatingTheWindowAfterTheSoundSettings)
{
    WriteFile("[Settings]\nComputerSpeaker=1\nFreqVol=100\nAlwaysOnTop=1\n[Alarm6]\nAlarmHour=11\n");
    host.position = {0, 0};
    Load();
    EXPECT_EQ(host.calls, (std::vector<std::string>{"width", "topmost", "skin <Default> alarm6 11"}));
    EXPECT_EQ(host.speakerWhenCreated, 1);
    EXPECT_EQ(host.volumeWhenCreated, 100);
    EXPECT_TRUE(state.HighQuality);
}

TEST_F(SettingsFileTest, TheDefaultPositionFollowsTheScreenAndTheWindow)
{
    struct Case {
        int screenWidth;
        double twipsPerPixel, windowWidthTwips;
        int x, y;
    } cases[] = {{1280, 15, 2250, 1110, 20}, {1920, 15, 2250, 1750, 20}, {1920, 15, 1950, 1770, 20},
                 {2560, 7.5, 2250, 2081, 37} /* 7.5 twips per pixel rounds to 8 */, {100, 15, 2250, -70, 20}};
    for (const auto& c : cases) {
        FakeScreen screen2(c.screenWidth, 1000, c.twipsPerPixel);
        host.widthTwips = c.windowWidthTwips;
        SettingsFile file(Path(), state, host, screen2, errors);
        file.LoadSettings();
        EXPECT_EQ(state.X, c.x) << c.screenWidth << " " << c.twipsPerPixel;
        EXPECT_EQ(state.Y, c.y) << c.screenWidth << " " << c.twipsPerPixel;
    }
}

TEST_F(SettingsFileTest, ConvertsNumbersAndGivesUnusableOnesTheirDefault)
{
    WriteFile("[Settings]\nUnmovable=2\nAlwaysOnTop=0.4\nAlpha=300\nTickFreq=99999\nTickDur=9e9\n"
              "ChimeFreq=abc\nAlarmFreq=\nFreqVol= 1200.5 \nX=&H10\nY=-5\nAlarmNoOfRings=2.5\n"
              "ShowBorder=3.5\nChimeRingOnce=-0\n");
    Load();
    EXPECT_TRUE(state.Unmovable);
    EXPECT_TRUE(state.AlwaysOnTop);
    EXPECT_EQ(state.Alpha, 179);
    EXPECT_EQ(state.TickFreq, 7000);
    EXPECT_EQ(state.TickDur, 50);
    EXPECT_EQ(state.ChimeFreq, 500);
    EXPECT_EQ(state.AlarmFreq, 2000);
    EXPECT_EQ(state.FreqVol, 1200);
    EXPECT_EQ(state.X, 16);
    EXPECT_EQ(state.Y, -5);
    EXPECT_EQ(state.AlarmNoOfRings, 2);
    EXPECT_EQ(state.ShowBorder, 4);
    EXPECT_EQ(state.ChimeRingOnce, 0);
}

TEST_F(SettingsFileTest, KeyNamesMatchWithoutRegardToCaseAndAnEmptyValueIsKept)
{
    WriteFile("[SETTINGS]\nskin=\nselectchime=  Tone  \n[alarm0]\nALARMACTIVATED=1\nAlarmHour=\nalarmmin=\n");
    Load();
    EXPECT_EQ(state.Skin, "");
    EXPECT_EQ(state.SelectChime, "Tone");
    EXPECT_TRUE(state.Alarms[0].IsArmed());
    EXPECT_EQ(state.Alarms[0].AlarmHour, "");
    EXPECT_EQ(state.Alarms[0].AlarmMin, "");
}

TEST_F(SettingsFileTest, SectionsAlarm7AndAboveAreIgnored)
{
    WriteFile("[Alarm7]\nAlarmHour=7\nAlarmActivated=1\n[Alarm6]\nAlarmHour=6\n");
    Load();
    EXPECT_EQ(state.Alarms[6].AlarmHour, "6");
    EXPECT_EQ(state.Alarms[7].AlarmHour, "");
    EXPECT_FALSE(state.Alarms[7].IsArmed());
    settings.SaveSettings();
    EXPECT_NE(FileText().find("[Alarm7]\nAlarmHour=7\nAlarmActivated=1\n"), std::string::npos);
}

TEST_F(SettingsFileTest, SavesTheDefaultsAsTheFileShows)
{
    Load();
    ASSERT_TRUE(settings.SaveSettings().ok());
    const std::string text = FileText();
    EXPECT_EQ(text.substr(0, 100), std::string("[Settings]\nSkin=<Default>\nComputerSpeaker=0\nFreqVol=16250\n"
                                               "X=1110\nY=20\nUnmovable=0\nAlwaysOnTop=0\nAlpha=179\n")
                                       .substr(0, 100));
    EXPECT_NE(text.find("ShowBorder=0\n\n[Alarm0]\nAlarmActivated=0\nAlarmDate=\nAlarmHour=\nAlarmMin=00\n"
                        "AlarmAMPM=AM\nAlarmMessage=\nAlarmExec=\n\n[Alarm1]"),
              std::string::npos);
}

TEST_F(SettingsFileTest, SavesTheWindowsRealPositionAndBooleansAsOneAndZero)
{
    WriteFile("[Settings]\nUnmovable=2\nX=5\nY=6\n");
    Load();
    host.position = {301 * 15 + 7, -40 * 15};
    state.TickFreq = -12;
    state.Alarms[2].AlarmActivated = "1";
    state.Alarms[2].AlarmMessage = "Tea is ready";
    settings.SaveSettings();
    const std::string text = FileText();
    EXPECT_NE(text.find("X=301\nY=-40\n"), std::string::npos) << text;
    EXPECT_NE(text.find("Unmovable=1\n"), std::string::npos) << text;
    EXPECT_NE(text.find("TickFreq=-12\n"), std::string::npos);
    EXPECT_NE(text.find("[Alarm2]\nAlarmActivated=1\n"), std::string::npos);
    EXPECT_NE(text.find("AlarmMessage=Tea is ready\n"), std::string::npos);
}

TEST_F(SettingsFileTest, ASaveKeepsUnknownKeysCommentsAndLineEnds)
{
    WriteFile("\xEF\xBB\xBF; my clock\r\n[Settings]\r\nSkin=RED\r\nMyKey=42\r\n[Extra]\r\nA=B\r\n");
    Load();
    settings.SaveSettings();
    const std::string text = FileText();
    EXPECT_TRUE(text.starts_with("\xEF\xBB\xBF; my clock\r\n[Settings]\r\nSkin=RED\r\nMyKey=42\r\nComputerSpeaker=0\r\n"));
    EXPECT_NE(text.find("[Extra]\r\nA=B\r\n"), std::string::npos);
    EXPECT_EQ(text.find("\n\n"), std::string::npos) << "only CRLF line ends";
}

TEST_F(SettingsFileTest, LoadThenSaveThenLoadGivesTheSameState)
{
    WriteFile("[Settings]\nSkin=BRISA\nAlpha=12\nActivateTick=1\n[Alarm4]\nAlarmActivated=1\nAlarmDate=Sun Dec 06, 2026\n"
              "AlarmHour=7\nAlarmMin=05\nAlarmAMPM=PM\nAlarmMessage=Call = mum ; now\nAlarmExec=/usr/bin/true\n");
    Load();
    settings.SaveSettings();
    ClockState again;
    RecordingHost host2(again);
    SettingsFile(Path(), again, host2, screen, errors).LoadSettings();
    EXPECT_EQ(again.Skin, "BRISA");
    EXPECT_EQ(again.Alpha, 12);
    EXPECT_EQ(again.ActivateTick, 1);
    EXPECT_EQ(again.Alarms[4].AlarmDate, "Sun Dec 06, 2026");
    EXPECT_EQ(again.Alarms[4].AlarmMessage, "Call = mum ; now");
    EXPECT_EQ(again.Alarms[4].AlarmExec, "/usr/bin/true");
}

TEST_F(SettingsFileTest, AResetWritesEverySectionWithDefaultsAndKeepsThePosition)
{
    WriteFile("[Settings]\nSkin=RED\nX=50\n[Alarm3]\nAlarmHour=7\nAlarmActivated=1\n");
    Load();
    host.position = {50 * 15, 60 * 15};
    FakeMessagePump pump;
    ASSERT_TRUE(settings.ResetToDefaults(pump).ok());
    EXPECT_EQ(pump.runs, 1);
    EXPECT_FALSE(std::filesystem::exists(Path()));
    EXPECT_EQ(state.Skin, "<Default>");
    EXPECT_EQ(state.Alarms[3].AlarmHour, "");
    settings.SaveSettings(); // the options window saves as it reopens
    const std::string text = FileText();
    EXPECT_NE(text.find("X=50\nY=60\n"), std::string::npos);
    for (int i = 0; i < 7; ++i)
        EXPECT_NE(text.find("[Alarm" + std::to_string(i) + "]\nAlarmActivated=0\nAlarmDate=\nAlarmHour=\nAlarmMin=00\n"
                            "AlarmAMPM=AM\nAlarmMessage=\nAlarmExec=\n"),
                  std::string::npos) << i;
}

TEST_F(SettingsFileTest, GarbageFilesLoadWithDefaultsAndWithoutACrash)
{
    std::string binaryBytes(3 << 20, '\0');
    for (std::size_t i = 0; i < binaryBytes.size(); ++i)
        binaryBytes[i] = static_cast<char>((i * 2654435761u) >> 13);
    const std::string binary = binaryBytes;
    const std::string manyLines(2 << 20, '\n');
    const std::string oneLongLine = "[Settings]\nSkin=" + std::string(4 << 20, 'R');
    for (const std::string* bytes : {&binary, &manyLines, &oneLongLine}) {
        WriteFile(*bytes);
        EXPECT_TRUE(Load().ok());
        EXPECT_EQ(state.Alpha, 179);
        EXPECT_LE(state.Skin.size(), 254u);
        EXPECT_TRUE(settings.SaveSettings().ok());
    }
    EXPECT_EQ(state.Skin, std::string(254, 'R'));
}

TEST_F(SettingsFileTest, AnUnreadableFileGivesDefaultsAndIsNeverOverwritten)
{
    std::filesystem::create_directory(Path()); // a folder where the file should be
    Status loaded = Load();
    EXPECT_FALSE(loaded.ok());
    EXPECT_EQ(state.Skin, "<Default>");
    EXPECT_FALSE(settings.SaveSettings().ok());
    EXPECT_TRUE(std::filesystem::is_directory(Path()));
}

TEST_F(SettingsFileTest, AFailedSaveLeavesTheOldFileIntact)
{
    const std::string old = "[Settings]\nSkin=RED\nKeep=" + std::string(1000, 'k') + "\n";
    WriteFile(old);
    Load();
    state.Skin = "BLUE";

    // Let the new file grow to 64 bytes only, as on a full disk.
    struct rlimit saved {};
    getrlimit(RLIMIT_FSIZE, &saved);
    auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 64;
    setrlimit(RLIMIT_FSIZE, &small);
    Status saveResult = settings.SaveSettings();
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(saveResult.ok());
    EXPECT_NE(saveResult.error().find("ClockSettings.ini"), std::string::npos) << saveResult.error();
    EXPECT_EQ(FileText(), old);
    EXPECT_NE(errors.str().find(saveResult.error()), std::string::npos) << "the failure is told on stderr";
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1) << "no temporary left behind";
}

TEST_F(SettingsFileTest, ASaveCreatesTheFoldersItNeedsAndFailsCleanlyWhereItCannot)
{
    SettingsFile nested(folder / "a" / "b" / "ClockSettings.ini", state, host, screen, errors);
    EXPECT_TRUE(nested.SaveSettings().ok());
    EXPECT_TRUE(std::filesystem::exists(folder / "a" / "b" / "ClockSettings.ini"));

    TempFolder::Write(folder / "plain", "x");
    SettingsFile blocked(folder / "plain" / "ClockSettings.ini", state, host, screen, errors);
    EXPECT_FALSE(blocked.SaveSettings().ok());
}

TEST_F(SettingsFileTest, TheSettingsTextIsWhatASaveWritesForItsOwnSections)
{
    WriteFile("[Settings]\nSkin=RED\nUnknown=1\n");
    Load();
    const std::string text = settings.SettingsText();
    EXPECT_TRUE(text.starts_with("[Settings]\nSkin=RED\nComputerSpeaker=0\n"));
    EXPECT_EQ(text.find("Unknown"), std::string::npos);
    EXPECT_NE(text.find("[Alarm6]\n"), std::string::npos);
    EXPECT_EQ(FileText(), "[Settings]\nSkin=RED\nUnknown=1\n") << "the file is not changed";
}

} // namespace
} // namespace dorvane
