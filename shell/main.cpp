#include "AppGlobals.h"
#include "ApplicationTitle.h"
#include "ChargesForms.h"
#include "MessageBoxes.h"
#include "OpenUserInterface.h"
#include "Principal.h"
#include "RecordsForms.h"
#include "ShellForms.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    // The web page view shares its drawing context with the rest of the program.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication application(argc, argv);
    QApplication::setApplicationName(kApplicationTitle);
    InstallMessageBoxes();
    RegisterShellForms();
    RegisterRecordsForms();
    RegisterChargesForms();
    Main(OpenUserInterface);
    // Without a connection no window was opened: the program ends after its message.
    if (!Globals().ConnectionOpen)
        return 1;
    return application.exec();
}
