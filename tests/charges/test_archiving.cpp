#include "ClerksFixture.h"

#include "DatePicker.h"
#include "frmArchiveCharges.h"
#include "frmCharges.h"

#include <QPushButton>
#include <QRadioButton>

namespace {

class ArchivingTest : public ClerksTest {
protected:
    // Runs "Archive" with the date; answers whether the dialog closed.
    bool archiveUntil(const QDate& until)
    {
        frmArchiveCharges dialog;
        dialog.findChild<DatePicker*>("DTPicker1")->setDate(until);
        dialog.findChild<QPushButton*>("OKButton")->click();
        return dialog.result() == QDialog::Accepted;
    }

    QStringList stored()
    {
        return rows("SELECT PatientId, ChargeRealDate, Status, PrintLot FROM PatientCharges "
                    "ORDER BY PatientId, ChargeRealDate, ChargeTime");
    }
};

TEST_F(ArchivingTest, OpensOnItsDesignDate)
{
    frmArchiveCharges dialog;
    EXPECT_EQ(dialog.windowTitle(), "Archive Charges");
    EXPECT_EQ(dialog.findChild<DatePicker*>("DTPicker1")->date(), QDate(2002, 4, 1));
    EXPECT_EQ(dialog.findChild<QPushButton*>("OKButton")->text(), "Archive");
    addCharge(25000, "2001-01-01", 1, 0, 0, 1);
    addCharge(25000, "2001-02-01", 1, 0, 0, 2);
    dialog.findChild<QPushButton*>("CancelButton")->click();
    EXPECT_EQ(rows("SELECT COUNT(*) FROM PatientCharges WHERE Status = 2"), QStringList({"0"}));
    EXPECT_TRUE(shownMessages.isEmpty());
}

TEST_F(ArchivingTest, EarlierChargesAreArchivedAndEachPatientsLatestStays)
{
    addCharge(25000, "2026-01-10", 1, 1, 5, 1);
    addCharge(25000, "2026-02-15", 1, 0, 0, 2);
    addCharge(25000, "2026-03-20", 1, 0, 0, 3);
    addCharge(25001, "2020-05-05", 1, 0, 0, 4);
    EXPECT_TRUE(archiveUntil(QDate(2026, 3, 1)));
    EXPECT_EQ(shownMessages, QStringList({"Process ended successfully"}));
    EXPECT_EQ(stored(), QStringList({"25000|2026-01-10|2|5", "25000|2026-02-15|2|0", "25000|2026-03-20|0|0",
                                     "25001|2020-05-05|0|0"}))
        << "Ready and Posted charges alike, lots kept, a single old charge stays";
    EXPECT_EQ(Globals().CurrentPatientId, 25001) << "the last patient walked";

    EXPECT_TRUE(archiveUntil(QDate(2026, 4, 1)));
    EXPECT_EQ(stored()[2], "25000|2026-03-20|0|0") << "the latest is always kept";
}

TEST_F(ArchivingTest, ArchivedChargesDoNotCountAsTheLatest)
{
    addCharge(25001, "2026-03-25", 1, 2, 0, 1);
    addCharge(25001, "2026-03-01", 1, 0, 0, 2);
    addCharge(25001, "2026-02-01", 1, 0, 0, 3);
    addCharge(25001, "2026-01-01", 1, 0, 0, 4);
    EXPECT_TRUE(archiveUntil(QDate(2026, 3, 1)));
    EXPECT_EQ(stored(), QStringList({"25001|2026-01-01|2|0", "25001|2026-02-01|2|0", "25001|2026-03-01|0|0",
                                     "25001|2026-03-25|2|0"}));
}

TEST_F(ArchivingTest, AChargeOnThePickedDateStaysAndOneOfTwoLatestIsKept)
{
    addCharge(25000, "2026-03-01", 1, 0, 0, 1);
    addCharge(25000, "2026-03-20", 1, 0, 0, 2);
    addCharge(25001, "2026-03-20", 1, 0, 0, 3);
    addCharge(25001, "2026-03-20", 1, 0, 0, 4);
    EXPECT_TRUE(archiveUntil(QDate(2026, 3, 1)));
    EXPECT_EQ(rows("SELECT COUNT(*) FROM PatientCharges WHERE Status = 2"), QStringList({"0"}))
        << "strictly before the picked date";
    EXPECT_TRUE(archiveUntil(QDate(2026, 4, 1)));
    EXPECT_EQ(rows("SELECT PatientId, COUNT(*) FROM PatientCharges WHERE Status = 2 GROUP BY PatientId"),
              QStringList({"25000|1", "25001|1"}));
}

TEST_F(ArchivingTest, AChargeThatCannotBeArchivedLeavesTheRangeAsItWasWithOneMessage)
{
    addCharge(25000, "2026-01-01", 1, 0, 0, 1);
    addCharge(25000, "2026-01-02", 1, 0, 0, 2);
    addCharge(25000, "2026-01-03", 1, 0, 0, 3);
    run("CREATE TRIGGER KeepFirst BEFORE UPDATE ON PatientCharges WHEN OLD.ChargeTime = '10:00:01' "
        "BEGIN SELECT RAISE(ABORT, 'charge locked'); END");
    EXPECT_FALSE(archiveUntil(QDate(2026, 2, 1))) << "the dialog stays open to try again";
    EXPECT_EQ(shownMessages, QStringList({"None of the 2 charges to archive was archived.\n\ncharge locked"}))
        << shownMessages.join("|").toStdString();
    EXPECT_EQ(rows("SELECT ChargeTime, Status FROM PatientCharges ORDER BY ChargeTime"),
              QStringList({"10:00:01|0", "10:00:02|0", "10:00:03|0"}));
}

TEST_F(ArchivingTest, AnArchiveKilledAtAnyMomentArchivesTheWholeRangeOrNothing)
{
    for (int second = 1; second <= 6; ++second)
        addCharge(25000 + second % 2, QString("2026-01-%1").arg(second, 2, 10, QChar('0')), 1, 0, 0, second);
    const auto archiveInChild = [this] { archiveUntil(QDate(2026, 2, 1)); };
    const auto archived = [this] { return rows("SELECT COUNT(*) FROM PatientCharges WHERE Status = 2").join(""); };
    const int writes = writesOfRun(archiveInChild, 0);
    ASSERT_EQ(archived(), "4") << "each patient's latest charge stays";
    for (int killAfter = 1; killAfter <= writes; ++killAfter) {
        run("UPDATE PatientCharges SET Status = 0");
        writesOfRun(archiveInChild, killAfter);
        const QString count = archived();
        EXPECT_TRUE(count == "0" || count == "4")
            << count.toStdString() << " of 4 archived when killed after write " << killAfter << " of " << writes;
    }
}

TEST_F(ArchivingTest, AnArchiveOnAFullDiskShowsOneMessageAndArchivesNothing)
{
    addCharge(25000, "2026-01-01", 1, 1, 5, 1);
    addCharge(25000, "2026-01-02", 1, 0, 0, 2);
    addCharge(25000, "2026-01-03", 1, 0, 0, 3);
    putDatabaseOnFullDisk();
    EXPECT_FALSE(archiveUntil(QDate(2026, 2, 1)));
    EXPECT_EQ(shownMessages, QStringList({"None of the 2 charges to archive was archived.\n\nThe disk that holds the "
                                          "database is full. Please free some space and try again.\n\nDetails: "
                                          "database or disk is full"}))
        << shownMessages.join("|").toStdString();
    EXPECT_EQ(rows("SELECT ChargeTime, Status FROM PatientCharges ORDER BY ChargeTime"),
              QStringList({"10:00:01|1", "10:00:02|0", "10:00:03|0"}));
}

TEST_F(ArchivingTest, ASelectionThatCannotBeReadKeepsTheDialogOpen)
{
    addCharge(25000, "2026-01-01", 1, 0, 0, 1);
    run("ALTER TABLE PatientCharges RENAME TO PatientChargesAside");
    EXPECT_FALSE(archiveUntil(QDate(2026, 2, 1)));
    ASSERT_EQ(shownMessages.size(), 1);
    EXPECT_TRUE(shownMessages[0].startsWith("SELECT * FROM PatientCharges WHERE [Status] <> 2 ORDER BY PatientId, "
                                            "ChargeRealDate DESC"));
}

TEST_F(ArchivingTest, TheChargesListMovesArchivedChargesToTheirView)
{
    addCharge(25000, "2026-01-10", 1, 1, 5, 1);
    addCharge(25000, "2026-03-20", 1, 0, 0, 2);
    EXPECT_TRUE(archiveUntil(QDate(2026, 3, 1)));
    frmCharges list;
    list.findChild<QRadioButton*>("optAllDates")->setChecked(true);
    mainForm.FiltroActual = 0;
    list.Refresca();
    ASSERT_EQ(list.List()->topLevelItemCount(), 1);
    EXPECT_EQ(list.List()->topLevelItem(0)->text(0), "03/20/2026");
    mainForm.FiltroActual = 13;
    list.Refresca();
    ASSERT_EQ(list.List()->topLevelItemCount(), 1);
    EXPECT_EQ(list.List()->topLevelItem(0)->text(0), "01/10/2026");
    EXPECT_EQ(list.List()->topLevelItem(0)->text(6), "Archived");
}

}  // namespace
