#pragma once

#include <filesystem>
#include <string>
#include <system_error>
#include <windows.h>

namespace dorvane {

// A path as UTF-8, whatever the letters in it: messages and logs are UTF-8 text.
inline std::string Utf8(const std::filesystem::path& path)
{
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

// "cannot open C:\x.png: Access is denied." from the calling thread's last error.
inline std::string DescribeLastError(const std::string& what, const std::filesystem::path& path)
{
    const DWORD error = ::GetLastError();
    return what + " " + Utf8(path) + ": " + std::system_category().message(static_cast<int>(error));
}

} // namespace dorvane
