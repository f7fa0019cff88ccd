// The patients list's filters select the right patients.
#include "PracticeDatabaseTest.h"

namespace {

class PatientFiltersTest : public PracticeDatabaseTest {
protected:
    void SetUp() override
    {
        PracticeDatabaseTest::SetUp();
        if (HasFatalFailure())
            return;
        execute("INSERT INTO Insurance (InsuranceCode, Description, BillingInsuranceCode) VALUES (1, 'Crest','C1')");
        execute("INSERT INTO Facility (FacilityCode, Description, FacilityTypeCode, BillingFacilityCode, "
                "BillingFacilityCodeOut) VALUES (1, 'Northgate',1, 'N21','N22')");
        addPatient(25000, "'Able, Ann'", "'1950-01-01'", "'A1'", 1);
        addPatient(25001, "'Baker, Bob'", "'1960-02-02'", "'A2'", 1, 1);
        addPatient(25002, "'Cole, Cy'", "NULL", "'A3'", 1);        // no date of birth
        addPatient(25003, "'Dunn, Di'", "'1971-01-01'", "''", 1);  // no account
        addPatient(25004, "'Egan, Ed'", "'1972-01-01'", "'A5'", 0);  // no insurance
        addPatient(25005, "'Frey, Flo'", "'1973-01-01'", "'A6'", 9);  // an insurance that is gone
        addPatient(25006, "'ABLE, ANN'", "'1950-01-01'", "'A7'", 1);  // 25000 again
        addPatient(25007, "'Gray, Gus'", "'1960-02-02'", "'A8'", 1);  // born with 25001
        addPatient(25008, "'Baker, Bob'", "'1980-03-03'", "'A2'", 1, 1);  // 25001's name and account
        addPatient(25009, "'Hale, Hu'", "'1974-01-01'", "NULL", 1);  // no account either
        addPatient(25010, "'Ives, Io'", "NULL", "'A9'", 1);  // no date of birth either
        addPatient(25011, "''", "'1975-01-01'", "'A10'", 1);  // no name
        addPatient(25012, "''", "'1976-01-01'", "'A11'", 1);  // no name either
    }

    void addPatient(int id, const char* names, const char* birth, const char* account, int insurance,
                    int facility = 0)
    {
        execute("INSERT INTO Patient (PatientId, Names, DateOfBirth, AccountNumber, InsuranceCode, InFacilityCode) "
                "VALUES (" + std::to_string(id) + ", " + names + ", " + birth + ", " + account + ", " +
                std::to_string(insurance) + ", " + std::to_string(facility) + ")");
    }

    std::vector<std::int64_t> ids(const std::string& savedQuery)
    {
        return integers("SELECT PatientId FROM " + savedQuery + " ORDER BY PatientId");
    }
};

using Ids = std::vector<std::int64_t>;

TEST_F(PatientFiltersTest, IncompleteListsPatientsMissingBillingData)
{
    EXPECT_EQ(ids("PatientsDescriptiveInconsistent"), (Ids{25002, 25003, 25004, 25005, 25009, 25010, 25011, 25012}));
}

TEST_F(PatientFiltersTest, AdmittedAndNotAdmittedSplitAllPatients)
{
    EXPECT_EQ(ids("PatientsDescriptiveAdmitted"), (Ids{25001, 25008}));
    EXPECT_EQ(count("SELECT COUNT(*) FROM PatientsDescriptiveNotAdmitted"), 11);
    EXPECT_EQ(count("SELECT COUNT(*) FROM PatientsDescriptiveNotAdmitted WHERE PatientId IN (25001, 25008)"), 0);

    // Discharge writes 0; a patient row without any admission value counts as not admitted.
    execute("UPDATE Patient SET InFacilityCode=0,  LastChargeDate = #1990/01/01#,  InWardCode=0,  InDoctorCode=0,  "
            "VXTS = #2026/12/07 10:15:00#  WHERE PatientId = 25001");
    execute("UPDATE Patient SET InFacilityCode=NULL WHERE PatientId = 25008");
    EXPECT_EQ(ids("PatientsDescriptiveAdmitted"), Ids{});
    EXPECT_EQ(count("SELECT COUNT(*) FROM PatientsDescriptiveNotAdmitted"), 13);
}

TEST_F(PatientFiltersTest, DuplicateListsPairPatientsSharingTheirData)
{
    EXPECT_EQ(ids("PatientsDescriptiveDupDOB"), (Ids{25000, 25001, 25006, 25007}));
    EXPECT_EQ(ids("PatientsDescriptiveDupName"), (Ids{25000, 25001, 25006, 25008}));
    EXPECT_EQ(ids("PatientsDescriptiveDupDOBName"), (Ids{25000, 25006}));
    EXPECT_EQ(ids("PatientsDescriptiveDupAccount"), (Ids{25001, 25008}));
}

TEST_F(PatientFiltersTest, EveryFilterListsAPatientOnceWithItsDescriptions)
{
    // The patient joins one insurance and one facility: no filter repeats a patient.
    for (const char* savedQuery : {"PatientsDescriptive", "PatientsDescriptiveInconsistent",
                                   "PatientsDescriptiveAdmitted", "PatientsDescriptiveNotAdmitted",
                                   "PatientsDescriptiveDupDOB", "PatientsDescriptiveDupName",
                                   "PatientsDescriptiveDupDOBName", "PatientsDescriptiveDupAccount"})
        EXPECT_EQ(count(std::string("SELECT COUNT(*) FROM ") + savedQuery),
                  count(std::string("SELECT COUNT(DISTINCT PatientId) FROM ") + savedQuery))
            << savedQuery;
    EXPECT_EQ(query("SELECT FacilityName, Description FROM PatientsDescriptiveAdmitted WHERE PatientId = 25001").rows,
              (std::vector<std::vector<jet::Value>>{{jet::Value(std::string("Northgate")),
                                                     jet::Value(std::string("Crest"))}}));
}

}  // namespace
