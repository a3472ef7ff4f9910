#include "clock/settings/IniFile.h"
#include "clock/settings/IniProfile.h"

#include <gtest/gtest.h>

namespace dorvane {
namespace {

TEST(IniFile, FindsTheFirstOfSectionsAndKeysWithoutRegardToCaseAndValuesUpToTheLineEnd)
{
    auto file = IniFile::Parse("[settings]\nskin=RED = red ; x\n[ALARM0]\n  alarmhour  =  7  \nalarmhour=8\n[Alarm0]\nj=4\n");
    EXPECT_EQ(file.Find("Settings", "Skin"), "RED = red ; x");
    EXPECT_EQ(file.Find("Alarm0", "AlarmHour"), "7");
    EXPECT_EQ(file.Find("Alarm0", "Skin"), std::nullopt);
    EXPECT_EQ(file.Find("Alarm0", "j"), std::nullopt);
    EXPECT_EQ(file.Find("Alarm1", "AlarmHour"), std::nullopt);
}

TEST(IniFile, KeepsEveryLineAndItsOwnLineEndByteForByte)
{
    const std::string windows = "\xEF\xBB\xBF; written by hand\r\n[Settings]\r\n;Skin=BLUE\r\nSkin=RED\r\nAlpha=200\r\n";
    auto file = IniFile::Parse(windows);
    EXPECT_EQ(file.Find("Settings", "Skin"), "RED");
    file.Set("Settings", "Alpha", "100");
    EXPECT_EQ(file.Serialize(), "\xEF\xBB\xBF; written by hand\r\n[Settings]\r\n;Skin=BLUE\r\nSkin=RED\r\nAlpha=100\r\n");

    // Mixed line ends, and a carriage return inside a line, stay as they were.
    const std::string mixed = "[A]\r\nk=1\n; a\rb\r\nj=2\n";
    EXPECT_EQ(IniFile::Parse(mixed).Serialize(), mixed);
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

TEST(IniFile, ValuesWithLineBreaksAreWrittenWithBlanksAndCannotInjectLines)
{
    IniFile file;
    file.Set("Alarm0", "AlarmMessage", "wake\nup\r\n[Settings]\nSkin=X");
    EXPECT_EQ(file.Find("Settings", "Skin"), std::nullopt);
    EXPECT_EQ(file.Find("Alarm0", "AlarmMessage"), "wake up  [Settings] Skin=X");
}

TEST(IniProfile, CutsLongValuesTo254CharactersNeverSplittingOneAndTrims)
{
    auto file = IniFile::Parse("[S]\nlong=" + std::string(300, 'x') + "\nblank=   \nutf8=" + std::string(253, 'a') +
                               "\xC3\xA9" + "\n");
    EXPECT_EQ(IniProfile::Lookup(file, "S", "long", "d"), std::string(254, 'x'));
    EXPECT_EQ(IniProfile::Lookup(file, "S", "blank", "d"), "");
    EXPECT_EQ(IniProfile::Lookup(file, "S", "missing", " d "), "d");
    EXPECT_EQ(IniProfile::Lookup(file, "S", "utf8", "d"), std::string(253, 'a'));
}

} // namespace
} // namespace dorvane
