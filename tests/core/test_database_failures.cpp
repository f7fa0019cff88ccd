// What the clerk reads when the database refuses a write.
#include "AppGlobals.h"
#include "DataRoutinesTest.h"
#include "JetConnection.h"
#include "PracticeDatabase.h"
#include "VNSQLCharges.h"
#include "VNSQLInsurances.h"
#include "VNSQLPatients.h"

#include <filesystem>

namespace {

class DatabaseFailures : public DataRoutinesTest {
protected:
    // A second program on the same database file, as a HotSync is.
    std::unique_ptr<jet::Connection> otherProgram()
    {
        std::string error;
        auto connection = jet::Connection::open(practicedb::connectionSettings(databasePath.toStdString()), error);
        EXPECT_TRUE(connection) << error;
        return connection;
    }
};

}  // namespace

TEST_F(DatabaseFailures, ArePlainSentencesWithTheDatabasesTextAtMostAsDetail)
{
    QDate chargeDate;
    QTime chargeTime;
    QString error;
    EXPECT_EQ(InsertCharge(25001, chargeDate, chargeTime, QDate(2026, 12, 7), 1, 1, 0, 1, ";5;5;", ";", 0, error), 2);
    EXPECT_EQ(error.toStdString(), "The same diagnosis is entered twice on this charge.");

    // Merging two patients whose charges were taken at the same moment.
    for (int patientId : {25001, 25002})
        run(QString("INSERT INTO PatientCharges (PatientId, ChargeDate, ChargeTime) VALUES (%1, '2026-12-07', "
                    "'10:00:00')")
                .arg(patientId));
    EXPECT_EQ(MovePatientCharges(25001, 25002, error), 1);
    EXPECT_EQ(error.toStdString(), "A charge for this patient at this date and time already exists.");

    const auto hotSync = otherProgram();
    ASSERT_TRUE(hotSync);
    std::string description;
    ASSERT_TRUE(hotSync->beginTrans(description)) << description;
    qint16 insuranceCode = 0;
    EXPECT_EQ(InsertInsurance(insuranceCode, "Blue", "B", error), 1);
    EXPECT_EQ(error.toStdString(), "The database is busy: another program, a HotSync perhaps, is using it. Please "
                                   "try again in a moment.\n\nDetails: database is locked");
    ASSERT_TRUE(hotSync->rollbackTrans(description)) << description;
    EXPECT_TRUE(shownMessages.isEmpty()) << shownMessages.join("|").toStdString();
}

TEST_F(DatabaseFailures, ASaveAfterTheFileWasReplacedIsRefusedAndSaysWhy)
{
    run("INSERT INTO PatientCharges (PatientId, ChargeDate, ChargeTime) VALUES (25001, '2026-12-07', '10:00:00')");
    // A backup restored as cp and mv do it, while the program runs.
    const std::string path = databasePath.toStdString();
    std::filesystem::copy_file(path, path + ".restoring");
    std::filesystem::rename(path + ".restoring", path);

    const std::string refused = "The database file was replaced or deleted while Vantora was running (a backup "
                            "restored, perhaps), so nothing was saved. Please close Vantora and start it again.\n\n"
                            "Details: The database file was replaced or removed while it was open; nothing was "
                            "written to it.";
    QString error;
    qint16 insuranceCode = 0;
    EXPECT_EQ(InsertInsurance(insuranceCode, "Blue", "B", error), 1);
    EXPECT_EQ(error.toStdString(), refused);
    // A statement of its own, outside a transaction.
    EXPECT_EQ(DeleteCharge(25001, QDate(2026, 12, 7), QTime(10, 0), error), 1);
    EXPECT_EQ(error.toStdString(), refused);
    EXPECT_TRUE(shownMessages.isEmpty()) << shownMessages.join("|").toStdString();
}
