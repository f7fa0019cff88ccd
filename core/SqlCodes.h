#pragma once
#include "Recordset.h"
#include "SqlExecution.h"

#include <QString>
#include <QtGlobal>

#include <functional>

// Code allocation and code lists, shared by every data module.

// Opens the query, whose first row holds the highest code in use, and answers that code plus
// 1, or `codeForEmptyTable` when the query gives no row. The new code must fit a 16-bit
// integer. Any failure shows the error's description in a message box and answers 0.
qint16 NextCodeByRule(const QString& sql, const QString& codeColumn, qint16 codeForEmptyTable);

// The next code of a code table: the highest code below 1000 plus 1, or 1 for none; 0 after a
// failure (shown), also when that would be 1000 and 1000 is taken: the desktop's codes are
// then used up. Codes above 1000 belong to the handhelds.
qint16 NextCodeBelow1000(const QString& table, const QString& codeColumn);

// Inserts a row under a newly allocated code in a transaction of its own: 1 at once, `error`
// untouched, when the allocation failed (newCode 0); otherwise the result of the statement,
// and `code` becomes newCode once it is committed.
template <typename Code>
qint16 InsertUnderNewCode(Code newCode, const QString& sql, Code& code, QString& error);

// A detail routine called with one code of a list; answers a data-routine result.
using CodeAction = std::function<qint16(qint16 code, QString& error)>;

// Walks a code list (";3;17;120;"): the first character is dropped, then each code is the
// numeric value of the text before the next ";", rounded half to even; text after the last
// ";" is ignored. Calls `action` with each code and stops at the first nonzero result, which
// it answers; a code beyond 16 bits stops the walk with 1 and "Overflow".
qint16 WalkCodeList(const QString& list, const CodeAction& action, QString& error);

// Brings stored detail rows in line with a code list: every stored row (column `codeColumn`)
// whose code the list lacks is removed with `remove`, then the listed codes not stored are
// added with `add`. A null `stored` holds no rows. Answers 0, or the first nonzero result of a
// detail routine (nothing more is tried after it).
qint16 ReconcileCodeList(const RecordsetPtr& stored, const QString& codeColumn, const QString& list,
                         const CodeAction& remove, const CodeAction& add, QString& error);

template <typename Code>
qint16 InsertUnderNewCode(Code newCode, const QString& sql, Code& code, QString& error)
{
    if (newCode == 0)
        return 1;
    const qint16 result = ExecuteInTransaction(sql, QString(), error);
    if (result == 0)
        code = newCode;
    return result;
}
