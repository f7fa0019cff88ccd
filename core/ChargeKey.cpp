#include "ChargeKey.h"

ChargeKey ChargeKeyOfCurrentRow(const Recordset& charges)
{
    return {qint16(charges.Field(QStringLiteral("PatientId")).toInt()),
            charges.Field(QStringLiteral("ChargeDate")).toDate(), charges.Field(QStringLiteral("ChargeTime")).toTime()};
}
