#include "DatabaseFailures.h"

#include "JetConnection.h"

#include <QStringList>

namespace {

// Which sentence a key clash on each table reads as.
QString duplicateOn(const QString& table)
{
    if (table == QLatin1String("ChargeDiagnosis"))
        return QStringLiteral("The same diagnosis is entered twice on this charge.");
    if (table == QLatin1String("ChargeProcedures"))
        return QStringLiteral("The same procedure is entered twice on this charge.");
    if (table == QLatin1String("PatientCharges"))
        return QStringLiteral("A charge for this patient at this date and time already exists.");
    if (table == QLatin1String("PatientHistory"))
        return QStringLiteral("This history item is already on the patient's history.");
    if (table == QLatin1String("PatientDoctors"))
        return QStringLiteral("This doctor is already a visiting doctor of the patient.");
    if (table == QLatin1String("DoctorCoveringDoctors"))
        return QStringLiteral("This doctor is already on the list of doctors covered.");
    return QStringLiteral("This code is already used by another record.");
}

QString withDetail(const QString& sentence, const QString& description)
{
    return sentence + QStringLiteral("\n\nDetails: ") + description;
}

}  // namespace

QString PlainDatabaseFailure(const std::string& description)
{
    const QString text = QString::fromStdString(description);
    static const QString uniqueFailed = QStringLiteral("UNIQUE constraint failed: ");
    if (text.startsWith(uniqueFailed))
        return duplicateOn(text.mid(uniqueFailed.size()).section(QLatin1Char('.'), 0, 0));

    static const QStringList busy = {QStringLiteral("database is locked"), QStringLiteral("database table is locked"),
                                     QStringLiteral("database schema is locked")};
    if (busy.contains(text))
        return withDetail(QStringLiteral("The database is busy: another program, a HotSync perhaps, is using it. "
                                         "Please try again in a moment."),
                          text);
    if (text == QLatin1String("attempt to write a readonly database"))
        return withDetail(QStringLiteral("The database is read-only, so nothing can be changed in it. Please make "
                                         "sure that the database file may be written."),
                          text);
    if (text == QLatin1String("database or disk is full"))
        return withDetail(QStringLiteral("The disk that holds the database is full. Please free some space and "
                                         "try again."),
                          text);
    if (text == QLatin1String(jet::kDatabaseFileReplaced))
        return withDetail(QStringLiteral("The database file was replaced or deleted while Vantora was running (a "
                                         "backup restored, perhaps), so nothing was saved. Please close Vantora and "
                                         "start it again."),
                          text);
    static const QStringList unreadable = {QStringLiteral("disk I/O error"),
                                           QStringLiteral("database disk image is malformed"),
                                           QStringLiteral("unable to open database file"),
                                           QStringLiteral("file is not a database")};
    if (unreadable.contains(text))
        return withDetail(QStringLiteral("The database file could not be read or written. Please check the disk "
                                         "or network drive that holds it, then try again."),
                          text);
    return text;
}
