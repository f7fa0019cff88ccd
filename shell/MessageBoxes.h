#pragma once
#include "Messages.h"

// Shows text in a plain message box titled with the application's title, over the active
// window, with OK or OK and Cancel; answers the button pressed (closing the box is Cancel
// where there is one).
MessageAnswer ShowMessageBox(const QString& text, MessageButtons buttons);

// Makes ShowMessageBox the one message function of the program.
void InstallMessageBoxes();
