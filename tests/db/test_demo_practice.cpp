// The demo practice: a realistic, repeatable practice in every state the program shows.
#include "PracticeDatabaseTest.h"

#include "PracticeDatabase.h"

#include <ctime>
#include <filesystem>
#include <regex>

namespace {

std::string todayIso()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[16];
    std::strftime(text, sizeof text, "%Y-%m-%d", &local);
    return text;
}

std::string textOf(const jet::Value& value)
{
    const auto* text = std::get_if<std::string>(&value);
    return text ? *text : std::string();
}

class DemoPracticeTest : public PracticeDatabaseTest {
protected:
    void SetUp() override
    {
        PracticeDatabaseTest::SetUp();
        if (HasFatalFailure())
            return;
        std::string error;
        ASSERT_TRUE(practicedb::loadDemoPractice(databasePath, error)) << error;
    }
};

TEST_F(DemoPracticeTest, ChargesOfTheLastWeeksInEveryStatus)
{
    EXPECT_EQ(integers("SELECT DISTINCT Status FROM PatientCharges ORDER BY Status"),
              (std::vector<std::int64_t>{0, 1, 2}));
    EXPECT_GE(count("SELECT COUNT(*) FROM PatientCharges"), 200);
    const std::string today = todayIso();
    EXPECT_EQ(count("SELECT COUNT(*) FROM PatientCharges WHERE ChargeRealDate >= '" + today +
                    "' OR ChargeDate >= '" + today + "'"),
              0);
    EXPECT_EQ(count("SELECT COUNT(*) FROM PatientCharges WHERE Status = 0 AND PrintLot <> 0"), 0);

    // A posted or archived charge carries the lot proposed on its posting day, after its service.
    const jet::Rows lots = query("SELECT ChargeRealDate, PrintLot FROM PatientCharges WHERE Status <> 0");
    ASSERT_FALSE(lots.rows.empty());
    for (const auto& row : lots.rows) {
        const std::int64_t lot = std::get<std::int64_t>(row[1]);
        char posted[16];
        std::snprintf(posted, sizeof posted, "%04d-%02d-%02d", int(lot / 100000), int(lot / 1000 % 100),
                      int(lot / 10 % 100));
        EXPECT_EQ(lot % 10, 1) << lot;
        EXPECT_GT(std::string(posted), textOf(row[0])) << lot;
        EXPECT_LT(std::string(posted), today) << lot;
    }
}

TEST_F(DemoPracticeTest, EveryChargeIsListedWhole)
{
    EXPECT_EQ(count("SELECT COUNT(*) FROM ChargesDescriptive"), count("SELECT COUNT(*) FROM PatientCharges"));
    EXPECT_EQ(count("SELECT COUNT(*) FROM ChargesDescriptive WHERE Names IS NULL OR Doctor IS NULL OR Facility IS "
                    "NULL OR EMDescription IS NULL"),
              0);
    EXPECT_EQ(count("SELECT COUNT(*) FROM PatientCharges AS C WHERE NOT EXISTS (SELECT 1 FROM ChargeDiagnosis AS D "
                    "WHERE D.PatientId = C.PatientId AND D.ChargeDate = C.ChargeDate AND D.ChargeTime = C.ChargeTime)"),
              0);
    for (const char* details : {"ChargeDiagnosis", "ChargeProcedures"})
        EXPECT_EQ(count(std::string("SELECT COUNT(*) FROM ") + details +
                        " AS D WHERE NOT EXISTS (SELECT 1 FROM PatientCharges AS C WHERE D.PatientId = C.PatientId "
                        "AND D.ChargeDate = C.ChargeDate AND D.ChargeTime = C.ChargeTime)"),
                  0)
            << details;
    EXPECT_GT(count("SELECT COUNT(*) FROM ChargeProcedures"), 0);
    EXPECT_GT(count("SELECT COUNT(*) FROM PatientCharges WHERE ReferDoctorCode <> 0"), 0);
    EXPECT_GT(count("SELECT COUNT(*) FROM PatientCharges WHERE ReferDoctorCode = 0"), 0);
}

TEST_F(DemoPracticeTest, FacilitiesOfEveryTypeWithWardsAndCodesForEveryService)
{
    EXPECT_EQ(integers("SELECT DISTINCT FacilityTypeCode FROM Facility ORDER BY 1"),
              (std::vector<std::int64_t>{1, 2, 3, 4, 5}));
    EXPECT_EQ(integers("SELECT DISTINCT F.FacilityTypeCode FROM PatientCharges AS C INNER JOIN Facility AS F ON "
                       "F.FacilityCode = C.FacilityCode ORDER BY 1"),
              (std::vector<std::int64_t>{1, 2, 3, 4, 5}));
    EXPECT_EQ(count("SELECT COUNT(*) FROM Facility AS F WHERE NOT EXISTS (SELECT 1 FROM FacilityWards AS W "
                    "WHERE W.FacilityCode = F.FacilityCode)"),
              0);
    // The charge editor finds E&M codes for every facility type and charge type.
    EXPECT_EQ(count("SELECT COUNT(*) FROM FacilityTypes, ChargeTypes WHERE NOT EXISTS (SELECT 1 FROM "
                    "EvaluationManagement AS E WHERE E.FacilityTypeCode = FacilityTypes.FacilityTypeCode AND "
                    "E.ChargeTypeCode = ChargeTypes.ChargeTypeCode AND E.AttentionTypeCode = 2)"),
              0);
    for (const char* table : {"Insurance", "DiagnosisFamily", "Diagnosis", "Procedures", "Sickness",
                              "DoctorCoveringDoctors"})
        EXPECT_GT(count(std::string("SELECT COUNT(*) FROM ") + table), 0) << table;
    EXPECT_GE(count("SELECT COUNT(*) FROM Doctors"), 3);
}

TEST_F(DemoPracticeTest, PatientsFillEveryListOfThePatientsView)
{
    const std::int64_t patients = count("SELECT COUNT(*) FROM Patient");
    EXPECT_GE(patients, 200);
    EXPECT_EQ(integers("SELECT MIN(PatientId) FROM Patient"), std::vector<std::int64_t>{25000});
    EXPECT_EQ(count("SELECT MAX(PatientId) FROM Patient"), 25000 + patients - 1);
    const std::regex lastFirst("[A-Z][A-Za-z' -]+, [A-Z][A-Za-z]+");
    for (const auto& row : query("SELECT Names FROM Patient").rows)
        EXPECT_TRUE(std::regex_match(textOf(row[0]), lastFirst)) << textOf(row[0]);

    for (const char* savedQuery : {"PatientsDescriptiveInconsistent", "PatientsDescriptiveAdmitted",
                                   "PatientsDescriptiveNotAdmitted", "PatientsDescriptiveDupDOB",
                                   "PatientsDescriptiveDupName", "PatientsDescriptiveDupDOBName",
                                   "PatientsDescriptiveDupAccount", "PatientsHistoryDescriptive"})
        EXPECT_GT(count(std::string("SELECT COUNT(*) FROM ") + savedQuery), 0) << savedQuery;
}

TEST_F(DemoPracticeTest, AdmittedPatientsLieInAWardOfTheirFacilityWithTheirAttendingDoctor)
{
    EXPECT_EQ(count("SELECT COUNT(*) FROM Patient AS P WHERE P.InFacilityCode <> 0 AND NOT EXISTS (SELECT 1 FROM "
                    "FacilityWards AS W WHERE W.WardCode = P.InWardCode AND W.FacilityCode = P.InFacilityCode)"),
              0);
    EXPECT_EQ(count("SELECT COUNT(*) FROM Patient AS P WHERE P.InFacilityCode <> 0 AND NOT EXISTS (SELECT 1 FROM "
                    "PatientDoctors AS D WHERE D.PatientId = P.PatientId AND D.DoctorCode = P.InDoctorCode AND "
                    "D.AttentionTypeCode = 1 AND D.Frequency = 1)"),
              0);
    EXPECT_GT(count("SELECT COUNT(*) FROM PatientDoctors WHERE AttentionTypeCode <> 1"), 0);
    EXPECT_EQ(count("SELECT COUNT(*) FROM Patient WHERE InFacilityCode = 0 AND (InWardCode <> 0 OR InDoctorCode <> 0)"),
              0);
}

TEST_F(DemoPracticeTest, GoesOnlyIntoANewDatabase)
{
    const std::int64_t charges = count("SELECT COUNT(*) FROM PatientCharges");
    std::string error;
    EXPECT_FALSE(practicedb::loadDemoPractice(databasePath, error));
    EXPECT_NE(error.find("already holds"), std::string::npos) << error;
    EXPECT_EQ(count("SELECT COUNT(*) FROM PatientCharges"), charges);

    const std::string missing = folder.file("missing.mdb");
    EXPECT_FALSE(practicedb::loadDemoPractice(missing, error));
    EXPECT_FALSE(std::filesystem::exists(missing));
}

TEST_F(DemoPracticeTest, IsTheSamePracticeEveryTime)
{
    const std::string otherPath = folder.file("other.mdb");
    std::string error;
    ASSERT_TRUE(practicedb::createPracticeDatabase(otherPath, error)) << error;
    ASSERT_TRUE(practicedb::loadDemoPractice(otherPath, error)) << error;
    const auto other = openPracticeDatabase(otherPath, error);
    ASSERT_TRUE(other) << error;
    for (const char* table : {"Patient", "PatientCharges", "ChargeDiagnosis", "ChargeProcedures", "PatientDoctors",
                              "PatientHistory", "EvaluationManagement"}) {
        const std::string sql = std::string("SELECT * FROM ") + table;
        jet::Rows otherRows;
        ASSERT_TRUE(other->query(sql, otherRows, error)) << error;
        EXPECT_EQ(query(sql).rows, otherRows.rows) << table;
    }
}

}  // namespace
