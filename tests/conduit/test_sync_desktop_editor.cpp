// A clerk's patient editor open while a HotSync brings the handheld's change of that patient:
// the desktop program's save must not write the older fields back over it.
#include "SyncTestEnvironment.h"

#include "AppGlobals.h"
#include "JetConnection.h"
#include "PracticeDatabase.h"
#include "VNSQLPatients.h"

#include <QDate>

using demohandheld::Patient;
using demohandheld::stamp;

namespace {

const Patient kAnn{1001, "ANN O'HARA", "1961-04-09", "A-1", 2};

class DesktopEditorTest : public SyncTest {
protected:
    void SetUp() override
    {
        SyncTest::SetUp();
        registerHandheld();
        std::string error;
        Globals().DbConnection = jet::Connection::open(practicedb::connectionSettings(databasePath), error);
        ASSERT_TRUE(Globals().DbConnection) << error;
    }

    void TearDown() override
    {
        ResetGlobals();
        SyncTest::TearDown();
    }
};

TEST_F(DesktopEditorTest, APatientSaveAfterAHotSyncChangedThePatientIsRefused)
{
    storePatients({changedPatient(7, stamp(2026, 12, 7, 10, 15, 0), kAnn)});
    synchronise();
    ASSERT_EQ(text("SELECT [Names] FROM Patient WHERE PatientId = 1001"), "ANN O'HARA");

    // The clerk opens Ann; then the handheld's change of her name comes in.
    StoredState opened;
    QString error;
    ASSERT_TRUE(opened.Read(StoredPatient(1001), error)) << error.toStdString();
    Patient renamed = kAnn;
    renamed.names = "ANN O'HARA-LEE";
    storePatients({changedPatient(7, stamp(2026, 12, 8, 9, 0, 0), renamed)});
    synchronise();
    ASSERT_EQ(text("SELECT [Names] FROM Patient WHERE PatientId = 1001"), "ANN O'HARA-LEE");

    // The clerk changes only the account and saves what the editor shows.
    EXPECT_EQ(UpdatePatient(1001, "ANN O'HARA", QDate(1961, 4, 9), "A-9", 2, {}, opened, error), 2);
    EXPECT_EQ(error.toStdString(), "This patient was changed by another user or a HotSync after you opened it. Nothing "
                                   "was stored: close this window and open the patient again to see the change.");
    EXPECT_EQ(text("SELECT [Names] FROM Patient WHERE PatientId = 1001"), "ANN O'HARA-LEE");
    EXPECT_EQ(text("SELECT AccountNumber FROM Patient WHERE PatientId = 1001"), "A-1");
    EXPECT_EQ(text("SELECT VXTS FROM Patient WHERE PatientId = 1001"), "2026-12-08 09:00:00");
}

}  // namespace
