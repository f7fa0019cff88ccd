#include "OpenUserInterface.h"

#include "AppGlobals.h"
#include "ApplicationTitle.h"

#include <QMainWindow>

void OpenUserInterface()
{
    auto* window = new QMainWindow;
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowTitle(kApplicationTitle);
    window->resize(640, 480);
    QObject::connect(window, &QObject::destroyed, [] { Globals().MainForm = nullptr; });
    Globals().MainForm = window;
    window->show();
}
