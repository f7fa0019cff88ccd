#include "ChargesListFixture.h"

#include "frmAdmitPatient.h"
#include "frmDischargePatient.h"

#include <QLineEdit>
#include <QPushButton>

namespace {

class DischargeTest : public ChargesListTest {
protected:
    void SetUp() override
    {
        ChargesListTest::SetUp();
        // BOB BROWN lies in General, ward South, under Dr Three, visited by Dr Two.
        run("UPDATE Patient SET InFacilityCode = 1, InWardCode = 2, InDoctorCode = 3, "
            "LastChargeDate = '2026-11-30' WHERE PatientId = 25001");
        run("INSERT INTO PatientDoctors (PatientId, DoctorCode, AttentionTypeCode, Frequency) VALUES (25001, 2, 2, 4)");
        addCharge(25001, "2026-11-30", 3, 0);
    }

    static QString text(QDialog& dialog, const char* name) { return dialog.findChild<QLineEdit*>(name)->text(); }
    static QPushButton* button(QDialog& dialog, const char* name) { return dialog.findChild<QPushButton*>(name); }
};

TEST_F(DischargeTest, APatientNotAdmittedCannotBeDischarged)
{
    Globals().CurrentPatientId = 25000;
    Globals().CurrentWardCode = 7;
    frmDischargePatient dialog;
    EXPECT_EQ(dialog.windowTitle(), "Discharge patient");
    EXPECT_EQ(text(dialog, "TxtPatient"), "ANN ADAMS");
    EXPECT_EQ(text(dialog, "TxtStatus"), "Not admitted");
    EXPECT_EQ(text(dialog, "TxtFacility"), "");
    EXPECT_FALSE(button(dialog, "OKButton")->isEnabled());
    EXPECT_EQ(Globals().CurrentWardCode, 0);
}

TEST_F(DischargeTest, DischargeClearsTheLocationAndKeepsVisitingDoctorsAndCharges)
{
    Globals().CurrentPatientId = 25001;
    frmDischargePatient dialog;
    EXPECT_EQ(text(dialog, "TxtStatus"), "Admitted");
    EXPECT_EQ(text(dialog, "TxtFacility"), "General");
    EXPECT_EQ(text(dialog, "TxtWard"), "South");
    EXPECT_EQ(text(dialog, "TxtDoctor"), "Dr Three");
    EXPECT_EQ(Globals().CurrentFacilityCode, 1);
    EXPECT_EQ(Globals().CurrentWardCode, 2);
    EXPECT_EQ(Globals().CurrentDoctorCode, 3);

    button(dialog, "OKButton")->click();
    EXPECT_EQ(dialog.result(), int(QDialog::Accepted));
    EXPECT_EQ(rows("SELECT InFacilityCode, InWardCode, InDoctorCode, LastChargeDate, VXTS IS NOT NULL FROM Patient "
                   "WHERE PatientId = 25001"),
              QStringList({"0|0|0|1990-01-01|1"}));
    EXPECT_EQ(rows("SELECT DoctorCode FROM PatientDoctors WHERE PatientId = 25001"), QStringList({"2"}));
    EXPECT_EQ(rows("SELECT COUNT(*) FROM PatientCharges WHERE PatientId = 25001"), QStringList({"1"}));
    EXPECT_TRUE(shownMessages.isEmpty());

    frmAdmitPatient admission;
    ASSERT_EQ(admission.findChild<ListView*>("ListView1")->topLevelItemCount(), 1)
        << "admitting again shows the visiting doctors again";
    EXPECT_EQ(admission.findChild<ListView*>("ListView1")->topLevelItem(0)->text(0), "Dr Two");
}

TEST_F(DischargeTest, RecordsThatAreGoneLeaveTheirTextEmpty)
{
    run("DELETE FROM FacilityWards WHERE WardCode = 2");
    run("DELETE FROM Doctors WHERE DoctorCode = 3");
    Globals().CurrentPatientId = 25001;
    frmDischargePatient dialog;
    EXPECT_EQ(text(dialog, "TxtFacility"), "General");
    EXPECT_EQ(text(dialog, "TxtWard"), "");
    EXPECT_EQ(text(dialog, "TxtDoctor"), "");
    button(dialog, "OKButton")->click();
    EXPECT_EQ(rows("SELECT InFacilityCode FROM Patient WHERE PatientId = 25001"), QStringList({"0"}));

    run("UPDATE Patient SET InFacilityCode = 9, InWardCode = 1, InDoctorCode = 1 WHERE PatientId = 25001");
    frmDischargePatient noFacility;
    EXPECT_EQ(text(noFacility, "TxtStatus"), "Admitted");
    EXPECT_EQ(text(noFacility, "TxtFacility"), "");
    EXPECT_EQ(text(noFacility, "TxtWard"), "") << "a ward is read only under its facility";
    EXPECT_EQ(text(noFacility, "TxtDoctor"), "Dr One");
}

TEST_F(DischargeTest, AFailedUpdateIsShownAndThePatientStaysAdmitted)
{
    Globals().CurrentPatientId = 25001;
    frmDischargePatient dialog;
    run("CREATE TRIGGER KeepAdmitted BEFORE UPDATE ON Patient BEGIN SELECT RAISE(ABORT, 'patient locked'); END");
    button(dialog, "OKButton")->click();
    ASSERT_EQ(shownMessages.size(), 1);
    EXPECT_TRUE(shownMessages[0].contains("patient locked")) << shownMessages[0].toStdString();
    EXPECT_NE(dialog.result(), int(QDialog::Accepted));
    EXPECT_EQ(rows("SELECT InFacilityCode, LastChargeDate FROM Patient WHERE PatientId = 25001"),
              QStringList({"1|2026-11-30"}));
    button(dialog, "CancelButton")->click();
    EXPECT_EQ(dialog.result(), int(QDialog::Rejected));
}

}  // namespace
