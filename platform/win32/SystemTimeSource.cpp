#include "platform/win32/SystemTimeSource.h"

#include <windows.h>

namespace dorvane {

LocalTime SystemTimeSource::Now()
{
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    LocalTime time;
    time.date = {now.wYear, now.wMonth, now.wDay};
    time.hour = now.wHour;
    time.minute = now.wMinute;
    time.second = now.wSecond;
    time.fraction = now.wMilliseconds / 1000.0;
    return time;
}

// The tick count counts the time the computer slept, and is never set.
std::optional<double> SystemTimeSource::MonotonicSeconds()
{
    return static_cast<double>(::GetTickCount64()) / 1000.0;
}

} // namespace dorvane
