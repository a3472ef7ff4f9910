#include "clock/tick/AlarmSchedule.h"
#include "clock/state/ClockText.h"
#include "tests/support/TickRig.h"

#include <gtest/gtest.h>

namespace dorvane {
namespace {

using testing::At;
using testing::TickRig;

TEST(AlarmMatches, DailyDuringTheWholeMinuteOfItsTimeDatedFromItsMomentOnWithOrWithoutWeekdayUnreadableNever)
{
    const char* const kDec06 = "Sun Dec 06, 2026";
    const struct { const char *date, *hour, *minute, *ampm; LocalTime now; bool matches; } cases[] = {
        {"", "7", "05", "AM", At(7, 4, 59), false}, {"", "7", "05", "AM", At(7, 5, 59), true},
        {"", "7", "05", "AM", At(7, 6, 0), false}, {"", "7", "05", "AM", At(19, 5, 0), false},
        // The twelve-hour dial as typed.
        {"", "12", "00", "AM", At(0, 0, 0), true}, {"", "12", "30", "PM", At(12, 30, 0), true},
        {"", "07", "5", "pm", At(19, 5, 0), true}, {"", "19", "05", "AM", At(19, 5, 0), true},
        // Dated.
        {kDec06, "7", "05", "PM", At(19, 5, 0, {2026, 12, 5}), false}, {kDec06, "7", "05", "PM", At(19, 4, 59), false},
        {kDec06, "7", "05", "PM", At(19, 5, 0), true}, {kDec06, "7", "05", "PM", At(7, 5, 0, {2027, 1, 1}), true},
        {"Xyz Dec 06, 2026", "7", "05", "PM", At(19, 5, 0), true}, // the weekday is not checked
        {"2026-12-07", "7", "05", "PM", At(19, 5, 0), false},
        // Unreadable.
        {"", "x", "05", "AM", At(7, 5, 0), false}, {"", "7", "5x", "AM", At(7, 5, 0), false},
        {"", "7", "05", "XM", At(7, 5, 0), false}, {"", "25", "05", "", At(7, 5, 0), false},
        {"", "7", "60", "AM", At(7, 5, 0), false}, {"", "", "05", "AM", At(7, 5, 0), false},
        {"someday", "7", "05", "AM", At(7, 5, 0, {2040, 1, 1}), false},
        {"Sun Feb 30, 2026", "7", "05", "AM", At(7, 5, 0, {2040, 1, 1}), false},
    };
    for (const auto& c : cases) {
        AlarmSlot alarm = TickRig::Alarm(c.hour, c.minute, c.ampm);
        alarm.AlarmDate = c.date;
        EXPECT_EQ(AlarmMatches(alarm, c.now), c.matches) << '"' << c.date << "\" " << c.hour << ":" << c.minute << " "
                                                         << c.ampm << " at " << FormatTimestamp(c.now);
    }
    EXPECT_EQ(AlarmLabelText(TickRig::Alarm("7", "05", "AM")), " 7:05 AM");
    AlarmSlot dated = TickRig::Alarm("07", "5", "pm");
    dated.AlarmDate = kDec06;
    EXPECT_EQ(AlarmLabelText(dated), "Sun Dec 06, 2026 07:5 pm");
}

} // namespace
} // namespace dorvane
