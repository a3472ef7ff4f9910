#include "platform/win32/RunKeyAutostart.h"

#include "platform/win32/WideText.h"

#include <windows.h>

namespace dorvane {
namespace {

bool NeedsQuotes(const std::string& argument)
{
    return argument.empty() || argument.find_first_of(" \t\"") != std::string::npos;
}

// An argument as CommandLineToArgvW reads it back: in quotes, each quote escaped with a backslash,
// and the backslashes before a quote (or before the closing quote) doubled.
std::string Quoted(const std::string& argument)
{
    std::string quoted = "\"";
    std::size_t backslashes = 0;
    for (const char c : argument) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(backslashes * 2, '\\');
    return quoted + "\"";
}

} // namespace

std::string RunKeyAutostart::CommandLine(const std::string& programPath, const std::vector<std::string>& arguments)
{
    // The program's path is always quoted, and never holds a quote: Windows forbids it in names.
    std::string line = "\"" + programPath + "\"";
    for (const std::string& argument : arguments)
        line += " " + (NeedsQuotes(argument) ? Quoted(argument) : argument);
    return line;
}

bool RunKeyAutostart::Enable(const std::string& programPath, const std::vector<std::string>& arguments)
{
    const std::wstring line = Widen(CommandLine(programPath, arguments));
    const DWORD bytes = static_cast<DWORD>((line.size() + 1) * sizeof(wchar_t));
    return ::RegSetKeyValueW(HKEY_CURRENT_USER, kRunKey, kValueName, REG_SZ, line.c_str(), bytes) == ERROR_SUCCESS;
}

bool RunKeyAutostart::Disable()
{
    const LSTATUS status = ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kRunKey, kValueName);
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

bool RunKeyAutostart::IsEnabled() const
{
    return ::RegGetValueW(HKEY_CURRENT_USER, kRunKey, kValueName, RRF_RT_REG_SZ, nullptr, nullptr, nullptr) ==
           ERROR_SUCCESS;
}

} // namespace dorvane
