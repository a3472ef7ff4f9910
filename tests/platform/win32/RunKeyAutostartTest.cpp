#include "platform/win32/RunKeyAutostart.h"
#include "platform/win32/WideText.h"

#include <gtest/gtest.h>

#include <optional>
#include <windows.h>
#include <shellapi.h>

namespace dorvane {
namespace {

std::optional<std::wstring> RunValue()
{
    wchar_t value[1024] = {};
    DWORD bytes = sizeof value;
    if (::RegGetValueW(HKEY_CURRENT_USER, RunKeyAutostart::kRunKey, RunKeyAutostart::kValueName, RRF_RT_REG_SZ,
                       nullptr, value, &bytes) != ERROR_SUCCESS)
        return std::nullopt;
    return value;
}

// The command line as Windows splits it when it starts the program.
std::vector<std::wstring> Split(const std::wstring& line)
{
    int count = 0;
    wchar_t** words = ::CommandLineToArgvW(line.c_str(), &count);
    std::vector<std::wstring> split(words, words + count);
    ::LocalFree(words);
    return split;
}

// Puts back whatever the user's Run key held for the clock before the test.
struct KeepRunValue {
    std::optional<std::wstring> before = RunValue();
    ~KeepRunValue()
    {
        if (before)
            ::RegSetKeyValueW(HKEY_CURRENT_USER, RunKeyAutostart::kRunKey, RunKeyAutostart::kValueName, REG_SZ,
                              before->c_str(), static_cast<DWORD>((before->size() + 1) * sizeof(wchar_t)));
        else
            ::RegDeleteKeyValueW(HKEY_CURRENT_USER, RunKeyAutostart::kRunKey, RunKeyAutostart::kValueName);
    }
};

TEST(RunKeyAutostart, EnableWritesTheQuotedCommandLineUnderTheRunKeyAndDisableRemovesIt)
{
    const struct {
        std::string program;
        std::vector<std::string> arguments;
        std::wstring value;
    } rows[] = {
        {"C:\\Program Files\\Dorvane\\dorvane.exe", {}, L"\"C:\\Program Files\\Dorvane\\dorvane.exe\""},
        {"C:\\Dorvane\\dorvane.exe", {"--settings", "C:\\My Files\\clock.ini"},
         L"\"C:\\Dorvane\\dorvane.exe\" --settings \"C:\\My Files\\clock.ini\""},
        {"C:\\Uhr\\M\xC3\xBC" "ller\\dorvane.exe", {"say \"hi\"", "", "C:\\end\\ x\\"},
         L"\"C:\\Uhr\\M\u00FCller\\dorvane.exe\" \"say \\\"hi\\\"\" \"\" \"C:\\end\\ x\\\\\""},
    };
    KeepRunValue keep;
    RunKeyAutostart autostart;
    for (const auto& row : rows) {
        ASSERT_TRUE(autostart.Enable(row.program, row.arguments));
        EXPECT_EQ(RunValue(), row.value);
        std::vector<std::wstring> expected{Widen(row.program)};
        for (const auto& argument : row.arguments)
            expected.push_back(Widen(argument));
        EXPECT_EQ(Split(row.value), expected);
        EXPECT_TRUE(autostart.IsEnabled());
        ASSERT_TRUE(autostart.Disable());
        EXPECT_EQ(RunValue(), std::nullopt);
        EXPECT_FALSE(autostart.IsEnabled());
    }
    EXPECT_TRUE(autostart.Disable()) << "nothing to remove is no failure";
}

} // namespace
} // namespace dorvane
