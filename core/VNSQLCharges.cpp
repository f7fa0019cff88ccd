#include "VNSQLCharges.h"

#include "AsisRutinasRecordsets.h"
#include "SqlCodes.h"
#include "SqlExecution.h"
#include "SqlLiterals.h"
#include "VNSQLPatients.h"

#include <QDateTime>
#include <QSet>

namespace {

QString chargeKeyCondition(qint16 patientId, const QDate& chargeDate, const QTime& chargeTime)
{
    return QStringLiteral("WHERE PatientId=") + QString::number(patientId) + QStringLiteral("  AND ChargeDate=#")
           + SqlDateMonthFirst(chargeDate) + QStringLiteral("# AND ChargeTime =#") + SqlTime(chargeTime)
           + QStringLiteral("#");
}

qint16 insertDetail(const QString& table, const QString& codeColumn, qint16 patientId, const QDate& chargeDate,
                    const QTime& chargeTime, qint16 code, QString& error)
{
    const QString sql = QStringLiteral("INSERT INTO ") + table
                        + QStringLiteral(" (PatientId, ChargeDate, ChargeTime,  ") + codeColumn
                        + QStringLiteral(" ) VALUES (") + QString::number(patientId) + QStringLiteral(", ")
                        + QStringLiteral("#") + SqlDateMonthFirst(chargeDate) + QStringLiteral("#, ")
                        + QStringLiteral("#") + SqlTime(chargeTime) + QStringLiteral("#, ") + QString::number(code)
                        + QStringLiteral(")");
    return ExecuteStatement(sql, QString(), error);
}

qint16 deleteDetail(const QString& table, const QString& codeColumn, qint16 patientId, const QDate& chargeDate,
                    const QTime& chargeTime, qint16 code, const QString& noRowText, QString& error)
{
    const QString sql = QStringLiteral("DELETE FROM ") + table + QStringLiteral(" ")
                        + chargeKeyCondition(patientId, chargeDate, chargeTime) + QStringLiteral(" AND ")
                        + codeColumn + QStringLiteral(" = ") + QString::number(code);
    return ExecuteStatement(sql, noRowText, error);
}

// Inside the caller's transaction; stops at the first charge that fails.
qint16 setStatusOfAll(const QList<ChargeKey>& charges, qint32 printLot, qint16 status, QString& error)
{
    for (const ChargeKey& key : charges) {
        const qint16 result = SetChargeStatus(key.patientId, key.chargeDate, key.chargeTime, printLot, status, error);
        if (result != 0)
            return result;
    }
    return 0;
}

}  // namespace

qint16 InsertCharge(qint16 patientId, QDate& chargeDate, QTime& chargeTime, const QDate& chargeRealDate,
                    qint32 emCode, qint16 doctorCode, qint16 referDoctorCode, qint16 facilityCode,
                    const QString& diagnosisList, const QString& procedureList, qint16 status, QString& error)
{
    // The key is stored to the second, so it is handed back to the second.
    const QDateTime now = QDateTime::currentDateTime();
    const QDate today = now.date();
    const QTime time(now.time().hour(), now.time().minute(), now.time().second());

    qint16 result = BeginTransaction(error);
    if (result != 0)
        return result;
    const QString sql =
        QStringLiteral("INSERT INTO PatientCharges (PatientId, ChargeDate, ChargeTime, ChargeRealDate, "
                       "FacilityCode, EMCode, DoctorCode, ReferDoctorCode, Status) VALUES (")
        + QString::number(patientId) + QStringLiteral(", ") + QStringLiteral("#") + SqlDateMonthFirst(today)
        + QStringLiteral("#, ") + QStringLiteral("#") + SqlTime(time) + QStringLiteral("#, ") + QStringLiteral("#")
        + SqlDateMonthFirst(chargeRealDate) + QStringLiteral("#, ") + QString::number(facilityCode) + QStringLiteral(",")
        + QString::number(emCode) + QStringLiteral(",") + QString::number(doctorCode) + QStringLiteral(",") + QString::number(referDoctorCode)
        + QStringLiteral(",") + QString::number(status) + QStringLiteral(")");
    result = ExecuteStatement(sql, QString(), error);
    if (result == 1) {
        EndTransaction(result, error);
        return result;
    }

    const CodeAction insertDiagnosis = [&](qint16 code, QString& detailError) {
        return InsertChargeDiagnosis(patientId, today, time, code, detailError);
    };
    const CodeAction insertProcedure = [&](qint16 code, QString& detailError) {
        return InsertChargeProcedure(patientId, today, time, code, detailError);
    };
    // The procedures are tried even after a failed diagnosis.
    if (WalkCodeList(diagnosisList, insertDiagnosis, error) != 0)
        result = 2;
    if (WalkCodeList(procedureList, insertProcedure, error) != 0)
        result = 2;

    EndTransaction(result, error);
    if (result == 0) {
        chargeDate = today;
        chargeTime = time;
    }
    return result;
}

StoredRecord StoredCharge(qint16 patientId, const QDate& chargeDate, const QTime& chargeTime)
{
    const QString key = chargeKeyCondition(patientId, chargeDate, chargeTime);
    return {QStringLiteral("charge"),
            {QStringLiteral("SELECT * FROM PatientCharges ") + key,
             QStringLiteral("SELECT DiagnosisCode FROM ChargeDiagnosis ") + key
                 + QStringLiteral(" ORDER BY DiagnosisCode"),
             QStringLiteral("SELECT ProcedureCode FROM ChargeProcedures ") + key
                 + QStringLiteral(" ORDER BY ProcedureCode")}};
}

qint16 UpdateCharge(qint16 patientId, const QDate& chargeDate, const QTime& chargeTime,
                    const QDate& chargeRealDate, qint32 emCode, qint16 doctorCode, qint16 referDoctorCode,
                    qint16 facilityCode, const QString& diagnosisList, const QString& procedureList,
                    qint16 status, const StoredState& loaded, QString& error)
{
    qint16 result = BeginUnlessChanged(StoredCharge(patientId, chargeDate, chargeTime), loaded, error);
    if (result != 0)
        return result;
    // Read inside the transaction, which holds the write lock: these are the rows reconciled.
    const RecordsetPtr storedDiagnoses = GetChargeDiagnoses(patientId, chargeDate, chargeTime);
    const RecordsetPtr storedProcedures = GetChargeProcedures(patientId, chargeDate, chargeTime);

    const CodeAction deleteDiagnosis = [&](qint16 code, QString& detailError) {
        return DeleteChargeDiagnosis(patientId, chargeDate, chargeTime, code, detailError);
    };
    const CodeAction insertDiagnosis = [&](qint16 code, QString& detailError) {
        return InsertChargeDiagnosis(patientId, chargeDate, chargeTime, code, detailError);
    };
    const CodeAction deleteProcedure = [&](qint16 code, QString& detailError) {
        return DeleteChargeProcedure(patientId, chargeDate, chargeTime, code, detailError);
    };
    const CodeAction insertProcedure = [&](qint16 code, QString& detailError) {
        return InsertChargeProcedure(patientId, chargeDate, chargeTime, code, detailError);
    };
    if (ReconcileCodeList(storedDiagnoses, QStringLiteral("DiagnosisCode"), diagnosisList, deleteDiagnosis,
                          insertDiagnosis, error)
        != 0)
        result = 3;
    if (result == 0
        && ReconcileCodeList(storedProcedures, QStringLiteral("ProcedureCode"), procedureList, deleteProcedure,
                             insertProcedure, error)
               != 0)
        result = 3;

    if (result == 0) {
        const QString sql = QStringLiteral("UPDATE PatientCharges SET") + QStringLiteral(" ChargeRealDate= #")
                            + SqlDateYearFirst(chargeRealDate) + QStringLiteral("#")
                            + QStringLiteral(", FacilityCode = ") + QString::number(facilityCode)
                            + QStringLiteral(", EMCode = ") + QString::number(emCode) + QStringLiteral(", DoctorCode = ")
                            + QString::number(doctorCode) + QStringLiteral(", ReferDoctorCode = ") + QString::number(referDoctorCode)
                            + QStringLiteral(", Status = ") + QString::number(status) + QStringLiteral(" ")
                            + chargeKeyCondition(patientId, chargeDate, chargeTime);
        result = ExecuteStatement(sql, kNoRowUpdated, error);
    }
    EndTransaction(result, error);
    return result;
}

qint16 DeleteCharge(qint16 patientId, const QDate& chargeDate, const QTime& chargeTime, QString& error)
{
    const QString sql = QStringLiteral("DELETE FROM PatientCharges ")
                        + chargeKeyCondition(patientId, chargeDate, chargeTime);
    return ExecuteStatement(sql, kNoRowDeleted, error);
}

qint16 SetChargeStatus(qint16 patientId, const QDate& chargeDate, const QTime& chargeTime, qint32 printLot,
                       qint16 status, QString& error)
{
    QString sql = QStringLiteral("UPDATE PatientCharges SET");
    if (printLot >= 0)
        sql += QStringLiteral(" PrintLot = ") + QString::number(printLot) + QStringLiteral(",");
    sql += QStringLiteral(" [Status] = ") + QString::number(status) + QStringLiteral(" ")
           + chargeKeyCondition(patientId, chargeDate, chargeTime);
    return ExecuteInTransaction(sql, kNoRowUpdated, error);
}

qint16 ReadyCharges(const QList<ChargeKey>& charges, QList<ChargeKey>& ready, QString& error)
{
    RecordsetPtr stored;
    const QString sql = QStringLiteral("SELECT PatientId, ChargeDate, ChargeTime FROM PatientCharges WHERE [Status] = 0");
    if (!QueryRecordset(sql, true, stored, error))
        return 1;
    QSet<ChargeKey> storedReady;
    for (stored->MoveFirst(); !stored->EndOfFile(); stored->MoveNext())
        storedReady.insert(ChargeKeyOfCurrentRow(*stored));
    ready.clear();
    for (const ChargeKey& key : charges) {
        if (storedReady.contains(key))
            ready.append(key);
    }
    return 0;
}

qint16 PostCharges(const QList<ChargeKey>& charges, qint32 printLot, QList<ChargeKey>& posted, QString& error)
{
    posted.clear();
    qint16 result = BeginTransaction(error);
    if (result != 0)
        return result;
    // Read under the transaction's write lock: no other user changes them before the commit.
    QList<ChargeKey> ready;
    result = ReadyCharges(charges, ready, error);
    if (result == 0)
        result = setStatusOfAll(ready, printLot, 1, error);
    EndTransaction(result, error);
    if (result == 0)
        posted = ready;
    return result;
}

qint16 ArchiveCharges(const QDate& until, qint32& toArchive, qint16& patientWalked, QString& error)
{
    toArchive = 0;
    qint16 result = BeginTransaction(error);
    if (result != 0)
        return result;
    RecordsetPtr selection;
    result = OpenRecordset(selection,
                           QStringLiteral("SELECT * FROM PatientCharges WHERE [Status] <> 2 "
                                          "ORDER BY PatientId, ChargeRealDate DESC"),
                           error);
    QList<ChargeKey> older;
    if (result == 0) {
        bool firstRow = true;
        for (selection->MoveFirst(); !selection->EndOfFile(); selection->MoveNext()) {
            const ChargeKey key = ChargeKeyOfCurrentRow(*selection);
            // A patient's first row is the latest charge by date of service: it always stays.
            if (firstRow || key.patientId != patientWalked) {
                patientWalked = key.patientId;
                firstRow = false;
                continue;
            }
            const QDate serviceDate = selection->Field(QStringLiteral("ChargeRealDate")).toDate();
            if (serviceDate.isValid() && serviceDate < until)
                older.append(key);
        }
        toArchive = qint32(older.size());
        result = setStatusOfAll(older, -1, 2, error);
    }
    EndTransaction(result, error);
    return result;
}

qint16 InsertChargeDiagnosis(qint16 patientId, const QDate& chargeDate, const QTime& chargeTime,
                             qint16 diagnosisCode, QString& error)
{
    return insertDetail(QStringLiteral("ChargeDiagnosis"), QStringLiteral("DiagnosisCode"), patientId, chargeDate,
                        chargeTime, diagnosisCode, error);
}

qint16 DeleteChargeDiagnosis(qint16 patientId, const QDate& chargeDate, const QTime& chargeTime,
                             qint16 diagnosisCode, QString& error)
{
    return deleteDetail(QStringLiteral("ChargeDiagnosis"), QStringLiteral("DiagnosisCode"), patientId, chargeDate,
                        chargeTime, diagnosisCode, kNoRowDeleted, error);
}

qint16 InsertChargeProcedure(qint16 patientId, const QDate& chargeDate, const QTime& chargeTime,
                             qint16 procedureCode, QString& error)
{
    return insertDetail(QStringLiteral("ChargeProcedures"), QStringLiteral("ProcedureCode"), patientId, chargeDate,
                        chargeTime, procedureCode, error);
}

qint16 DeleteChargeProcedure(qint16 patientId, const QDate& chargeDate, const QTime& chargeTime,
                             qint16 procedureCode, QString& error)
{
    return deleteDetail(QStringLiteral("ChargeProcedures"), QStringLiteral("ProcedureCode"), patientId, chargeDate,
                        chargeTime, procedureCode, QStringLiteral("No records afected by the DELETE"), error);
}
