#pragma once
#include "StoredState.h"

#include <QDialog>

class QLineEdit;
class QPushButton;

// Ends the admission of the patient named by CurrentPatientId: facility, ward and attending
// doctor become 0 (and LastChargeDate January 1, 1990); visiting doctors and charges stay.
// Loading sets CurrentFacilityCode, CurrentWardCode and CurrentDoctorCode to the patient's
// stored location; a patient not admitted cannot be discharged.
class frmDischargePatient : public QDialog {
    Q_OBJECT
public:
    explicit frmDischargePatient(QWidget* parent = nullptr);

    // "Discharge": closes once written; a failure is shown and the dialog stays.
    void OKButtonClick();

private:
    void load();

    QLineEdit* TxtPatient = nullptr;
    QLineEdit* TxtStatus = nullptr;
    QLineEdit* TxtFacility = nullptr;
    QLineEdit* TxtWard = nullptr;
    QLineEdit* TxtDoctor = nullptr;
    QPushButton* OKButton = nullptr;
    StoredState loadedLocation_;
};
