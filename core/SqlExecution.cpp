#include "SqlExecution.h"

#include "AppGlobals.h"
#include "DatabaseFailures.h"
#include "JetConnection.h"
#include "Messages.h"

#include <optional>

namespace {

StatementObserver& currentObserver()
{
    static StatementObserver observer;
    return observer;
}

// The connection, after telling the observer; null with a description when there is none.
jet::Connection* connectionFor(const QString& sql, QString& description)
{
    if (currentObserver())
        currentObserver()(sql);
    jet::Connection* connection = Globals().DbConnection.get();
    if (!connection)
        description = QStringLiteral("The database connection is not open.");
    return connection;
}

}  // namespace

StatementObserver SetStatementObserver(StatementObserver observer)
{
    StatementObserver previous = std::move(currentObserver());
    currentObserver() = std::move(observer);
    return previous;
}

bool QueryRecordset(const QString& sql, bool readOnly, RecordsetPtr& recordset, QString& description)
{
    jet::Connection* connection = connectionFor(sql, description);
    if (!connection)
        return false;
    // Rows are converted as they are read: a large list is never held twice.
    std::vector<jet::Column> columns;
    std::optional<RecordsetBuilder> builder;
    std::string error;
    const bool read = connection->queryEach(
        sql.toStdString(), columns,
        [&](const std::vector<jet::ValueView>& row) {
            if (!builder)
                builder.emplace(columns, readOnly);
            builder->append(row);
        },
        error);
    if (!read) {
        description = PlainDatabaseFailure(error);
        return false;
    }
    if (!builder)
        builder.emplace(columns, readOnly);
    recordset = builder->finish();
    return true;
}

RecordsetPtr ReadRecordset(const QString& sql, bool readOnly, ReaderFailure failure)
{
    RecordsetPtr recordset;
    QString description;
    if (!QueryRecordset(sql, readOnly, recordset, description) && failure == ReaderFailure::Message)
        ShowMessage(description, MessageButtons::Ok);
    return recordset;
}

qint16 ExecuteStatement(const QString& sql, const QString& noRowText, QString& error)
{
    jet::Connection* connection = connectionFor(sql, error);
    if (!connection)
        return 1;
    long affected = 0;
    std::string description;
    if (!connection->execute(sql.toStdString(), affected, description)) {
        error = PlainDatabaseFailure(description);
        return 1;
    }
    if (affected == 0 && !noRowText.isEmpty()) {
        error = noRowText;
        return 2;
    }
    return 0;
}

qint16 BeginTransaction(QString& error)
{
    jet::Connection* connection = Globals().DbConnection.get();
    if (!connection) {
        error = QStringLiteral("The database connection is not open.");
        return 1;
    }
    std::string description;
    if (!connection->beginTrans(description)) {
        error = PlainDatabaseFailure(description);
        return 1;
    }
    return 0;
}

void EndTransaction(qint16& result, QString& error)
{
    jet::Connection* connection = Globals().DbConnection.get();
    if (!connection)
        return;
    std::string description;
    if (result == 0) {
        if (connection->commitTrans(description))
            return;
        result = 1;
        error = PlainDatabaseFailure(description);
    }
    if (!connection->rollbackTrans(description))
        error += QLatin1Char('\n') + PlainDatabaseFailure(description);
}

qint16 ExecuteInTransaction(const QString& sql, const QString& noRowText, QString& error)
{
    qint16 result = BeginTransaction(error);
    if (result != 0)
        return result;
    result = ExecuteStatement(sql, noRowText, error);
    EndTransaction(result, error);
    return result;
}
