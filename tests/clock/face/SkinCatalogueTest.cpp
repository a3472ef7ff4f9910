#include "clock/face/SkinCatalogue.h"

#include <gtest/gtest.h>

#include <optional>
#include <string_view>

namespace dorvane {
namespace {

// Positions, as the options' arrows show them, only for the exact text of one of the twenty; the
// dial of "<default>" in any case is the default picture, any other text names a custom one.
TEST(SkinCatalogue, GivesAPositionOnlyForTheExactTextOfOneOfTheTwentyAndTheDefaultDialForDefaultInAnyCase)
{
    EXPECT_EQ(SkinCatalogue::PositionOf(SkinCatalogue::SkinAt(SkinCatalogue::kCount)), SkinCatalogue::kCount);
    for (std::string_view skin : {"black", "BLACK", "<Default>", "Chrono", "", "Black ", "Glass"})
        EXPECT_EQ(SkinCatalogue::PositionOf(skin), std::nullopt) << skin;
    const std::pair<std::string_view, PictureResource> cases[] = {
        {"<dEfAuLt>", {"PNG", "BACK"}}, {"black", {"CUSTOM", "black"}}, {"<default> ", {"CUSTOM", "<default> "}}};
    for (const auto& [skin, dial] : cases) {
        EXPECT_EQ(SkinCatalogue::DialOf(skin), dial) << skin;
        EXPECT_EQ(SkinCatalogue::IsDefault(skin), dial.type == "PNG") << skin;
    }
}

} // namespace
} // namespace dorvane
