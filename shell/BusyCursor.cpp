#include "BusyCursor.h"

#include "AppGlobals.h"

#include <QApplication>
#include <QLabel>

namespace {

// The status bar's first panel, the one free for texts.
QLabel* statusPanel()
{
    QObject* mainForm = Globals().MainForm;
    return mainForm ? mainForm->findChild<QLabel*>("Panel1") : nullptr;
}

}  // namespace

BusyCursor::BusyCursor(const QString& statusText)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    if (statusText.isEmpty())
        return;
    statusPanel_ = statusPanel();
    if (!statusPanel_)
        return;
    previousStatus_ = statusPanel_->text();
    statusPanel_->setText(statusText);
    // The work runs before the event loop comes back: the text is drawn now or not at all.
    statusPanel_->repaint();
}

BusyCursor::~BusyCursor()
{
    if (statusPanel_)
        statusPanel_->setText(previousStatus_);
    QApplication::restoreOverrideCursor();
}
