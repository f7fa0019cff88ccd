#include "VNSQLDoctors.h"

#include "RecordDeletion.h"
#include "SqlCodes.h"
#include "SqlExecution.h"
#include "SqlLiterals.h"
#include "StoredState.h"

RecordsetPtr GetDoctor(qint16 doctorCode)
{
    return ReadRecordset(QStringLiteral("SELECT * FROM Doctors") + QStringLiteral(" WHERE DoctorCode=")
                             + QString::number(doctorCode),
                         true, ReaderFailure::Silent);
}

RecordsetPtr GetDoctors()
{
    return ReadRecordset(QStringLiteral("SELECT * FROM Doctors"), false, ReaderFailure::Silent);
}

qint16 NextDoctorCode()
{
    return NextCodeBelow1000(QStringLiteral("Doctors"), QStringLiteral("DoctorCode"));
}

qint16 InsertDoctor(qint16& doctorCode, const QString& description, const QString& billingDoctorCode,
                    const QString& coveringList, QString& error)
{
    const qint16 newCode = NextDoctorCode();
    if (newCode == 0)
        return 1;
    qint16 result = BeginTransaction(error);
    if (result != 0)
        return result;
    const QString sql = QStringLiteral("INSERT INTO Doctors (DoctorCode, Description, BillingDoctorCode) VALUES (")
                        + QString::number(newCode) + QStringLiteral(", ") + QStringLiteral("'")
                        + SqlQuotesDoubled(description) + QStringLiteral("',") + QStringLiteral("'")
                        + SqlQuotesDoubled(billingDoctorCode) + QStringLiteral("'") + QStringLiteral(")");
    result = ExecuteStatement(sql, QString(), error);
    if (result == 0) {
        const CodeAction insertLink = [&](qint16 code, QString& detailError) {
            return InsertCoveringDoctor(newCode, code, detailError);
        };
        if (WalkCodeList(coveringList, insertLink, error) != 0)
            result = 2;
    }
    EndTransaction(result, error);
    if (result == 0)
        doctorCode = newCode;
    return result;
}

StoredRecord StoredDoctor(qint16 doctorCode)
{
    StoredRecord doctor = StoredRow(QStringLiteral("doctor"), QStringLiteral("Doctors"), QStringLiteral("DoctorCode"),
                                    doctorCode);
    doctor.queries << QStringLiteral("SELECT * FROM DoctorCoveringDoctors WHERE DoctorCode=")
                          + QString::number(doctorCode) + QStringLiteral(" ORDER BY CoveringDoctorCode");
    return doctor;
}

qint16 UpdateDoctor(qint16 doctorCode, const QString& description, const QString& billingDoctorCode,
                    const QString& coveringList, const StoredState& loaded, QString& error)
{
    qint16 result = BeginUnlessChanged(StoredDoctor(doctorCode), loaded, error);
    if (result != 0)
        return result;
    // Read inside the transaction, which holds the write lock: these are the links reconciled.
    const RecordsetPtr storedLinks = GetCoveringDoctors(doctorCode);

    const CodeAction deleteLink = [&](qint16 code, QString& detailError) {
        return DeleteCoveringDoctor(doctorCode, code, detailError);
    };
    const CodeAction insertLink = [&](qint16 code, QString& detailError) {
        return InsertCoveringDoctor(doctorCode, code, detailError);
    };
    if (ReconcileCodeList(storedLinks, QStringLiteral("CoveringDoctorCode"), coveringList, deleteLink, insertLink,
                          error)
        != 0)
        result = 3;

    if (result == 0) {
        const QString sql = QStringLiteral("UPDATE Doctors SET") + QStringLiteral(" Description='")
                            + SqlQuotesDoubled(description) + QStringLiteral("'")
                            + QStringLiteral(", BillingDoctorCode='") + SqlQuotesDoubled(billingDoctorCode)
                            + QStringLiteral("'") + QStringLiteral(" WHERE DoctorCode = ")
                            + QString::number(doctorCode);
        result = ExecuteStatement(sql, kNoRowUpdated, error);
    }
    EndTransaction(result, error);
    return result;
}

qint16 DeleteDoctor(qint16 doctorCode, QString& error)
{
    return DeleteUnlessInUse(
        {.record = QStringLiteral("doctor"),
         .statement = QStringLiteral("DELETE FROM Doctors") + QStringLiteral(" WHERE DoctorCode = ")
                      + QString::number(doctorCode),
         .code = doctorCode,
         .uses = {
             {QStringLiteral("PatientCharges"), QStringLiteral("DoctorCode = %1"), QStringLiteral("has"),
              QStringLiteral("charge"), QStringLiteral("charges")},
             {QStringLiteral("PatientCharges"), QStringLiteral("ReferDoctorCode = %1"),
              QStringLiteral("is the referring doctor of"), QStringLiteral("charge"), QStringLiteral("charges")},
             {QStringLiteral("Patient"), QStringLiteral("InDoctorCode = %1"), QStringLiteral("attends"),
              QStringLiteral("admitted patient"), QStringLiteral("admitted patients")},
             {QStringLiteral("PatientDoctors"), QStringLiteral("DoctorCode = %1"), QStringLiteral("visits"),
              QStringLiteral("patient"), QStringLiteral("patients")},
             {QStringLiteral("DoctorCoveringDoctors"), QStringLiteral("CoveringDoctorCode = %1 AND DoctorCode <> %1"),
              QStringLiteral("is covered by"), QStringLiteral("other doctor"), QStringLiteral("other doctors")},
         },
         .owned = {{QStringLiteral("DoctorCoveringDoctors"), QStringLiteral("DoctorCode")}}},
        error);
}

qint16 InsertCoveringDoctor(qint16 doctorCode, qint16 coveringDoctorCode, QString& error)
{
    const QString sql = QStringLiteral("INSERT INTO DoctorCoveringDoctors (DoctorCode, CoveringDoctorCode) VALUES (")
                        + QString::number(doctorCode) + QStringLiteral(", ") + QString::number(coveringDoctorCode)
                        + QStringLiteral(")");
    return ExecuteStatement(sql, QString(), error);
}

qint16 DeleteCoveringDoctor(qint16 doctorCode, qint16 coveringDoctorCode, QString& error)
{
    const QString sql = QStringLiteral("DELETE FROM DoctorCoveringDoctors") + QStringLiteral(" WHERE DoctorCode = ")
                        + QString::number(doctorCode) + QStringLiteral(" and CoveringDoctorCode = ")
                        + QString::number(coveringDoctorCode);
    return ExecuteInTransaction(sql, kNoRowDeleted, error);
}

RecordsetPtr GetCoveringDoctors(qint16 doctorCode)
{
    return ReadRecordset(QStringLiteral("SELECT * FROM DoctorCoveringDoctors where DoctorCode= ")
                             + QString::number(doctorCode),
                         false, ReaderFailure::Silent);
}
