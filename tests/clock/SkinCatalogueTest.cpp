#include "clock/SkinCatalogue.h"

#include <gtest/gtest.h>

#include <set>

namespace dorvane {
namespace {

// The catalogue as the options window steps through it: position and Skin text.
const std::vector<std::pair<int, std::string_view>> kPositions = {
    {1, "<default>"},      {2, "Black"},        {3, "Blue"},          {4, "Rolex"},        {5, "Wall"},
    {6, "Aero"},           {7, "Classic"},      {8, "Red"},           {9, "DINER"},        {10, "NOVELTY"},
    {11, "ROLEX1"},        {12, "System"},      {13, "GlassBlack"},   {14, "GlassGradient"},
    {15, "GlassGradient1"}, {16, "GlassPurple"}, {17, "GlassGreen"},  {18, "GlassGold"},
    {19, "Border"},        {20, "BRISA"},
};

TEST(SkinCatalogue, ListsTwentySkinsInTheOptionsWindowsOrder)
{
    ASSERT_EQ(SkinCatalogue::kCount, 20);
    for (auto [position, skin] : kPositions) {
        EXPECT_EQ(SkinCatalogue::SkinAt(position), skin) << position;
        EXPECT_EQ(SkinCatalogue::PositionOf(skin), position) << skin;
    }
}

TEST(SkinCatalogue, FindsAPositionOnlyForTheExactText)
{
    for (std::string_view skin : {"black", "BLACK", "<Default>", "Chrono", "CHRONO", "", "Black ", "Glass"})
        EXPECT_EQ(SkinCatalogue::PositionOf(skin), std::nullopt) << skin;
}

TEST(SkinCatalogue, AllDialsAreTheTwentyAndTheHiddenChrono)
{
    const auto dials = SkinCatalogue::AllDials();
    ASSERT_EQ(dials.size(), 21u);
    EXPECT_EQ(dials.front(), "<default>");
    EXPECT_EQ(dials[19], "BRISA");
    EXPECT_EQ(dials.back(), "Chrono");
    EXPECT_EQ(std::set<std::string_view>(dials.begin(), dials.end()).size(), 21u);
}

TEST(SkinCatalogue, TheDefaultTextInAnyCaseSelectsTheDefaultDial)
{
    const PictureResource back{"PNG", "BACK"};
    for (std::string_view skin : {"<default>", "<Default>", "<DEFAULT>", "<dEfAuLt>"}) {
        EXPECT_TRUE(SkinCatalogue::IsDefault(skin)) << skin;
        EXPECT_EQ(SkinCatalogue::DialOf(skin), back) << skin;
    }
    for (std::string_view skin : {"default", "<default> ", " <default>", "<default", ""})
        EXPECT_FALSE(SkinCatalogue::IsDefault(skin)) << skin;
}

TEST(SkinCatalogue, AnyOtherTextNamesACustomDial)
{
    const std::vector<std::pair<std::string_view, PictureResource>> cases = {
        {"Black", {"CUSTOM", "Black"}},
        {"black", {"CUSTOM", "black"}},
        {"Border", {"CUSTOM", "Border"}},
        {"Chrono", {"CUSTOM", "Chrono"}},
        {"default", {"CUSTOM", "default"}},
        {"Sundial", {"CUSTOM", "Sundial"}},
    };
    for (const auto& [skin, dial] : cases)
        EXPECT_EQ(SkinCatalogue::DialOf(skin), dial) << skin;
}

} // namespace
} // namespace dorvane
