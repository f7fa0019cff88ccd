#pragma once
#include "Recordset.h"
#include "StoredState.h"

#include <QString>
#include <QtGlobal>

// Reads and writes insurances. Write routines answer 0 done, 1 a database error (or no code
// could be allocated), 2 no row changed; each runs in a transaction of its own.

// Read-only row of Insurance; null on any failure, silently.
RecordsetPtr GetInsurance(qint16 insuranceCode);
// The next desktop insurance code; 0 after a failure, which is shown.
qint16 NextInsuranceCode();

// The new code goes to insuranceCode once committed.
qint16 InsertInsurance(qint16& insuranceCode, const QString& description, const QString& billingInsuranceCode,
                       QString& error);
// The insurance row as its editor reads it before showing it; UpdateInsurance refuses (2) to write
// over a row changed or deleted since.
StoredRecord StoredInsurance(qint16 insuranceCode);
qint16 UpdateInsurance(qint16 insuranceCode, const QString& description, const QString& billingInsuranceCode,
                       const StoredState& loaded, QString& error);
// Refused while patients have the insurance.
qint16 DeleteInsurance(qint16 insuranceCode, QString& error);
