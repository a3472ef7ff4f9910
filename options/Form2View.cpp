#include "options/Form2View.h"

#include "options/AppearanceView.h"
#include "platform/qt/ControlNames.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDropEvent>
#include <QFont>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

namespace dorvane {
namespace {

constexpr int kHourMinuteLength = 2;
constexpr int kMessageLength = 25;
constexpr int kFreqLength = 4;
constexpr int kHelpTexts[] = {0, 2, 3, 4};

// Shows text without disturbing the cursor of a field that already shows it.
void Show(QLineEdit* field, const std::string& text)
{
    const QString shown = QString::fromStdString(text);
    if (field->text() != shown) {
        const QSignalBlocker quiet(field);
        field->setText(shown);
    }
}

void Show(QAbstractButton* box, bool checked)
{
    const QSignalBlocker quiet(box);
    box->setChecked(checked);
}

// A label that shows a value keeps that value as its accessible name.
void ShowValue(QLabel* label, const std::string& text)
{
    label->setText(QString::fromStdString(text));
    label->setAccessibleName(label->text());
}

QLineEdit* Field(const QString& objectName, const QString& role, int maxLength, int widthCharacters)
{
    auto* field = Named(new QLineEdit, objectName, role);
    if (maxLength > 0)
        field->setMaxLength(maxLength);
    if (widthCharacters > 0)
        field->setFixedWidth(field->fontMetrics().horizontalAdvance(QString(widthCharacters, '0')) + 2 * field->fontMetrics().averageCharWidth() + 8);
    return field;
}

// A caption that opens something when clicked or activated from the keyboard.
QLabel* LinkLabel(const QString& objectName, std::string_view caption)
{
    auto* label = Named(new QLabel("<a href=\"#\">" + Text(caption).toHtmlEscaped() + "</a>"), objectName, Text(caption));
    label->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    label->setCursor(Qt::PointingHandCursor);
    return label;
}

QString Heading(const char* text) { return QString("<b>%1</b>").arg(text); }

} // namespace

Form2View::Form2View(ClockState& state, Form2Parts parts)
    : QWidget(nullptr, Qt::Window), logic_(state, std::move(parts), *this)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(Text(Form2::kTitle));
    setAutoFillBackground(true);
    auto* middle = new QHBoxLayout;
    middle->addWidget(MakeOptionsArea(), 0);
    middle->addWidget(MakeAlarmArea(), 1);
    auto* whole = new QVBoxLayout(this);
    whole->addWidget(MakeTopLine());
    whole->addLayout(middle);
    whole->addWidget(MakeAboutArea());
    pictureHelp_ = MakeHelpPanel();
    for (int row = 0; row < AlarmEditor::kRows; ++row)
        ConnectAlarmRow(row);
    ChainTabOrder();
    rows_[0].date->setFocus(); // the keyboard starts at the first alarm
    logic_.Open();
    ControlsChanged();
}

// The current date and time as the tick writes it, and the help picture.
QWidget* Form2View::MakeTopLine()
{
    auto* line = new QWidget;
    auto* layout = new QHBoxLayout(line);
    layout->setContentsMargins(0, 0, 0, 0);
    labelTime_ = Named(new QLabel, "LabelTime", "");
    image1_ = Named(new QToolButton, "Image1", "Help");
    image1_->setText("?");
    image1_->setToolTip("Help");
    connect(image1_, &QToolButton::clicked, this, [this] { logic_.HelpClicked(); });
    layout->addWidget(labelTime_, 1);
    layout->addWidget(image1_);
    return line;
}

// The skin, the sliders, the switches with start at logon, the chime and tick settings.
QGroupBox* Form2View::MakeOptionsArea()
{
    optionsArea_ = Named(new QGroupBox("Options"), "FrameOptions", "Options");
    auto* layout = new QVBoxLayout(optionsArea_);
    runAtStartup_ = Named(new QCheckBox("Run at Startup"), "CheckRunatStartup", "Run at Startup");
    connect(runAtStartup_, &QCheckBox::clicked, this, [this](bool checked) { logic_.WriteRunAtStartup(checked); });
    appearance_ = new AppearanceView(logic_, logic_.TwipsScreen(), runAtStartup_);
    layout->addWidget(appearance_);
    layout->addStretch();
    return optionsArea_;
}

// One heading line, then the seven rows one under the other, then the shared ring fields.
QGroupBox* Form2View::MakeAlarmArea()
{
    auto* area = Named(new QGroupBox("Alarms && Reminders"), "FrameAlarms", "Alarms & Reminders");
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(4);
    grid->addWidget(new QLabel(Heading("Date")), 0, 0);
    grid->addWidget(new QLabel(Heading("Time")), 0, 2, 1, 4);
    grid->addWidget(new QLabel(Heading("Pop-up Message")), 0, 6);
    grid->addWidget(new QLabel(Heading("Execute")), 0, 7);
    for (int row = 0; row < AlarmEditor::kRows; ++row)
        MakeAlarmRow(row, grid);
    grid->setColumnStretch(7, 1);
    auto* layout = new QVBoxLayout(area);
    layout->addLayout(grid);
    layout->addWidget(MakeRingFields());
    return area;
}

// Left to right: date, Activate, hour, ":", minute, AM/PM, message, execute.
void Form2View::MakeAlarmRow(int row, QGridLayout* grid)
{
    RowWidgets& w = rows_[row];
    w.date = Field(Indexed("TextAlarmDate", row), "Date", 0, 14);
    w.date->setToolTip("Click to pick a date; double click for a daily alarm");
    w.activate = Named(new QCheckBox("Activate"), Indexed("CheckActivateAlarm", row), "Activate");
    w.hour = Field(Indexed("TextAlarmHour", row), "Hour", kHourMinuteLength, kHourMinuteLength);
    w.colon = Named(new QLabel(":"), Indexed("Label15", row), ":");
    w.minute = Field(Indexed("TextAlarmMin", row), "Minute", kHourMinuteLength, kHourMinuteLength);
    w.ampm = Named(new QPushButton, Indexed("LabelAlarmAMPM", row), "AM");
    w.ampm->setFlat(true);
    w.ampm->setFixedWidth(w.ampm->fontMetrics().horizontalAdvance("WWW") + 8);
    w.message = Field(Indexed("TextAlarmMessage", row), "Pop-up Message", kMessageLength, 0);
    w.message->setMinimumWidth(w.message->fontMetrics().averageCharWidth() * 20);
    w.exec = Field(Indexed("TextAlarmExec", row), "Execute", 0, 0);
    w.exec->setMinimumWidth(w.exec->fontMetrics().averageCharWidth() * 20);
    QWidget* order[] = {w.date, w.activate, w.hour, w.colon, w.minute, w.ampm, w.message, w.exec};
    for (int column = 0; column < 8; ++column) {
        order[column]->setAccessibleDescription("Alarm " + QString::number(row + 1));
        grid->addWidget(order[column], row + 1, column);
    }
    for (QWidget* field : std::initializer_list<QWidget*>{w.date, w.hour, w.minute, w.message, w.exec})
        field->installEventFilter(this);
}

void Form2View::ConnectAlarmRow(int row)
{
    RowWidgets& w = rows_[row];
    const auto typed = [this, row](AlarmField field) {
        return [this, row, field](const QString& text) { logic_.Alarms().Write(row, field, text.toStdString()); };
    };
    connect(w.date, &QLineEdit::textEdited, this, typed(AlarmField::Date));
    connect(w.hour, &QLineEdit::textEdited, this, typed(AlarmField::Hour));
    connect(w.minute, &QLineEdit::textEdited, this, typed(AlarmField::Minute));
    connect(w.message, &QLineEdit::textEdited, this, typed(AlarmField::Message));
    connect(w.exec, &QLineEdit::textEdited, this, typed(AlarmField::Exec));
    connect(w.activate, &QCheckBox::clicked, this, [this, row](bool checked) { logic_.Alarms().WriteActivate(row, checked); });
    connect(w.ampm, &QPushButton::clicked, this, [this, row] { logic_.Alarms().AmPmClicked(row); });
}

// Row by row, left to right, then the ring fields.
void Form2View::ChainTabOrder()
{
    QWidget* previous = nullptr;
    for (const RowWidgets& w : rows_) {
        for (QWidget* next : std::initializer_list<QWidget*>{w.date, w.activate, w.hour, w.minute, w.ampm, w.message, w.exec}) {
            if (previous)
                setTabOrder(previous, next);
            previous = next;
        }
    }
    setTabOrder(previous, alarmFreq_);
    setTabOrder(alarmFreq_, ringCount_);
}

// "Alarm Ring": the frequency and number of rings that every alarm shares.
QWidget* Form2View::MakeRingFields()
{
    auto* fields = new QWidget;
    auto* layout = new QHBoxLayout(fields);
    layout->setContentsMargins(0, 0, 0, 0);
    alarmFreq_ = Field("TextAlarmFreq", "Frequency", kFreqLength, kFreqLength);
    ringCount_ = Field("TextAlarmRingCount", "No. of Rings", kHourMinuteLength, kHourMinuteLength);
    connect(alarmFreq_, &QLineEdit::textEdited, this, [this](const QString& text) { logic_.Alarms().WriteAlarmFreq(text.toStdString()); });
    connect(ringCount_, &QLineEdit::textEdited, this, [this](const QString& text) { logic_.Alarms().WriteRingCount(text.toStdString()); });
    layout->addWidget(new QLabel(Heading("Alarm Ring")));
    layout->addWidget(new QLabel("Frequency"));
    layout->addWidget(alarmFreq_);
    layout->addWidget(new QLabel("No. of Rings"));
    layout->addWidget(ringCount_);
    layout->addStretch();
    return fields;
}

// The product, its version and two labels that open the user manual and the settings folder.
QWidget* Form2View::MakeAboutArea()
{
    auto* about = new QWidget;
    auto* layout = new QHBoxLayout(about);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* title = Named(new QLabel(Text(Form2::kProductTitle)), "Label1", Text(Form2::kProductTitle));
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    version_ = Named(new QLabel, "Label2", "");
    auto* manual = LinkLabel("Label4", Form2::kManualCaption);
    auto* folder = LinkLabel("LabelBRISA", Form2::kSettingsFolderCaption);
    connect(manual, &QLabel::linkActivated, this, [this] { logic_.ManualClicked(); });
    connect(folder, &QLabel::linkActivated, this, [this] { logic_.SettingsFolderClicked(); });
    layout->addWidget(title);
    layout->addWidget(version_);
    layout->addWidget(Named(new QLabel(Text(Form2::kAboutLine)), "Label3", Text(Form2::kAboutLine)), 1);
    layout->addWidget(manual);
    layout->addWidget(folder);
    return about;
}

// Laid over the window while shown, from the time line down, on the tool-tip colour.
QFrame* Form2View::MakeHelpPanel()
{
    auto* panel = Named(new QFrame(this), "PictureHelp", "Help");
    panel->setFrameShape(QFrame::Box);
    panel->setAutoFillBackground(true);
    panel->setBackgroundRole(QPalette::ToolTipBase);
    panel->setForegroundRole(QPalette::ToolTipText);
    auto* layout = new QVBoxLayout(panel);
    for (int index : kHelpTexts) {
        textHelp_[index] = Named(new QLabel, Indexed("TextHelp", index), "");
        textHelp_[index]->setWordWrap(true);
    }
    layout->addWidget(textHelp_[0]);
    for (int index = 0; index < Form2::kHelpLabels; ++index) {
        auto* label = Named(new QLabel(Text(Form2::kLabelHelp[index])), Indexed("LabelHelp", index), Text(Form2::kLabelHelp[index]));
        label->setWordWrap(true);
        layout->addWidget(label);
    }
    for (int index : {2, 3, 4})
        layout->addWidget(textHelp_[index]);
    layout->addStretch();
    panel->hide();
    return panel;
}

void Form2View::ControlsChanged()
{
    const Form2Controls& c = logic_.Controls();
    ShowValue(labelTime_, c.timeLine);
    appearance_->Show();
    ShowValue(version_, c.version);
    Show(runAtStartup_, c.runAtStartup);
    Show(alarmFreq_, logic_.Alarms().AlarmFreqText());
    Show(ringCount_, logic_.Alarms().RingCountText());
    ShowRows();
    ShowHelp();
}

void Form2View::ShowRows()
{
    for (int row = 0; row < AlarmEditor::kRows; ++row) {
        const AlarmRowControls& values = logic_.Alarms().Row(row);
        RowWidgets& w = rows_[row];
        Show(w.date, values.date);
        Show(w.activate, values.activate);
        Show(w.hour, values.hour);
        Show(w.minute, values.minute);
        w.ampm->setText(QString::fromStdString(values.ampm));
        w.ampm->setAccessibleName(w.ampm->text());
        Show(w.message, values.message);
        Show(w.exec, values.exec);
    }
}

void Form2View::ShowHelp()
{
    const Form2Controls& c = logic_.Controls();
    for (int index : kHelpTexts)
        ShowValue(textHelp_[index], QString::fromStdString(c.textHelp[index]).replace("\r\n", "\n").trimmed().toStdString());
    setBackgroundRole(c.helpShown ? QPalette::ToolTipBase : QPalette::Window);
    if (c.helpShown == pictureHelp_->isVisible())
        return;
    pictureHelp_->setVisible(c.helpShown);
    if (c.helpShown) {
        PlaceHelpPanel();
        pictureHelp_->raise();
    }
}

// From the time line down to the window's foot, leaving the help picture free to hide it again;
// a window too short for the texts grows.
void Form2View::PlaceHelpPanel()
{
    const int left = optionsArea_->x();
    const int top = labelTime_->y();
    const int width = image1_->x() - left - left / 2;
    QLayout* texts = pictureHelp_->layout();
    const int needed = texts->hasHeightForWidth() ? texts->totalHeightForWidth(width) : texts->totalSizeHint().height();
    if (top + needed + left > height())
        resize(this->width(), top + needed + left);
    pictureHelp_->setGeometry(left, top, width, height() - top - left);
}

void Form2View::SelectMinuteText(int row) { rows_.at(row).minute->setSelection(0, kHourMinuteLength); }

bool Form2View::AskOkCancel(const std::string& text, const std::string& title)
{
    return QMessageBox::question(this, QString::fromStdString(title), QString::fromStdString(text),
                                 QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok) == QMessageBox::Ok;
}

void Form2View::TellFailure(const std::string& text, const std::string& title)
{
    QMessageBox::warning(this, QString::fromStdString(title), QString::fromStdString(text));
}

bool Form2View::eventFilter(QObject* watched, QEvent* event)
{
    for (int row = 0; row < AlarmEditor::kRows; ++row)
        if (RowEvent(row, watched, event))
            return true;
    return QWidget::eventFilter(watched, event);
}

// The row's clicks, double clicks, the minute's leaving and drops on the execute field; true when
// the event was used up here.
bool Form2View::RowEvent(int row, QObject* watched, QEvent* event)
{
    const RowWidgets& w = rows_[row];
    AlarmEditor& alarms = logic_.Alarms();
    const bool doubleClick = event->type() == QEvent::MouseButtonDblClick;
    if ((watched == w.hour || watched == w.minute) && event->type() == QEvent::FocusIn)
        SelectWhenFocused(static_cast<QLineEdit*>(watched));
    if (watched == w.date && event->type() == QEvent::MouseButtonPress)
        alarms.DateClicked(row);
    else if (watched == w.date && doubleClick)
        alarms.DateDoubleClicked(row);
    else if (watched == w.hour && doubleClick)
        alarms.HourDoubleClicked(row);
    else if (watched == w.minute && doubleClick)
        alarms.MinuteDoubleClicked(row);
    else if (watched == w.minute && event->type() == QEvent::FocusOut)
        alarms.MinuteLeft(row);
    else if (watched == w.message && doubleClick)
        alarms.MessageDoubleClicked(row);
    else if (watched == w.exec && doubleClick)
        alarms.ExecDoubleClicked(row);
    else if (watched == w.exec)
        return ExecDropEvent(row, event);
    else
        return false;
    return doubleClick;
}

// The two digits of a time field are selected when it takes the focus, by the mouse as by Tab, so
// that typing replaces them.
void Form2View::SelectWhenFocused(QLineEdit* field)
{
    QTimer::singleShot(0, field, [field] { field->selectAll(); });
}

// Any drop is taken: the field gets the first dropped file's full path, or stays empty.
bool Form2View::ExecDropEvent(int row, QEvent* event)
{
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove:
        static_cast<QDropEvent*>(event)->acceptProposedAction();
        return true;
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        std::vector<std::string> files;
        for (const QUrl& url : drop->mimeData()->urls())
            if (url.isLocalFile())
                files.push_back(url.toLocalFile().toStdString());
        drop->acceptProposedAction();
        logic_.Alarms().ExecDropped(row, files);
        return true;
    }
    default:
        return false;
    }
}

void Form2View::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape)
        close();
    else
        QWidget::keyPressEvent(event);
}

void Form2View::closeEvent(QCloseEvent* event)
{
    logic_.Close();
    event->accept();
}

void Form2View::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (pictureHelp_->isVisible())
        PlaceHelpPanel();
}

} // namespace dorvane
