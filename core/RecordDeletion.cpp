#include "RecordDeletion.h"

#include "SqlExecution.h"

#include <QStringList>

namespace {

// Rows meeting the condition, or -1 after a failure (`error` then holds its description).
qint64 countRows(const QString& table, const QString& condition, QString& error)
{
    RecordsetPtr counted;
    if (!QueryRecordset(QStringLiteral("SELECT COUNT(*) AS Uses FROM ") + table + QStringLiteral(" WHERE ") + condition,
                        true, counted, error))
        return -1;
    counted->MoveFirst();
    return counted->Field(QStringLiteral("Uses")).toLongLong();
}

QString joinedAsList(const QStringList& parts)
{
    if (parts.size() < 2)
        return parts.join(QString());
    return parts.mid(0, parts.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" and ") + parts.last();
}

QString withArticle(const QString& noun)
{
    static const QString vowels = QStringLiteral("AEIOUaeiou");
    return (vowels.contains(noun.left(1)) ? QStringLiteral("An ") : QStringLiteral("A ")) + noun;
}

QString refusal(const QString& record, const QStringList& uses)
{
    return QStringLiteral("This ") + record + QLatin1Char(' ') + joinedAsList(uses) + QStringLiteral(".\n")
           + withArticle(record) + QStringLiteral(" still in use cannot be deleted.");
}

}  // namespace

qint16 DeleteUnlessInUse(const RecordDeletion& deletion, QString& error)
{
    qint16 result = BeginTransaction(error);
    if (result != 0)
        return result;
    result = ExecuteStatement(deletion.statement, kNoRowDeleted, error);

    const QString code = QString::number(deletion.code);
    QStringList usesFound;
    for (const CodeUse& use : deletion.uses) {
        if (result != 0)
            break;
        const qint64 count = countRows(use.table, use.condition.arg(code), error);
        if (count < 0)
            result = 1;
        else if (count > 0)
            usesFound << use.verb + QLatin1Char(' ') + QString::number(count) + QLatin1Char(' ')
                             + (count == 1 ? use.one : use.many);
    }
    if (result == 0 && !usesFound.isEmpty()) {
        result = 2;
        error = refusal(deletion.record, usesFound);
    }

    for (const OwnedRows& rows : deletion.owned) {
        if (result != 0)
            break;
        result = ExecuteStatement(QStringLiteral("DELETE FROM ") + rows.table + QStringLiteral(" WHERE ") + rows.column
                                      + QStringLiteral(" = ") + code,
                                  QString(), error);
    }
    EndTransaction(result, error);
    return result;
}
