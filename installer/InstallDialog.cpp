#include "InstallDialog.h"

#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {

QIcon programIcon()
{
    return QApplication::style()->standardIcon(QStyle::SP_DriveNetIcon);
}

}  // namespace

InstallDialog::InstallDialog(const QString& title, QWidget* parent) : QDialog(parent)
{
    setObjectName("InstallDialog");
    setWindowTitle(" Velvix! Conduit Installation utility");
    setWindowIcon(programIcon());

    auto* application = new QLineEdit(title, this);
    application->setObjectName("Application");
    application->setReadOnly(true);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* install = buttons->addButton("Install", QDialogButtonBox::AcceptRole);
    install->setObjectName("btnInstall");
    install->setDefault(true);
    buttons->addButton("Cancel", QDialogButtonBox::RejectRole)->setObjectName("btnCancel");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel("Application:", this), 0, 0);
    layout->addWidget(application, 0, 1);
    layout->addWidget(buttons, 1, 0, 1, 2);

    // The window's own menu carries the about command.
    setContextMenuPolicy(Qt::ActionsContextMenu);
    auto* separator = new QAction(this);
    separator->setSeparator(true);
    addAction(separator);
    auto* about = new QAction("&About Installer...", this);
    about->setObjectName("actionAbout");
    connect(about, &QAction::triggered, this, [this] { AboutDialog(this).exec(); });
    addAction(about);
}

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName("AboutDialog");
    setWindowTitle("About Installer");
    auto* icon = new QLabel(this);
    icon->setPixmap(programIcon().pixmap(32, 32));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QGridLayout(this);
    layout->addWidget(icon, 0, 0);
    layout->addWidget(new QLabel("Installer Version 1.0", this), 0, 1);
    layout->addWidget(buttons, 1, 0, 1, 2);
}
