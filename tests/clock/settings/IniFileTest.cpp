#include "clock/settings/IniFile.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace dorvane {
namespace {

TEST(IniFile, FindsTheFirstOfSectionsAndKeysWithoutRegardToCaseAndKeepsEveryLineItDoesNotSet)
{
    auto file = IniFile::Parse("[settings]\nskin=RED = red ; x\n[ALARM0]\n  alarmhour  =  7  \nalarmhour=8\n[Alarm0]\nj=4\n");
    EXPECT_EQ(file.Find("Settings", "Skin"), "RED = red ; x");
    EXPECT_EQ(file.Find("Alarm0", "AlarmHour"), "7");
    EXPECT_EQ(file.Find("Alarm0", "Skin"), std::nullopt);
    EXPECT_EQ(file.Find("Alarm0", "j"), std::nullopt);
    EXPECT_EQ(file.Find("Alarm1", "AlarmHour"), std::nullopt);
    // Every line is kept with its own line end, and what it does not know, when setting.
    auto windows = IniFile::Parse("\xEF\xBB\xBF; written by hand\r\n[Settings]\r\n;Skin=BLUE\r\nSkin=RED\r\nAlpha=200\r\n");
    EXPECT_EQ(windows.Find("Settings", "Skin"), "RED");
    windows.Set("Settings", "Alpha", "100");
    EXPECT_EQ(windows.Serialize(), "\xEF\xBB\xBF; written by hand\r\n[Settings]\r\n;Skin=BLUE\r\nSkin=RED\r\nAlpha=100\r\n");
    const std::string mixed = "[A]\r\nk=1\n; a\rb\r\nj=2\n"; // and a carriage return inside a line
    EXPECT_EQ(IniFile::Parse(mixed).Serialize(), mixed);

    auto kept = IniFile::Parse("[Settings]\nSkin=RED\nMyOwnKey=keep me\n\n[Other]\nx=1\n");
    kept.Set("settings", "SKIN", "BLUE");
    kept.Set("Settings", "Alpha", "179");
    kept.Set("Alarm0", "AlarmHour", "7");
    EXPECT_EQ(kept.Serialize(),
              "[Settings]\nSKIN=BLUE\nMyOwnKey=keep me\nAlpha=179\n\n[Other]\nx=1\n\n[Alarm0]\nAlarmHour=7\n");

    IniFile injected; // line breaks in a value are written as blanks and cannot make lines
    injected.Set("Alarm0", "AlarmMessage", "wake\nup\r\n[Settings]\nSkin=X");
    EXPECT_EQ(injected.Find("Settings", "Skin"), std::nullopt);
    EXPECT_EQ(injected.Find("Alarm0", "AlarmMessage"), "wake up  [Settings] Skin=X");
}

} // namespace
} // namespace dorvane
