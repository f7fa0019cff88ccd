#pragma once
#include <QDialog>

#include <functional>

// Every modal dialog of the program is shown through ShowModalDialog. The program shows it
// with exec(); tests install a handler that records the dialog and scripts what it does.
using ModalDialogHandler = std::function<int(QDialog& dialog)>;

// Replaces the handler (none: exec()); returns the previous one.
ModalDialogHandler SetModalDialogHandler(ModalDialogHandler handler);

// Sizes the dialog to its contents, shows it modally and answers its result
// (QDialog::Accepted or Rejected).
int ShowModalDialog(QDialog& dialog);
