#pragma once
#include "Recordset.h"

#include <QString>
#include <QtGlobal>

// Opens the SQL text on the database connection as an updatable detached recordset.
// 0: `recordset` now holds the new recordset; `error` is not touched.
// 1: `error` becomes the SQL text, one blank and the database's message; `recordset` keeps
//    what it held.
qint16 OpenRecordset(RecordsetPtr& recordset, const QString& sql, QString& error);

// The row copies match columns by name over the destination's column list: a source column
// that the destination lacks is ignored, a destination column that the source lacks keeps its
// value (Null in a new row). A value that cannot be stored is passed over.

// Appends every source row to the destination; the destination's current row is then the
// last one appended and the source stands at end of file. Nothing happens for an empty source.
void CopyAllRows(Recordset& destination, Recordset& source);

// Appends the source's current row to the destination and makes it current there.
void AppendCurrentRow(Recordset& destination, const Recordset& source);

// Copies the source's current row over the destination's current row.
void OverwriteCurrentRow(Recordset& destination, const Recordset& source);
