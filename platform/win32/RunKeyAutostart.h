#pragma once

#include "platform/Autostart.h"

#include <string>
#include <vector>

namespace dorvane {

// Start at logon through a value under the user's Run key, which Windows reads at each logon: the
// value "Dorvane" under HKCU\Software\Microsoft\Windows\CurrentVersion\Run holds the program's
// quoted path and its arguments.
class RunKeyAutostart : public Autostart {
public:
    static constexpr const wchar_t* kRunKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    static constexpr const wchar_t* kValueName = L"Dorvane";

    bool Enable(const std::string& programPath, const std::vector<std::string>& arguments) override;
    bool Disable() override;
    bool IsEnabled() const override;

    // The command line Windows runs: "C:\path\dorvane.exe" with each argument after it, quoted
    // when it holds a space, a tab or a quote, or is empty (as CommandLineToArgvW reads it back).
    static std::string CommandLine(const std::string& programPath, const std::vector<std::string>& arguments = {});
};

} // namespace dorvane
