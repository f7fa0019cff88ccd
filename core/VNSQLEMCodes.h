#pragma once
#include "Recordset.h"
#include "StoredState.h"

#include <QString>
#include <QtGlobal>

// Reads and writes evaluation-and-management codes. Write routines answer 0 done, 1 a
// database error (or no code could be allocated), 2 no row changed; each runs in a
// transaction of its own.

// Read-only row of EMCodesDescriptive; null on any failure, silently.
RecordsetPtr GetEMCode(qint32 emCode);
// The highest E&M code of any size plus 1 (1 for none); it must fit 16 bits. 0 after a
// failure, which is shown.
qint32 NextEMCode();

// The new code goes to emCode once committed; "Error obtaining new EMCode" when none could be
// allocated.
qint16 InsertEMCode(qint32& emCode, const QString& description, qint16 facilityTypeCode, qint16 chargeTypeCode,
                    qint16 attentionTypeCode, const QString& billingEMCode, const QString& realEMCode,
                    qint16 showOnFirst, qint16 showOnNext, qint16 isDischarge, QString& error);
// The E&M code row as its editor reads it before showing it; UpdateEMCode refuses (2) to write
// over a row changed or deleted since.
StoredRecord StoredEMCode(qint32 emCode);
qint16 UpdateEMCode(qint32 emCode, const QString& description, qint16 facilityTypeCode, qint16 chargeTypeCode,
                    qint16 attentionTypeCode, const QString& billingEMCode, const QString& realEMCode,
                    qint16 showOnFirst, qint16 showOnNext, qint16 isDischarge, const StoredState& loaded,
                    QString& error);
// Refused while charges carry the code.
qint16 DeleteEMCode(qint32 emCode, QString& error);
