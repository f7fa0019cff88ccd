#include "DataRoutinesTest.h"

#include "AppGlobals.h"
#include "JetConnection.h"
#include "SqlExecution.h"

StoredState Loaded(const StoredRecord& record)
{
    StoredState state;
    QString error;
    EXPECT_TRUE(state.Read(record, error)) << error.toStdString();
    return state;
}

void DataRoutinesTest::SetUp()
{
    CoreTest::SetUp();
    SetStatementObserver([this](const QString& sql) { statements << sql; });
}

void DataRoutinesTest::TearDown()
{
    SetStatementObserver(nullptr);
    if (Globals().DbConnection)
        EXPECT_EQ(Globals().DbConnection->transactionLevel(), 0) << "a transaction was left open";
    CoreTest::TearDown();
}

QStringList DataRoutinesTest::snapshot()
{
    static const QStringList tables = {
        "PatientCharges", "ChargeDiagnosis", "ChargeProcedures", "Patient", "PatientHistory", "PatientDoctors",
        "Doctors", "DoctorCoveringDoctors", "Facility", "FacilityWards", "Insurance", "Procedures", "Diagnosis",
        "DiagnosisFamily", "Sickness", "EvaluationManagement"};
    QStringList all;
    for (const QString& table : tables) {
        for (const QString& row : rows("SELECT * FROM " + table))
            all << table + ": " + row;
    }
    all.sort();
    return all;
}

void DataRoutinesTest::refuse(const QString& when, const QString& table, const QString& condition)
{
    static int triggers = 0;
    run(QStringLiteral("CREATE TRIGGER Refuse%1 BEFORE %2 ON %3 WHEN %4 BEGIN SELECT RAISE(ABORT, 'refused by test'); END")
            .arg(++triggers)
            .arg(when, table, condition));
}

QStringList DataRoutinesTest::writes() const
{
    QStringList changing;
    for (const QString& sql : statements) {
        if (!sql.startsWith(QStringLiteral("SELECT"), Qt::CaseInsensitive))
            changing << sql;
    }
    return changing;
}
