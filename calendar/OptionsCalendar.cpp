#include "calendar/OptionsCalendar.h"

#include "clock/window/ScreenPlacement.h"

#include <QScreen>

namespace dorvane {

OptionsCalendar::OptionsCalendar(ClockState& state, TimeSource& time) : state_(state), time_(time) {}

OptionsCalendar::~OptionsCalendar() = default;

void OptionsCalendar::Attach(Form2View* options)
{
    options_ = options;
    connect(options, &QObject::destroyed, this, [this] { CloseCalendar(); });
}

void OptionsCalendar::ShowCalendar()
{
    if (!window_)
        window_ = std::make_unique<FormCalendarView>(state_, time_, *this);
    window_->adjustSize();
    PlaceBesideOptions();
    window_->show();
    window_->raise();
    window_->activateWindow();
}

void OptionsCalendar::CloseCalendar()
{
    if (window_)
        window_->Logic().Close();
}

void OptionsCalendar::WriteAlarmDate(int row, const std::string& text)
{
    if (options_)
        options_->Logic().Alarms().Write(row, AlarmField::Date, text);
}

void OptionsCalendar::PlaceBesideOptions()
{
    if (!options_)
        return;
    const auto rect = [](const QRect& r) { return PixelRect{r.x(), r.y(), r.width(), r.height()}; };
    const QSize size = window_->frameGeometry().size();
    const PixelPoint place = BesideWindow(rect(options_->frameGeometry()), size.width(), size.height(),
                                          rect(options_->screen()->availableGeometry()));
    window_->move(place.x, place.y);
}

} // namespace dorvane
