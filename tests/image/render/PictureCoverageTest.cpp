// A picture that remembers where it is covered draws exactly as one that looks every time, however
// its pixels changed since it was last drawn.

#include "image/c32bppDIB.h"
#include "image/cGDIPlus.h"
#include "tests/support/ImageTestSupport.h"

#include <gtest/gtest.h>

namespace dorvane {
namespace {

using namespace testing;

const std::string kHands = std::string(DORVANE_SOURCE_DIR) + "/resources/art/hands/";

void DrawOnto(c32bppDIB& picture, c32bppDIB& target, float angle, int opacity = 100)
{
    picture.Render(nullptr, 0, 0, target.Width(), target.Height(), 0, 0, 0, 0, opacity, true, true, &target, angle);
}

// The dial pixels of picture drawn in high quality and by nearest pixel at several angles, whole and partly mirrored.
std::vector<Bgra> Drawings(c32bppDIB& picture)
{
    std::vector<Bgra> all;
    for (const bool highQuality : {true, false}) {
        picture.SetHighQualityInterpolation(highQuality);
        for (const float angle : {0.0f, 37.3f, 90.0f, 211.0f}) {
            c32bppDIB dial;
            dial.InitializeDIB(130, 130);
            DrawOnto(picture, dial, angle, 80);
            picture.Render(nullptr, 120, 10, -60, 100, 70, 20, 80, 150, 100, true, true, &dial, angle);
            const std::vector<Bgra> pixels = AllPixels(dial);
            all.insert(all.end(), pixels.begin(), pixels.end());
        }
    }
    return all;
}

TEST(PictureCoverage, ARememberedCoverageFollowsEveryChangeOfThePixels)
{
    const struct { const char* name; std::function<void(c32bppDIB&)> change; } changes[] = {
        {"nothing", [](c32bppDIB&) {}},
        {"loaded anew", [](c32bppDIB& p) { p.LoadPicture_File(kHands + "hour.png", true); }},
        {"drawn on, across where the minute hand is clear",
         [](c32bppDIB& p) { c32bppDIB second; second.LoadPicture_File(kHands + "second.png"), DrawOnto(second, p, 90); }},
        {"copied onto", [](c32bppDIB& p) { c32bppDIB hour; hour.LoadPicture_File(kHands + "hour.png"); hour.CopyImageTo(p); }},
        {"clear pixels given a colour", [](c32bppDIB& p) { p.MakeTransparent(0x00336699, true); }},
        {"restored from its kept bytes after being erased and drawn",
         [](c32bppDIB& p) { p.EraseDIB(), Drawings(p), p.LoadPicture_FromOrignalFormat(); }},
        {"resized", [](c32bppDIB& p) { p.Resize(150, 170); }},
    };
    const std::uint32_t token = cGDIPlus::Startup();
    for (const std::uint32_t pictureToken : {token, 0u})
        for (const auto& c : changes) {
            SCOPED_TRACE(::testing::Message() << c.name << (pictureToken ? ", through the services" : ", directly"));
            c32bppDIB remembering, looking;
            for (c32bppDIB* picture : {&remembering, &looking}) {
                ASSERT_TRUE(picture->LoadPicture_File(kHands + "minute.png", true));
                ASSERT_TRUE(picture->LoadPicture_FromOrignalFormat());  // remembers the decoded pixels
                picture->SetGdiToken(pictureToken);
            }
            remembering.SetRemembersCoverage(true);
            ASSERT_EQ(Drawings(remembering), Drawings(looking)) << "before the change";
            const std::uint64_t version = remembering.PixelsVersion();
            c.change(remembering);
            c.change(looking);
            EXPECT_EQ(Drawings(remembering), Drawings(looking));
            EXPECT_TRUE(std::string(c.name) == "nothing" || remembering.PixelsVersion() != version);
        }
    cGDIPlus::Shutdown(token);
}

} // namespace
} // namespace dorvane
