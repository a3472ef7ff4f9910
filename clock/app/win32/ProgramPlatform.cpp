#include "clock/app/win32/ProgramPlatform.h"

#include "platform/win32/WideText.h"

#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <iostream>

namespace dorvane {
namespace {

bool HasHandle(DWORD which)
{
    const HANDLE handle = ::GetStdHandle(which);
    return handle != nullptr && handle != INVALID_HANDLE_VALUE;
}

} // namespace

std::vector<std::string> ProgramWords(int, char**)
{
    int count = 0;
    LPWSTR* wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    std::vector<std::string> words;
    for (int i = 1; wide && i < count; ++i)
        words.push_back(Narrow(wide[i]));
    ::LocalFree(wide);
    return words;
}

void ConnectOutputStreams()
{
    const bool out = HasHandle(STD_OUTPUT_HANDLE), err = HasHandle(STD_ERROR_HANDLE);
    if ((out && err) || !::AttachConsole(ATTACH_PARENT_PROCESS))
        return;
    if (!out)
        (void)std::freopen("CONOUT$", "w", stdout);
    if (!err)
        (void)std::freopen("CONOUT$", "w", stderr);
    std::cout.clear();
    std::cerr.clear();
}

} // namespace dorvane
