#include "platform/linux/X11Desktop.h"
#include "tests/support/ViewTesting.h"

namespace dorvane {
namespace {

TEST(X11Desktop, SeesEscapeHeldDownWhicheverWindowHasTheKeyboard)
{
    DORVANE_REQUIRE_X_DISPLAY();
    X11Desktop desktop;
    ASSERT_TRUE(desktop.HasDisplay());
    EXPECT_FALSE(desktop.EscapeIsDown());
    ASSERT_TRUE(testing::Xdotool("keydown Escape"));
    EXPECT_TRUE(testing::WaitUntil([&] { return desktop.EscapeIsDown(); }));
    ASSERT_TRUE(testing::Xdotool("keyup Escape"));
    EXPECT_TRUE(testing::WaitUntil([&] { return !desktop.EscapeIsDown(); }));
}

TEST(X11Desktop, APlainXServerHasNoCompositingManager)
{
    DORVANE_REQUIRE_X_DISPLAY();
    EXPECT_FALSE(X11Desktop().IsCompositing());
}

} // namespace
} // namespace dorvane
