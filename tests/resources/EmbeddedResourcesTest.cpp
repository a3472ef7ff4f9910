#include "resources/EmbeddedResources.h"
#include "resources/IconImages.h"

#include <gtest/gtest.h>

#include <tuple>

namespace dorvane {
namespace {

std::vector<std::uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

TEST(EmbeddedResources, FindsTypeAndNameWithoutRegardToCaseInPlaceTheLastAddedUnderAKeyAndNamesThemInUpperCase)
{
    const auto first = Bytes("first"), dial = Bytes("dial");
    EmbeddedResources resources;
    resources.Add("Custom", "Black", first);
    resources.Add("custom", "BLACK", dial);
    for (auto [type, name] : {std::pair{"Custom", "Wall"}, {"CUSTOM", "aero"}, {"PNG", "HOUR"}, {"CUSTOMS", "X"}})
        resources.Add(type, name, first);
    for (auto [type, name] : {std::pair{"CUSTOM", "BLACK"}, {"custom", "black"}, {"cUsToM", "bLaCk"}}) {
        auto found = resources.Find(type, name);
        ASSERT_TRUE(found) << type << "/" << name;
        EXPECT_EQ(found->data(), dial.data()); // handed out in place, not copied
    }
    for (auto [type, name] : {std::pair{"PNG", "BLACK"}, {"CUSTOM", "BLACKER"}, {"CUSTOMB", "LACK"}})
        EXPECT_FALSE(resources.Find(type, name)) << type << "/" << name;
    EXPECT_EQ(resources.Names("custom"), (std::vector<std::string>{"AERO", "BLACK", "WALL"}));
    EXPECT_EQ(resources.Names("PNG"), (std::vector<std::string>{"HOUR"}));
    EXPECT_TRUE(resources.Names("ICON").empty());
}

TEST(IconImages, GathersTheSizesOfOneIconSmallestFirst)
{
    const auto small = Bytes("16"), large = Bytes("48"), other = Bytes("other");
    EmbeddedResources resources;
    resources.Add("ICON", "APP-48", large);
    resources.Add("ICON", "app-16", small);
    for (const char* name : {"APP", "APP-", "APP-X", "APP-0", "APP-300", "APP-16B", "APPLE-32", "BAPP-16"})
        resources.Add("ICON", name, other);
    resources.Add("PNG", "APP-24", other);

    const auto images = IconImages(resources, "App");
    ASSERT_EQ(images.size(), 2u);
    EXPECT_EQ(std::tuple(images[0].pixels, images[0].bytes.data()), std::tuple(16, small.data()));
    EXPECT_EQ(std::tuple(images[1].pixels, images[1].bytes.data()), std::tuple(48, large.data()));
    EXPECT_TRUE(IconImages(resources, "NONE").empty());
}

} // namespace
} // namespace dorvane
