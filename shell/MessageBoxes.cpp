#include "MessageBoxes.h"

#include "ApplicationTitle.h"

#include <QApplication>
#include <QMessageBox>

MessageAnswer ShowMessageBox(const QString& text, MessageButtons buttons)
{
    QMessageBox::StandardButtons shown = QMessageBox::Ok;
    if (buttons == MessageButtons::OkCancel)
        shown |= QMessageBox::Cancel;
    QMessageBox box(QMessageBox::NoIcon, kApplicationTitle, text, shown, QApplication::activeWindow());
    // Paths and database texts are shown as they are, never read as markup.
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Ok);
    // A message met in the middle of a long pass waits for the clerk: the ordinary pointer.
    const bool busy = QApplication::overrideCursor() != nullptr;
    if (busy)
        QApplication::setOverrideCursor(Qt::ArrowCursor);
    const bool accepted = box.exec() == QMessageBox::Ok;
    if (busy)
        QApplication::restoreOverrideCursor();
    return accepted ? MessageAnswer::Ok : MessageAnswer::Cancel;
}

void InstallMessageBoxes()
{
    SetMessageHandler(ShowMessageBox);
}
