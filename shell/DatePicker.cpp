#include "DatePicker.h"

#include "Messages.h"

#include <QAction>
#include <QCalendarWidget>
#include <QKeyEvent>
#include <QPainter>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QStyle>
#include <QStyleOption>

namespace {

const QString kShownFormat = QStringLiteral("MM/dd/yyyy");

}  // namespace

QDate DateFromTypedText(const QString& text)
{
    static const QRegularExpression runTogether(QStringLiteral("^(\\d{2})(\\d{2})(\\d{4})$"));
    static const QRegularExpression separated(QStringLiteral("^(\\d{1,2})[/.-](\\d{1,2})[/.-](\\d{4})$"));
    const QString trimmed = text.trimmed();
    QRegularExpressionMatch match = runTogether.match(trimmed);
    if (!match.hasMatch())
        match = separated.match(trimmed);
    if (!match.hasMatch())
        return QDate();
    // QDate refuses a day the month does not have (02/30) and month 0 or 13.
    return QDate(match.captured(3).toInt(), match.captured(1).toInt(), match.captured(2).toInt());
}

// The arrow of the style's drop-down lists, so the field reads as one of them.
QIcon DatePicker::dropDownArrow() const
{
    QPixmap arrow(16, 16);
    arrow.fill(Qt::transparent);
    QPainter painter(&arrow);
    QStyleOption option;
    option.initFrom(this);
    option.rect = arrow.rect();
    style()->drawPrimitive(QStyle::PE_IndicatorArrowDown, &option, &painter, this);
    return QIcon(arrow);
}

DatePicker::DatePicker(QWidget* parent) : QLineEdit(parent)
{
    setMaxLength(10);
    setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9/.\\- ]*")), this));
    QAction* calendar = addAction(dropDownArrow(), QLineEdit::TrailingPosition);
    // The arrow's own blank border is room enough: a whole date fits the narrow filter fields.
    setTextMargins(0, 0, -6, 0);
    calendar->setObjectName("calendar");
    calendar->setToolTip("Choose the date from a calendar");
    connect(calendar, &QAction::triggered, this, &DatePicker::showCalendar);
    // A whole date typed is taken at once, so forms read it without waiting for the field
    // to lose focus; while the text is no date the field answers the last date accepted, never
    // one passed on the way (11/3/2026 while 11/31/2026 is typed).
    connect(this, &QLineEdit::textEdited, this, [this](const QString& text) {
        const QDate typed = DateFromTypedText(text);
        date_ = typed.isValid() || (emptyAllowed_ && text.trimmed().isEmpty()) ? typed : acceptedDate_;
    });
    connect(this, &QLineEdit::editingFinished, this, &DatePicker::takeTypedDate);
    setDate(QDate::currentDate());
}

void DatePicker::setDate(const QDate& date)
{
    date_ = date;
    acceptedDate_ = date;
    setText(date.isValid() ? date.toString(kShownFormat) : QString());
}

bool DatePicker::takeTypedDate()
{
    const QString typed = text().trimmed();
    if (typed.isEmpty() && emptyAllowed_) {
        setDate(QDate());
        return true;
    }
    const QDate date = DateFromTypedText(typed);
    if (date.isValid()) {
        setDate(date);
        return true;
    }
    const QString example = QStringLiteral("Type the month, day and year, for example 11/25/2026.");
    ShowMessage(typed.isEmpty() ? example : "\"" + typed + "\" is not a date. " + example);
    setDate(acceptedDate_);
    setFocus();
    selectAll();
    return false;
}

void DatePicker::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    // Typing replaces the whole date shown, however the field was entered.
    if (event->reason() != Qt::PopupFocusReason && event->reason() != Qt::MouseFocusReason)
        selectAll();
}

void DatePicker::mouseReleaseEvent(QMouseEvent* event)
{
    QLineEdit::mouseReleaseEvent(event);
    // A click places the cursor only in a date being typed; the date shown is replaced whole.
    if (!isModified() && !hasSelectedText())
        selectAll();
}

void DatePicker::keyPressEvent(QKeyEvent* event)
{
    // A refused date keeps the dialog open: Enter does not reach its default button.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && !takeTypedDate()) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void DatePicker::showCalendar()
{
    auto* calendar = new QCalendarWidget(this);
    calendar->setWindowFlags(Qt::Popup);
    calendar->setAttribute(Qt::WA_DeleteOnClose);
    calendar->setSelectedDate(date_.isValid() ? date_ : QDate::currentDate());
    const auto choose = [this, calendar](const QDate& date) {
        setDate(date);
        calendar->close();
    };
    connect(calendar, &QCalendarWidget::clicked, this, choose);
    connect(calendar, &QCalendarWidget::activated, this, choose);
    calendar->move(mapToGlobal(rect().bottomLeft()));
    calendar->show();
}
