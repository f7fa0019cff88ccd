#include "frmChargesRows.h"

#include "AppGlobals.h"
#include "RecordsetValues.h"

ChargeKey ChargeKeyOfCurrentRow(const Recordset& charges)
{
    return {qint16(charges.Field("PatientId").toInt()), charges.Field("ChargeDate").toDate(),
            charges.Field("ChargeTime").toTime()};
}

ChargeKey MakeCurrentCharge(const Recordset& charges)
{
    const ChargeKey key = ChargeKeyOfCurrentRow(charges);
    AppGlobals& globals = Globals();
    globals.CurrentPatientId = key.patientId;
    globals.CurrentChargeDate = key.chargeDate;
    globals.CurrentChargeTime = key.chargeTime;
    return key;
}

bool IsReadyCharge(const Recordset& charges)
{
    const QVariant status = charges.Field("status");
    return !recordsetvalues::isNull(status) && status.toInt() == 0;
}
