#include "platform/linux/X11EscapeTaps.h"
#include "tests/support/ViewTesting.h"

#include <string>

namespace dorvane {
namespace {

TEST(X11EscapeTaps, AQuickEscapeTapIsSeenOnceAtTheNextQuestionOtherKeysAreNot)
{
    DORVANE_REQUIRE_X_DISPLAY();
    X11EscapeTaps taps;
    ASSERT_TRUE(taps.Listening());
    const struct { const char* keys; bool seen; } cases[] = {
        {"key Escape", true}, {"key a", false}, {"key a Escape b", true}, {"keydown Escape", true}, {"keyup Escape", false},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(testing::Xdotool(c.keys)) << c.keys;
        // The press is seen however late the question comes; asking again finds nothing new.
        EXPECT_EQ(testing::WaitUntil([&] { return taps.PressedSinceLastAsk(); }, c.seen ? 3000 : 500), c.seen) << c.keys;
        EXPECT_FALSE(taps.PressedSinceLastAsk()) << c.keys;
    }
}

} // namespace
} // namespace dorvane
