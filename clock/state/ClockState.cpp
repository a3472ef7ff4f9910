#include "clock/state/ClockState.h"

namespace dorvane {

ClockState& SharedClockState()
{
    static ClockState state;
    return state;
}

} // namespace dorvane
