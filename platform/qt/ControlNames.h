#pragma once

#include <QString>

#include <string_view>

namespace dorvane {

// Every control carries an object name (its control name with its index, such as "TextAlarmHour3")
// for tests and automation, and an accessible name (its caption or role) for screen readers.
template <typename Widget>
Widget* Named(Widget* widget, const QString& objectName, const QString& accessibleName)
{
    widget->setObjectName(objectName);
    widget->setAccessibleName(accessibleName);
    return widget;
}

// "TextAlarmHour" and 3: "TextAlarmHour3".
inline QString Indexed(const char* name, int index) { return QString(name) + QString::number(index); }

inline QString Text(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

} // namespace dorvane
