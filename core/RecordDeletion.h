#pragma once
#include <QString>
#include <QtGlobal>

#include <vector>

// Deleting a record whose code other rows may name. Codes are given again (the next code is
// the highest plus 1), so a row left naming a deleted code would pass to the next new record.

// Rows elsewhere that name the record: `condition` is a WHERE clause over `table` with %1 for
// the code. A count reads "<verb> <n> <one or many>", as in "has 64 charges".
struct CodeUse {
    QString table;
    QString condition;
    QString verb;
    QString one;
    QString many;
};

// Rows of `table` that belong to the record alone: those whose `column` holds its code.
struct OwnedRows {
    QString table;
    QString column;
};

struct RecordDeletion {
    QString record;     // what the clerk calls it: "doctor"
    QString statement;  // the DELETE of the record's own row
    qint32 code = 0;
    std::vector<CodeUse> uses;
    std::vector<OwnedRows> owned;
};

// In one transaction: deletes the record's row (none: 2 with "U:IMPELIENT"); refuses while any
// use remains (2, nothing changed, the text says what still uses it); deletes the owned rows.
// A database failure gives 1 with its description.
qint16 DeleteUnlessInUse(const RecordDeletion& deletion, QString& error);
