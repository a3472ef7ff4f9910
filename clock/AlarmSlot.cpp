#include "clock/AlarmSlot.h"

#include "clock/NumberText.h"

namespace dorvane {

bool AlarmSlot::IsArmed() const { return IsNumberOne(AlarmActivated); }

} // namespace dorvane
