#include "clock/settings/IniProfile.h"
#include "clock/settings/IniFile.h"

#include <gtest/gtest.h>

#include <string>

namespace dorvane {
namespace {

TEST(IniProfile, CutsLongValuesTo254CharactersNeverSplittingOneAndTrims)
{
    const auto file = IniFile::Parse("[S]\nlong=" + std::string(300, 'x') + "\nblank=   \nutf8=" + std::string(253, 'a') +
                               "\xC3\xA9" + "\n");
    EXPECT_EQ(IniProfile::Lookup(file, "S", "long", "d"), std::string(254, 'x'));
    EXPECT_EQ(IniProfile::Lookup(file, "S", "blank", "d"), "");
    EXPECT_EQ(IniProfile::Lookup(file, "S", "missing", " d "), "d");
    EXPECT_EQ(IniProfile::Lookup(file, "S", "utf8", "d"), std::string(253, 'a'));
}

} // namespace
} // namespace dorvane
