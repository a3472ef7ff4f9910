#include "platform/win32/WindowsShell.h"

#include "platform/win32/WideText.h"

#include <windows.h>
#include <shellapi.h>

namespace dorvane {

bool WindowsShell::Open(const std::string& target)
{
    if (target.empty())
        return false;
    const std::wstring wide = Widen(target);
    // The text goes to ShellExecute whole, as one file or address, with no parameters: nothing in it
    // is read as a command line. ShellExecute answers a number above 32 when it started something.
    const HINSTANCE started = ::ShellExecuteW(nullptr, L"open", wide.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(started) > 32;
}

} // namespace dorvane
