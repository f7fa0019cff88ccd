#pragma once
#include "Recordset.h"
#include "StoredState.h"

#include <QString>
#include <QtGlobal>

// Reads and writes diagnoses. Write routines answer 0 done, 1 a database error (or no code
// could be allocated), 2 no row changed; each runs in a transaction of its own.

// Read-only row of DiagnosisDescriptive; null on any failure, silently.
RecordsetPtr GetDiagnosis(qint16 diagnosisCode);
// Updatable recordset of all diagnosis groups; null after a failure, which is shown.
RecordsetPtr GetDiagnosisFamilyList();
// The next desktop diagnosis code; 0 after a failure, which is shown.
qint16 NextDiagnosisCode();

// The new code goes to diagnosisCode once committed.
qint16 InsertDiagnosis(qint16& diagnosisCode, const QString& description, qint16 diagnosisFamilyCode,
                       const QString& realDiagnosisCode, const QString& billingDiagnosisCode, QString& error);
// The diagnosis row as its editor reads it before showing it; UpdateDiagnosis refuses (2) to write
// over a row changed or deleted since.
StoredRecord StoredDiagnosis(qint16 diagnosisCode);
qint16 UpdateDiagnosis(qint16 diagnosisCode, const QString& description, qint16 diagnosisFamilyCode,
                       const QString& realDiagnosisCode, const QString& billingDiagnosisCode, const StoredState& loaded,
                       QString& error);
// Refused while charges list the diagnosis.
qint16 DeleteDiagnosis(qint16 diagnosisCode, QString& error);
