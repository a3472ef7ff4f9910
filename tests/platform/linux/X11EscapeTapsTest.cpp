#include "platform/linux/X11Desktop.h"
#include "platform/linux/X11EscapeTaps.h"
#include "tests/support/ViewTesting.h"

namespace dorvane {
namespace {

// Escape held down is seen whichever window has the keyboard; a quick tap is seen once at the
// next question, however late it comes; other keys are not. A plain X server has no compositor.
TEST(X11EscapeTaps, AQuickEscapeTapIsSeenOnceAtTheNextQuestionAndEscapeHeldDownWhileItIsDown)
{
    DORVANE_REQUIRE_X_DISPLAY();
    X11EscapeTaps taps;
    X11Desktop desktop;
    ASSERT_TRUE(taps.Listening());
    ASSERT_TRUE(desktop.HasDisplay());
    EXPECT_FALSE(desktop.IsCompositing());
    const struct { const char* keys; bool seen; bool down; } cases[] = {
        {"key Escape", true, false}, {"key a", false, false}, {"key a Escape b", true, false},
        {"keydown Escape", true, true}, {"keyup Escape", false, false},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(testing::Xdotool(c.keys)) << c.keys;
        EXPECT_EQ(testing::WaitUntil([&] { return taps.PressedSinceLastAsk(); }, c.seen ? 3000 : 500), c.seen) << c.keys;
        EXPECT_FALSE(taps.PressedSinceLastAsk()) << c.keys;
        EXPECT_TRUE(testing::WaitUntil([&] { return desktop.EscapeIsDown() == c.down; })) << c.keys;
    }
}

} // namespace
} // namespace dorvane
