#include "AsisRutinasRecordsets.h"

#include "SqlExecution.h"

namespace {

// Sets every destination column of the current row from the source's current row, by name.
// A column the source lacks, or a value the destination cannot hold, is passed over.
void copyCurrentRow(Recordset& destination, const Recordset& source)
{
    for (int column = 0; column < destination.FieldCount(); ++column) {
        const int sourceColumn = source.FieldIndex(destination.FieldName(column));
        if (sourceColumn >= 0)
            destination.SetField(column, source.Field(sourceColumn));
    }
    destination.Update();
}

bool hasCurrentRow(const Recordset& recordset)
{
    return recordset.AbsolutePosition() > 0;
}

}  // namespace

qint16 OpenRecordset(RecordsetPtr& recordset, const QString& sql, QString& error)
{
    QString description;
    if (!QueryRecordset(sql, false, recordset, description)) {
        error = sql + QLatin1Char(' ') + description;
        return 1;
    }
    return 0;
}

void CopyAllRows(Recordset& destination, Recordset& source)
{
    if (source.RecordCount() == 0)
        return;
    for (source.MoveFirst(); !source.EndOfFile(); source.MoveNext()) {
        if (destination.AddNew())
            copyCurrentRow(destination, source);
    }
}

void AppendCurrentRow(Recordset& destination, const Recordset& source)
{
    if (hasCurrentRow(source) && destination.AddNew())
        copyCurrentRow(destination, source);
}

void OverwriteCurrentRow(Recordset& destination, const Recordset& source)
{
    if (hasCurrentRow(source))
        copyCurrentRow(destination, source);
}
