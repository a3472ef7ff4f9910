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
std::vector<std::string> Split(const std::wstring& line)
{
    int count = 0;
    wchar_t** words = ::CommandLineToArgvW(line.c_str(), &count);
    std::vector<std::string> split;
    for (int k = 0; k < count; ++k)
        split.push_back(Narrow(words[k]));
    ::LocalFree(words);
    return split;
}

TEST(RunKeyAutostart, EnableWritesTheQuotedCommandLineUnderTheRunKeyAndDisableRemovesIt)
{
    const struct { std::vector<std::string> line; std::wstring value; } rows[] = { // the program and its arguments, and the value
        {{"C:\\Program Files\\Dorvane\\dorvane.exe"}, L"\"C:\\Program Files\\Dorvane\\dorvane.exe\""},
        {{"C:\\Dorvane\\dorvane.exe", "--settings", "C:\\My Files\\clock.ini"},
         L"\"C:\\Dorvane\\dorvane.exe\" --settings \"C:\\My Files\\clock.ini\""},
        {{"C:\\M\xC3\xBCller\\dorvane.exe", "say \"hi\"", "", "C:\\end\\ x\\"},
         L"\"C:\\M\u00FCller\\dorvane.exe\" \"say \\\"hi\\\"\" \"\" \"C:\\end\\ x\\\\\""},
    };
    const auto before = RunValue(); // a developer's own entry is put back at the end
    RunKeyAutostart autostart;
    for (const auto& row : rows) {
        ASSERT_TRUE(autostart.Enable(row.line[0], {row.line.begin() + 1, row.line.end()}));
        EXPECT_EQ(RunValue(), row.value);
        EXPECT_EQ(Split(row.value), row.line);
        EXPECT_TRUE(autostart.IsEnabled());
        ASSERT_TRUE(autostart.Disable());
        EXPECT_EQ(RunValue(), std::nullopt);
        EXPECT_FALSE(autostart.IsEnabled());
    }
    EXPECT_TRUE(autostart.Disable()) << "nothing to remove is no failure";
    if (before)
        ::RegSetKeyValueW(HKEY_CURRENT_USER, RunKeyAutostart::kRunKey, RunKeyAutostart::kValueName, REG_SZ,
                          before->c_str(), static_cast<DWORD>((before->size() + 1) * sizeof(wchar_t)));
}

} // namespace
} // namespace dorvane
