#include "platform/win32/WindowsShell.h"

#include <gtest/gtest.h>

namespace dorvane {
namespace {

// The text is one file name, spaces and all; nothing in it is run as a command line.
TEST(WindowsShell, StartsWhatExistsAndSaysWhenNothingCouldBeStarted)
{
    const struct { const char* target; bool started; } rows[] = {
        {"C:\\windows\\system32\\rundll32.exe", true},
        {"C:\\no such folder\\nothing.exe", false},
        {"C:\\windows\\system32\\rundll32.exe & calc.exe", false},
        {"", false},
    };
    WindowsShell shell;
    for (const auto& row : rows)
        EXPECT_EQ(shell.Open(row.target), row.started) << row.target;
}

} // namespace
} // namespace dorvane
