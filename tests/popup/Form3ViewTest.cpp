#include "popup/Form3View.h"
#include "tests/support/TickRig.h"
#include "tests/support/ViewTesting.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QToolButton>

namespace dorvane {
namespace {

using namespace dorvane::testing;

TEST(Form3View, ShowsTheAlarmsLineAndMessageWithItsPicturesAndClosesOnClose)
{
    DORVANE_REQUIRE_X_DISPLAY();
    ClockState state;
    FakeTimeSource time{LocalTime{{2026, 12, 6}, 7, 5, 0, 0}};
    RecordingTickSounds sounds;
    FakeMessagePump pump;
    RecordingOptionsWindow options;
    const AlarmPopupRequest request{0, "Dorvane ", " 7:05 AM", "Wake up, the tea is ready"};
    QPointer<Form3View> popup = new Form3View(state, PopupLinks{sounds, pump, options}, time, request, {});
    popup->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(popup.data()));

    EXPECT_EQ(popup->windowTitle(), "Dorvane ");
    EXPECT_EQ(popup->findChild<QPlainTextEdit*>()->toPlainText(), "Wake up, the tea is ready");
    QStringList labels;
    for (const QLabel* label : popup->findChildren<QLabel*>())
        if (label->isVisible() && !label->text().isEmpty())
            labels << label->text();
    EXPECT_EQ(labels, QStringList{" 7:05 AM"}) << "the Snooze label waits for a snooze to run out";
    EXPECT_EQ(popup->CloseButton()->toolTip(), "Close");
    EXPECT_EQ(popup->ResetButton()->toolTip(), "Reset - Stop and Clear this Alarm Data");
    EXPECT_EQ(popup->SnoozeButton()->toolTip(), "Snooze");
    for (const QToolButton* button : {popup->CloseButton(), popup->ResetButton(), popup->SnoozeButton()})
        EXPECT_EQ(button->iconSize(), QSize(19, 19));

    popup->CloseButton()->click();
    EXPECT_TRUE(WaitUntil([&] { return popup.isNull(); })) << "Close closes and frees the pop-up";
}

} // namespace
} // namespace dorvane
