#include "clock/face/SkinCatalogue.h"

#include <gtest/gtest.h>

#include <optional>
#include <string_view>

namespace dorvane {
namespace {

TEST(SkinCatalogue, ListsTwentySkinsByPositionThenTheHiddenChronoAndGivesAPositionOnlyForTheExactText)
{
    const auto dials = SkinCatalogue::AllDials();
    ASSERT_EQ(dials.size(), 21u);
    for (int position = 1; position <= SkinCatalogue::kCount; ++position) {
        EXPECT_EQ(dials[position - 1], SkinCatalogue::SkinAt(position)) << position;
        EXPECT_EQ(SkinCatalogue::PositionOf(SkinCatalogue::SkinAt(position)), position) << position;
    }
    EXPECT_EQ(dials.back(), "Chrono");
    for (std::string_view skin : {"black", "BLACK", "<Default>", "Chrono", "", "Black ", "Glass"})
        EXPECT_EQ(SkinCatalogue::PositionOf(skin), std::nullopt) << skin;
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
