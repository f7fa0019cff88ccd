#pragma once
#include <QDialog>

// The about box: the application's title and version, OK and "&System Info...".
class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(QWidget* parent = nullptr);
};
