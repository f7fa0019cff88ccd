#pragma once
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <QtGlobal>

#include <vector>

// What an editor read of a stored record, so that its save can refuse to overwrite a change
// that another clerk or a HotSync made since: the editor reads the record's state before it
// shows the record, and the update routine compares it with the stored state inside its own
// transaction, before it writes anything.

// How a record is read back: its name as a clerk says it ("charge", "E&M code") and the
// queries of its rows, the record's own row first, then the detail rows that its editor
// writes back as a whole (in a fixed order, so that equal rows read alike).
struct StoredRecord {
    QString name;
    QStringList queries;
};

// A record that is one row of a table, keyed by one code column.
StoredRecord StoredRow(const QString& name, const QString& table, const QString& codeColumn, qint32 code);

// The rows of a record as read at one moment.
class StoredState {
public:
    // Reads the record's rows now. False with the database's description.
    bool Read(const StoredRecord& record, QString& error);

    bool operator==(const StoredState& other) const = default;

    // The record's own row was there when read.
    bool RecordFound() const;

private:
    std::vector<std::vector<QVariantList>> rows_;  // per query, per row, the values
};

// Begins an update's transaction, which holds the database's write lock from its start, and
// reads the record in it: 0, with the transaction open, when the record is stored as `loaded`
// holds it. Otherwise the transaction is rolled back: 2 with a plain text when another writer
// changed or deleted the record since, 1 with the description when it could not be read.
qint16 BeginUnlessChanged(const StoredRecord& record, const StoredState& loaded, QString& error);

// One UPDATE of a record in a transaction of its own, run only when the record is stored as
// `loaded` holds it; "U:IMPACTENT" (2) when it changes no row.
qint16 UpdateUnlessChanged(const StoredRecord& record, const StoredState& loaded, const QString& sql,
                           QString& error);
