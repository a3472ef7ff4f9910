#include "platform/linux/X11Desktop.h"
#include "tests/support/ViewTesting.h"

namespace dorvane {
namespace {

TEST(X11Desktop, SeesEscapeHeldDownWhicheverWindowHasTheKeyboardAndNoCompositingManagerOnAPlainXServer)
{
    DORVANE_REQUIRE_X_DISPLAY();
    X11Desktop desktop;
    ASSERT_TRUE(desktop.HasDisplay());
    EXPECT_FALSE(desktop.IsCompositing());
    EXPECT_FALSE(desktop.EscapeIsDown());
    ASSERT_TRUE(testing::Xdotool("keydown Escape"));
    EXPECT_TRUE(testing::WaitUntil([&] { return desktop.EscapeIsDown(); }));
    ASSERT_TRUE(testing::Xdotool("keyup Escape"));
    EXPECT_TRUE(testing::WaitUntil([&] { return !desktop.EscapeIsDown(); }));
}

} // namespace
} // namespace dorvane
