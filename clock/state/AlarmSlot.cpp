#include "clock/state/AlarmSlot.h"

#include "clock/state/NumberText.h"

namespace dorvane {

bool AlarmSlot::IsArmed() const { return IsNumberOne(AlarmActivated); }

} // namespace dorvane
