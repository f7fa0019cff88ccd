#include "ChargeEditorFixture.h"

#include "DatePicker.h"
#include "frmEditCharge.h"

#include <QLabel>
#include <QLineEdit>
#include <QTest>

namespace {

// Steps the drop-down list to the entry with the arrow keys, as a clerk does, passing the
// entries between.
void pickWithKeys(QDialog& dialog, const char* list, const QString& entry)
{
    auto* combo = dialog.findChild<QComboBox*>(list);
    const int wanted = combo->findText(entry);
    ASSERT_GE(wanted, 0) << entry.toStdString();
    combo->setFocus();
    while (combo->currentIndex() != wanted)
        QTest::keyClick(combo, combo->currentIndex() < wanted ? Qt::Key_Down : Qt::Key_Up);
}

void showActive(QDialog& dialog)
{
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
}

// Loading with lookups missing: each refusal names the first empty table and the dialog
// closes when shown, storing nothing.
class ChargeEditorRefusalTest : public ChargesTest {
protected:
    void expectRefusedWith(const QString& message)
    {
        shownMessages.clear();
        Globals().DialogAccepted = true;
        Globals().CurrentChargeDate = QDate(1900, 1, 1);
        frmEditCharge dialog;
        EXPECT_EQ(shownMessages, QStringList({message}));
        EXPECT_TRUE(dialog.CloseOnActivate());
        dialog.findChild<QPushButton*>("btnOk")->click();
        EXPECT_TRUE(rows("SELECT * FROM PatientCharges").isEmpty());
        dialog.show();
        QTest::qWait(20);
        EXPECT_FALSE(dialog.isVisible()) << "a refused dialog closes when it is shown";
        EXPECT_FALSE(Globals().DialogAccepted);
    }
};

TEST_F(ChargeEditorRefusalTest, NamesTheFirstEmptyLookupInOrder)
{
    run("DELETE FROM ChargeTypes");
    expectRefusedWith("You have to define Evaluation & Management Codes first!");
    run("INSERT INTO EvaluationManagement (EMCode, Description, FacilityTypeCode, ChargeTypeCode, AttentionTypeCode) "
        "VALUES (1, 'Visit', 1, 1, 2)");
    expectRefusedWith("You have to define Facilities first!");
    run("INSERT INTO Facility (FacilityCode, Description, FacilityTypeCode) VALUES (1, 'North Hospital', 1)");
    expectRefusedWith("You have to define Charge types first!");
    run("INSERT INTO ChargeTypes (ChargeTypeCode, Description, DoctorCaption) VALUES (1, 'Inpatient Visit', 'Attending')");
    expectRefusedWith("You have to define Doctors first!");
}

TEST_F(ChargeEditorRefusalTest, AnUnreadableLookupShowsTheDatabaseMessage)
{
    run("DROP TABLE EvaluationManagement");
    frmEditCharge dialog;
    ASSERT_EQ(shownMessages.size(), 1);
    EXPECT_TRUE(shownMessages.first().startsWith("select * from EvaluationManagement"));
    EXPECT_TRUE(dialog.CloseOnActivate());
}

TEST_F(ChargeEditorTest, NewChargeWithoutPatientTakesTheFirstChoices)
{
    startNewCharge(0);
    frmEditCharge dialog;
    EXPECT_TRUE(shownMessages.isEmpty());
    EXPECT_FALSE(dialog.CloseOnActivate());
    EXPECT_EQ(dialog.windowTitle(), "Charge");
    EXPECT_EQ(dialog.findChild<QLineEdit*>("TxtPatient")->text(), "Select a Patient");
    EXPECT_EQ(entries(dialog, "CBChargeTypes"), QStringList({"Inpatient Visit", "Outpatient Visit", "Consultation"}));
    EXPECT_EQ(shown(dialog, "CBChargeTypes"), "Inpatient Visit");
    EXPECT_EQ(dialog.findChild<QLabel*>("LblDoctorCaption")->text(), "Attending:");
    EXPECT_FALSE(dialog.findChild<QComboBox*>("CBRefDoctors")->isEnabled());
    EXPECT_EQ(shown(dialog, "CBFacilities"), "North Hospital");
    // Facility type 1, charge type 1, attention type 2 (the doctor entries carry none).
    EXPECT_EQ(entries(dialog, "CBEMCodes"), QStringList({"Hospital visit (99221)"}));
    EXPECT_EQ(shown(dialog, "CBEMCodes"), "Hospital visit (99221)");
    EXPECT_EQ(entries(dialog, "CBDoctors"),
              QStringList({"Dr. Avery", "Dr. Brook", "Dr. Cole", "Dr. Cole (Covering Dr. Avery)"}));
    EXPECT_EQ(shown(dialog, "CBDoctors"), "Dr. Avery");
    EXPECT_EQ(entries(dialog, "CBRefDoctors"), QStringList({"(none)", "Dr. Avery", "Dr. Brook", "Dr. Cole"}));
    EXPECT_EQ(shown(dialog, "CBRefDoctors"), "(none)");
    EXPECT_EQ(entries(dialog, "CBStatus"), QStringList({"Ready", "Posted", "Archived"}));
    EXPECT_EQ(shown(dialog, "CBStatus"), "Ready");
    EXPECT_EQ(dialog.findChild<DatePicker*>("DTDOC")->date(), QDate::currentDate());
    EXPECT_TRUE(items(dialog, "ListView1").isEmpty());
    EXPECT_TRUE(items(dialog, "ListView2").isEmpty());
    EXPECT_EQ(Globals().CurrentAttentionTypeCode, 2);
    EXPECT_EQ(Globals().PickPatientScope, 1);
    EXPECT_EQ(Globals().CurrentChargeTime, QTime(0, 0, 0));
    EXPECT_TRUE(dialog.findChild<QToolButton*>("Command5")->isEnabled());
}

TEST_F(ChargeEditorTest, NewChargeForAnAdmittedPatientTakesTheFacilityOfAdmission)
{
    startNewCharge(100);
    frmEditCharge dialog;
    EXPECT_EQ(dialog.findChild<QLineEdit*>("TxtPatient")->text(), "Admitted, Ann");
    EXPECT_EQ(shown(dialog, "CBChargeTypes"), "Inpatient Visit");
    EXPECT_EQ(shown(dialog, "CBFacilities"), "Sunset Care");
    EXPECT_EQ(entries(dialog, "CBEMCodes"), QStringList({"Nursing visit (99304)"}));
}

TEST_F(ChargeEditorTest, AdmissionToAFacilityNoLongerListedFallsBackToTheFirst)
{
    run("UPDATE Patient SET InFacilityCode = 9 WHERE PatientId = 100");
    startNewCharge(100);
    frmEditCharge dialog;
    EXPECT_EQ(shown(dialog, "CBChargeTypes"), "Inpatient Visit");
    EXPECT_EQ(shown(dialog, "CBFacilities"), "North Hospital");
    EXPECT_EQ(entries(dialog, "CBEMCodes"), QStringList({"Hospital visit (99221)"}));
}

TEST_F(ChargeEditorTest, NewChargeForAPatientNotAdmittedIsAnOutpatientCharge)
{
    startNewCharge(101);
    frmEditCharge dialog;
    EXPECT_EQ(dialog.findChild<QLineEdit*>("TxtPatient")->text(), "Walkin, Will");
    EXPECT_EQ(shown(dialog, "CBChargeTypes"), "Outpatient Visit");
    EXPECT_EQ(dialog.findChild<QLabel*>("LblDoctorCaption")->text(), "Doctor:");
    EXPECT_TRUE(dialog.findChild<QComboBox*>("CBRefDoctors")->isEnabled());
    EXPECT_EQ(Globals().PickPatientScope, 2);
    EXPECT_EQ(shown(dialog, "CBFacilities"), "North Hospital");
    EXPECT_TRUE(entries(dialog, "CBEMCodes").isEmpty()) << "no outpatient code for a hospital";
    EXPECT_EQ(dialog.findChild<QComboBox*>("CBEMCodes")->currentIndex(), -1);

    choose(dialog, "CBFacilities", "Main Office");
    EXPECT_EQ(entries(dialog, "CBEMCodes"), QStringList({"Office visit (99213)"}));
    choose(dialog, "CBFacilities", "Sunset Care");
    EXPECT_EQ(entries(dialog, "CBEMCodes"), QStringList({"Nursing outpatient (99307)"}));
}

TEST_F(ChargeEditorTest, ChargeTypeChoiceRefiltersCodesAndRenamesTheDoctor)
{
    startNewCharge(0);
    frmEditCharge dialog;
    choose(dialog, "CBDoctors", "Dr. Brook");
    choose(dialog, "CBChargeTypes", "Consultation");
    EXPECT_EQ(entries(dialog, "CBEMCodes"), QStringList({"Hospital consult (99251)"}));
    EXPECT_EQ(dialog.findChild<QLabel*>("LblDoctorCaption")->text(), "Consultant:");
    EXPECT_TRUE(dialog.findChild<QComboBox*>("CBRefDoctors")->isEnabled());
    EXPECT_EQ(Globals().PickPatientScope, 3);
    EXPECT_EQ(shown(dialog, "CBDoctors"), "Dr. Avery") << "the doctor entries are loaded again";

    choose(dialog, "CBChargeTypes", "Inpatient Visit");
    EXPECT_EQ(entries(dialog, "CBEMCodes"), QStringList({"Hospital visit (99221)"}));
    EXPECT_FALSE(dialog.findChild<QComboBox*>("CBRefDoctors")->isEnabled());
}

TEST_F(ChargeEditorTest, DoctorEntryAttentionTypeFiltersTheCodes)
{
    // A doctor choice with a role of its own (1: attending) lists that role's codes; none
    // gives the default role 2.
    run("DROP VIEW DoctorsDescriptive");
    run("CREATE VIEW DoctorsDescriptive AS SELECT DoctorCode, Description AS Names, "
        "(CASE DoctorCode WHEN 2 THEN 1 ELSE 0 END) AS AttentionTypeCode FROM Doctors");
    startNewCharge(0);
    frmEditCharge dialog;
    EXPECT_EQ(entries(dialog, "CBEMCodes"), QStringList({"Hospital visit (99221)"}));
    choose(dialog, "CBDoctors", "Dr. Brook");
    EXPECT_EQ(Globals().CurrentAttentionTypeCode, 1);
    EXPECT_EQ(entries(dialog, "CBEMCodes"), QStringList({"Hospital admission (99222)"}));
    choose(dialog, "CBDoctors", "Dr. Cole (Covering Dr. Avery)");
    EXPECT_EQ(Globals().CurrentAttentionTypeCode, 2);
    EXPECT_EQ(entries(dialog, "CBEMCodes"), QStringList({"Hospital visit (99221)"}));
}

TEST_F(ChargeEditorTest, TheEMCodeChosenStaysWhenTheDoctorOrFacilityChangesAndTheListHoldsIt)
{
    run("INSERT INTO EvaluationManagement (EMCode, Description, FacilityTypeCode, ChargeTypeCode, AttentionTypeCode, "
        "BillingEMCode) VALUES (16, 'Subsequent hospital care', 1, 1, 2, '99231')");
    run("INSERT INTO Facility (FacilityCode, Description, FacilityTypeCode) VALUES (4, 'South Hospital', 1)");
    startNewCharge(0);
    frmEditCharge dialog;
    showActive(dialog);
    // Filled top to bottom: patient, facility, E&M, then the doctor.
    pickedPatient = 101;
    QTest::mouseClick(dialog.findChild<QToolButton*>("Command5"), Qt::LeftButton);
    pickWithKeys(dialog, "CBFacilities", "South Hospital");
    pickWithKeys(dialog, "CBEMCodes", "Subsequent hospital care (99231)");
    pickWithKeys(dialog, "CBDoctors", "Dr. Brook");
    EXPECT_EQ(shown(dialog, "CBEMCodes"), "Subsequent hospital care (99231)");
    // Back up through facilities of other types to one of the same type.
    pickWithKeys(dialog, "CBFacilities", "North Hospital");
    EXPECT_EQ(shown(dialog, "CBEMCodes"), "Subsequent hospital care (99231)");
    // A facility whose list lacks the code shows that list's first.
    pickWithKeys(dialog, "CBFacilities", "Sunset Care");
    EXPECT_EQ(shown(dialog, "CBEMCodes"), "Nursing visit (99304)");
    pickWithKeys(dialog, "CBFacilities", "North Hospital");

    QTest::mouseClick(dialog.findChild<QPushButton*>("btnOk"), Qt::LeftButton);
    EXPECT_TRUE(shownMessages.isEmpty()) << shownMessages.join('|').toStdString();
    EXPECT_EQ(rows("SELECT PatientId, FacilityCode, EMCode, DoctorCode FROM PatientCharges"),
              QStringList({"101|1|16|2"}));
}

TEST_F(ChargeEditorTest, AMissingPatientRefusesTheNewCharge)
{
    startNewCharge(999);
    frmEditCharge dialog;
    EXPECT_EQ(shownMessages, QStringList({"Error recovering patient information."}));
    EXPECT_TRUE(dialog.CloseOnActivate());
}

TEST_F(ChargeEditorTest, PatientPickerListsTheAdmittedOfTheFacilityForInpatientCharges)
{
    startNewCharge(0);
    frmEditCharge dialog;
    choose(dialog, "CBFacilities", "Sunset Care");
    pickedPatient = 100;
    click(dialog, "Command5");
    EXPECT_EQ(shownDialogs, QStringList({"frmPickPatient"}));
    EXPECT_EQ(patientPickerInput, QList<int>({1, 2, 0}));
    EXPECT_EQ(dialog.findChild<QLineEdit*>("TxtPatient")->text(), "Admitted, Ann");
    EXPECT_EQ(Globals().CurrentPatientId, 100);
    EXPECT_EQ(shown(dialog, "CBRefDoctors"), "Dr. Brook") << "the patient's attending doctor";
    EXPECT_EQ(shown(dialog, "CBDoctors"), "Dr. Avery");

    // Cancel in the picker (0) changes nothing; the preselection is the current patient.
    pickedPatient = 0;
    click(dialog, "Command5");
    EXPECT_EQ(patientPickerInput, QList<int>({1, 2, 100}));
    EXPECT_EQ(Globals().CurrentPatientId, 100);
    EXPECT_EQ(dialog.findChild<QLineEdit*>("TxtPatient")->text(), "Admitted, Ann");
}

TEST_F(ChargeEditorTest, PatientPickerListsPatientsNotAdmittedForOtherCharges)
{
    startNewCharge(0);
    frmEditCharge dialog;
    choose(dialog, "CBChargeTypes", "Outpatient Visit");
    choose(dialog, "CBRefDoctors", "Dr. Avery");
    pickedPatient = 101;
    click(dialog, "Command5");
    EXPECT_EQ(patientPickerInput, QList<int>({2, 0, 0}));
    EXPECT_EQ(dialog.findChild<QLineEdit*>("TxtPatient")->text(), "Walkin, Will");
    EXPECT_EQ(shown(dialog, "CBRefDoctors"), "Dr. Avery") << "the referring doctor stays as chosen";

    // A patient that no longer exists changes nothing.
    pickedPatient = 555;
    click(dialog, "Command5");
    EXPECT_EQ(Globals().CurrentPatientId, 101);
    EXPECT_EQ(dialog.findChild<QLineEdit*>("TxtPatient")->text(), "Walkin, Will");
}

class StoredChargeLoadTest : public ChargeEditorTest {
protected:
    void SetUp() override
    {
        ChargeEditorTest::SetUp();
        run("INSERT INTO PatientCharges (PatientId, ChargeDate, ChargeTime, ChargeRealDate, FacilityCode, EMCode, "
            "DoctorCode, ReferDoctorCode, Status, PrintLot) VALUES (100, '2026-12-01', '08:30:00', '2026-11-30', 3, 14, "
            "2, 3, 1, 7)");
        run("INSERT INTO ChargeDiagnosis VALUES (100, '2026-12-01', '08:30:00', 1), (100, '2026-12-01', '08:30:00', 2)");
        run("INSERT INTO ChargeProcedures VALUES (100, '2026-12-01', '08:30:00', 1)");
        startStoredCharge(100, QDate(2026, 12, 1), QTime(8, 30, 0));
    }
};

TEST_F(StoredChargeLoadTest, ShowsEveryStoredChoice)
{
    frmEditCharge dialog;
    EXPECT_TRUE(shownMessages.isEmpty());
    EXPECT_FALSE(dialog.CloseOnActivate());
    EXPECT_FALSE(dialog.findChild<QToolButton*>("Command5")->isEnabled());
    EXPECT_EQ(dialog.findChild<QLineEdit*>("TxtPatient")->text(), "Admitted, Ann");
    // The charge type is the E&M code's, though the first facility is of another type.
    EXPECT_EQ(shown(dialog, "CBChargeTypes"), "Outpatient Visit");
    EXPECT_EQ(dialog.findChild<QLabel*>("LblDoctorCaption")->text(), "Doctor:");
    EXPECT_EQ(shown(dialog, "CBFacilities"), "Main Office");
    EXPECT_EQ(entries(dialog, "CBEMCodes"), QStringList({"Office visit (99213)"}));
    EXPECT_EQ(shown(dialog, "CBDoctors"), "Dr. Brook");
    EXPECT_EQ(shown(dialog, "CBRefDoctors"), "Dr. Cole");
    EXPECT_EQ(shown(dialog, "CBStatus"), "Posted");
    EXPECT_EQ(dialog.findChild<DatePicker*>("DTDOC")->date(), QDate(2026, 11, 30));
    EXPECT_EQ(items(dialog, "ListView1"), QStringList({"Asthma", "Bronchitis"}));
    EXPECT_EQ(items(dialog, "ListView2"), QStringList({"ECG"}));
    EXPECT_EQ(selectedItemCount(dialog, "ListView1"), 0);
    EXPECT_EQ(selectedItemCount(dialog, "ListView2"), 0);
}

TEST_F(StoredChargeLoadTest, AStoredChargeListsEveryCodeOfItsFacilityType)
{
    run("UPDATE PatientCharges SET FacilityCode = 1, EMCode = 11");
    frmEditCharge dialog;
    EXPECT_EQ(shown(dialog, "CBChargeTypes"), "Consultation");
    EXPECT_EQ(entries(dialog, "CBEMCodes"),
              QStringList({"Hospital visit (99221)", "Hospital consult (99251)", "Hospital admission (99222)"}));
    EXPECT_EQ(shown(dialog, "CBEMCodes"), "Hospital consult (99251)");
    choose(dialog, "CBDoctors", "Dr. Avery");
    EXPECT_EQ(shown(dialog, "CBEMCodes"), "Hospital consult (99251)") << "a doctor change keeps the code";
}

TEST_F(StoredChargeLoadTest, AnUntouchedChargeKeepsItsCodeAfterItsFacilityChangedType)
{
    run("UPDATE PatientCharges SET FacilityCode = 1, EMCode = 10");
    run("UPDATE Facility SET FacilityTypeCode = 2 WHERE FacilityCode = 1");
    frmEditCharge dialog;
    showActive(dialog);
    EXPECT_EQ(entries(dialog, "CBEMCodes"),
              QStringList({"Nursing visit (99304)", "Nursing outpatient (99307)", "Hospital visit (99221)"}));
    EXPECT_EQ(shown(dialog, "CBEMCodes"), "Hospital visit (99221)");
    pickWithKeys(dialog, "CBFacilities", "Sunset Care");
    pickWithKeys(dialog, "CBFacilities", "North Hospital");
    EXPECT_EQ(shown(dialog, "CBEMCodes"), "Hospital visit (99221)");
    QTest::mouseClick(dialog.findChild<QPushButton*>("btnOk"), Qt::LeftButton);
    EXPECT_EQ(rows("SELECT FacilityCode, EMCode FROM PatientCharges"), QStringList({"1|10"}));

    // Until the clerk picks another.
    frmEditCharge again;
    showActive(again);
    pickWithKeys(again, "CBEMCodes", "Nursing visit (99304)");
    QTest::mouseClick(again.findChild<QPushButton*>("btnOk"), Qt::LeftButton);
    EXPECT_EQ(rows("SELECT FacilityCode, EMCode FROM PatientCharges"), QStringList({"1|13"}));
}

TEST_F(StoredChargeLoadTest, ChoicesNoLongerListedShowTheFirstEntries)
{
    run("UPDATE PatientCharges SET FacilityCode = 2, EMCode = 99, DoctorCode = 8, ReferDoctorCode = 9");
    frmEditCharge dialog;
    EXPECT_TRUE(shownMessages.isEmpty());
    EXPECT_EQ(shown(dialog, "CBChargeTypes"), "Inpatient Visit");
    EXPECT_EQ(shown(dialog, "CBFacilities"), "Sunset Care");
    EXPECT_EQ(shown(dialog, "CBEMCodes"), "Nursing visit (99304)");
    EXPECT_EQ(shown(dialog, "CBDoctors"), "Dr. Avery");
    EXPECT_EQ(shown(dialog, "CBRefDoctors"), "Dr. Avery");

    run("UPDATE PatientCharges SET FacilityCode = 7");
    frmEditCharge again;
    EXPECT_EQ(shown(again, "CBFacilities"), "North Hospital");
}

TEST_F(StoredChargeLoadTest, ACoveringDoctorShowsUnderHisOwnEntry)
{
    run("UPDATE PatientCharges SET DoctorCode = 3");
    frmEditCharge dialog;
    EXPECT_EQ(shown(dialog, "CBDoctors"), "Dr. Cole");
}

TEST_F(StoredChargeLoadTest, AChargeRemovedMeanwhileIsNotFound)
{
    run("DELETE FROM PatientCharges");
    frmEditCharge dialog;
    EXPECT_EQ(shownMessages, QStringList({"Record not found.  Please report this error!"}));
    EXPECT_TRUE(dialog.CloseOnActivate());
}

}  // namespace
