#include "ChargeEditorFixture.h"

#include "DatePicker.h"
#include "RegisterChargeEditorForms.h"
#include "frmEditCharge.h"

#include <QTest>

namespace {

const QDate kStoredDate(2026, 12, 1);
const QTime kStoredTime(8, 30, 0);

const QString kChargeChanged = "This charge was changed by another user or a HotSync after you opened it. Nothing was "
                               "stored: close this window and open the charge again to see the change.";
const QString kChargeDeleted = "This charge was deleted by another user after you opened it. Nothing was stored.";

class ChargeEditorSavingTest : public ChargeEditorTest {
protected:
    void storeCharge(const QString& diagnoses, const QString& procedures)
    {
        run("INSERT INTO PatientCharges (PatientId, ChargeDate, ChargeTime, ChargeRealDate, FacilityCode, EMCode, "
            "DoctorCode, ReferDoctorCode, Status, PrintLot) VALUES (100, '2026-12-01', '08:30:00', '2026-11-30', 2, 13, "
            "2, 3, 0, 0)");
        for (const QString& code : diagnoses.split(',', Qt::SkipEmptyParts))
            run("INSERT INTO ChargeDiagnosis VALUES (100, '2026-12-01', '08:30:00', " + code + ")");
        for (const QString& code : procedures.split(',', Qt::SkipEmptyParts))
            run("INSERT INTO ChargeProcedures VALUES (100, '2026-12-01', '08:30:00', " + code + ")");
        startStoredCharge(100, kStoredDate, kStoredTime);
    }

    QStringList storedDiagnoses() { return rows("SELECT DiagnosisCode FROM ChargeDiagnosis ORDER BY DiagnosisCode"); }
    QStringList storedProcedures() { return rows("SELECT ProcedureCode FROM ChargeProcedures ORDER BY ProcedureCode"); }
    QStringList storedCharges()
    {
        return rows("SELECT PatientId, ChargeRealDate, FacilityCode, EMCode, DoctorCode, ReferDoctorCode, Status, "
                    "PrintLot FROM PatientCharges");
    }
};

TEST_F(ChargeEditorSavingTest, NewChargeIsStoredWithItsDiagnosesAndProcedures)
{
    startNewCharge(101);
    frmEditCharge dialog;
    choose(dialog, "CBFacilities", "Main Office");
    choose(dialog, "CBDoctors", "Dr. Cole (Covering Dr. Avery)");
    choose(dialog, "CBRefDoctors", "Dr. Brook");
    dialog.findChild<DatePicker*>("DTDOC")->setDate(QDate(2026, 12, 5));
    addDiagnoses(dialog, pickedRecord(3, "Cough") + pickedRecord(1, "Asthma"));
    addProcedures(dialog, pickedRecord(2, "X-ray"));
    EXPECT_EQ(shownDialogs, QStringList({"frmPickDiagnosis", "frmPickProcedures"}));
    EXPECT_EQ(items(dialog, "ListView1"), QStringList({"Cough", "Asthma"}));
    EXPECT_EQ(items(dialog, "ListView2"), QStringList({"X-ray"}));
    EXPECT_EQ(selectedItemCount(dialog, "ListView1"), 0);
    EXPECT_TRUE(storedCharges().isEmpty()) << "nothing is written before OK";

    const QDate before = QDate::currentDate();
    click(dialog, "btnOk");
    EXPECT_TRUE(shownMessages.isEmpty()) << shownMessages.join("\n").toStdString();
    EXPECT_EQ(storedCharges(), QStringList({"101|2026-12-05|3|14|3|2|0|0"}));
    EXPECT_EQ(storedDiagnoses(), QStringList({"1", "3"}));
    EXPECT_EQ(storedProcedures(), QStringList({"2"}));
    EXPECT_TRUE(Globals().DialogAccepted);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    // The key globals now name the stored charge.
    EXPECT_GE(Globals().CurrentChargeDate, before);
    EXPECT_EQ(rows("SELECT ChargeDate, ChargeTime FROM PatientCharges"),
              QStringList({Globals().CurrentChargeDate.toString("yyyy-MM-dd") + "|" +
                           Globals().CurrentChargeTime.toString("hh:mm:ss")}));
}

TEST_F(ChargeEditorSavingTest, ANewChargeWithoutAPatientIsRefusedUntilOneIsPicked)
{
    startNewCharge(0);
    frmEditCharge dialog;
    choose(dialog, "CBStatus", "Posted");
    QTest::mouseClick(dialog.findChild<QPushButton*>("btnOk"), Qt::LeftButton);
    EXPECT_EQ(shownMessages, QStringList({"Select the patient of this charge first."}));
    EXPECT_TRUE(storedCharges().isEmpty());
    EXPECT_EQ(dialog.result(), 0) << "the dialog stays open";

    // With a patient the charge is stored, also without codes.
    pickedPatient = 100;
    QTest::mouseClick(dialog.findChild<QToolButton*>("Command5"), Qt::LeftButton);
    QTest::mouseClick(dialog.findChild<QPushButton*>("btnOk"), Qt::LeftButton);
    EXPECT_EQ(shownMessages.size(), 1);
    ASSERT_EQ(storedCharges().size(), 1);
    EXPECT_TRUE(storedCharges().first().startsWith("100|"));
    EXPECT_TRUE(storedCharges().first().endsWith("|1|10|1|2|1|0"));
    EXPECT_TRUE(storedDiagnoses().isEmpty());
    EXPECT_TRUE(storedProcedures().isEmpty());
    EXPECT_TRUE(Globals().DialogAccepted);
}

TEST_F(ChargeEditorSavingTest, AnUnchangedDialogStoresTheReferringDoctorItLoaded)
{
    storeCharge("", "");
    run("UPDATE PatientCharges SET ReferDoctorCode = 0");
    {
        frmEditCharge stored;
        EXPECT_EQ(shown(stored, "CBRefDoctors"), "(none)");
        QTest::mouseClick(stored.findChild<QPushButton*>("btnOk"), Qt::LeftButton);
    }
    EXPECT_EQ(storedCharges(), QStringList({"100|2026-11-30|2|13|2|0|0|0"}));

    // A new inpatient charge is referred by the doctor the patient was admitted under.
    run("DELETE FROM PatientCharges");
    startNewCharge(100);
    frmEditCharge fresh;
    EXPECT_EQ(shown(fresh, "CBRefDoctors"), "Dr. Brook");
    QTest::mouseClick(fresh.findChild<QPushButton*>("btnOk"), Qt::LeftButton);
    EXPECT_EQ(rows("SELECT ReferDoctorCode FROM PatientCharges"), QStringList({"2"}));
}

TEST_F(ChargeEditorSavingTest, OkDoesNothingWithoutAnEMCode)
{
    startNewCharge(101);  // an outpatient charge at a hospital: no E&M code fits
    frmEditCharge dialog;
    ASSERT_EQ(dialog.findChild<QComboBox*>("CBEMCodes")->currentIndex(), -1);
    click(dialog, "btnOk");
    EXPECT_TRUE(shownMessages.isEmpty());
    EXPECT_TRUE(storedCharges().isEmpty());
    EXPECT_FALSE(Globals().DialogAccepted);
    EXPECT_EQ(dialog.result(), 0) << "the dialog stays open";
}

TEST_F(ChargeEditorSavingTest, RemoveTogglesStoredRowsAndDropsAddedOnes)
{
    storeCharge("1,2", "");
    frmEditCharge dialog;
    selectItem(dialog, "ListView1", "Asthma");
    click(dialog, "Command2");
    EXPECT_EQ(items(dialog, "ListView1"), QStringList({"*Asthma", "Bronchitis"}));
    selectItem(dialog, "ListView1", "*Asthma");
    click(dialog, "Command2");
    EXPECT_EQ(items(dialog, "ListView1"), QStringList({"Asthma", "Bronchitis"}));

    addDiagnoses(dialog, pickedRecord(3, "Cough"));
    selectItem(dialog, "ListView1", "Cough");
    click(dialog, "Command2");
    EXPECT_EQ(items(dialog, "ListView1"), QStringList({"Asthma", "Bronchitis"}));

    // Nothing selected: nothing changes.
    dialog.findChild<ListView*>("ListView1")->clearSelection();
    click(dialog, "Command2");
    EXPECT_EQ(items(dialog, "ListView1"), QStringList({"Asthma", "Bronchitis"}));

    click(dialog, "btnOk");
    EXPECT_TRUE(shownMessages.isEmpty());
    EXPECT_EQ(storedDiagnoses(), QStringList({"1", "2"}));
}

TEST_F(ChargeEditorSavingTest, RemovingAnAddedRowKeepsTheOthersAddressable)
{
    startNewCharge(100);
    frmEditCharge dialog;
    addProcedures(dialog, pickedRecord(1, "ECG") + pickedRecord(2, "X-ray"));
    selectItem(dialog, "ListView2", "ECG");
    click(dialog, "Command3");
    EXPECT_EQ(items(dialog, "ListView2"), QStringList({"X-ray"}));
    selectItem(dialog, "ListView2", "X-ray");
    click(dialog, "Command3");
    EXPECT_TRUE(items(dialog, "ListView2").isEmpty());
    addProcedures(dialog, pickedRecord(2, "X-ray"));
    click(dialog, "btnOk");
    EXPECT_EQ(storedProcedures(), QStringList({"2"}));
}

TEST_F(ChargeEditorSavingTest, AMarkStaysShownWhenCodesAreAddedAfterIt)
{
    storeCharge("1", "");
    frmEditCharge dialog;
    selectItem(dialog, "ListView1", "Asthma");
    click(dialog, "Command2");
    addDiagnoses(dialog, pickedRecord(2, "Bronchitis"));
    EXPECT_EQ(items(dialog, "ListView1"), QStringList({"*Asthma", "Bronchitis"}));
    selectItem(dialog, "ListView1", "*Asthma");
    click(dialog, "Command2");
    EXPECT_EQ(items(dialog, "ListView1"), QStringList({"Asthma", "Bronchitis"}));
}

TEST_F(ChargeEditorSavingTest, EditedChargeReconcilesItsCodeLists)
{
    storeCharge("1,2", "1");
    frmEditCharge dialog;
    selectItem(dialog, "ListView1", "Asthma");
    click(dialog, "Command2");
    addDiagnoses(dialog, pickedRecord(3, "Cough"));
    selectItem(dialog, "ListView2", "ECG");
    click(dialog, "Command3");
    addProcedures(dialog, pickedRecord(2, "X-ray"));
    choose(dialog, "CBStatus", "Archived");
    choose(dialog, "CBRefDoctors", "Dr. Avery");
    dialog.findChild<DatePicker*>("DTDOC")->setDate(QDate(2026, 11, 29));
    click(dialog, "btnOk");
    EXPECT_TRUE(shownMessages.isEmpty()) << shownMessages.join("\n").toStdString();
    EXPECT_EQ(storedDiagnoses(), QStringList({"2", "3"}));
    EXPECT_EQ(storedProcedures(), QStringList({"2"}));
    EXPECT_EQ(storedCharges(), QStringList({"100|2026-11-29|2|13|2|1|2|0"}));
    EXPECT_TRUE(Globals().DialogAccepted);
    EXPECT_EQ(Globals().CurrentChargeDate, kStoredDate) << "a stored charge keeps its key";
    EXPECT_EQ(Globals().CurrentChargeTime, kStoredTime);
}

TEST_F(ChargeEditorSavingTest, ACodePickedTwiceFailsAndKeepsTheDialogOpen)
{
    storeCharge("1", "");
    frmEditCharge dialog;
    addDiagnoses(dialog, pickedRecord(2, "Bronchitis") + pickedRecord(2, "Bronchitis"));
    EXPECT_EQ(items(dialog, "ListView1"), QStringList({"Asthma", "Bronchitis", "Bronchitis"}));
    click(dialog, "btnOk");
    EXPECT_EQ(shownMessages.size(), 1);
    EXPECT_EQ(storedDiagnoses(), QStringList({"1"})) << "the whole update is rolled back";
    EXPECT_EQ(dialog.result(), 0);

    // The user drops the second copy and stores again.
    auto* diagnoses = dialog.findChild<ListView*>("ListView1");
    diagnoses->setCurrentItem(diagnoses->topLevelItem(2));
    click(dialog, "Command2");
    click(dialog, "btnOk");
    EXPECT_EQ(shownMessages.size(), 1);
    EXPECT_EQ(storedDiagnoses(), QStringList({"1", "2"}));
    EXPECT_TRUE(Globals().DialogAccepted);
}

TEST_F(ChargeEditorSavingTest, AChargeAnotherClerkDeletedWhileEditedIsSaidSoAndNothingIsStored)
{
    storeCharge("1", "");
    frmEditCharge dialog;
    asOtherClerk([&] { run("DELETE FROM PatientCharges"); });
    click(dialog, "btnOk");
    EXPECT_EQ(shownMessages, QStringList({kChargeDeleted}));
    EXPECT_TRUE(storedCharges().isEmpty());
    EXPECT_TRUE(storedDiagnoses().isEmpty()) << "no diagnosis is left without its charge";
    EXPECT_EQ(dialog.result(), 0);
    click(dialog, "btnCancel");
    EXPECT_FALSE(Globals().DialogAccepted);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

// Clerk B saves the charge while clerk A's editor is open on it: A's save would put back
// what B replaced, so it is refused and A keeps what was typed.
TEST_F(ChargeEditorSavingTest, ASaveOverAChargeAnotherClerkChangedIsRefusedAndKeepsTheDialog)
{
    storeCharge("1", "");
    frmEditCharge clerkA;
    asOtherClerk([&] {
        frmEditCharge clerkB;
        choose(clerkB, "CBDoctors", "Dr. Avery");
        click(clerkB, "btnOk");
    });
    const QStringList savedByB = {"100|2026-11-30|2|13|1|3|0|0"};
    ASSERT_EQ(storedCharges(), savedByB);

    Globals().DialogAccepted = false;
    clerkA.findChild<DatePicker*>("DTDOC")->setDate(QDate(2026, 11, 29));
    click(clerkA, "btnOk");
    EXPECT_EQ(shownMessages, QStringList({kChargeChanged}));
    EXPECT_EQ(storedCharges(), savedByB);
    EXPECT_EQ(storedDiagnoses(), QStringList({"1"}));
    EXPECT_EQ(clerkA.result(), 0) << "the dialog stays open";
    EXPECT_FALSE(Globals().DialogAccepted);
    EXPECT_EQ(clerkA.findChild<DatePicker*>("DTDOC")->date(), QDate(2026, 11, 29));
    EXPECT_EQ(shown(clerkA, "CBDoctors"), "Dr. Brook");
}

TEST_F(ChargeEditorSavingTest, ADiagnosisAnotherClerkAddedIsNotDeletedByAnOlderEditor)
{
    storeCharge("1", "2");
    frmEditCharge clerkA;
    asOtherClerk([&] {
        frmEditCharge clerkB;
        addDiagnoses(clerkB, pickedRecord(3, "Cough"));
        click(clerkB, "btnOk");
    });
    ASSERT_EQ(storedDiagnoses(), QStringList({"1", "3"}));
    const QStringList savedByB = storedCharges();

    choose(clerkA, "CBRefDoctors", "Dr. Avery");
    click(clerkA, "btnOk");
    EXPECT_EQ(shownMessages, QStringList({kChargeChanged}));
    EXPECT_EQ(storedDiagnoses(), QStringList({"1", "3"}));
    EXPECT_EQ(storedProcedures(), QStringList({"2"}));
    EXPECT_EQ(storedCharges(), savedByB);
    EXPECT_EQ(items(clerkA, "ListView1"), QStringList({"Asthma"}));
}

// Clerk B posts the charge (status 1 in lot L) while A's editor shows it Ready: A's Ok without
// a change must not make it Ready again inside lot L, to be posted a second time.
TEST_F(ChargeEditorSavingTest, AnEditorOpenedBeforeAPostDoesNotUnpostTheCharge)
{
    storeCharge("", "");
    frmEditCharge clerkA;
    ASSERT_EQ(shown(clerkA, "CBStatus"), "Ready");
    asOtherClerk([&] { run("UPDATE PatientCharges SET PrintLot = 202612011, [Status] = 1"); });

    click(clerkA, "btnOk");
    EXPECT_EQ(shownMessages, QStringList({kChargeChanged}));
    EXPECT_EQ(storedCharges(), QStringList({"100|2026-11-30|2|13|2|3|1|202612011"}));
    EXPECT_EQ(clerkA.result(), 0);
}

TEST_F(ChargeEditorSavingTest, CancelStoresNothing)
{
    startNewCharge(100);
    frmEditCharge fresh;
    addDiagnoses(fresh, pickedRecord(1, "Asthma"));
    Globals().DialogAccepted = true;
    click(fresh, "btnCancel");
    EXPECT_FALSE(Globals().DialogAccepted);
    EXPECT_TRUE(storedCharges().isEmpty());
    EXPECT_TRUE(storedDiagnoses().isEmpty());

    storeCharge("1", "1");
    frmEditCharge stored;
    selectItem(stored, "ListView1", "Asthma");
    click(stored, "Command2");
    choose(stored, "CBStatus", "Posted");
    click(stored, "btnCancel");
    EXPECT_FALSE(Globals().DialogAccepted);
    EXPECT_EQ(storedCharges(), QStringList({"100|2026-11-30|2|13|2|3|0|0"}));
    EXPECT_EQ(storedDiagnoses(), QStringList({"1"}));
}

TEST_F(ChargeEditorSavingTest, APickerCancelledAddsNothing)
{
    startNewCharge(100);
    frmEditCharge dialog;
    addDiagnoses(dialog, pickedRecord(1, "Asthma"));
    addDiagnoses(dialog, "");
    EXPECT_EQ(items(dialog, "ListView1"), QStringList({"Asthma"}));
    // A picker that is not there leaves nothing behind either.
    UnregisterForm("frmPickDiagnosis");
    click(dialog, "Command1");
    EXPECT_EQ(items(dialog, "ListView1"), QStringList({"Asthma"}));
}

TEST_F(ChargeEditorSavingTest, OpensByNameAndAnswersInDialogAccepted)
{
    RegisterChargeEditorForms();
    startNewCharge(100);
    const auto pickers = onDialog;
    onDialog = [&](QDialog& dialog) {
        if (dialog.objectName() != "frmEditCharge")
            return pickers(dialog);
        EXPECT_FALSE(static_cast<frmEditCharge&>(dialog).CloseOnActivate());
        addDiagnoses(dialog, pickedRecord(2, "Bronchitis"));
        click(dialog, "btnOk");
        return dialog.result();
    };
    ASSERT_TRUE(ShowDialogByName("frmEditCharge", nullptr));
    EXPECT_EQ(shownDialogs, QStringList({"frmEditCharge", "frmPickDiagnosis"}));
    EXPECT_TRUE(Globals().DialogAccepted);
    EXPECT_EQ(storedCharges(), QStringList({"100|" + QDate::currentDate().toString("yyyy-MM-dd") + "|2|13|1|2|0|0"}))
        << "referred by the attending doctor of the admission";
    EXPECT_EQ(storedDiagnoses(), QStringList({"2"}));
}

}  // namespace
