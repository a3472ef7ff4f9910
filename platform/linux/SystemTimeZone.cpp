#include "platform/linux/SystemTimeZone.h"

#include <ctime>

namespace dorvane {

LocalTime SystemTimeZone::LocalAt(int64_t unixSeconds) const
{
    const std::time_t moment = static_cast<std::time_t>(unixSeconds);
    std::tm local {};
    localtime_r(&moment, &local);
    LocalTime t;
    t.date = CivilDate{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
    t.hour = local.tm_hour;
    t.minute = local.tm_min;
    t.second = local.tm_sec > 59 ? 59 : local.tm_sec; // a leap second counts as the last second
    return t;
}

} // namespace dorvane
