// The patient merge: which patients it offers, and the charges it moves to the destination.
#include "test_patients_support.h"

#include "frmMergePatients.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <memory>

namespace {

TEST(MergeList, EachIdTakesTenCharactersLeftFilledWithZeros)
{
    EXPECT_EQ(MergeListEntry(25001), "0000025001");
    EXPECT_EQ(MergeListEntry(7), "0000000007");
    EXPECT_EQ(MergeListIds("00000250030000025001"), (QList<qint16>{25003, 25001}));
    EXPECT_EQ(MergeListIds(MergeListEntry(32767) + MergeListEntry(1)), (QList<qint16>{32767, 1}));
    EXPECT_TRUE(MergeListIds("").isEmpty());
    // A trailing piece shorter than an entry names no patient.
    EXPECT_EQ(MergeListIds("000002500125"), (QList<qint16>{25001}));
}

class MergePatientsTest : public PatientsTest {
protected:
    void SetUp() override
    {
        PatientsTest::SetUp();
        addPatient(25001, "SMITH, ANN", "1950-01-31", "S1");
        addPatient(25002, "SMITH, ANNE", "1950-01-31", "S2");
        addPatient(25003, "SMYTH, ANN", "1950-01-31", "S3");
        addPatient(25004, "OTHER, PERSON", "1960-01-01", "O1");
        addCharge(25001, "2026-11-01", "08:00:00");
        addCharge(25002, "2026-11-02", "09:00:00");
        addCharge(25002, "2026-11-03", "10:00:00");
        addCharge(25004, "2026-11-04", "11:00:00");
        run("INSERT INTO PatientHistory VALUES (25002, 1, 0)");
    }

    std::unique_ptr<frmMergePatients> openMerge(const QList<qint16>& ids)
    {
        Globals().MergePatientList.clear();
        for (qint16 id : ids)
            Globals().MergePatientList += MergeListEntry(id);
        Globals().DialogAccepted = true;  // left by an earlier dialog
        return std::make_unique<frmMergePatients>();
    }

    int chargesOf(int patientId)
    {
        return count(QString("SELECT COUNT(*) FROM PatientCharges WHERE PatientId = %1").arg(patientId));
    }

    // Selects the row of the patient as the destination.
    void chooseDestination(frmMergePatients& dialog, int patientId)
    {
        ListView& list = listOf(dialog);
        list.clearSelection();
        for (int index = 0; index < list.topLevelItemCount(); ++index) {
            if (list.topLevelItem(index)->text(4) == QString("S%1").arg(patientId - 25000))
                list.topLevelItem(index)->setSelected(true);
        }
        ASSERT_EQ(list.selectedItems().size(), 1);
    }
};

TEST_F(MergePatientsTest, OffersOnlyThePatientsOfTheMergeList)
{
    auto dialog = openMerge({25003, 25001});
    EXPECT_FALSE(dialog->CloseOnActivate());
    EXPECT_FALSE(Globals().DialogAccepted);
    EXPECT_EQ(dialog->windowTitle(), "Merge Patient Info");
    EXPECT_EQ(dialog->findChild<QLabel*>("Label1")->text(), "Select destination patient and press merge button.");
    EXPECT_EQ(dialog->findChild<QPushButton*>("btnOk")->text(), "Merge");
    QStringList names = columnTexts(listOf(*dialog));
    names.sort();
    EXPECT_EQ(names, QStringList({"SMITH, ANN", "SMYTH, ANN"}));
    EXPECT_TRUE(shownMessages.isEmpty());
}

TEST_F(MergePatientsTest, MovesTheOtherPatientsChargesAndReportsAPatientWithoutAny)
{
    auto dialog = openMerge({25003, 25002, 25001});
    chooseDestination(*dialog, 25001);
    clickButton(*dialog, "btnOk");

    EXPECT_EQ(chargesOf(25001), 3);
    EXPECT_EQ(chargesOf(25002), 0);
    EXPECT_EQ(chargesOf(25004), 1);
    EXPECT_EQ(shownMessages, QStringList({"SMYTH, ANN : No Charges to transfer!"}));
    EXPECT_TRUE(Globals().DialogAccepted);
    EXPECT_EQ(dialog->result(), int(QDialog::Accepted));
    // Only charges move: the merged patients and their history stay.
    EXPECT_EQ(count("SELECT COUNT(*) FROM Patient WHERE PatientId IN (25001, 25002, 25003)"), 3);
    EXPECT_EQ(count("SELECT COUNT(*) FROM PatientHistory WHERE PatientId = 25002"), 1);
}

TEST_F(MergePatientsTest, AFailingMoveIsReportedByNameAndTheOthersStillMove)
{
    // The same charge key under the destination: that move breaks the key and is rolled back.
    addCharge(25003, "2026-11-02", "09:00:00");
    addCharge(25003, "2026-11-09", "09:00:00");
    auto dialog = openMerge({25003, 25002, 25001});
    chooseDestination(*dialog, 25003);
    clickButton(*dialog, "btnOk");

    ASSERT_EQ(shownMessages.size(), 1);
    EXPECT_TRUE(shownMessages.first().startsWith("SMITH, ANNE : ")) << shownMessages.first().toStdString();
    EXPECT_EQ(chargesOf(25002), 2);
    EXPECT_EQ(chargesOf(25001), 0);
    EXPECT_EQ(chargesOf(25003), 3);
    EXPECT_TRUE(Globals().DialogAccepted);
}

TEST_F(MergePatientsTest, MergeWithNoDestinationChosenMovesNothingButIsAccepted)
{
    auto dialog = openMerge({25001, 25002});
    listOf(*dialog).clearSelection();
    clickButton(*dialog, "btnOk");
    EXPECT_EQ(chargesOf(25001), 1);
    EXPECT_EQ(chargesOf(25002), 2);
    EXPECT_TRUE(Globals().DialogAccepted);
}

TEST_F(MergePatientsTest, CancelMovesNothing)
{
    auto dialog = openMerge({25001, 25002});
    Globals().DialogAccepted = true;
    clickButton(*dialog, "btnCancel");
    EXPECT_EQ(chargesOf(25001), 1);
    EXPECT_EQ(chargesOf(25002), 2);
    EXPECT_FALSE(Globals().DialogAccepted);
}

TEST_F(MergePatientsTest, FewerThanTwoPatientsFoundClosesTheDialogAsSoonAsItShows)
{
    run("DELETE FROM Patient WHERE PatientId = 25002");
    for (const QList<qint16>& ids : {QList<qint16>{25001, 25002}, QList<qint16>{}}) {
        shownMessages.clear();
        auto dialog = openMerge(ids);
        EXPECT_EQ(shownMessages, QStringList({"At least two patients need to be selected to proceed with this operation!"}));
        EXPECT_TRUE(dialog->CloseOnActivate());
        EXPECT_EQ(listOf(*dialog).topLevelItemCount(), 0);
        EXPECT_FALSE(Globals().DialogAccepted);

        dialog->show();
        QCoreApplication::processEvents();
        EXPECT_FALSE(dialog->isVisible());
        clickButton(*dialog, "btnOk");
        EXPECT_FALSE(Globals().DialogAccepted);
    }
    EXPECT_EQ(chargesOf(25001), 1);
}

TEST_F(MergePatientsTest, AFailingQueryShowsItsErrorAndClosesTheDialog)
{
    run("DROP VIEW PatientsDescriptive");
    auto dialog = openMerge({25001, 25002});
    ASSERT_EQ(shownMessages.size(), 1);
    EXPECT_TRUE(shownMessages.first().startsWith("SELECT * FROM PatientsDescriptive Where PatientId = 25001 or "
                                                 "PatientId = 25002"))
        << shownMessages.first().toStdString();
    EXPECT_TRUE(dialog->CloseOnActivate());
}

TEST_F(MergePatientsTest, MergeFromThePatientsListLeavesTheMergedPatientsListedWithoutCharges)
{
    mainForm.FiltroActual = 0;
    std::unique_ptr<QWidget> list(CreateForm("frmPatients", nullptr));
    ASSERT_TRUE(list);
    QMetaObject::invokeMethod(list.get(), "Refresca");
    ListView& rows = listOf(*list);
    selectItems(rows, {1, 2});  // SMITH, ANN and SMITH, ANNE
    onDialog = [&](QDialog& dialog) {
        chooseDestination(static_cast<frmMergePatients&>(dialog), 25002);
        clickButton(dialog, "btnOk");
        return dialog.result();
    };
    QMetaObject::invokeMethod(list.get(), "Merge");

    EXPECT_EQ(shownDialogs, QStringList({"frmMergePatients"}));
    EXPECT_EQ(chargesOf(25002), 3);
    EXPECT_EQ(chargesOf(25001), 0);
    EXPECT_EQ(rows.topLevelItemCount(), 4);
}

}  // namespace
