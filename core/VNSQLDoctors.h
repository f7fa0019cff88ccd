#pragma once
#include "Recordset.h"
#include "StoredState.h"

#include <QString>
#include <QtGlobal>

// Reads and writes doctors and their covering doctors. Write routines answer 0 done, 1 a
// database error (or no code could be allocated), 2 no row changed (or a covering link failed
// while inserting), 3 a covering link failed while updating.

// Read-only row of Doctors; null on any failure, silently.
RecordsetPtr GetDoctor(qint16 doctorCode);
// Updatable recordset of all doctors; null on any failure, silently.
RecordsetPtr GetDoctors();
// The next desktop doctor code; 0 after a failure, which is shown.
qint16 NextDoctorCode();

// The doctor and the covering doctors of the code list (";4;9;") in one transaction; the new
// code goes to doctorCode once committed.
qint16 InsertDoctor(qint16& doctorCode, const QString& description, const QString& billingDoctorCode,
                    const QString& coveringList, QString& error);
// The doctor row with its covering doctors, as the doctor editor reads them before it shows
// the doctor.
StoredRecord StoredDoctor(qint16 doctorCode);
// Brings the stored covering doctors in line with the list, then updates the doctor row, all in
// one transaction; refused (2) when the doctor was changed or deleted since `loaded` was read.
qint16 UpdateDoctor(qint16 doctorCode, const QString& description, const QString& billingDoctorCode,
                    const QString& coveringList, const StoredState& loaded, QString& error);
// Refused while charges, patients or other doctors' covering lists name the doctor; its own
// covering links go with it.
qint16 DeleteDoctor(qint16 doctorCode, QString& error);

// Runs inside its caller's transaction.
qint16 InsertCoveringDoctor(qint16 doctorCode, qint16 coveringDoctorCode, QString& error);
// Runs in a transaction nested in its caller's, so the caller's rollback undoes it too.
qint16 DeleteCoveringDoctor(qint16 doctorCode, qint16 coveringDoctorCode, QString& error);
// Updatable recordset of the doctor's DoctorCoveringDoctors rows; null on failure, silently.
RecordsetPtr GetCoveringDoctors(qint16 doctorCode);
