// The conduit's own tables answer the statements the conduit builds.
#include "PracticeDatabaseTest.h"

namespace {

class ConduitTablesTest : public PracticeDatabaseTest {};

TEST_F(ConduitTablesTest, TerminalRegistrationNumbersHandhelds)
{
    const jet::Rows none = query("SELECT MAX(TerminalId) AS LastTerm FROM VXUSERS");
    ASSERT_EQ(none.rows.size(), 1u);
    EXPECT_EQ(none.columns.at(0).name, "LastTerm");
    EXPECT_TRUE(jet::isNull(none.rows[0][0]));

    execute("INSERT INTO VXUsers (PDTId, TerminalId, PDTOwner) VALUES (3141592, 1, 'Front Desk')");
    execute("INSERT INTO VXUsers (PDTId, TerminalId, PDTOwner) VALUES (2718281, 2, 'Dr. Aster')");
    EXPECT_EQ(count("SELECT MAX(TerminalId) AS LastTerm FROM VXUSERS"), 2);
    EXPECT_EQ(query("SELECT * FROM VXUSERS WHERE PDTId=3141592").rows.size(), 1u);
    EXPECT_FALSE(tryExecute("INSERT INTO VXUsers (PDTId, TerminalId, PDTOwner) VALUES (3141592, 3, 'Again')"));
}

TEST_F(ConduitTablesTest, PatientMirrorKeepsEachHandheldsRecords)
{
    execute("INSERT INTO Patient (PatientId, [Names] , DateOfBirth, AccountNumber, InsuranceCode) "
            "VALUES (25000, 'Able, Ann',#01/31/1950#, 'A1',1)");
    execute("INSERT INTO Patient (PatientId, [Names] , DateOfBirth, AccountNumber, InsuranceCode) "
            "VALUES (25001, 'Baker, Bob',#02/28/1960#, 'A2',1)");
    // What the conduit writes after giving both patients to two handhelds.
    for (const char* handheld : {"11", "22"}) {
        execute(std::string("INSERT INTO VXPatient ([VXTS] ,[PatientId] ,[Names] ,[AccountNumber] ,PDTId, PDTRecordId) "
                            "VALUES (#2026-12-07 10:15:00#,25000,'Able, Ann','A1',") +
                handheld + ",7001)");
        execute(std::string("INSERT INTO VXPatient ([VXTS] ,[PatientId] ,[Names] ,[AccountNumber] ,PDTId, PDTRecordId) "
                            "VALUES (#2026-12-07 10:15:00#,25001,'Baker, Bob','A2',") +
                handheld + ",7002)");
    }
    EXPECT_FALSE(tryExecute("INSERT INTO VXPatient ([PatientId] ,PDTId, PDTRecordId) VALUES (25002,11,7001)"));

    // The desktop changes one patient's account: the changed-rows pass finds it once per handheld.
    execute("UPDATE Patient SET AccountNumber='B2' WHERE PatientId = 25001");
    const jet::Rows changed = query(
        "SELECT Patient.[VXTS],Patient.[PatientId],Patient.[AccountNumber],PDTRecordId FROM VXPatient INNER JOIN "
        "Patient ON VXPatient.[PatientId]=Patient.[PatientId] WHERE PDTId = 11 AND "
        "(VXPatient.[AccountNumber]<>Patient.[AccountNumber])");
    ASSERT_EQ(changed.rows.size(), 1u);
    EXPECT_EQ(changed.rows[0][3], jet::Value(std::int64_t(7002)));

    execute("DELETE FROM VXPatient WHERE PDTId = 11 AND PDTRecordId = 7002");
    EXPECT_EQ(execute("DELETE FROM VXPatient  WHERE PDTId = 22"), 2);
    EXPECT_EQ(integers("SELECT PDTRecordId FROM VXPatient"), std::vector<std::int64_t>{7001});
    EXPECT_EQ(query("SELECT VXTS FROM VXPatient").rows.at(0).at(0), jet::Value(std::string("2026-12-07 10:15:00")));
}

}  // namespace
