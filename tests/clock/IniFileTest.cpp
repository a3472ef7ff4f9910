#include "clock/IniFile.h"
#include "clock/IniProfile.h"
#include "tests/platform/TempFolder.h"

#include <gtest/gtest.h>

namespace dorvane {
namespace {

using testing::TempFolder;

TEST(IniFile, FindsSectionsAndKeysWithoutRegardToCase)
{
    auto file = IniFile::Parse("[settings]\nskin=RED\n[ALARM0]\n  alarmhour  =  7  \n");
    EXPECT_EQ(file.Find("Settings", "Skin"), "RED");
    EXPECT_EQ(file.Find("Alarm0", "AlarmHour"), "7");
    EXPECT_EQ(file.Find("Alarm0", "Skin"), std::nullopt);
    EXPECT_EQ(file.Find("Alarm1", "AlarmHour"), std::nullopt);
}

TEST(IniFile, ReadsAFileWrittenOnWindows)
{
    auto file = IniFile::Parse("\xEF\xBB\xBF; written by hand\r\n[Settings]\r\n;Skin=BLUE\r\nSkin=RED\r\nAlpha=200\r\n");
    EXPECT_EQ(file.Find("Settings", "Skin"), "RED");
    EXPECT_EQ(file.Find("Settings", "Alpha"), "200");
    file.Set("Settings", "Alpha", "100");
    EXPECT_EQ(file.Serialize(), "\xEF\xBB\xBF; written by hand\r\n[Settings]\r\n;Skin=BLUE\r\nSkin=RED\r\nAlpha=100\r\n");
}

TEST(IniFile, TheFirstOfDuplicateSectionsAndKeysWins)
{
    auto file = IniFile::Parse("[A]\nk=1\nk=2\n[A]\nk=3\nj=4\n");
    EXPECT_EQ(file.Find("A", "k"), "1");
    EXPECT_EQ(file.Find("A", "j"), std::nullopt);
}

TEST(IniFile, KeepsWhatItDoesNotKnowWhenSetting)
{
    auto file = IniFile::Parse("[Settings]\nSkin=RED\nMyOwnKey=keep me\n\n[Other]\nx=1\n");
    file.Set("settings", "SKIN", "BLUE");
    file.Set("Settings", "Alpha", "179");
    file.Set("Alarm0", "AlarmHour", "7");
    EXPECT_EQ(file.Serialize(),
              "[Settings]\nSKIN=BLUE\nMyOwnKey=keep me\nAlpha=179\n\n[Other]\nx=1\n\n[Alarm0]\nAlarmHour=7\n");
}

TEST(IniFile, ValuesWithLineBreaksCannotInjectLines)
{
    IniFile file;
    file.Set("Alarm0", "AlarmMessage", "wake\nup\r\n[Settings]\nSkin=X");
    EXPECT_EQ(file.Find("Settings", "Skin"), std::nullopt);
    EXPECT_EQ(file.Find("Alarm0", "AlarmMessage"), "wake up  [Settings] Skin=X");
}

TEST(IniFile, SurvivesGarbage)
{
    std::string binary;
    for (int i = 0; i < 100000; ++i)
        binary += static_cast<char>((i * 7919) % 256);
    for (const std::string& bytes : {binary, std::string("[[[]]]=\n=\n[\n]\n==="), std::string(1, '\0'),
                                     std::string("[Settings\nSkin=RED")}) {
        auto file = IniFile::Parse(bytes);
        file.Set("Settings", "Skin", "BLUE");
        EXPECT_EQ(IniFile::Parse(file.Serialize()).Find("Settings", "Skin").has_value(), true);
    }
}

TEST(IniProfile, CutsLongValuesTo254CharactersAndTrims)
{
    auto file = IniFile::Parse("[S]\nlong=" + std::string(300, 'x') + "\nempty=\nblank=   \nutf8=" +
                               std::string(253, 'a') + "\xC3\xA9" + "\n");
    EXPECT_EQ(IniProfile::Lookup(file, "S", "long", "d"), std::string(254, 'x'));
    EXPECT_EQ(IniProfile::Lookup(file, "S", "empty", "d"), "");
    EXPECT_EQ(IniProfile::Lookup(file, "S", "blank", "d"), "");
    EXPECT_EQ(IniProfile::Lookup(file, "S", "missing", " d "), "d");
    EXPECT_EQ(IniProfile::Lookup(file, "S", "utf8", "d"), std::string(253, 'a')); // never half a character
}

TEST(IniProfile, ReadAndWriteOneValueOnDisk)
{
    TempFolder folder;
    const auto path = folder / "sub" / "x.ini";
    EXPECT_EQ(ReadIniValue(path, "S", "k", "fallback"), "fallback");
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_TRUE(WriteIniValue(path, "S", "k", "v1"));
    EXPECT_TRUE(WriteIniValue(path, "S", "K", "v2"));
    EXPECT_EQ(ReadIniValue(path, "s", "k", "fallback"), "v2");
    EXPECT_EQ(TempFolder::Read(path), "[S]\nK=v2\n");
}

TEST(IniProfile, AFileTooLargeToBeSettingsIsNotReadOrOverwritten)
{
    TempFolder folder;
    const auto path = folder / "huge.ini";
    TempFolder::Write(path, "[S]\nk=v\n" + std::string(IniProfile::kMaxFileBytes, '#'));
    EXPECT_EQ(ReadIniValue(path, "S", "k", "fallback"), "fallback");
    EXPECT_FALSE(WriteIniValue(path, "S", "k", "w"));
    EXPECT_EQ(std::filesystem::file_size(path), IniProfile::kMaxFileBytes + 8);
}

} // namespace
} // namespace dorvane
