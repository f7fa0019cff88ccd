#include "StoredState.h"

#include "Recordset.h"
#include "SqlExecution.h"

StoredRecord StoredRow(const QString& name, const QString& table, const QString& codeColumn, qint32 code)
{
    return {name, {QStringLiteral("SELECT * FROM ") + table + QStringLiteral(" WHERE ") + codeColumn
                   + QStringLiteral("=") + QString::number(code)}};
}

bool StoredState::Read(const StoredRecord& record, QString& error)
{
    std::vector<std::vector<QVariantList>> read;
    for (const QString& query : record.queries) {
        RecordsetPtr rows;
        if (!QueryRecordset(query, true, rows, error))
            return false;
        std::vector<QVariantList>& values = read.emplace_back();
        for (rows->MoveFirst(); !rows->EndOfFile(); rows->MoveNext()) {
            QVariantList& row = values.emplace_back();
            for (int column = 0; column < rows->FieldCount(); ++column)
                row << rows->Field(column);
        }
    }
    rows_ = std::move(read);
    return true;
}

bool StoredState::RecordFound() const
{
    return !rows_.empty() && !rows_.front().empty();
}

namespace {

// The plain text of a record that another writer changed or deleted since `loaded` was read.
QString changedSinceLoaded(const StoredRecord& record, const StoredState& loaded, const StoredState& stored)
{
    if (loaded.RecordFound() && !stored.RecordFound())
        return QStringLiteral("This %1 was deleted by another user after you opened it. Nothing was stored.")
            .arg(record.name);
    return QStringLiteral("This %1 was changed by another user or a HotSync after you opened it. Nothing was "
                          "stored: close this window and open the %1 again to see the change.")
        .arg(record.name);
}

}  // namespace

qint16 BeginUnlessChanged(const StoredRecord& record, const StoredState& loaded, QString& error)
{
    qint16 result = BeginTransaction(error);
    if (result != 0)
        return result;
    StoredState stored;
    if (!stored.Read(record, error)) {
        result = 1;
    } else if (stored != loaded) {
        error = changedSinceLoaded(record, loaded, stored);
        result = 2;
    }
    if (result != 0)
        EndTransaction(result, error);
    return result;
}

qint16 UpdateUnlessChanged(const StoredRecord& record, const StoredState& loaded, const QString& sql,
                           QString& error)
{
    qint16 result = BeginUnlessChanged(record, loaded, error);
    if (result != 0)
        return result;
    result = ExecuteStatement(sql, kNoRowUpdated, error);
    EndTransaction(result, error);
    return result;
}
