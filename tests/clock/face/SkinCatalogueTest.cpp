#include "clock/face/SkinCatalogue.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace dorvane {
namespace {

TEST(SkinCatalogue, ListsTwentySkinsInTheOptionsWindowsOrderThenTheHiddenChrono)
{
    const std::string_view skins[] = {"<default>",     "Black",          "Blue",        "Rolex",      "Wall",
                                      "Aero",          "Classic",        "Red",         "DINER",      "NOVELTY",
                                      "ROLEX1",        "System",         "GlassBlack",  "GlassGradient",
                                      "GlassGradient1", "GlassPurple",   "GlassGreen",  "GlassGold",  "Border",
                                      "BRISA",         "Chrono"};
    ASSERT_EQ(SkinCatalogue::kCount, 20);
    const auto dials = SkinCatalogue::AllDials();
    ASSERT_EQ(dials.size(), 21u);
    for (int position = 1; position <= 20; ++position) {
        const std::string_view skin = skins[position - 1];
        EXPECT_EQ(SkinCatalogue::SkinAt(position), skin) << position;
        EXPECT_EQ(SkinCatalogue::PositionOf(skin), position) << skin;
    }
    EXPECT_TRUE(std::equal(dials.begin(), dials.end(), std::begin(skins)));
    // A position only for the exact text.
    for (std::string_view skin : {"black", "BLACK", "<Default>", "Chrono", "", "Black ", "Glass"})
        EXPECT_EQ(SkinCatalogue::PositionOf(skin), std::nullopt) << skin;
}

TEST(SkinCatalogue, TheDefaultTextInAnyCaseSelectsTheDefaultDialAnyOtherTextACustomOne)
{
    const std::pair<std::string_view, PictureResource> cases[] = {
        {"<default>", {"PNG", "BACK"}},     {"<dEfAuLt>", {"PNG", "BACK"}},   {"Black", {"CUSTOM", "Black"}},
        {"black", {"CUSTOM", "black"}},     {"Chrono", {"CUSTOM", "Chrono"}}, {"default", {"CUSTOM", "default"}},
        {"<default> ", {"CUSTOM", "<default> "}}, {"Sundial", {"CUSTOM", "Sundial"}},
    };
    for (const auto& [skin, dial] : cases) {
        EXPECT_EQ(SkinCatalogue::DialOf(skin), dial) << skin;
        EXPECT_EQ(SkinCatalogue::IsDefault(skin), dial.type == "PNG") << skin;
    }
}

} // namespace
} // namespace dorvane
