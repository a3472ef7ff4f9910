#include "resources/EmbeddedResources.h"
#include "tests/platform/TempFolder.h"

#include <gtest/gtest.h>

namespace dorvane {
namespace {

std::vector<std::uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

TEST(EmbeddedResources, FindsTypeAndNameWithoutRegardToCase)
{
    const auto dial = Bytes("dial");
    EmbeddedResources resources;
    resources.Add("Custom", "Black", dial);
    for (auto [type, name] : {std::pair{"CUSTOM", "BLACK"}, {"custom", "black"}, {"cUsToM", "bLaCk"}}) {
        auto found = resources.Find(type, name);
        ASSERT_TRUE(found) << type << "/" << name;
        EXPECT_EQ(found->data(), dial.data());  // handed out in place, not copied
    }
    EXPECT_FALSE(resources.Find("PNG", "BLACK"));
    EXPECT_FALSE(resources.Find("CUSTOM", "BLACKER"));
    EXPECT_FALSE(resources.Find("CUSTOMB", "LACK"));
}

TEST(EmbeddedResources, ReplacesAnEntryAddedAgainUnderTheSameKey)
{
    const auto first = Bytes("one"), second = Bytes("two");
    EmbeddedResources resources;
    resources.Add("SOUNDS", "101", first);
    resources.Add("sounds", "101", second);
    EXPECT_EQ(resources.Find("SOUNDS", "101")->data(), second.data());
}

TEST(EmbeddedResources, HoldsTheFilesUnderResourcesDataByFolderAndName)
{
    const std::string onDisk = testing::TempFolder::Read(std::filesystem::path(DORVANE_SOURCE_DIR) / "resources/data/PNG/SAMPLE.png");
    ASSERT_FALSE(onDisk.empty());
    auto found = EmbeddedResources::Program().Find("png", "sample");
    ASSERT_TRUE(found);
    EXPECT_EQ(std::string(found->begin(), found->end()), onDisk);
}

} // namespace
} // namespace dorvane
