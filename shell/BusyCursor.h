#pragma once
#include <QPointer>
#include <QString>

class QLabel;

// The status text while a list or report is written for the viewer.
inline const QString kPrintingStatus = QStringLiteral("Printing...");

// Shows the wait cursor for as long as it lives, so that a list load, a print or a posting pass
// that takes a moment is seen to be working. With a text, the main window's status bar shows it
// meanwhile and gets its earlier text back afterwards. Nested ones simply stack.
class BusyCursor {
public:
    explicit BusyCursor(const QString& statusText = QString());
    ~BusyCursor();

    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

private:
    QPointer<QLabel> statusPanel_;
    QString previousStatus_;
};
