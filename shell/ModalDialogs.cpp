#include "ModalDialogs.h"

#include "ContentSizing.h"

namespace {

ModalDialogHandler& installedHandler()
{
    static ModalDialogHandler handler;
    return handler;
}

}  // namespace

ModalDialogHandler SetModalDialogHandler(ModalDialogHandler handler)
{
    ModalDialogHandler previous = std::move(installedHandler());
    installedHandler() = std::move(handler);
    return previous;
}

int ShowModalDialog(QDialog& dialog)
{
    // Loaded texts decide the opening size, so it is taken only now.
    FitDialogToContents(dialog);
    if (installedHandler())
        return installedHandler()(dialog);
    return dialog.exec();
}
