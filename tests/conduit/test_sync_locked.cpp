// Another program holding the practice database's write lock past the time-out stops the HotSync
// before anything reaches the handheld; the next HotSync then sends every row once.
#include "SyncTestEnvironment.h"

TEST_F(SyncTest, ALockedDatabaseStopsTheHotSyncBeforeTheHandheldIsWritten)
{
    registerHandheld();
    execute("INSERT INTO Patient (PatientId, [Names]) VALUES (25001, 'FIRST')");
    execute("INSERT INTO Patient (PatientId, [Names]) VALUES (25002, 'SECOND')");
    std::string error;
    ASSERT_TRUE(desktop->beginTrans(error)) << error;
    execute("UPDATE Patient SET [Names] = 'BEING EDITED' WHERE PatientId = 25002");
    synchroniseUntilTheRunEnds();
    ASSERT_TRUE(desktop->commitTrans(error)) << error;

    EXPECT_TRUE(logged("The practice database is locked by another program: the HotSync stopped.")) << logText();
    EXPECT_TRUE(storedPatients().records.empty());
    synchronise();
    ASSERT_EQ(storedPatients().records.size(), 2u) << "each row is sent once";
    EXPECT_EQ(demohandheld::patientField(handheldPatient(25002).bytes, "names"), "'BEING EDITED'");
    EXPECT_EQ(count("SELECT COUNT(*) FROM VXPatient"), 2);
}
