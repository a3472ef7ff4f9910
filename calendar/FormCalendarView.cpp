#include "calendar/FormCalendarView.h"

#include "clock/state/ClockText.h"
#include "platform/qt/ControlNames.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyleOptionFocusRect>
#include <QVBoxLayout>

namespace dorvane {
namespace {

constexpr int kCellWidth = 30;
constexpr int kCellHeight = 22;

QFont Arial(bool bold)
{
    QFont font("Arial");
    font.setBold(bold);
    return font;
}

// A flat day cell that takes the keyboard focus and shows it with the style's focus frame.
class DayCellLabel : public QLabel {
public:
    DayCellLabel()
    {
        setAlignment(Qt::AlignCenter);
        setFixedSize(kCellWidth, kCellHeight);
        setFocusPolicy(Qt::StrongFocus);
        setMouseTracking(true);
        setFont(Arial(false));
    }

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QLabel::paintEvent(event);
        if (!hasFocus())
            return;
        QPainter painter(this);
        QStyleOptionFocusRect frame;
        frame.initFrom(this);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &frame, &painter, this);
    }
};

QScrollBar* OffsetBar(const QString& objectName, const QString& role)
{
    auto* bar = Named(new QScrollBar(Qt::Horizontal), objectName, role);
    bar->setRange(FormCalendar::kLeastOffset, FormCalendar::kMostOffset);
    bar->setPageStep(1);
    bar->setFixedWidth(3 * kCellWidth);
    return bar;
}

} // namespace

FormCalendarView::FormCalendarView(ClockState& state, TimeSource& time, AlarmDateField& field)
    : QWidget(nullptr, Qt::Window), logic_(state, time, field, *this)
{
    setWindowTitle(Text(FormCalendar::kTitle));
    setObjectName("FormCalendar");
    setMouseTracking(true);
    auto* whole = new QVBoxLayout(this);
    whole->addWidget(MakeBars());
    whole->addWidget(MakeGrid());
    whole->addWidget(MakeFootLine());
    whole->setSizeConstraint(QLayout::SetFixedSize);
    CalendarChanged();
}

// The month and the year, each with the scroll bar that steps it.
QWidget* FormCalendarView::MakeBars()
{
    auto* bars = new QWidget;
    auto* layout = new QHBoxLayout(bars);
    layout->setContentsMargins(0, 0, 0, 0);
    month_ = Named(new QLabel("Month"), "Label2", "Month");
    year_ = Named(new QLabel("Year"), "Label4", "Year");
    monthBar_ = OffsetBar("HScroll1", "Month");
    yearBar_ = OffsetBar("HScroll2", "Year");
    connect(monthBar_, &QScrollBar::valueChanged, this, [this](int months) { logic_.SetMonthOffset(months); });
    connect(yearBar_, &QScrollBar::valueChanged, this, [this](int years) { logic_.SetYearOffset(years); });
    for (QLabel* label : {month_, year_})
        label->setFont(Arial(true));
    layout->addWidget(month_);
    layout->addWidget(monthBar_);
    layout->addStretch();
    layout->addWidget(year_);
    layout->addWidget(yearBar_);
    return bars;
}

// The headings, Sunday first, over the cells; cell k in column k mod 7 and row k div 7.
QWidget* FormCalendarView::MakeGrid()
{
    auto* grid = new QWidget;
    auto* layout = new QGridLayout(grid);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (int column = 0; column < FormCalendar::kColumns; ++column) {
        const QString heading = Text(FormCalendar::kHeadings[column]);
        // Label1(6) heads the Sunday column, Label1(0..5) Monday to Saturday.
        auto* label = Named(new QLabel(heading), Indexed("Label1", (column + 6) % 7), heading);
        label->setFont(Arial(true));
        label->setAlignment(Qt::AlignCenter);
        layout->addWidget(label, 0, column);
    }
    for (int cell = 0; cell < FormCalendar::kCells; ++cell) {
        cells_[cell] = Named<QLabel>(new DayCellLabel, Indexed("Label3", cell), "");
        cells_[cell]->installEventFilter(this);
        layout->addWidget(cells_[cell], 1 + cell / FormCalendar::kColumns, cell % FormCalendar::kColumns);
    }
    return grid;
}

// Today's date and the Reset button.
QWidget* FormCalendarView::MakeFootLine()
{
    auto* line = new QWidget;
    auto* layout = new QHBoxLayout(line);
    layout->setContentsMargins(0, 0, 0, 0);
    todayLine_ = Named(new QLabel, "Label5", "");
    reset_ = Named(new QPushButton(Text(FormCalendar::kResetCaption)), "Command1", Text(FormCalendar::kResetCaption));
    connect(reset_, &QPushButton::clicked, this, [this] { logic_.Reset(); });
    layout->addWidget(todayLine_, 1);
    layout->addWidget(reset_);
    return line;
}

void FormCalendarView::CalendarChanged()
{
    month_->setText(Text(logic_.MonthText()));
    year_->setText(Text(logic_.YearText()));
    todayLine_->setText(Text(logic_.TodayLine()));
    for (QLabel* label : {month_, year_, todayLine_})
        label->setAccessibleName(label->text());
    for (auto [bar, value] : {std::pair{monthBar_, logic_.MonthOffset()}, std::pair{yearBar_, logic_.YearOffset()}}) {
        const QSignalBlocker quiet(bar);
        bar->setValue(value);
    }
    for (int cell = 0; cell < FormCalendar::kCells; ++cell)
        ShowCell(cell);
}

// The cell's day, its look, and the whole date as its accessible name.
void FormCalendarView::ShowCell(int cell)
{
    const DayCell& values = logic_.Cell(cell);
    QLabel* label = cells_[cell];
    label->setVisible(values.Shown());
    if (!values.Shown())
        return;
    label->setText(QString::number(values.day));
    label->setAccessibleName(Text(FormatLongDate(logic_.CellDate(cell))));
    label->setFont(Arial(values.bold));
    QPalette colours = palette();
    const QColor navy(0, 0, 64), red(255, 0, 0);
    const QColor text[] = {navy, colours.color(QPalette::WindowText), colours.color(QPalette::Highlight), red};
    colours.setColor(QPalette::WindowText, text[static_cast<int>(values.look)]);
    colours.setColor(QPalette::Window, colours.color(QPalette::Light));
    label->setPalette(colours);
    label->setAutoFillBackground(values.look == CellLook::Today);
}

bool FormCalendarView::event(QEvent* event)
{
    const bool handled = QWidget::event(event);
    if (event->type() == QEvent::Show || event->type() == QEvent::WindowActivate) {
        logic_.Activated();
        FocusTodayOrFirst();
    }
    return handled;
}

void FormCalendarView::FocusTodayOrFirst()
{
    for (int cell = 0; cell < FormCalendar::kCells; ++cell)
        if (logic_.Cell(cell).look == CellLook::Today) {
            cells_[cell]->setFocus();
            return;
        }
    cells_[logic_.CellOfDay(1)]->setFocus();
}

bool FormCalendarView::eventFilter(QObject* watched, QEvent* event)
{
    for (int cell = 0; cell < FormCalendar::kCells; ++cell)
        if (watched == cells_[cell])
            return CellEvent(cell, event);
    return QWidget::eventFilter(watched, event);
}

// A click is a press and a release on the same cell.
bool FormCalendarView::CellEvent(int cell, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseMove:
        logic_.PointerOverCell(cell);
        return true; // not the background's too
    case QEvent::MouseButtonPress:
        logic_.ButtonDown(cell);
        return true;
    case QEvent::MouseButtonRelease:
        logic_.ButtonUp(cell);
        if (cells_[cell]->rect().contains(static_cast<QMouseEvent*>(event)->position().toPoint()))
            logic_.Pick(cell);
        return true;
    case QEvent::KeyPress:
        return CellKey(cell, static_cast<QKeyEvent*>(event)->key());
    default:
        return false;
    }
}

// Arrows move to the next shown cell in their direction; Enter, Return and Space pick.
bool FormCalendarView::CellKey(int cell, int key)
{
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
        logic_.Pick(cell);
        return true;
    }
    const int step = key == Qt::Key_Left ? -1 : key == Qt::Key_Right ? 1 : key == Qt::Key_Up ? -FormCalendar::kColumns
                   : key == Qt::Key_Down ? FormCalendar::kColumns : 0;
    if (step == 0)
        return false;
    const int next = cell + step;
    if (next >= 0 && next < FormCalendar::kCells && logic_.Cell(next).Shown())
        cells_[next]->setFocus(Qt::OtherFocusReason);
    return true;
}

void FormCalendarView::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape)
        logic_.Close();
    else
        QWidget::keyPressEvent(event);
}

void FormCalendarView::mouseMoveEvent(QMouseEvent* event)
{
    logic_.PointerOverBackground();
    QWidget::mouseMoveEvent(event);
}

void FormCalendarView::closeEvent(QCloseEvent* event)
{
    event->ignore();
    logic_.Close();
}

} // namespace dorvane
