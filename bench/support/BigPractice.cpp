#include "BigPractice.h"

#include "AppGlobals.h"
#include "JetConnection.h"
#include "PracticeConnection.h"

#include <stdexcept>

namespace {

void run(jet::Connection& connection, const std::string& sql)
{
    long affected = 0;
    std::string error;
    if (!connection.execute(sql, affected, error))
        throw std::runtime_error(error + "\n" + sql);
}

// Rows made by the database itself from a counter, so that 200,000 charges take a moment.
std::string counted(int count)
{
    return "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i + 1 < " +
           std::to_string(count) + ") ";
}

}  // namespace

BigPractice::BigPractice() : path_(folder_.file("practice.mdb"))
{
    ConnectNewPractice(path_);
    std::string error;
    jet::Connection& connection = *Globals().DbConnection;
    if (!connection.beginTrans(error))
        throw std::runtime_error(error);
    run(connection, counted(60) +
                        "INSERT INTO Insurance (InsuranceCode, Description, BillingInsuranceCode) "
                        "SELECT i + 1, 'Insurance plan ' || (i + 1), 'INS' || (i + 1) FROM n");
    run(connection, counted(40) +
                        "INSERT INTO Doctors (DoctorCode, Description, BillingDoctorCode) "
                        "SELECT i + 1, 'Dr. Physician ' || (i + 1), 'DR' || (i + 1) FROM n");
    run(connection, counted(25) +
                        "INSERT INTO Facility (FacilityCode, Description, FacilityTypeCode, BillingFacilityCode, "
                        "BillingFacilityCodeOut) SELECT i + 1, 'Facility number ' || (i + 1), 1 + i % 5, "
                        "'F' || (i + 1), 'FO' || (i + 1) FROM n");
    run(connection, counted(30) +
                        "INSERT INTO EvaluationManagement (EMCode, Description, FacilityTypeCode, ChargeTypeCode, "
                        "AttentionTypeCode, BillingEMCode, RealEMCode) SELECT 1000 + i, "
                        "'Subsequent hospital care, level ' || (i + 1), 1 + i % 5, 1 + i % 3, 1 + i % 2, "
                        "'99' || (200 + i), '99' || (200 + i) FROM n");
    // Ids from 1 upwards: patient ids are 16-bit.
    run(connection, counted(kPatients) +
                        "INSERT INTO Patient (PatientId, Names, DateOfBirth, AccountNumber, InsuranceCode, "
                        "InFacilityCode, InWardCode, InDoctorCode) SELECT i + 1, "
                        "'PATIENT' || (i * 7919 % 20011) || ', MARIA ' || char(65 + i % 26), "
                        "date('1930-01-01', '+' || (i * 37 % 25000) || ' days'), 'ACC' || (100000 + i), "
                        "1 + i % 60, CASE WHEN i % 10 = 0 THEN 1 + i % 25 ELSE 0 END, 0, "
                        "CASE WHEN i % 10 = 0 THEN 1 + i % 40 ELSE 0 END FROM n");
    // Charges in date order: the oldest archived, then posted, the newest ready.
    run(connection, counted(kCharges) +
                        "INSERT INTO PatientCharges (PatientId, ChargeDate, ChargeTime, ChargeRealDate, "
                        "FacilityCode, EMCode, DoctorCode, ReferDoctorCode, Status, PrintLot) SELECT "
                        "1 + i % " + std::to_string(kPatients) + ", "
                        "date('2025-01-01', '+' || (i * 730 / " + std::to_string(kCharges) + ") || ' days'), "
                        "time(i % 86400, 'unixepoch'), "
                        "date('2025-01-01', '+' || (i * 730 / " + std::to_string(kCharges) + ") || ' days'), "
                        "1 + i % 25, 1000 + i % 30, 1 + i % 40, 0, "
                        "CASE WHEN i < " + std::to_string(kArchived) + " THEN 2 WHEN i < " +
                        std::to_string(kCharges - kReady) + " THEN 1 ELSE 0 END, "
                        "CASE WHEN i < " + std::to_string(kCharges - kReady) + " THEN 1 + i / 500 ELSE 0 END "
                        "FROM n");
    if (!connection.commitTrans(error))
        throw std::runtime_error(error);
}

BigPractice::~BigPractice()
{
    ResetGlobals();
}
