#include "platform/linux/SystemTimeSource.h"

#include <ctime>

namespace dorvane {

LocalTime SystemTimeSource::Now()
{
    timespec now {};
    clock_gettime(CLOCK_REALTIME, &now);
    std::tm local {};
    localtime_r(&now.tv_sec, &local);
    LocalTime t;
    t.date = CivilDate{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
    t.hour = local.tm_hour;
    t.minute = local.tm_min;
    t.second = local.tm_sec > 59 ? 59 : local.tm_sec; // a leap second counts as the last second
    t.fraction = now.tv_nsec / 1e9;
    return t;
}

} // namespace dorvane

namespace dorvane {

std::optional<double> SystemTimeSource::MonotonicSeconds()
{
    timespec now {};
    if (clock_gettime(CLOCK_BOOTTIME, &now) != 0)
        return std::nullopt;
    return static_cast<double>(now.tv_sec) + now.tv_nsec / 1e9;
}

} // namespace dorvane
