#include "SqlCodes.h"

#include "Messages.h"
#include "SqlExecution.h"

#include <QRegularExpression>

#include <cmath>
#include <limits>

namespace {

const QString kOverflow = QStringLiteral("Overflow");
// The highest code the desktop gives in a code table; handhelds give theirs above it.
constexpr qint16 kLastDesktopCode = 1000;

// The longest leading number of the text ("." the only decimal separator); 0 when none.
double leadingNumber(const QString& text)
{
    static const QRegularExpression number(QStringLiteral("^\\s*[+-]?(\\d+(\\.\\d*)?|\\.\\d+)"));
    const QRegularExpressionMatch match = number.match(text);
    return match.hasMatch() ? match.captured(0).trimmed().toDouble() : 0.0;
}

bool fitsInt16(double number)
{
    return number >= std::numeric_limits<qint16>::min() && number <= std::numeric_limits<qint16>::max();
}

}  // namespace

qint16 NextCodeByRule(const QString& sql, const QString& codeColumn, qint16 codeForEmptyTable)
{
    RecordsetPtr highest;
    QString description;
    if (!QueryRecordset(sql, false, highest, description)) {
        ShowMessage(description, MessageButtons::Ok);
        return 0;
    }
    if (highest->RecordCount() == 0)
        return codeForEmptyTable;

    highest->MoveFirst();
    const QVariant code = highest->Field(codeColumn);
    bool isNumber = false;
    const qlonglong next = code.toLongLong(&isNumber) + 1;
    if (!isNumber) {
        ShowMessage(code.isValid() ? QStringLiteral("Type mismatch") : QStringLiteral("Invalid use of Null"),
                    MessageButtons::Ok);
        return 0;
    }
    if (!fitsInt16(double(next))) {
        ShowMessage(kOverflow, MessageButtons::Ok);
        return 0;
    }
    return qint16(next);
}

qint16 NextCodeBelow1000(const QString& table, const QString& codeColumn)
{
    const qint16 next =
        NextCodeByRule(QStringLiteral("SELECT * FROM ") + table + QStringLiteral(" WHERE ") + codeColumn
                           + QStringLiteral(" < 1000 ORDER BY ") + codeColumn + QStringLiteral(" DESC"),
                       codeColumn, 1);
    if (next != kLastDesktopCode)
        return next;
    // Past 999 every new row would get 1000 again: once it is taken the range is used up.
    RecordsetPtr taken;
    QString description;
    if (!QueryRecordset(QStringLiteral("SELECT * FROM ") + table + QStringLiteral(" WHERE ") + codeColumn
                            + QStringLiteral(" = ") + QString::number(kLastDesktopCode),
                        true, taken, description)) {
        ShowMessage(description, MessageButtons::Ok);
        return 0;
    }
    if (taken->RecordCount() > 0) {
        ShowMessage(QStringLiteral("No new code is left for this list: the codes the desktop gives end at 1000, and "
                                   "1000 is already in use."),
                    MessageButtons::Ok);
        return 0;
    }
    return next;
}

qint16 WalkCodeList(const QString& list, const CodeAction& action, QString& error)
{
    QString rest = list.mid(1);
    while (!rest.isEmpty()) {
        const qsizetype separator = rest.indexOf(QLatin1Char(';'));
        if (separator < 0)
            break;
        const double code = std::nearbyint(leadingNumber(rest.left(separator)));
        if (!fitsInt16(code)) {
            error = kOverflow;
            return 1;
        }
        rest = rest.mid(separator + 1);
        const qint16 result = action(qint16(code), error);
        if (result != 0)
            return result;
    }
    return 0;
}

qint16 ReconcileCodeList(const RecordsetPtr& stored, const QString& codeColumn, const QString& list,
                         const CodeAction& remove, const CodeAction& add, QString& error)
{
    QString notStored = list;
    if (stored && stored->RecordCount() > 0) {
        for (stored->MoveFirst(); !stored->EndOfFile(); stored->MoveNext()) {
            const QVariant code = stored->Field(codeColumn);
            const QString key = QLatin1Char(';') + code.toString() + QLatin1Char(';');
            const qsizetype position = notStored.indexOf(key);
            if (position >= 0) {
                // The key's last ";" stays: it opens the next code of the list.
                notStored = notStored.left(position) + notStored.mid(position + key.size() - 1);
                continue;
            }
            const qint16 result = remove(qint16(code.toInt()), error);
            if (result != 0)
                return result;
        }
    }
    return WalkCodeList(notStored, add, error);
}
