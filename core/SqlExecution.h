#pragma once
#include "Recordset.h"

#include <QString>
#include <QtGlobal>

#include <functional>

// How every data routine meets the database connection: queries into detached recordsets,
// statements with their affected-row result, and transactions. A failure's description is
// the database's text as the clerk should read it (PlainDatabaseFailure).

// Texts of a write that changed no row.
inline const QString kNoRowUpdated = QStringLiteral("U:IMPACTENT");
inline const QString kNoRowDeleted = QStringLiteral("U:IMPELIENT");

// Sees every SQL text sent to the connection, in order (statements and queries).
using StatementObserver = std::function<void(const QString& sql)>;
// Replaces the observer; returns the previous one.
StatementObserver SetStatementObserver(StatementObserver observer);

// Opens a query as a detached recordset. False with the database's description; the
// recordset argument is then untouched.
bool QueryRecordset(const QString& sql, bool readOnly, RecordsetPtr& recordset, QString& description);

// A reader's recordset, or null after a failure. A reader that tells its failure shows the
// description in a message box.
enum class ReaderFailure { Silent, Message };
RecordsetPtr ReadRecordset(const QString& sql, bool readOnly, ReaderFailure failure);

// Runs one statement. 0 done; 1 a database error (`error` = its description); 2 the statement
// changed no row while `noRowText` is not empty (`error` = noRowText).
qint16 ExecuteStatement(const QString& sql, const QString& noRowText, QString& error);

// 0, or 1 with the description when no transaction could begin.
qint16 BeginTransaction(QString& error);
// Commits when the result is 0 and rolls back otherwise; a commit that fails rolls back and
// makes the result 1 with its description.
void EndTransaction(qint16& result, QString& error);

// One statement in a transaction of its own, committed only when the result is 0.
qint16 ExecuteInTransaction(const QString& sql, const QString& noRowText, QString& error);
