#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dorvane {

// Where a picture lies among the program's resources: its type and name.
struct PictureResource {
    std::string type;
    std::string name;

    bool operator==(const PictureResource&) const = default;
};

// The clock's skins. A skin is named by its Skin text (the setting); the catalogue lists twenty of
// them in the order the options window steps through. Any other text is looked up as the name of
// a "CUSTOM" dial, without regard to case, which is how the dial outside the list (Chrono) is
// reached.
class SkinCatalogue {
public:
    static constexpr int kCount = 20;
    static constexpr std::array<std::string_view, kCount> kSkins = {
        "<default>",  "Black",         "Blue",           "Rolex",       "Wall",
        "Aero",       "Classic",       "Red",            "DINER",       "NOVELTY",
        "ROLEX1",     "System",        "GlassBlack",     "GlassGradient", "GlassGradient1",
        "GlassPurple", "GlassGreen",   "GlassGold",      "Border",      "BRISA",
    };
    // The one dial that no catalogue position shows.
    static constexpr std::string_view kHiddenSkin = "Chrono";

    // The Skin text at position 1..kCount.
    static std::string_view SkinAt(int position);
    // The position of a Skin text, letter case counting (the options window's label); nullopt for
    // a text that is not in the catalogue.
    static std::optional<int> PositionOf(std::string_view skin);
    // Every built-in dial's Skin text: the catalogue's, then the hidden one.
    static std::vector<std::string_view> AllDials();

    // "<default>" in any letter case ("<Default>" is the settings file's default).
    static bool IsDefault(std::string_view skin);
    // The dial a Skin text selects: the default dial for IsDefault, else "CUSTOM"/skin.
    static PictureResource DialOf(std::string_view skin);
    static PictureResource DefaultDial() { return {"PNG", "BACK"}; }
};

} // namespace dorvane
