#pragma once
#include "Recordset.h"

#include <QDate>
#include <QString>
#include <QTime>
#include <QtGlobal>

// Reads and writes patients and what hangs on a patient: history items, visiting doctors,
// the admission location, the moving of charges when patients are merged, and the readers
// of a charge's diagnoses and procedures. Write routines answer 0 done, 1 a database error
// (or no id could be allocated), 2 no row changed; each runs in a transaction of its own.

// Read-only row of PatientsDescriptive; null on any failure, silently.
RecordsetPtr GetPatient(qint16 patientId);
// The next desktop patient id (25000 up); 0 after a failure, which is shown.
qint16 NextPatientId();

// The new id goes to patientId once the row is committed.
qint16 InsertPatient(qint16& patientId, const QString& names, const QDate& dateOfBirth,
                     const QString& accountNumber, qint16 insuranceCode, QString& error);
// Also stamps the row's change time.
qint16 UpdatePatient(qint16 patientId, const QString& names, const QDate& dateOfBirth,
                     const QString& accountNumber, qint16 insuranceCode, QString& error);
// Refused while charges name the patient; its history and visiting doctors go with it.
qint16 DeletePatient(qint16 patientId, QString& error);

qint16 InsertPatientHistory(qint16 patientId, qint16 sicknessCode, qint16 sicknessTypeCode, QString& error);
qint16 DeletePatientHistory(qint16 patientId, qint16 sicknessCode, qint16 sicknessTypeCode, QString& error);

// Admission (a facility) or discharge (facility 0, which also resets LastChargeDate); stamps the
// row's change time.
qint16 SetPatientLocation(qint16 patientId, qint16 inFacilityCode, qint16 inWardCode, qint16 inDoctorCode,
                          QString& error);

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
