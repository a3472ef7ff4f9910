// The pictures compiled into the program, checked as the clock will use them: decoded from the
// program's own resources by the image engine.
#include "clock/face/SkinCatalogue.h"
#include "image/c32bppDIB.h"
#include "tests/support/ImageTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace dorvane {
namespace {

using namespace testing;

int AlphaAt(const c32bppDIB& surface, int x, int y) { return StoredPixel(surface, x, y)[3]; }

std::unique_ptr<c32bppDIB> Loaded(const PictureResource& picture)
{
    auto surface = std::make_unique<c32bppDIB>();
    EXPECT_TRUE(surface->LoadPicture_Resource(picture.name, picture.type)) << picture.type << "/" << picture.name;
    return surface;
}

// Each picture is compiled in as drawn and, under its name with this ending, at twice the size.
const std::pair<int, std::string> kSizes[] = {{1, ""}, {2, "-2X"}};

TEST(Artwork, EveryDialHasFullyTransparentCornersAndTheBorderRingLeavesTheMiddleClear)
{
    for (const auto& [factor, ending] : kSizes) {
        for (std::string_view skin : SkinCatalogue::AllDials()) {
            PictureResource dial = SkinCatalogue::DialOf(skin);
            dial.name += ending;
            SCOPED_TRACE(dial.name);
            const auto loaded = Loaded(dial);
            const c32bppDIB& surface = *loaded;
            ASSERT_GE(surface.Width(), 129 * factor);
            EXPECT_TRUE(surface.Alpha());
            const int right = surface.Width() - 1, bottom = surface.Height() - 1;
            for (int inset = 0; inset < 8; ++inset)
                for (auto [x, y] : {std::pair{inset, 0}, {0, inset}, {right - inset, 0}, {right, inset},
                                    {inset, bottom}, {0, bottom - inset}, {right - inset, bottom}, {right, bottom - inset}})
                    EXPECT_EQ(AlphaAt(surface, x, y), 0) << x << "," << y;
        }
        const auto ring = Loaded({"CUSTOM", "BORDER" + ending});
        EXPECT_EQ(std::pair(ring->Width(), ring->Height()), std::pair(130 * factor, 130 * factor));
        EXPECT_EQ(std::pair(AlphaAt(*ring, 65 * factor, 65 * factor), AlphaAt(*ring, 65 * factor, factor)), std::pair(0, 255));
    }
}

TEST(Artwork, EveryHandPointsAtTwelveAndTurnsAboutThePicturesCentre)
{
    for (const auto& [factor, ending] : kSizes)
        for (std::string name : {"HOUR", "MINUTE", "SECOND"}) {
            SCOPED_TRACE(name + ending);
            const auto loaded = Loaded({"PNG", name + ending});
            const c32bppDIB& hand = *loaded;
            const int size = 196 * factor, pivot = size / 2;
            ASSERT_EQ(std::pair(hand.Width(), hand.Height()), std::pair(size, size));
            // The pivot lies between the four middle pixels, so they are solid ink...
            for (auto [x, y] : {std::pair{pivot - 1, pivot - 1}, {pivot, pivot - 1}, {pivot - 1, pivot}, {pivot, pivot}})
                EXPECT_EQ(AlphaAt(hand, x, y), 255) << x << "," << y;
            // ...the ink, faint or solid, is centred on the picture's middle column...
            for (int minimumAlpha : {1, 128, 255}) {
                const InkBox ink = InkOf(hand, minimumAlpha);
                EXPECT_EQ(ink.left + ink.right, size - 1) << "alpha >= " << minimumAlpha;
            }
            // ...and the hand reaches much further towards 12 than its tail does below the pivot.
            const InkBox solid = InkOf(hand, 128);
            EXPECT_GT(pivot - solid.top, 2 * (solid.bottom + 1 - pivot)) << solid.top << ".." << solid.bottom;
        }
}

} // namespace
} // namespace dorvane
