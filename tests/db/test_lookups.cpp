// The lookup rows an installation provides.
#include "PracticeDatabaseTest.h"

namespace {

using Row = std::vector<jet::Value>;

jet::Value number(std::int64_t value)
{
    return jet::Value(value);
}

jet::Value text(const char* value)
{
    return jet::Value(std::string(value));
}

class LookupsTest : public PracticeDatabaseTest {};

TEST_F(LookupsTest, FacilityAndSicknessTypesHaveTheirFixedRowsInOrder)
{
    EXPECT_EQ(query("select * from FacilityTypes").rows,
              (std::vector<Row>{{number(1), text("Hospitals")},
                                {number(2), text("Extended Care Facilities")},
                                {number(3), text("Home")},
                                {number(4), text("Board & Care")},
                                {number(5), text("Office")}}));
    EXPECT_EQ(query("select * from SicknessType").rows,
              (std::vector<Row>{{number(0), text("Allergies")},
                                {number(1), text("Medical History")},
                                {number(2), text("Surgical History")}}));
}

TEST_F(LookupsTest, ChargeTypesRunFromOneInListOrderWithADoctorCaption)
{
    // The charge editor picks charge type n as list item n - 1; type 1 is the inpatient
    // visit, the one admitted patients get.
    const jet::Rows rows = query("select * from ChargeTypes");
    ASSERT_GE(rows.rows.size(), 2u);
    for (std::size_t i = 0; i < rows.rows.size(); ++i) {
        EXPECT_EQ(rows.rows[i][0], number(std::int64_t(i) + 1));
        for (std::size_t column : {1u, 2u}) {
            const auto* value = std::get_if<std::string>(&rows.rows[i][column]);
            ASSERT_TRUE(value);
            EXPECT_FALSE(value->empty());
        }
    }
    EXPECT_EQ(rows.rows[0][1], text("Inpatient Visit"));
    EXPECT_EQ(rows.rows[1][1], text("Outpatient Visit"));
}

TEST_F(LookupsTest, AttendingRoleAndFirstFrequencyExist)
{
    // Admission records the attending doctor with attention type 1 and frequency 1.
    EXPECT_EQ(query("select * from AttentionTypes where AttentionTypeCode = 1").rows,
              (std::vector<Row>{{number(1), text("Attending")}}));
    EXPECT_EQ(query("select * from Frequency where Frequency = 1").rows, (std::vector<Row>{{number(1), text("Daily")}}));
    EXPECT_GE(count("select count(*) from AttentionTypes"), 2);
    EXPECT_GE(count("select count(*) from Frequency"), 2);
}

TEST_F(LookupsTest, ANewDatabaseHoldsNoPracticeData)
{
    for (const char* table : {"PatientCharges", "ChargeDiagnosis", "ChargeProcedures", "Patient", "PatientHistory",
                              "PatientDoctors", "Doctors", "DoctorCoveringDoctors", "Facility", "FacilityWards",
                              "Insurance", "Procedures", "Diagnosis", "DiagnosisFamily", "Sickness",
                              "EvaluationManagement", "VXUSERS", "VXPatient"})
        EXPECT_EQ(count(std::string("SELECT COUNT(*) FROM ") + table), 0) << table;
}

}  // namespace
