// A patient id stands for one person on every handheld: the desktop gives no id a handheld may
// still hold, and a handheld cannot delete a patient the desktop still needs. The desktop side
// runs through the desktop program's own patient routines.
#include "SyncTestEnvironment.h"

#include "AppGlobals.h"
#include "JetConnection.h"
#include "PracticeDatabase.h"
#include "SyncManager.h"
#include "VNSQLPatients.h"

using demohandheld::Patient;
using demohandheld::stamp;

namespace {

const std::string kSynchronisedStamp = "#2026-12-01 08:00:00#";
const Patient kHartigan{25298, "HARTIGAN, AMBROSE", "1940-05-06", "HA-1", 1};
const Patient kQuill{25299, "QUILL, OTTO", "1938-11-20", "QO-9", 3, 2, 5, 1};

class PatientIdsTest : public SyncTest {
protected:
    void SetUp() override
    {
        SyncTest::SetUp();
        std::string error;
        Globals().DbConnection = jet::Connection::open(practicedb::connectionSettings(databasePath), error);
        ASSERT_TRUE(Globals().DbConnection) << error;
        firstHandheld = handheldFolder;
        secondHandheld = addHandheld("Second", "Dr Bo", 77);
    }

    void TearDown() override
    {
        ResetGlobals();
        SyncTest::TearDown();
    }

    void synchroniseBoth()
    {
        useHandheld(firstHandheld);
        synchronise();
        useHandheld(secondHandheld);
        synchronise();
    }

    std::string nameOnHandheld(int patientId)
    {
        return demohandheld::patientField(handheldPatient(patientId).bytes, "names");
    }

    std::string firstHandheld;
    std::string secondHandheld;
};

TEST_F(PatientIdsTest, ANewPatientNeverTakesTheIdOfOneAHandheldStillHolds)
{
    insertDesktopPatient(kHartigan, kSynchronisedStamp);
    insertDesktopPatient(kQuill, kSynchronisedStamp);
    execute("INSERT INTO PatientHistory (PatientId, SicknessCode, SicknessTypeCode) VALUES (25299, 1, 1)");
    synchroniseBoth();

    QString error;
    ASSERT_EQ(DeletePatient(25299, error), 0) << error.toStdString();
    qint16 newmanId = 0;
    ASSERT_EQ(InsertPatient(newmanId, "Newman, Quentin", QDate(1971, 3, 2), "NQ-7", 2, {}, error), 0) << error.toStdString();
    ASSERT_EQ(InsertPatientHistory(newmanId, 4, 1, error), 0) << error.toStdString();
    EXPECT_NE(newmanId, 25299) << "the handhelds still hold patient 25299";

    // The second handheld has changed nothing: the old patient leaves it, Newman arrives on his own.
    useHandheld(secondHandheld);
    synchronise();
    EXPECT_EQ(nameOnHandheld(newmanId), "'Newman, Quentin'");
    EXPECT_FALSE(handheldHasPatient(25299));

    // A doctor moved the old patient to another ward on the first handheld meanwhile.
    useHandheld(firstHandheld);
    Patient moved = kQuill;
    moved.ward = 6;
    editOnHandheld(moved, stamp(2026, 12, 8, 9, 30, 0));
    synchronise();
    EXPECT_EQ(text("SELECT [Names] FROM Patient WHERE PatientId = " + std::to_string(newmanId)), "Newman, Quentin");
    EXPECT_EQ(text("SELECT AccountNumber FROM Patient WHERE PatientId = " + std::to_string(newmanId)), "NQ-7");
    EXPECT_EQ(desktopHistory(newmanId), "4;");
    EXPECT_EQ(nameOnHandheld(newmanId), "'Newman, Quentin'");
    EXPECT_EQ(text("SELECT InWardCode FROM Patient WHERE PatientId = 25299"), "6")
        << "the handheld's change brings the old patient back under his own id";

    useHandheld(secondHandheld);
    synchronise();
    EXPECT_EQ(nameOnHandheld(newmanId), "'Newman, Quentin'");
    EXPECT_EQ(nameOnHandheld(25299), "'QUILL, OTTO'");
}

TEST_F(PatientIdsTest, AHandheldCannotDeleteAPatientWhoHasCharges)
{
    insertDesktopPatient(kHartigan, kSynchronisedStamp);
    insertDesktopPatient(kQuill, kSynchronisedStamp);
    execute("INSERT INTO PatientCharges (PatientId, ChargeDate, ChargeTime, ChargeRealDate, FacilityCode, EMCode, "
            "DoctorCode) VALUES (25298, #12/01/2026#, #10:00:00#, #12/01/2026#, 1, 1, 1)");
    execute("INSERT INTO PatientHistory (PatientId, SicknessCode, SicknessTypeCode) VALUES (25298, 1, 1)");
    execute("INSERT INTO PatientDoctors (PatientId, DoctorCode, AttentionTypeCode, Frequency) VALUES (25299, 2, 1, 1)");
    synchroniseBoth();

    useHandheld(firstHandheld);
    editOnHandheld(kHartigan, stamp(2026, 12, 8, 9, 0, 0), 8);
    editOnHandheld(kQuill, stamp(2026, 12, 8, 9, 0, 0), 8);
    synchronise();

    EXPECT_TRUE(logged("Patient 25298 has 1 charge on the desktop: the handheld's deletion was refused and the "
                       "record sent back"))
        << logText();
    EXPECT_EQ(text("SELECT [Names] FROM Patient WHERE PatientId = 25298"), "HARTIGAN, AMBROSE");
    EXPECT_EQ(desktopHistory(25298), "1;");
    hotsync::PalmRecord hartigan = handheldPatient(25298);
    EXPECT_EQ(hartigan.category & 8, 0);
    EXPECT_EQ(hartigan.flags & SYNC_REC_DIRTY, 0);
    ASSERT_EQ(storedDatabase(demohandheld::kHistoryDatabase).records.size(), 1u);
    EXPECT_EQ(storedDatabase(demohandheld::kHistoryDatabase).records[0].bytes, demohandheld::historyBytes(25298, 1, 1));

    // A patient without charges goes, with the visiting doctors that were his alone.
    EXPECT_EQ(count("SELECT COUNT(*) FROM Patient WHERE PatientId = 25299"), 0);
    EXPECT_EQ(count("SELECT COUNT(*) FROM PatientDoctors WHERE PatientId = 25299"), 0);

    useHandheld(secondHandheld);
    synchronise();
    EXPECT_EQ(nameOnHandheld(25298), "'HARTIGAN, AMBROSE'");
    EXPECT_FALSE(handheldHasPatient(25299));
}

}  // namespace
