#include "calendar/OptionsCalendar.h"
#include "tests/support/Fakes.h"
#include "tests/support/RecordingOptionsParts.h"
#include "tests/support/ViewTesting.h"

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QScrollBar>

namespace dorvane {
namespace {

using namespace dorvane::testing;

// The options window of 7 December 2026 with its calendar: date fields clicked, days picked with
// the real mouse and keyboard, the close box, and a double click that empties a date.
TEST(FormCalendarView, ADayPickedWithRealInputFillsTheClickedRowsDate)
{
    DORVANE_REQUIRE_X_DISPLAY();
    ClockState state;
    FakeTimeSource time(At(9, 0, 0, {2026, 12, 7}));
    OptionsCalendar calendar(state, time);
    RecordingOptionsParts parts;
    QPointer<Form2View> options = new Form2View(state, parts.Parts(nullptr, &calendar));
    calendar.Attach(options);
    options->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(options.data()));
    const auto date = [&](int row) { return options->findChild<QLineEdit*>("TextAlarmDate" + QString::number(row)); };
    const auto shown = [&] { return calendar.Window() && calendar.Window()->isVisible(); };
    const auto cellOf = [&](int day) {
        return calendar.Window()->findChild<QLabel*>("Label3" + QString::number(calendar.Window()->Logic().CellOfDay(day)));
    };

    // A row's date field clicked; the pointer on the cell of the day, which it clicks, then keys from the
    // cell that has the focus (today's); what the field then shows, and whether the calendar stays.
    const struct { int row; const char* click; const char* keys; int day; const char* written; bool staysOpen; } picks[] = {
        {2, "click 1", nullptr, 24, "Thu Dec 24, 2026", false},
        {5, "mousemove_relative 0 0", "key Right Right Down Return", 7, "Wed Dec 16, 2026", false},
        {4, "mousemove_relative 0 0", "key Left Escape", 7, "", false},
        {3, "click 1", nullptr, 6, "", true}, // yesterday: nothing
    };
    for (const auto& pick : picks) {
        ASSERT_TRUE(PointAt(date(pick.row), "click 1"));
        ASSERT_TRUE(WaitUntil(shown)) << pick.day;
        ASSERT_TRUE(QTest::qWaitForWindowExposed(calendar.Window()));
        EXPECT_GT(calendar.Window()->frameGeometry().left(), options->frameGeometry().left() + options->width() / 2) << "beside";
        EXPECT_EQ(cellOf(7)->accessibleName(), "Monday, December 7, 2026");
        ASSERT_TRUE(PointAt(cellOf(pick.day), pick.click));
        if (pick.keys) {
            ASSERT_TRUE(Xdotool(pick.keys));
        }
        QTest::qWait(100);
        EXPECT_TRUE(WaitUntil([&] { return date(pick.row)->text() == pick.written; })) << pick.day;
        EXPECT_EQ(state.Alarms[pick.row].AlarmDate, pick.written);
        EXPECT_EQ(shown(), pick.staysOpen);
    }

    // Stepped to another month, closed with the close box, opened again: today's month.
    calendar.Window()->findChild<QScrollBar*>("HScroll1")->setValue(3);
    EXPECT_EQ(calendar.Window()->findChild<QLabel*>("Label2")->text(), "Mar");
    calendar.Window()->close();
    ASSERT_TRUE(WaitUntil([&] { return !shown(); }));
    ASSERT_TRUE(PointAt(date(3), "click 1"));
    ASSERT_TRUE(WaitUntil(shown));
    EXPECT_EQ(calendar.Window()->findChild<QLabel*>("Label2")->text() + " " + calendar.Window()->findChild<QLabel*>("Label4")->text(), "Dec 2026");
    EXPECT_EQ(calendar.Window()->findChild<QLabel*>("Label5")->text(), "Mon Dec 07, 2026");
    for (const char* name : {"HScroll1", "HScroll2", "Command1", "Label10", "Label16", "Label5"})
        EXPECT_FALSE(calendar.Window()->findChild<QWidget*>(name)->accessibleName().isEmpty()) << name;
    EXPECT_EQ(calendar.Window()->windowTitle(), "Calendar");

    ASSERT_TRUE(PointAt(date(2), "click --repeat 2 1"));
    EXPECT_TRUE(WaitUntil([&] { return date(2)->text().isEmpty() && !shown(); })) << "a double click: daily, calendar hidden";
    EXPECT_EQ(state.Alarms[2].AlarmDate, "");
    options->close();
    EXPECT_TRUE(WaitUntil([&] { return options.isNull(); }));
}

} // namespace
} // namespace dorvane
