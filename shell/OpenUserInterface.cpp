#include "OpenUserInterface.h"

#include "ModalDialogs.h"
#include "frmMain.h"
#include "frmSplash.h"

void OpenUserInterface()
{
    {
        frmSplash splash;
        ShowModalDialog(splash);
    }
    auto* window = new frmMain;
    // Closing the main window ends the program.
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
}
