#include "platform/win32/SystemTimeZone.h"

#include <windows.h>

namespace dorvane {
namespace {

// 100-nanosecond intervals between 1601-01-01 and 1970-01-01, the two systems' epochs.
constexpr int64_t kFileTimeAt1970 = 116444736000000000LL;
constexpr int64_t kFileTimeTicksPerSecond = 10000000;

// The zone's rules for that year, daylight saving included, as the taskbar clock applies them;
// null (the rules of today) when the system does not know them.
const TIME_ZONE_INFORMATION* ZoneIn(WORD year)
{
    thread_local TIME_ZONE_INFORMATION zone{};
    DYNAMIC_TIME_ZONE_INFORMATION dynamic{};
    if (::GetDynamicTimeZoneInformation(&dynamic) == TIME_ZONE_ID_INVALID ||
        !::GetTimeZoneInformationForYear(year, &dynamic, &zone))
        return nullptr;
    return &zone;
}

} // namespace

LocalTime SystemTimeZone::LocalAt(int64_t unixSeconds) const
{
    const uint64_t ticks = static_cast<uint64_t>(unixSeconds * kFileTimeTicksPerSecond + kFileTimeAt1970);
    const FILETIME utc{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    SYSTEMTIME universal{}, local{};
    if (!::FileTimeToSystemTime(&utc, &universal) || !::SystemTimeToTzSpecificLocalTime(ZoneIn(universal.wYear), &universal, &local))
        local = universal;
    LocalTime time;
    time.date = {local.wYear, local.wMonth, local.wDay};
    time.hour = local.wHour;
    time.minute = local.wMinute;
    time.second = local.wSecond;
    return time;
}

} // namespace dorvane
