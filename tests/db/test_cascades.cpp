// A charge's diagnosis and procedure rows follow their charge: deleted with it, moved with
// it when patients are merged, while the program's own detail statements keep working.
#include "PracticeDatabaseTest.h"

namespace {

class CascadesTest : public PracticeDatabaseTest {
protected:
    void SetUp() override
    {
        PracticeDatabaseTest::SetUp();
        if (HasFatalFailure())
            return;
        addCharge(25000, "12/07/2026", "10:15:00", {3, 13}, {1});
        addCharge(25000, "12/07/2026", "10:16:00", {4}, {2, 5});
        addCharge(25001, "12/07/2026", "10:15:00", {3}, {1});
    }

    // The statements of the program's charge insert.
    void addCharge(int patientId, const std::string& date, const std::string& time, std::vector<int> diagnoses,
                   std::vector<int> procedures)
    {
        const std::string id = std::to_string(patientId);
        execute("INSERT INTO PatientCharges (PatientId, ChargeDate, ChargeTime, ChargeRealDate, FacilityCode, "
                "EMCode, DoctorCode, ReferDoctorCode, Status) VALUES (" + id + ", #" + date + "#, #" + time +
                "#, #" + date + "#, 1,1,1,0,0)");
        for (const int code : diagnoses)
            execute("INSERT INTO ChargeDiagnosis (PatientId, ChargeDate, ChargeTime,  DiagnosisCode ) VALUES (" + id +
                    ", #" + date + "#, #" + time + "#, " + std::to_string(code) + ")");
        for (const int code : procedures)
            execute("INSERT INTO ChargeProcedures (PatientId, ChargeDate, ChargeTime,  ProcedureCode ) VALUES (" + id +
                    ", #" + date + "#, #" + time + "#, " + std::to_string(code) + ")");
    }

    // The detail rows of one patient as "time:code", in order.
    std::vector<std::string> details(const std::string& table, const std::string& codeColumn, int patientId)
    {
        std::vector<std::string> found;
        for (const auto& row : query("SELECT ChargeTime, " + codeColumn + " FROM " + table + " WHERE PatientId=" +
                                     std::to_string(patientId) + " ORDER BY ChargeTime, " + codeColumn)
                                   .rows)
            found.push_back(std::get<std::string>(row[0]) + ":" + std::to_string(std::get<std::int64_t>(row[1])));
        return found;
    }
};

using Details = std::vector<std::string>;

TEST_F(CascadesTest, DeletingAChargeDeletesItsDetailRowsOnly)
{
    EXPECT_EQ(execute("DELETE FROM PatientCharges WHERE PatientId=25000  AND ChargeDate=#12/07/2026# AND "
                      "ChargeTime =#10:15:00#"),
              1);  // the charge alone counts as changed
    EXPECT_EQ(details("ChargeDiagnosis", "DiagnosisCode", 25000), (Details{"10:16:00:4"}));
    EXPECT_EQ(details("ChargeProcedures", "ProcedureCode", 25000), (Details{"10:16:00:2", "10:16:00:5"}));
    EXPECT_EQ(details("ChargeDiagnosis", "DiagnosisCode", 25001), (Details{"10:15:00:3"}));
    EXPECT_EQ(details("ChargeProcedures", "ProcedureCode", 25001), (Details{"10:15:00:1"}));
}

TEST_F(CascadesTest, MergingPatientsMovesTheDetailRowsWithTheirCharges)
{
    EXPECT_EQ(execute("UPDATE PatientCharges SET PatientId=25002 WHERE PatientId = 25000"), 2);
    EXPECT_EQ(details("ChargeDiagnosis", "DiagnosisCode", 25002), (Details{"10:15:00:3", "10:15:00:13", "10:16:00:4"}));
    EXPECT_EQ(details("ChargeProcedures", "ProcedureCode", 25002), (Details{"10:15:00:1", "10:16:00:2", "10:16:00:5"}));
    EXPECT_EQ(count("SELECT COUNT(*) FROM ChargeDiagnosis WHERE PatientId = 25000"), 0);
    EXPECT_EQ(count("SELECT COUNT(*) FROM ChargeProcedures WHERE PatientId = 25000"), 0);
    EXPECT_EQ(details("ChargeDiagnosis", "DiagnosisCode", 25001), (Details{"10:15:00:3"}));
    EXPECT_EQ(count("SELECT COUNT(*) FROM ChargeDiagnosisDescriptive WHERE PatientId = 25002"), 3);
}

TEST_F(CascadesTest, AMergeOntoATakenChargeKeyChangesNothing)
{
    // 25001 already has a charge at 12/07/2026 10:15:00.
    EXPECT_FALSE(tryExecute("UPDATE PatientCharges SET PatientId=25001 WHERE PatientId = 25000"));
    EXPECT_EQ(count("SELECT COUNT(*) FROM PatientCharges WHERE PatientId = 25000"), 2);
    EXPECT_EQ(details("ChargeDiagnosis", "DiagnosisCode", 25000), (Details{"10:15:00:3", "10:15:00:13", "10:16:00:4"}));
    EXPECT_EQ(details("ChargeDiagnosis", "DiagnosisCode", 25001), (Details{"10:15:00:3"}));
}

TEST_F(CascadesTest, TheProgramsOwnDetailStatementsStillWork)
{
    // Editing a charge: one diagnosis and one procedure removed, others added; the charge row updated.
    EXPECT_EQ(execute("DELETE FROM ChargeDiagnosis WHERE PatientId=25000  AND ChargeDate=#12/07/2026# AND "
                      "ChargeTime =#10:15:00# AND DiagnosisCode = 3"),
              1);
    EXPECT_EQ(execute("DELETE FROM ChargeProcedures WHERE PatientId=25000  AND ChargeDate=#12/07/2026# AND "
                      "ChargeTime =#10:15:00# AND ProcedureCode = 1"),
              1);
    execute("INSERT INTO ChargeDiagnosis (PatientId, ChargeDate, ChargeTime,  DiagnosisCode ) VALUES (25000, "
            "#12/07/2026#, #10:15:00#, 40)");
    EXPECT_EQ(execute("UPDATE PatientCharges SET ChargeRealDate= #2026/12/05#, FacilityCode = 2, EMCode = 3, "
                      "DoctorCode = 4, ReferDoctorCode = 0, Status = 1 WHERE PatientId=25000  AND "
                      "ChargeDate=#12/07/2026# AND ChargeTime =#10:15:00#"),
              1);
    EXPECT_EQ(execute("UPDATE PatientCharges SET PrintLot = 202612071, [Status] = 1 WHERE PatientId=25000  AND "
                      "ChargeDate=#12/07/2026# AND ChargeTime =#10:15:00#"),
              1);
    EXPECT_EQ(details("ChargeDiagnosis", "DiagnosisCode", 25000), (Details{"10:15:00:13", "10:15:00:40", "10:16:00:4"}));
    EXPECT_EQ(details("ChargeProcedures", "ProcedureCode", 25000), (Details{"10:16:00:2", "10:16:00:5"}));

    // The same code twice on one charge is refused.
    EXPECT_FALSE(tryExecute("INSERT INTO ChargeDiagnosis (PatientId, ChargeDate, ChargeTime,  DiagnosisCode ) "
                            "VALUES (25000, #12/07/2026#, #10:15:00#, 40)"));
}

TEST_F(CascadesTest, ARolledBackDeleteKeepsTheDetailRows)
{
    std::string error;
    ASSERT_TRUE(connection->beginTrans(error)) << error;
    execute("DELETE FROM PatientCharges WHERE PatientId=25000");
    EXPECT_EQ(count("SELECT COUNT(*) FROM ChargeDiagnosis WHERE PatientId=25000"), 0);
    ASSERT_TRUE(connection->rollbackTrans(error)) << error;
    EXPECT_EQ(count("SELECT COUNT(*) FROM ChargeDiagnosis WHERE PatientId=25000"), 3);
    EXPECT_EQ(count("SELECT COUNT(*) FROM ChargeProcedures WHERE PatientId=25000"), 3);
}

}  // namespace
