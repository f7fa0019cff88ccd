#pragma once
#include "Recordset.h"
#include "StoredState.h"

#include <QString>
#include <QtGlobal>

// Reads and writes history items. Write routines answer 0 done, 1 a database error (or no
// code could be allocated), 2 no row changed; each runs in a transaction of its own.

// Read-only row of SicknessDescriptive; null on any failure, silently.
RecordsetPtr GetSickness(qint16 sicknessCode);
// Updatable recordset of all history-item kinds; null after a failure, which is shown.
RecordsetPtr GetSicknessTypes();
// The next desktop history-item code; 0 after a failure, which is shown.
qint16 NextSicknessCode();

// The new code goes to sicknessCode once committed.
qint16 InsertSickness(qint16& sicknessCode, const QString& description, qint16 sicknessTypeCode, QString& error);
// The history item row as its editor reads it before showing it; UpdateSickness refuses (2) to write
// over a row changed or deleted since.
StoredRecord StoredSickness(qint16 sicknessCode);
qint16 UpdateSickness(qint16 sicknessCode, const QString& description, qint16 sicknessTypeCode,
                      const StoredState& loaded, QString& error);
// Refused while patients' histories list the item.
qint16 DeleteSickness(qint16 sicknessCode, QString& error);
