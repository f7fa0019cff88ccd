#pragma once
#include "Recordset.h"
#include "StoredState.h"

#include <QString>
#include <QtGlobal>

// Reads and writes procedures. Write routines answer 0 done, 1 a database error (or no code
// could be allocated), 2 no row changed; each runs in a transaction of its own.

// Read-only row of Procedures; null on any failure, silently.
RecordsetPtr GetProcedure(qint16 procedureCode);
// The next desktop procedure code; 0 after a failure, which is shown.
qint16 NextProcedureCode();

// The new code goes to procedureCode once committed.
qint16 InsertProcedure(qint16& procedureCode, const QString& description, const QString& realProcedureCode,
                       const QString& billingProcedureCode, QString& error);
// The procedure row as its editor reads it before showing it; UpdateProcedure refuses (2) to write
// over a row changed or deleted since.
StoredRecord StoredProcedure(qint16 procedureCode);
qint16 UpdateProcedure(qint16 procedureCode, const QString& description, const QString& realProcedureCode,
                       const QString& billingProcedureCode, const StoredState& loaded, QString& error);
// Refused while charges list the procedure.
qint16 DeleteProcedure(qint16 procedureCode, QString& error);
