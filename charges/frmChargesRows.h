#pragma once
#include "ChargeKey.h"
#include "Recordset.h"

// The SELECT of the charge's row as the charges list shows it.
QString StoredChargeQuery(const ChargeKey& key);

// Makes the row of the charge current; false (at end of file) when the recordset holds none.
bool MoveToCharge(Recordset& charges, const ChargeKey& key);

// Makes the current row the charge the dialogs and data routines act on (CurrentPatientId,
// CurrentChargeDate, CurrentChargeTime) and answers its key.
ChargeKey MakeCurrentCharge(const Recordset& charges);

// Whether the current row's status is 0 (Ready); a Null status is not.
bool IsReadyCharge(const Recordset& charges);
