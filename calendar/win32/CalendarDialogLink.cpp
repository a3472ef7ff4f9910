#include "calendar/win32/CalendarDialogLink.h"

#include "clock/window/ScreenPlacement.h"
#include "options/win32/Form2Dialog.h"

namespace dorvane {

CalendarDialogLink::CalendarDialogLink(ClockState& state, TimeSource& time)
    : state_(state), time_(time), self_(std::make_shared<CalendarDialogLink*>(this))
{
}

CalendarDialogLink::~CalendarDialogLink() = default;

void CalendarDialogLink::Attach(Form2Dialog* options)
{
    options_ = options;
    if (!options)
        return;
    options->WhenGone([link = std::weak_ptr<CalendarDialogLink*>(self_), options] {
        const auto alive = link.lock();
        if (alive && (*alive)->options_ == options) {
            (*alive)->options_ = nullptr;
            (*alive)->CloseCalendar();
        }
    });
}

void CalendarDialogLink::ShowCalendar()
{
    if (!window_)
        window_ = std::make_unique<FormCalendarDialog>(state_, time_, *this);
    PlaceBesideOptions();
    window_->Show();
}

void CalendarDialogLink::CloseCalendar()
{
    if (window_)
        window_->Logic().Close();
}

void CalendarDialogLink::WriteAlarmDate(int row, const std::string& text)
{
    if (options_ && options_->IsOpen())
        options_->Logic().Alarms().Write(row, AlarmField::Date, text);
}

void CalendarDialogLink::PlaceBesideOptions()
{
    if (!options_ || !options_->IsOpen())
        return;
    const auto rect = [](const RECT& r) { return PixelRect{r.left, r.top, r.right - r.left, r.bottom - r.top}; };
    RECT options{}, calendar{};
    GetWindowRect(options_->Handle(), &options);
    GetWindowRect(window_->Handle(), &calendar);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(options_->Handle(), MONITOR_DEFAULTTONEAREST), &monitor);
    const PixelRect size = rect(calendar);
    const PixelPoint place = BesideWindow(rect(options), size.width, size.height, rect(monitor.rcWork));
    SetWindowPos(window_->Handle(), nullptr, place.x, place.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace dorvane
