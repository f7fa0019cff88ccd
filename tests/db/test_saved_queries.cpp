// Every saved query opens as the program opens it, with exactly the columns the program
// reads; row-state columns read 0; rows that name something missing are still listed.
#include "PracticeDatabaseTest.h"

#include <algorithm>
#include <cctype>

namespace {

struct ExpectedQuery {
    std::string name;
    std::vector<std::string> columns;
};

const std::vector<std::string> kPatientColumns = {
    "PatientId", "Names", "DateOfBirth", "AccountNumber", "InsuranceCode", "Description", "FacilityName",
    "InFacilityCode", "InWardCode", "InDoctorCode"};

const std::vector<ExpectedQuery>& expectedQueries()
{
    static const std::vector<ExpectedQuery> queries = {
        {"PatientsDescriptive", kPatientColumns},
        {"PatientsDescriptiveInconsistent", kPatientColumns},
        {"PatientsDescriptiveAdmitted", kPatientColumns},
        {"PatientsDescriptiveNotAdmitted", kPatientColumns},
        {"PatientsDescriptiveDupDOB", kPatientColumns},
        {"PatientsDescriptiveDupName", kPatientColumns},
        {"PatientsDescriptiveDupDOBName", kPatientColumns},
        {"PatientsDescriptiveDupAccount", kPatientColumns},
        {"ChargesDescriptive",
         {"PatientId", "ChargeDate", "ChargeTime", "ChargeRealDate", "FacilityCode", "EMCode", "DoctorCode",
          "ReferDoctorCode", "Status", "PrintLot", "statusDescription", "Names", "DateOfBirth", "AccountNumber",
          "InsuranceCode", "Insurance", "Doctor", "Facility", "EMDescription", "ReferDoctor", "ChargeTypeCode",
          "BillingDoctorCode", "BillingReferDoctorCode", "BillingFacilityCode", "BillingFacilityCodeOut",
          "BillingEMCode", "RealEMCode"}},
        {"ChargeDiagnosisDescriptive",
         {"PatientId", "ChargeDate", "ChargeTime", "DiagnosisCode", "Description", "checked"}},
        {"ChargeProceduresDescriptive",
         {"PatientId", "ChargeDate", "ChargeTime", "ProcedureCode", "Description", "checked"}},
        {"PatientsHistoryDescriptive", {"PatientId", "SicknessCode", "SicknessTypeCode", "Description", "checked"}},
        {"PatientDoctorsDescriptive",
         {"PatientId", "DoctorCode", "AttentionTypeCode", "Frequency", "Names", "AttentionTypeDescription",
          "FrequencyDescription", "checked"}},
        {"DoctorsDescriptive", {"DoctorCode", "Names", "AttentionTypeCode"}},
        {"Coverage", {"DoctorCode", "CoveringDoctorCode", "Names", "checked"}},
        {"DiagnosisDescriptive",
         {"DiagnosisCode", "Description", "DiagnosisFamilyCode", "RealDiagnosisCode", "BillingDiagnosisCode",
          "FamilyDesc"}},
        {"FacilitiesDescriptive",
         {"FacilityCode", "Description", "FacilityTypeCode", "BillingFacilityCode", "BillingFacilityCodeOut",
          "TypeDescription"}},
        {"SicknessDescriptive", {"SicknessCode", "Description", "SicknessTypeCode", "SicknessTypeDescription"}},
        {"EMCodesDescriptive",
         {"EMCode", "Description", "FacilityTypeCode", "ChargeTypeCode", "AttentionTypeCode", "BillingEMCode",
          "RealEMCode", "ShowOnFirst", "ShowOnNext", "IsDischarge", "FacilityTypeDescription",
          "ChargeTypeDescription", "AttentionTypeDescription"}},
    };
    return queries;
}

bool sameName(const std::string& left, const std::string& right)
{
    return std::equal(left.begin(), left.end(), right.begin(), right.end(),
                      [](char a, char b) { return std::tolower(a) == std::tolower(b); });
}

// Finds a column as the program does: without regard to case.
std::size_t columnIndex(const jet::Rows& rows, const std::string& name)
{
    for (std::size_t i = 0; i < rows.columns.size(); ++i)
        if (sameName(rows.columns[i].name, name))
            return i;
    ADD_FAILURE() << "no column " << name;
    return 0;
}

jet::Value text(const char* value)
{
    return jet::Value(std::string(value));
}

jet::Value number(std::int64_t value)
{
    return jet::Value(value);
}

// A small practice written with the program's own statements: every saved query has rows.
class SavedQueriesTest : public PracticeDatabaseTest {
protected:
    void SetUp() override
    {
        PracticeDatabaseTest::SetUp();
        if (HasFatalFailure())
            return;
        for (const char* statement : {
                 "INSERT INTO Doctors (DoctorCode, Description, BillingDoctorCode) VALUES (1, 'Aster, Hal','BD1')",
                 "INSERT INTO Doctors (DoctorCode, Description, BillingDoctorCode) VALUES (2, 'Birch, Ida','BD2')",
                 "INSERT INTO DoctorCoveringDoctors (DoctorCode, CoveringDoctorCode) VALUES (1, 2)",
                 "INSERT INTO Facility (FacilityCode, Description, FacilityTypeCode, BillingFacilityCode, "
                 "BillingFacilityCodeOut) VALUES (1, 'Northgate',1, 'N21','N22')",
                 "INSERT INTO FacilityWards (WardCode, FacilityCode, Description) VALUES (1, 1, 'ICU')",
                 "INSERT INTO Insurance (InsuranceCode, Description, BillingInsuranceCode) VALUES (1, 'Crest','C1')",
                 "INSERT INTO DiagnosisFamily (DiagnosisFamilyCode, DiagnosisFamilyDescription) VALUES (1, 'Lungs')",
                 "INSERT INTO Diagnosis (DiagnosisCode, Description, DiagnosisFamilyCode, RealDiagnosisCode, "
                 "BillingDiagnosisCode) VALUES (1, 'Asthma',1,'J45','493')",
                 "INSERT INTO Procedures (ProcedureCode, Description, RealProcedureCode, BillingProcedureCode) "
                 "VALUES (1, 'Nebulizer', '94640','94640')",
                 "INSERT INTO Sickness (SicknessCode, Description, SicknessTypeCode) VALUES (1, 'Latex',0)",
                 "INSERT INTO EvaluationManagement (EMCode, Description, FacilityTypeCode, ChargeTypeCode, "
                 "AttentionTypeCode, BillingEMCode, RealEMCode, ShowOnFirst, ShowOnNext, IsDischarge) VALUES "
                 "(1, 'Initial hospital care',1,1,2,'H99222','99222',1,0,1)",
                 "INSERT INTO Patient (PatientId, [Names] , DateOfBirth, AccountNumber, InsuranceCode) "
                 "VALUES (25000, 'Able, Ann',#01/31/1950#, 'A1',1)",
                 "INSERT INTO PatientHistory (PatientId, SicknessCode, SicknessTypeCode) VALUES (25000, 1, 0)",
                 "INSERT INTO PatientDoctors (PatientId, DoctorCode, AttentionTypeCode, Frequency) "
                 "VALUES (25000, 1, 1, 1)",
                 "UPDATE Patient SET InFacilityCode=1,  InWardCode=1,  InDoctorCode=1,  "
                 "VXTS = #2026/12/07 10:15:00#  WHERE PatientId = 25000",
                 "INSERT INTO PatientCharges (PatientId, ChargeDate, ChargeTime, ChargeRealDate, FacilityCode, "
                 "EMCode, DoctorCode, ReferDoctorCode, Status) VALUES (25000, #12/07/2026#, #10:15:00#, "
                 "#12/06/2026#, 1,1,1,2,1)",
                 "UPDATE PatientCharges SET PrintLot = 202612071, [Status] = 1 WHERE PatientId=25000  "
                 "AND ChargeDate=#12/07/2026# AND ChargeTime =#10:15:00#",
                 "INSERT INTO ChargeDiagnosis (PatientId, ChargeDate, ChargeTime,  DiagnosisCode ) VALUES "
                 "(25000, #12/07/2026#, #10:15:00#, 1)",
                 "INSERT INTO ChargeProcedures (PatientId, ChargeDate, ChargeTime,  ProcedureCode ) VALUES "
                 "(25000, #12/07/2026#, #10:15:00#, 1)",
             })
            execute(statement);
    }
};

TEST_F(SavedQueriesTest, EverySavedQueryOpensWithExactlyItsColumns)
{
    for (const ExpectedQuery& expected : expectedQueries()) {
        SCOPED_TRACE(expected.name);
        const jet::Rows rows = query("SELECT * FROM " + expected.name);
        EXPECT_EQ(columnNames(rows), expected.columns);
        // An empty result still carries the columns: the program uses one as a template.
        EXPECT_EQ(columnNames(query("select * from " + expected.name + " where 1=0")), expected.columns);
    }
}

TEST_F(SavedQueriesTest, RowStateColumnsReadZeroForStoredRows)
{
    for (const ExpectedQuery& expected : expectedQueries()) {
        if (std::find(expected.columns.begin(), expected.columns.end(), "checked") == expected.columns.end())
            continue;
        SCOPED_TRACE(expected.name);
        const jet::Rows rows = query("SELECT * FROM " + expected.name);
        ASSERT_FALSE(rows.rows.empty());
        const std::size_t checked = columnIndex(rows, "checked");
        for (const auto& row : rows.rows)
            EXPECT_EQ(row[checked], number(0));
    }
}

TEST_F(SavedQueriesTest, ChargesDescriptiveSpellsOutTheCharge)
{
    const jet::Rows rows = query("SELECT * FROM ChargesDescriptive Where [status]=1 and ChargeRealDate >= "
                                 "#12/01/2026# and ChargeRealDate <= #12/07/2026# and DoctorCode= 1");
    ASSERT_EQ(rows.rows.size(), 1u);
    const auto field = [&](const char* name) { return rows.rows[0][columnIndex(rows, name)]; };
    EXPECT_EQ(field("ChargeDate"), text("2026-12-07"));
    EXPECT_EQ(field("ChargeTime"), text("10:15:00"));
    EXPECT_EQ(field("ChargeRealDate"), text("2026-12-06"));
    EXPECT_EQ(field("status"), number(1));
    EXPECT_EQ(field("StatusDescription"), text("Posted"));
    EXPECT_EQ(field("PrintLot"), number(202612071));
    EXPECT_EQ(field("Names"), text("Able, Ann"));
    EXPECT_EQ(field("Insurance"), text("Crest"));
    EXPECT_EQ(field("Doctor"), text("Aster, Hal"));
    EXPECT_EQ(field("ReferDoctor"), text("Birch, Ida"));
    EXPECT_EQ(field("BillingReferDoctorCode"), text("BD2"));
    EXPECT_EQ(field("Facility"), text("Northgate"));
    EXPECT_EQ(field("BillingFacilityCodeOut"), text("N22"));
    EXPECT_EQ(field("EMDescription"), text("Initial hospital care"));
    EXPECT_EQ(field("ChargeTypeCode"), number(1));
    EXPECT_EQ(field("RealEMCode"), text("99222"));
    // Dates and times keep their types through the query, so lists format them as dates.
    EXPECT_EQ(rows.columns[columnIndex(rows, "ChargeRealDate")].type, jet::ColumnType::Date);
    EXPECT_EQ(rows.columns[columnIndex(rows, "ChargeTime")].type, jet::ColumnType::Time);
    EXPECT_EQ(rows.columns[columnIndex(rows, "status")].type, jet::ColumnType::Integer16);

    execute("UPDATE PatientCharges SET [Status] = 2 WHERE PatientId=25000  AND ChargeDate=#12/07/2026# "
            "AND ChargeTime =#10:15:00#");
    EXPECT_EQ(query("SELECT statusDescription FROM ChargesDescriptive").rows.at(0).at(0), text("Archived"));
    execute("UPDATE PatientCharges SET [Status] = 0 WHERE PatientId=25000");
    EXPECT_EQ(query("SELECT statusDescription FROM ChargesDescriptive").rows.at(0).at(0), text("Ready"));
}

TEST_F(SavedQueriesTest, RowsNamingMissingRowsAreStillListed)
{
    // No referring doctor, a deleted doctor, facility, E&M code, insurance and codes.
    execute("UPDATE PatientCharges SET ReferDoctorCode = 0");
    for (const char* table : {"Doctors", "Facility", "EvaluationManagement", "Insurance", "Diagnosis",
                              "Procedures", "Sickness", "DiagnosisFamily"})
        execute(std::string("DELETE FROM ") + table);

    const jet::Rows charges = query("SELECT * FROM ChargesDescriptive");
    ASSERT_EQ(charges.rows.size(), 1u);
    for (const char* name : {"Doctor", "ReferDoctor", "Facility", "EMDescription", "Insurance"})
        EXPECT_TRUE(jet::isNull(charges.rows[0][columnIndex(charges, name)])) << name;
    EXPECT_EQ(charges.rows[0][columnIndex(charges, "Names")], text("Able, Ann"));

    for (const char* name : {"PatientsDescriptive", "ChargeDiagnosisDescriptive", "ChargeProceduresDescriptive",
                             "PatientsHistoryDescriptive", "PatientDoctorsDescriptive", "Coverage"})
        EXPECT_EQ(count(std::string("SELECT COUNT(*) FROM ") + name), 1) << name;

    execute("DELETE FROM Patient");
    EXPECT_EQ(count("SELECT COUNT(*) FROM ChargesDescriptive"), 1);
}

TEST_F(SavedQueriesTest, DescriptionsComeFromTheNamedRows)
{
    const auto first = [&](const std::string& sql) { return query(sql).rows.at(0); };
    EXPECT_EQ(first("SELECT FacilityName, Description FROM PatientsDescriptive WHERE PatientId=25000"),
              (std::vector<jet::Value>{text("Northgate"), text("Crest")}));
    EXPECT_EQ(first("select * from Coverage where DoctorCode=1"),
              (std::vector<jet::Value>{number(1), number(2), text("Birch, Ida"), number(0)}));
    EXPECT_EQ(first("Select * From PatientDoctorsDescriptive Where Patientid = 25000"),
              (std::vector<jet::Value>{number(25000), number(1), number(1), number(1), text("Aster, Hal"),
                                       text("Attending"), text("Daily"), number(0)}));
    EXPECT_EQ(first("SELECT * FROM DoctorsDescriptive WHERE DoctorCode=2"),
              (std::vector<jet::Value>{number(2), text("Birch, Ida"), number(0)}));
    EXPECT_EQ(first("SELECT FamilyDesc FROM DiagnosisDescriptive WHERE DiagnosisCode=1"),
              (std::vector<jet::Value>{text("Lungs")}));
    EXPECT_EQ(first("SELECT TypeDescription FROM FacilitiesDescriptive WHERE FacilityCode=1"),
              (std::vector<jet::Value>{text("Hospitals")}));
    EXPECT_EQ(first("SELECT SicknessTypeDescription FROM SicknessDescriptive WHERE SicknessCode=1"),
              (std::vector<jet::Value>{text("Allergies")}));
    EXPECT_EQ(first("SELECT FacilityTypeDescription, ChargeTypeDescription, AttentionTypeDescription "
                    "FROM EMCodesDescriptive WHERE EMCode=1"),
              (std::vector<jet::Value>{text("Hospitals"), text("Inpatient Visit"), text("Primary Care")}));
    EXPECT_EQ(first("SELECT Description FROM ChargeDiagnosisDescriptive"), (std::vector<jet::Value>{text("Asthma")}));
    EXPECT_EQ(first("SELECT Description FROM ChargeProceduresDescriptive"),
              (std::vector<jet::Value>{text("Nebulizer")}));
    EXPECT_EQ(first("select * from PatientsHistoryDescriptive Where PatientId=25000"),
              (std::vector<jet::Value>{number(25000), number(1), number(0), text("Latex"), number(0)}));
}

}  // namespace
