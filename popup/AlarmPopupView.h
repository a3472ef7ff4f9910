#pragma once

namespace dorvane {

// What an alarm pop-up's logic does to its window.
class AlarmPopupView {
public:
    virtual ~AlarmPopupView() = default;
    virtual void ShowAgain() = 0;         // shown after a snooze, in front of other windows
    virtual void Hide() = 0;
    virtual void ShowSnoozeLabel() = 0;   // the "Snooze" label, hidden until a snooze ran out
    virtual void StopTimer() = 0;
    virtual void Destroy() = 0;           // the window goes away; the logic is not called again
};

} // namespace dorvane
