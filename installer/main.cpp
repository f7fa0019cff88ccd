#include "InstallConduit.h"
#include "InstallDialog.h"

#include <QApplication>
#include <QMessageBox>

int main(int argc, char* argv[])
{
    // The settings are read before any window exists.
    const InstallSettings settings = ReadInstallSettings(kInstallSettingsFile);
    QApplication application(argc, argv);

    InstallerInterface ui;
    ui.confirmInstall = [](const std::string& title) {
        return InstallDialog(QString::fromStdString(title)).exec() == QDialog::Accepted;
    };
    ui.tell = [](const std::string& text, const std::string& caption) {
        QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(caption), QString::fromStdString(text),
                        QMessageBox::Ok);
        box.exec();
    };
    InstallConduit(settings, ui);
    return 0;
}
