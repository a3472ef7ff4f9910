#include "options/Form2View.h"
#include "tests/support/Fakes.h"
#include "tests/support/RecordingOptionsParts.h"
#include "tests/support/ViewTesting.h"

#include <QCheckBox>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPointer>
#include <QUrl>

namespace dorvane {
namespace {

using namespace dorvane::testing;

// Clicks the named control with the real mouse, then types keys.
void ClickAndType(QWidget& window, const QString& name, const std::string& keys)
{
    auto* control = window.findChild<QWidget*>(name);
    ASSERT_TRUE(PointAt(control, "click 1")) << name.toStdString();
    ASSERT_TRUE(WaitUntil([&] { return name.startsWith("Check") || control->hasFocus(); })) << name.toStdString();
    ASSERT_TRUE(keys.empty() || Xdotool(keys));
    QTest::qWait(50);
}

void DropUrls(QWidget* field, const QList<QUrl>& urls)
{
    QMimeData data;
    data.setUrls(urls);
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(field, &enter);
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(field, &drop);
}

// Typed, clicked and dropped with the real keyboard and mouse. (What is saved, the options
// window's end-to-end test reads from the file.)
TEST(Form2View, AnAlarmTypedWithTheRealKeyboardAndMouseReachesTheSharedState)
{
    DORVANE_REQUIRE_X_DISPLAY();
    ClockState state;
    RecordingOptionsParts parts;
    QPointer<Form2View> window = new Form2View(state, parts.Parts());
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.data()));

    const struct { const char* control; std::string keys; } steps[] = {
        {"TextAlarmHour3", "type 7"},       {"TextAlarmMin3", "type 5"},
        {"TextAlarmMessage3", "type 'Tea is ready'"}, // leaving the minute makes it "05"
        {"CheckActivateAlarm3", ""},        {"TextAlarmHour5", "type 13"},
        {"LabelAlarmAMPM3", ""},            {"TextAlarmRingCount", "key ctrl+a type 45"},
    };
    for (const auto& step : steps)
        ClickAndType(*window, step.control, step.keys);
    DropUrls(window->findChild<QWidget*>("TextAlarmExec3"), {QUrl::fromLocalFile("/home/ann/a b.ogg"), QUrl::fromLocalFile("/tmp/c")});
    DropUrls(window->findChild<QWidget*>("TextAlarmExec4"), {QUrl("https://example.org/")});
    EXPECT_EQ(window->findChild<QLineEdit*>("TextAlarmHour5")->text(), "") << "13 is no hour";
    EXPECT_EQ(window->findChild<QLineEdit*>("TextAlarmRingCount")->text(), "30");
    EXPECT_EQ(window->findChild<QWidget*>("TextAlarmExec2")->nextInFocusChain(), window->findChild<QWidget*>("TextAlarmDate3"));
    for (const char* name : {"TextAlarmDate", "CheckActivateAlarm", "TextAlarmHour", "Label15", "TextAlarmMin", "LabelAlarmAMPM",
                             "TextAlarmMessage", "TextAlarmExec"})
        for (int row = 0; row < 7; ++row)
            EXPECT_FALSE(window->findChild<QWidget*>(name + QString::number(row))->accessibleName().isEmpty()) << name << row;

    ASSERT_TRUE(Xdotool("key Escape"));
    ASSERT_TRUE(WaitUntil([&] { return window.isNull(); })) << "Escape closes the window";
    const AlarmSlot& alarm = state.Alarms[3];
    EXPECT_EQ(alarm.AlarmHour + ":" + alarm.AlarmMin + " " + alarm.AlarmAMPM + " " + alarm.AlarmActivated + " " + alarm.AlarmExec,
              "7:05 PM 1 /home/ann/a b.ogg") << "a drop keeps the first file";
    EXPECT_EQ(state.Alarms[4].AlarmExec, "") << "a drop without files leaves the field empty";
    EXPECT_FALSE(state.OptionsOpen);
    EXPECT_EQ(parts.saves, 1) << "closing saves";
}

} // namespace
} // namespace dorvane
