#include "ClerksFixture.h"

#include "ListView.h"
#include "SqlExecution.h"
#include "frmAdmitPatient.h"
#include "frmAdmitPatientDoctors.h"
#include "frmDischargePatient.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include <functional>

namespace {

class AdmissionTest : public ClerksTest {
protected:
    void SetUp() override
    {
        ChargesListTest::SetUp();
        // BOB BROWN lies in General, ward South, under Dr Three, visited by Dr Two.
        run("UPDATE Patient SET InFacilityCode = 1, InWardCode = 2, InDoctorCode = 3 WHERE PatientId = 25001");
        run("INSERT INTO PatientDoctors (PatientId, DoctorCode, AttentionTypeCode, Frequency) VALUES (25001, 2, 2, 4)");
        onDialog = [this](QDialog& dialog) {
            if (dialog.objectName() == "frmAdmitPatientDoctors" && addDialog)
                addDialog(dialog);
            return dialog.result();
        };
    }

    void TearDown() override
    {
        SetStatementObserver({});
        ClerksTest::TearDown();
    }

    template <typename Widget>
    static Widget* control(QDialog& dialog, const char* name)
    {
        auto* widget = dialog.findChild<Widget*>(name);
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    static QComboBox* combo(QDialog& dialog, const char* name) { return control<QComboBox>(dialog, name); }
    static QStringList entries(QComboBox* box)
    {
        QStringList texts;
        for (int index = 0; index < box->count(); ++index)
            texts << box->itemText(index);
        return texts;
    }

    static QStringList visiting(QDialog& dialog)
    {
        auto* list = control<ListView>(dialog, "ListView1");
        QStringList items;
        for (int index = 0; index < list->topLevelItemCount(); ++index) {
            const QTreeWidgetItem* item = list->topLevelItem(index);
            items << item->text(0) + "|" + item->text(1) + "|" + item->text(2);
        }
        return items;
    }

    static void selectVisiting(QDialog& dialog, int index)
    {
        auto* list = control<ListView>(dialog, "ListView1");
        list->clearSelection();
        list->topLevelItem(index)->setSelected(true);
    }

    static void click(QDialog& dialog, const char* button) { control<QPushButton>(dialog, button)->click(); }

    // The add dialog chooses these entries and presses "Add".
    static std::function<void(QDialog&)> adds(int doctor, int attentionType, int frequency)
    {
        return [=](QDialog& dialog) {
            combo(dialog, "CBDoctors")->setCurrentIndex(doctor);
            combo(dialog, "CBAttentionTypes")->setCurrentIndex(attentionType);
            combo(dialog, "CBFrequency")->setCurrentIndex(frequency);
            click(dialog, "OKButton");
        };
    }

    QStringList visitingStored(int patientId)
    {
        return rows(QString("SELECT DoctorCode, AttentionTypeCode, Frequency FROM PatientDoctors "
                            "WHERE PatientId = %1 ORDER BY DoctorCode")
                        .arg(patientId));
    }

    // Every statement that writes visiting doctors from now on.
    void watchVisitingWrites()
    {
        SetStatementObserver([this](const QString& sql) {
            if (sql.contains("PatientDoctors") && !sql.startsWith("Select", Qt::CaseInsensitive))
                visitingWrites << sql;
        });
    }

    std::function<void(QDialog&)> addDialog;
    QStringList visitingWrites;
};

TEST_F(AdmissionTest, APatientNotAdmittedOpensOnTheFirstEntries)
{
    Globals().CurrentPatientId = 25000;
    Globals().CurrentFacilityCode = 9;
    frmAdmitPatient dialog;
    EXPECT_EQ(dialog.windowTitle(), "Admission Information");
    EXPECT_EQ(control<QLineEdit>(dialog, "TxtPatient")->text(), "ANN ADAMS");
    EXPECT_EQ(entries(combo(dialog, "CBFacilities")), QStringList({"General", "Clinic"}));
    EXPECT_EQ(combo(dialog, "CBFacilities")->currentIndex(), 0);
    EXPECT_EQ(entries(combo(dialog, "CBFacilityWards")), QStringList({"North", "South"}));
    EXPECT_EQ(combo(dialog, "CBFacilityWards")->currentIndex(), 0);
    EXPECT_EQ(combo(dialog, "CBDoctors")->currentText(), "Dr One");
    EXPECT_TRUE(visiting(dialog).isEmpty());
    EXPECT_EQ(Globals().CurrentFacilityCode, 0);
}

TEST_F(AdmissionTest, AnAdmittedPatientOpensOnTheStoredLocation)
{
    Globals().CurrentPatientId = 25001;
    frmAdmitPatient dialog;
    EXPECT_EQ(combo(dialog, "CBFacilities")->currentText(), "General");
    EXPECT_EQ(combo(dialog, "CBFacilityWards")->currentText(), "South");
    EXPECT_EQ(combo(dialog, "CBDoctors")->currentText(), "Dr Three");
    EXPECT_EQ(visiting(dialog), QStringList({"Dr Two|Primary Care|Weekly"}));
    EXPECT_TRUE(control<ListView>(dialog, "ListView1")->selectedItems().isEmpty());
    EXPECT_EQ(Globals().CurrentFacilityCode, 1);
    EXPECT_EQ(Globals().CurrentWardCode, 2);
    EXPECT_EQ(Globals().CurrentDoctorCode, 3);

    click(dialog, "CancelButton");
    EXPECT_EQ(Globals().CurrentWardCode, 2) << "the stored location stays after Cancel";
}

TEST_F(AdmissionTest, AFacilityWithoutWardsCannotBeChosen)
{
    Globals().CurrentPatientId = 25000;
    frmAdmitPatient dialog;
    combo(dialog, "CBFacilities")->setCurrentIndex(1);
    EXPECT_EQ(combo(dialog, "CBFacilityWards")->count(), 0);
    click(dialog, "OKButton");
    EXPECT_NE(dialog.result(), int(QDialog::Accepted)) << "the dialog stays open";
    EXPECT_EQ(rows("SELECT InFacilityCode FROM Patient WHERE PatientId = 25000"), QStringList({"0"}));
    combo(dialog, "CBFacilities")->setCurrentIndex(0);
    EXPECT_EQ(entries(combo(dialog, "CBFacilityWards")), QStringList({"North", "South"}));
}

TEST_F(AdmissionTest, OkWritesTheLocationAndTheAttendingAsVisitingDoctor)
{
    Globals().CurrentPatientId = 25000;
    frmAdmitPatient dialog;
    combo(dialog, "CBFacilityWards")->setCurrentIndex(1);
    combo(dialog, "CBDoctors")->setCurrentIndex(1);
    click(dialog, "OKButton");
    EXPECT_EQ(dialog.result(), int(QDialog::Accepted));
    EXPECT_EQ(rows("SELECT InFacilityCode, InWardCode, InDoctorCode, VXTS IS NOT NULL, LastChargeDate FROM Patient "
                   "WHERE PatientId = 25000"),
              QStringList({"1|2|2|1|<null>"}));
    EXPECT_EQ(visitingStored(25000), QStringList({"2|1|1"})) << "attention type 1, frequency 1";
    EXPECT_TRUE(shownMessages.isEmpty());
}

TEST_F(AdmissionTest, AnAttendingAlreadyVisitingGetsNoExtraRowEvenWhenMarked)
{
    Globals().CurrentPatientId = 25001;
    frmAdmitPatient dialog;
    combo(dialog, "CBDoctors")->setCurrentIndex(1);  // Dr Two, who visits already
    selectVisiting(dialog, 0);
    click(dialog, "Command2");
    EXPECT_EQ(visiting(dialog), QStringList({"*Dr Two|Primary Care|Weekly"}));
    click(dialog, "OKButton");
    EXPECT_TRUE(visitingStored(25001).isEmpty()) << "the marked row is deleted and nothing is added";
    EXPECT_EQ(rows("SELECT InDoctorCode FROM Patient WHERE PatientId = 25001"), QStringList({"2"}));
}

TEST_F(AdmissionTest, UnmarkingARowLeavesItUntouched)
{
    Globals().CurrentPatientId = 25001;
    frmAdmitPatient dialog;
    combo(dialog, "CBDoctors")->setCurrentIndex(1);
    selectVisiting(dialog, 0);
    click(dialog, "Command2");
    click(dialog, "Command2");
    EXPECT_EQ(visiting(dialog), QStringList({"Dr Two|Primary Care|Weekly"}));
    watchVisitingWrites();
    click(dialog, "OKButton");
    EXPECT_TRUE(visitingWrites.isEmpty()) << visitingWrites.join("\n").toStdString();
    EXPECT_EQ(visitingStored(25001), QStringList({"2|2|4"}));
}

TEST_F(AdmissionTest, VisitingDoctorsAddedHereAreInsertedOrDroppedWithoutAWrite)
{
    Globals().CurrentPatientId = 25000;
    frmAdmitPatient dialog;
    addDialog = adds(1, 2, 3);
    click(dialog, "Command1");
    addDialog = adds(2, 3, 0);
    click(dialog, "Command1");
    addDialog = [](QDialog& add) { click(add, "CancelButton"); };
    click(dialog, "Command1");
    EXPECT_EQ(shownDialogs, QStringList({"frmAdmitPatientDoctors", "frmAdmitPatientDoctors", "frmAdmitPatientDoctors"}));
    EXPECT_EQ(visiting(dialog), QStringList({"Dr Two|Consultant|Weekly", "Dr Three|Covering|Daily"}));

    selectVisiting(dialog, 0);
    click(dialog, "Command2");
    EXPECT_EQ(visiting(dialog), QStringList({"Dr Three|Covering|Daily"}));
    watchVisitingWrites();
    click(dialog, "OKButton");
    EXPECT_EQ(visitingWrites.size(), 2) << "the attending and Dr Three only";
    EXPECT_EQ(visitingStored(25000), QStringList({"1|1|1", "3|4|1"}));
}

TEST_F(AdmissionTest, AFailedVisitingDoctorIsShownAndTheOthersAreWritten)
{
    Globals().CurrentPatientId = 25000;
    frmAdmitPatient dialog;
    addDialog = adds(1, 1, 1);
    click(dialog, "Command1");
    click(dialog, "Command1");
    EXPECT_EQ(visiting(dialog).size(), 2) << "a doctor may be added twice";
    click(dialog, "OKButton");
    EXPECT_EQ(shownMessages.size(), 1) << "the second insert of Dr Two breaks the key";
    EXPECT_EQ(dialog.result(), int(QDialog::Accepted));
    EXPECT_EQ(visitingStored(25000), QStringList({"1|1|1", "2|2|2"}));
}

TEST_F(AdmissionTest, ALocationThatCannotBeWrittenKeepsTheDialogOpen)
{
    Globals().CurrentPatientId = 24999;  // removed meanwhile
    frmAdmitPatient dialog;
    EXPECT_EQ(control<QLineEdit>(dialog, "TxtPatient")->text(), "");
    click(dialog, "OKButton");
    EXPECT_EQ(shownMessages, QStringList({"U:IMPACTENT"}));
    EXPECT_NE(dialog.result(), int(QDialog::Accepted));
    EXPECT_TRUE(visitingStored(24999).isEmpty()) << "no visiting doctor without the location";
}

TEST_F(AdmissionTest, AnAdmissionOrDischargeOpenedBeforeAnotherClerkMovedThePatientStoresNothing)
{
    const QString location = "SELECT InFacilityCode, InWardCode, InDoctorCode FROM Patient WHERE PatientId = 25001";
    const auto movesToWard = [](int ward) {
        frmAdmitPatient other;
        combo(other, "CBFacilityWards")->setCurrentIndex(ward);
        click(other, "OKButton");
    };
    Globals().CurrentPatientId = 25001;
    frmAdmitPatient admission;
    asOtherClerk([&] { movesToWard(0); });
    // Only the attending doctor is changed here: Ok would put the old ward back.
    combo(admission, "CBDoctors")->setCurrentIndex(0);
    click(admission, "OKButton");
    EXPECT_NE(admission.result(), int(QDialog::Accepted));
    ASSERT_EQ(shownMessages.size(), 1);
    EXPECT_TRUE(shownMessages.first().startsWith("This admission was changed by another user or a HotSync"));
    EXPECT_EQ(rows(location), QStringList({"1|1|3"}));
    EXPECT_EQ(visitingStored(25001), QStringList({"2|2|4", "3|1|1"})) << "the other clerk's attending only";

    frmDischargePatient discharge;
    asOtherClerk([&] { movesToWard(1); });
    click(discharge, "OKButton");
    EXPECT_NE(discharge.result(), int(QDialog::Accepted));
    EXPECT_EQ(shownMessages.size(), 2);
    EXPECT_EQ(rows(location), QStringList({"1|2|3"})) << "still admitted where the other clerk put him";
}

TEST_F(AdmissionTest, TheAddDialogAnswersThroughTheGlobals)
{
    frmAdmitPatientDoctors add;
    EXPECT_EQ(add.windowTitle(), "Add visiting Doctor");
    EXPECT_EQ(entries(combo(add, "CBAttentionTypes")),
              QStringList({"Attending", "Primary Care", "Consultant", "Covering"}));
    EXPECT_EQ(combo(add, "CBFrequency")->currentText(), "Daily");
    adds(2, 1, 5)(add);
    const AppGlobals& globals = Globals();
    EXPECT_EQ(globals.PickedDoctorCode, 3);
    EXPECT_EQ(globals.PickedDoctorName, "Dr Three");
    EXPECT_EQ(globals.CurrentAttentionTypeCode, 2);
    EXPECT_EQ(globals.PickedAttentionTypeName, "Primary Care");
    EXPECT_EQ(globals.PickedFrequency, 6);
    EXPECT_EQ(globals.PickedFrequencyName, "Monthly");

    frmAdmitPatientDoctors cancelled;
    click(cancelled, "CancelButton");
    EXPECT_EQ(globals.PickedDoctorCode, 0);
}

TEST_F(AdmissionTest, TheAddDialogRefusesAnEmptyChoice)
{
    run("DELETE FROM Doctors");
    frmAdmitPatientDoctors add;
    EXPECT_EQ(combo(add, "CBDoctors")->count(), 0);
    click(add, "OKButton");
    EXPECT_NE(add.result(), int(QDialog::Accepted));
    EXPECT_EQ(Globals().PickedDoctorCode, 0);
}

}  // namespace
