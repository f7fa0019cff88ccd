#pragma once
#include <QDate>
#include <QLineEdit>

// The date field of every form. It shows mm/dd/yyyy. A clerk types a whole date over the one
// shown (entering the field or clicking into it selects it all): month, day and a four-digit year with "/", "-"
// or "." between them, or the eight digits run together (11252026); the button beside it
// picks a date from a calendar. A text that is no date of the calendar is refused with a
// message and the last date accepted comes back. A field that allows it may be left empty:
// its date is then null.
class DatePicker : public QLineEdit {
    Q_OBJECT
    Q_PROPERTY(QDate date READ date WRITE setDate USER true)
public:
    explicit DatePicker(QWidget* parent = nullptr);

    QDate date() const { return date_; }
    // A null date empties the field.
    void setDate(const QDate& date);
    void setEmptyAllowed(bool allowed) { emptyAllowed_ = allowed; }

protected:
    void focusInEvent(QFocusEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Takes the text typed as the date; false, with the message shown, when it is none.
    bool takeTypedDate();
    void showCalendar();
    QIcon dropDownArrow() const;

    QDate date_;
    // The date last set, picked or typed and taken: what a refused text gives way to.
    QDate acceptedDate_;
    bool emptyAllowed_ = false;
};

// The date in a typed text as the date fields read it; a null date for anything else.
QDate DateFromTypedText(const QString& text);
