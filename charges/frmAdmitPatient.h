#pragma once
#include "ListView.h"
#include "Recordset.h"
#include "StoredState.h"

#include <QDialog>

class QComboBox;
class QLineEdit;

// Admits the patient named by CurrentPatientId: facility, ward and attending doctor on the
// patient record, and the visiting doctors with their role and visit frequency. Loading sets
// CurrentFacilityCode, CurrentWardCode and CurrentDoctorCode to the patient's stored location.
// The visiting list lives in the dialog until "Ok": rows added (state 1) are inserted, rows
// marked (state 2, "*") deleted, changed rows (state 3) updated.
class frmAdmitPatient : public QDialog {
    Q_OBJECT
public:
    explicit frmAdmitPatient(QWidget* parent = nullptr);

    // "add": one visiting doctor chosen in frmAdmitPatientDoctors.
    void Command1Click();
    // "del": drops a row added here, unmarks a marked row, marks any other row.
    void Command2Click();
    // "Ok": writes the location, then the visiting doctors row by row.
    void OKButtonClick();

    const RecordsetPtr& VisitingDoctors() const { return visiting_; }

private:
    void loadPatient();
    void loadVisitingDoctors();
    void facilityChosen();
    // Adds a row in state 1 to the visiting list.
    void addVisitingDoctor(qint16 doctorCode, const QString& name, qint16 attentionTypeCode,
                           const QString& attentionTypeName, qint16 frequency, const QString& frequencyName);
    bool listsDoctor(qint16 doctorCode);
    void writeVisitingDoctors();

    RecordsetPtr facilities_;
    RecordsetPtr wards_;
    RecordsetPtr doctors_;
    RecordsetPtr visiting_;
    StoredState loadedLocation_;

    QLineEdit* TxtPatient = nullptr;
    QComboBox* CBFacilities = nullptr;
    QComboBox* CBFacilityWards = nullptr;
    QComboBox* CBDoctors = nullptr;
    ListView* ListView1 = nullptr;
};
