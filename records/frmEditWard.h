#pragma once
#include <QDialog>
#include <QLineEdit>

class frmEditFacility;

// Edits the description of one ward for the facility editor, through its WardDescription.
class frmEditWard : public QDialog {
    Q_OBJECT
public:
    explicit frmEditWard(frmEditFacility& facilityEditor);

public slots:
    // Cancel, Escape and the close box give back no description.
    void reject() override;

private:
    void okClicked();

    frmEditFacility& facilityEditor_;
    QLineEdit* description_ = nullptr;
};
