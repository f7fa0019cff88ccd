#pragma once
#include "Recordset.h"
#include "StoredState.h"

#include <QString>
#include <QtGlobal>

// Reads and writes diagnosis groups. Write routines answer 0 done, 1 a database error (or no
// code could be allocated), 2 no row changed; each runs in a transaction of its own.

// Read-only row of DiagnosisFamily; null after a failure, which is shown.
RecordsetPtr GetDiagnosisFamily(qint16 diagnosisFamilyCode);
// The next desktop group code; 0 after a failure, which is shown.
qint16 NextDiagnosisFamilyCode();

// The new code goes to diagnosisFamilyCode once committed.
qint16 InsertDiagnosisFamily(qint16& diagnosisFamilyCode, const QString& diagnosisFamilyDescription, QString& error);
// The diagnosis group row as its editor reads it before showing it; UpdateDiagnosisFamily refuses (2) to write
// over a row changed or deleted since.
StoredRecord StoredDiagnosisFamily(qint16 diagnosisFamilyCode);
qint16 UpdateDiagnosisFamily(qint16 diagnosisFamilyCode, const QString& diagnosisFamilyDescription,
                             const StoredState& loaded, QString& error);
// Refused while diagnoses belong to the group.
qint16 DeleteDiagnosisFamily(qint16 diagnosisFamilyCode, QString& error);
