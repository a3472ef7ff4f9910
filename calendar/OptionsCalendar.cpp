#include "calendar/OptionsCalendar.h"

#include <QScreen>

#include <algorithm>

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

// To the right of the options window, top edges level; to its left when the screen ends first.
void OptionsCalendar::PlaceBesideOptions()
{
    if (!options_)
        return;
    const QRect options = options_->frameGeometry();
    const QRect screen = options_->screen()->availableGeometry();
    const QSize size = window_->frameGeometry().size();
    int left = options.right() + 1;
    if (left + size.width() > screen.right() + 1)
        left = std::max(screen.left(), options.left() - size.width());
    const int top = std::clamp(options.top(), screen.top(), std::max(screen.top(), screen.bottom() + 1 - size.height()));
    window_->move(left, top);
}

} // namespace dorvane
