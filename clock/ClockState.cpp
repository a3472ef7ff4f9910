#include "clock/ClockState.h"

namespace dorvane {

ClockState& SharedClockState()
{
    static ClockState state;
    return state;
}

} // namespace dorvane
