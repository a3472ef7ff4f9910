#include "clock/state/AlarmSlot.h"

#include "clock/state/NumberText.h"

namespace dorvane {

bool AlarmSlot::IsArmed() const { return IsNumberOne(AlarmActivated); }

std::string_view AlarmSlot::DateText() const
{
    constexpr std::string_view kBlanks = " \t";
    const auto first = AlarmDate.find_first_not_of(kBlanks);
    if (first == std::string::npos)
        return {};
    return std::string_view(AlarmDate).substr(first, AlarmDate.find_last_not_of(kBlanks) - first + 1);
}

} // namespace dorvane
