#include "clock/tick/AlarmSchedule.h"

#include <limits>

namespace dorvane {

std::optional<TimeOfDay> AlarmTimeOfDay(const AlarmSlot& slot)
{
    return ParseTimeOfDay(slot.AlarmHour + ":" + slot.AlarmMin + " " + slot.AlarmAMPM);
}

std::optional<CivilDate> AlarmDay(const AlarmSlot& slot)
{
    constexpr std::size_t kWeekdayLength = 4; // "Sun "
    const std::string_view date = slot.DateText();
    if (date.size() > kWeekdayLength) {
        if (auto day = ParseDate(date.substr(kWeekdayLength)))
            return day;
    }
    return ParseDate(date);
}

bool AlarmMatches(const AlarmSlot& slot, const LocalTime& now)
{
    const auto time = AlarmTimeOfDay(slot);
    if (!time)
        return false;
    if (!slot.IsDated())
        return time->hour == now.hour && time->minute == now.minute;

    const auto day = AlarmDay(slot);
    if (!day)
        return false;
    const TimeOfDay timeNow{now.hour, now.minute, now.second};
    return now.date > *day || (now.date == *day && timeNow >= *time);
}

int16_t SilencedRingCount(int16_t alarmNoOfRings)
{
    return alarmNoOfRings == std::numeric_limits<int16_t>::max() ? alarmNoOfRings
                                                                  : static_cast<int16_t>(alarmNoOfRings + 1);
}

std::string AlarmLabelText(const AlarmSlot& slot)
{
    return slot.AlarmDate + " " + slot.AlarmHour + ":" + slot.AlarmMin + " " + slot.AlarmAMPM;
}

} // namespace dorvane
