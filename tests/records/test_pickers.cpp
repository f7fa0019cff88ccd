// The single-choice pickers (answers in the picked-value globals) and the multi-choice
// pickers (selection strings in the caller's PickedItems).
#include "RecordsTestEnvironment.h"

#include "frmPickDiagnosis.h"
#include "frmPickDoctor.h"
#include "frmPickHistory.h"
#include "frmPickInsurance.h"
#include "frmPickPatient.h"
#include "frmPickProcedures.h"

#include <QComboBox>
#include <QTest>

namespace {

class SingleChoicePickerTest : public RecordsTest {
protected:
    void SetUp() override
    {
        RecordsTest::SetUp();
        run("INSERT INTO Doctors VALUES (7, 'Dr. Quill', 'Q7')");
        run("INSERT INTO Doctors VALUES (3, 'Dr. Abbot', 'A3')");
        run("INSERT INTO Doctors VALUES (9, 'Dr. Moss', 'M9')");
        run("INSERT INTO Patient (PatientId, Names, DateOfBirth, InFacilityCode) VALUES (1, 'Zane Ruiz', '1950-02-03', 0)");
        run("INSERT INTO Patient (PatientId, Names, DateOfBirth, InFacilityCode) VALUES (2, 'Ada Lin', '1961-07-08', 0)");
        run("INSERT INTO Patient (PatientId, Names, DateOfBirth, InFacilityCode) VALUES (3, 'Bo O''Hara', '1972-01-01', 2)");
        run("INSERT INTO Patient (PatientId, Names, DateOfBirth, InFacilityCode) VALUES (4, 'Al Berg', '1944-05-06', 2)");
    }

    static QString selectedText(QWidget& picker)
    {
        const QList<QTreeWidgetItem*> selected = listOf(picker).selectedItems();
        return selected.size() == 1 ? selected[0]->text(0) : QString("(%1 selected)").arg(selected.size());
    }
};

TEST_F(SingleChoicePickerTest, TheDoctorPickerPreselectsTheGlobalsDoctorAndAnswersCodeAndName)
{
    Globals().PickedDoctorCode = 3;
    frmPickDoctor picker;
    EXPECT_EQ(picker.windowTitle(), "Doctor selection");
    EXPECT_EQ(columnTexts(listOf(picker)), QStringList({"Dr. Quill", "Dr. Abbot", "Dr. Moss"}));
    EXPECT_EQ(selectedText(picker), "Dr. Abbot");
    selectItems(listOf(picker), {2});
    clickButton(picker, "btnOk");
    EXPECT_EQ(picker.result(), QDialog::Accepted);
    EXPECT_EQ(Globals().PickedDoctorCode, 9);
    EXPECT_EQ(Globals().PickedDoctorName, "Dr. Moss");
}

TEST_F(SingleChoicePickerTest, ACodeNotInTheListLeavesTheFirstRowWhichOkAnswers)
{
    Globals().PickedDoctorCode = 42;
    frmPickDoctor picker;
    EXPECT_EQ(selectedText(picker), "Dr. Quill");
    clickButton(picker, "btnOk");
    EXPECT_EQ(Globals().PickedDoctorCode, 7);
}

TEST_F(SingleChoicePickerTest, CancelAnswersZeroEvenAfterAPreselection)
{
    Globals().PickedDoctorCode = 9;
    Globals().PickedDoctorName = "Dr. Earlier";
    frmPickDoctor picker;
    clickButton(picker, "btnCancel");
    EXPECT_EQ(Globals().PickedDoctorCode, 0);
    EXPECT_EQ(Globals().PickedDoctorName, "Dr. Earlier");
    EXPECT_EQ(picker.result(), QDialog::Rejected);
}

TEST_F(SingleChoicePickerTest, ADoubleClickedRowIsChosenAsOkChoosesIt)
{
    Globals().PickedDoctorCode = 7;
    frmPickDoctor picker;
    picker.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&picker));
    ListView& list = listOf(picker);
    const QPoint row = list.visualItemRect(list.topLevelItem(2)).center();
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, row);
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, row);
    EXPECT_EQ(picker.result(), QDialog::Accepted);
    EXPECT_FALSE(picker.isVisible());
    EXPECT_EQ(Globals().PickedDoctorCode, 9);
    EXPECT_EQ(Globals().PickedDoctorName, "Dr. Moss");
}

TEST_F(SingleChoicePickerTest, ThePatientPickerListsThoseNotAdmittedOrThoseOfTheFacilityByName)
{
    Globals().PickPatientScope = 0;
    Globals().PickPatientFacilityCode = 2;
    {
        frmPickPatient picker;
        EXPECT_EQ(picker.windowTitle(), "Patient selection");
        EXPECT_EQ(columnTexts(listOf(picker)), QStringList({"Ada Lin", "Zane Ruiz"}));
        EXPECT_EQ(columnTexts(listOf(picker), 1), QStringList({"07/08/1961", "02/03/1950"}));
        selectItems(listOf(picker), {1});
        clickButton(picker, "btnOk");
        EXPECT_EQ(Globals().PickedPatientId, 1);
        EXPECT_EQ(queryValue("SELECT InFacilityCode FROM Patient WHERE PatientId = 1").toInt(), 0);
    }
    Globals().PickPatientScope = 1;
    Globals().PickedPatientId = 3;
    frmPickPatient admitted;
    EXPECT_EQ(columnTexts(listOf(admitted)), QStringList({"Al Berg", "Bo O'Hara"}));
    EXPECT_EQ(selectedText(admitted), "Bo O'Hara");
    clickButton(admitted, "btnOk");
    EXPECT_EQ(Globals().PickedPatientId, 3);
}

TEST_F(SingleChoicePickerTest, AnEmptyListAsksForAChoiceAndStaysOpenUntilCancelled)
{
    Globals().PickPatientScope = 1;
    Globals().PickPatientFacilityCode = 5;  // nobody admitted there
    Globals().PickedPatientId = 2;
    frmPickPatient picker;
    picker.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&picker));
    EXPECT_EQ(listOf(picker).topLevelItemCount(), 0);
    clickButton(picker, "btnOk");
    EXPECT_EQ(shownMessages, QStringList({"Select a Patiente first"}));
    EXPECT_TRUE(picker.isVisible());
    EXPECT_EQ(Globals().PickedPatientId, 2);
    clickButton(picker, "btnCancel");
    EXPECT_FALSE(picker.isVisible());
    EXPECT_EQ(Globals().PickedPatientId, 0);
}

TEST_F(SingleChoicePickerTest, TheInsurancePickerAnswersThroughItsCallerAndReportsAFailedQuery)
{
    run("INSERT INTO Insurance VALUES (4, 'Atlas Union', 'AU')");
    run("INSERT INTO Insurance VALUES (8, 'Beacon Plan', 'BP')");
    onDialog = [](QDialog& dialog) {
        selectItems(listOf(dialog), {1});
        clickButton(dialog, "btnOk");
        return dialog.result();
    };
    Globals().PickedInsuranceCode = 0;
    ASSERT_TRUE(ShowDialogByName("frmPickInsurance", nullptr));
    EXPECT_EQ(shownDialogs, QStringList({"frmPickInsurance"}));
    EXPECT_EQ(Globals().PickedInsuranceCode, 8);

    run("DROP TABLE Insurance");
    onDialog = [](QDialog& dialog) {
        clickButton(dialog, "btnOk");
        return dialog.result();
    };
    ASSERT_TRUE(ShowDialogByName("frmPickInsurance", nullptr));
    ASSERT_EQ(shownMessages.size(), 2);
    EXPECT_TRUE(shownMessages[0].startsWith("SELECT * FROM Insurance ")) << shownMessages[0].toStdString();
    EXPECT_EQ(shownMessages[1], "Select an Insurance first");
    EXPECT_EQ(Globals().PickedInsuranceCode, 8);  // nothing picked: the dialog stayed open
}

class MultiChoicePickerTest : public RecordsTest {
protected:
    void SetUp() override
    {
        RecordsTest::SetUp();
        caller.setObjectName("frmEditPatient");
        caller.setProperty("PickedItems", "untouched");
    }

    static void tick(ListView& list, int index)
    {
        QTreeWidgetItem* item = list.topLevelItem(index);
        ASSERT_NE(item, nullptr) << "no item " << index;
        item->setCheckState(0, Qt::Checked);
    }

    static QComboBox& groupsOf(QWidget& picker, const char* name)
    {
        auto* combo = picker.findChild<QComboBox*>(name);
        EXPECT_NE(combo, nullptr) << name;
        return *combo;
    }

    QString pickedItems() const { return caller.property("PickedItems").toString(); }

    QWidget caller;
};

TEST_F(MultiChoicePickerTest, HistoryTicksOfSeveralKindsComeBackInRowOrder)
{
    run("INSERT INTO Sickness VALUES (12, 'Appendectomy', 2, 0)");
    run("INSERT INTO Sickness VALUES (5, 'Penicillin', 0, 0)");
    run("INSERT INTO Sickness VALUES (6, 'Latex', 0, 0)");
    run("INSERT INTO Sickness VALUES (8, 'Asthma', 1, 0)");
    caller.setProperty("ActiveSicknessType", 2);
    frmPickHistory picker(&caller);
    EXPECT_EQ(picker.windowTitle(), "History selection");
    QComboBox& kinds = groupsOf(picker, "CBSicknessType");
    EXPECT_EQ(kinds.count(), 3);
    EXPECT_EQ(kinds.currentIndex(), 2);  // the kind the editor shows
    ListView& list = listOf(picker);
    EXPECT_EQ(columnTexts(list), QStringList({"Appendectomy"}));
    EXPECT_TRUE(list.selectedItems().isEmpty());
    tick(list, 0);

    kinds.setCurrentIndex(0);
    EXPECT_EQ(columnTexts(list), QStringList({"Penicillin", "Latex"}));
    tick(list, 0);
    tick(list, 1);
    // The first kind's tick is still there when it shows again.
    kinds.setCurrentIndex(2);
    EXPECT_TRUE(ListView::IsItemChecked(*list.topLevelItem(0)));

    clickButton(picker, "btnOk");
    const QString selection = pickedItems();
    ASSERT_EQ(selection.size(), 150);
    EXPECT_EQ(selection, picker.PickSelection());
    EXPECT_EQ(selection.mid(0, 50), "0001200002" + QString("Appendectomy").leftJustified(40));
    EXPECT_EQ(selection.mid(50, 50), "0000500000" + QString("Penicillin").leftJustified(40));
    EXPECT_EQ(selection.mid(100, 50), "0000600000" + QString("Latex").leftJustified(40));
}

TEST_F(MultiChoicePickerTest, OkWithNothingTickedAndCancelBothAnswerTheEmptyText)
{
    run("INSERT INTO Procedures VALUES (1, 'Suture', 'R1', 'B1', 0)");
    {
        frmPickProcedures picker(&caller);
        clickButton(picker, "btnOk");
        EXPECT_EQ(pickedItems(), "");
    }
    caller.setProperty("PickedItems", "untouched");
    frmPickProcedures picker(&caller);
    tick(listOf(picker), 0);
    clickButton(picker, "btnCancel");
    EXPECT_EQ(pickedItems(), "");
    EXPECT_EQ(picker.result(), QDialog::Rejected);
}

TEST_F(MultiChoicePickerTest, ProcedureRecordsCutLongDescriptionsAndFillShortOnes)
{
    const QString longText = QString("Excision of lesion, trunk, with closure ab");  // 42 characters
    run("INSERT INTO Procedures VALUES (3, 'Cast', 'R3', 'B3', 0)");
    run("INSERT INTO Procedures VALUES (7, '" + longText + "', 'R7', 'B7', 0)");
    run("INSERT INTO Procedures VALUES (9, 'Unused', 'R9', 'B9', 0)");
    caller.setObjectName("frmEditCharge");
    frmPickProcedures picker(&caller);
    EXPECT_EQ(picker.findChild<QComboBox*>(), nullptr);
    ListView& list = listOf(picker);
    ASSERT_EQ(list.topLevelItemCount(), 3);
    tick(list, 1);
    tick(list, 0);
    clickButton(picker, "btnOk");
    EXPECT_EQ(pickedItems(), "00003Cast" + QString(36, ' ') + "00007" + longText.left(40));
}

TEST_F(MultiChoicePickerTest, DiagnosesComeInDescriptionOrderStartingOnTheFirstGroupWithNothingTicked)
{
    run("INSERT INTO DiagnosisFamily VALUES (20, 'Respiratory')");
    run("INSERT INTO DiagnosisFamily VALUES (10, 'Cardiac')");
    run("INSERT INTO Diagnosis VALUES (1, 'Pneumonia', 20, 'R1', 'B1', 0)");
    run("INSERT INTO Diagnosis VALUES (2, 'Bronchitis', 20, 'R2', 'B2', 1)");  // a stray stored tick
    run("INSERT INTO Diagnosis VALUES (3, 'Angina', 10, 'R3', 'B3', 0)");
    caller.setObjectName("frmEditCharge");
    frmPickDiagnosis picker(&caller);
    QComboBox& groups = groupsOf(picker, "CBDiagnosisFamilies");
    EXPECT_EQ(groups.currentIndex(), 0);
    EXPECT_EQ(groups.currentText(), "Respiratory");
    ListView& list = listOf(picker);
    EXPECT_EQ(columnTexts(list), QStringList({"Bronchitis", "Pneumonia"}));
    EXPECT_FALSE(ListView::IsItemChecked(*list.topLevelItem(0)));
    tick(list, 1);
    groups.setCurrentIndex(1);
    EXPECT_EQ(columnTexts(list), QStringList({"Angina"}));
    tick(list, 0);
    clickButton(picker, "btnOk");
    EXPECT_EQ(pickedItems(), "00003" + QString("Angina").leftJustified(40) + "00001" +
                                 QString("Pneumonia").leftJustified(40));
}

}  // namespace
