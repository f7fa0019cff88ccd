#include "ModalDialogs.h"

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
    if (installedHandler())
        return installedHandler()(dialog);
    return dialog.exec();
}
