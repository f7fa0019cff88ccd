#include "AppGlobals.h"
#include "ApplicationTitle.h"
#include "MessageBoxes.h"
#include "Principal.h"
#include "OpenUserInterface.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(kApplicationTitle);
    InstallMessageBoxes();
    Main(OpenUserInterface);
    // Without a connection no window was opened: the program ends after its message.
    if (!Globals().ConnectionOpen)
        return 1;
    return application.exec();
}
