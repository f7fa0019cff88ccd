#pragma once
#include "Recordset.h"

#include <QDate>
#include <QHashFunctions>
#include <QTime>
#include <QtGlobal>

// The key of a charge: patient, creation date and creation time.
struct ChargeKey {
    qint16 patientId = 0;
    QDate chargeDate;
    QTime chargeTime;

    bool operator==(const ChargeKey&) const = default;
};

inline size_t qHash(const ChargeKey& key, size_t seed = 0)
{
    return qHashMulti(seed, key.patientId, key.chargeDate, key.chargeTime);
}

// The key of the recordset's current row of charges.
ChargeKey ChargeKeyOfCurrentRow(const Recordset& charges);
