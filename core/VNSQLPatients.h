#pragma once
#include "Recordset.h"
#include "StoredState.h"

#include <QDate>
#include <QString>
#include <QTime>
#include <QtGlobal>

#include <vector>

// Reads and writes patients and what hangs on a patient: history items, visiting doctors,
// the admission location, the moving of charges when patients are merged, and the readers
// of a charge's diagnoses and procedures. Write routines answer 0 done, 1 a database error
// (or no id could be allocated), 2 no row changed; each runs in a transaction of its own.

// Read-only row of PatientsDescriptive; null on any failure, silently.
RecordsetPtr GetPatient(qint16 patientId);
// The next desktop patient id (25000 up); 0 after a failure, which is shown.
qint16 NextPatientId();

// A history item that the patient editor stores with the patient, or removes.
struct PatientHistoryChange {
    qint16 sicknessCode = 0;
    qint16 sicknessTypeCode = 0;
    bool remove = false;
};
using PatientHistoryChanges = std::vector<PatientHistoryChange>;

// The patient row with its history, as the patient editor reads them before it shows the
// patient.
StoredRecord StoredPatient(qint16 patientId);

// The patient row and its history items in one transaction (2 when a history item fails); the
// new id goes to patientId once committed.
qint16 InsertPatient(qint16& patientId, const QString& names, const QDate& dateOfBirth,
                     const QString& accountNumber, qint16 insuranceCode, const PatientHistoryChanges& history,
                     QString& error);
// The patient row, stamped with the change time, and its history changes in one transaction (3
// when a history change fails); refused (2) when the patient was changed or deleted since
// `loaded` was read.
qint16 UpdatePatient(qint16 patientId, const QString& names, const QDate& dateOfBirth,
                     const QString& accountNumber, qint16 insuranceCode, const PatientHistoryChanges& history,
                     const StoredState& loaded, QString& error);
// Refused while charges name the patient; its history and visiting doctors go with it.
qint16 DeletePatient(qint16 patientId, QString& error);

// Each in a transaction nested in its caller's, so the caller's rollback undoes it too.
qint16 InsertPatientHistory(qint16 patientId, qint16 sicknessCode, qint16 sicknessTypeCode, QString& error);
qint16 DeletePatientHistory(qint16 patientId, qint16 sicknessCode, qint16 sicknessTypeCode, QString& error);

// The patient's location (facility, ward and attending doctor), as the admission and discharge
// dialogs read it before they show it.
StoredRecord StoredPatientLocation(qint16 patientId);

// Admission (a facility) or discharge (facility 0, which also resets LastChargeDate); stamps the
// row's change time. Refused (2) when the location was changed since `loaded` was read.
qint16 SetPatientLocation(qint16 patientId, qint16 inFacilityCode, qint16 inWardCode, qint16 inDoctorCode,
                          const StoredState& loaded, QString& error);

// Updatable recordsets of a charge's diagnoses and procedures with their descriptions; null
// after a failure, which is shown.
RecordsetPtr GetChargeDiagnoses(qint16 patientId, const QDate& chargeDate, const QTime& chargeTime);
RecordsetPtr GetChargeProcedures(qint16 patientId, const QDate& chargeDate, const QTime& chargeTime);

qint16 InsertPatientDoctor(qint16 patientId, qint16 doctorCode, qint16 attentionTypeCode, qint16 frequency,
                           QString& error);
qint16 UpdatePatientDoctor(qint16 patientId, qint16 doctorCode, qint16 attentionTypeCode, qint16 frequency,
                           QString& error);
qint16 DeletePatientDoctor(qint16 patientId, qint16 doctorCode, QString& error);

// Gives the source patient's charges to the target patient; 2 with "No Charges to transfer!"
// when the source has none.
qint16 MovePatientCharges(qint16 targetPatientId, qint16 sourcePatientId, QString& error);
