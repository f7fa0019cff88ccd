#pragma once
#include <QDialog>

// Asks whether to install the conduit for the application named in the settings.
class InstallDialog : public QDialog {
    Q_OBJECT
public:
    explicit InstallDialog(const QString& title, QWidget* parent = nullptr);
};

// "About Installer".
class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* parent = nullptr);
};
