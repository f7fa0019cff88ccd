#include "frmChargesRows.h"

#include "AppGlobals.h"
#include "RecordsetValues.h"
#include "SqlLiterals.h"

QString StoredChargeQuery(const ChargeKey& key)
{
    return "SELECT * FROM ChargesDescriptive WHERE PatientId=" + QString::number(key.patientId) + " and ChargeDate=#" +
           SqlDateMonthFirst(key.chargeDate) + "# and ChargeTime=#" + SqlTime(key.chargeTime) + "#";
}

bool MoveToCharge(Recordset& charges, const ChargeKey& key)
{
    // The fields are looked up once: a list holds many thousand charges.
    const int patientField = charges.FieldIndex("PatientId");
    const int dateField = charges.FieldIndex("ChargeDate");
    const int timeField = charges.FieldIndex("ChargeTime");
    for (charges.MoveFirst(); !charges.EndOfFile(); charges.MoveNext()) {
        if (qint16(charges.Field(patientField).toInt()) == key.patientId &&
            charges.Field(dateField).toDate() == key.chargeDate && charges.Field(timeField).toTime() == key.chargeTime)
            return true;
    }
    return false;
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
