#pragma once
#include "Recordset.h"

#include <QDate>
#include <QTime>
#include <QtGlobal>

// The key of a charge: patient, creation date and creation time.
struct ChargeKey {
    qint16 patientId = 0;
    QDate chargeDate;
    QTime chargeTime;

    bool operator==(const ChargeKey&) const = default;
};

// The key of the recordset's current row of charges.
ChargeKey ChargeKeyOfCurrentRow(const Recordset& charges);

// Makes the row of the charge current; false (at end of file) when the recordset holds none.
bool MoveToCharge(Recordset& charges, const ChargeKey& key);

// Makes the current row the charge the dialogs and data routines act on (CurrentPatientId,
// CurrentChargeDate, CurrentChargeTime) and answers its key.
ChargeKey MakeCurrentCharge(const Recordset& charges);

// Whether the current row's status is 0 (Ready); a Null status is not.
bool IsReadyCharge(const Recordset& charges);
