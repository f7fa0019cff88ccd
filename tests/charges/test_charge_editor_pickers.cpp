#include "ChargesTestEnvironment.h"

#include "AppGlobals.h"
#include "ListView.h"
#include "RecordsForms.h"
#include "frmEditCharge.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>

namespace {

// The charge editor with the real patient, diagnosis and procedure pickers, which it reaches
// only by their names: what the user ticks or selects there is what the charge stores.
class ChargeEditorWithPickersTest : public ChargesTest {
protected:
    void SetUp() override
    {
        ChargesTest::SetUp();
        arrangeSmallPractice();
        run("INSERT INTO DiagnosisFamily (DiagnosisFamilyCode, DiagnosisFamilyDescription) VALUES (0, 'Respiratory')");
        RegisterListFormBasics();
        onDialog = [this](QDialog& picker) {
            const QStringList wanted = choices.value(picker.objectName());
            auto* list = picker.findChild<ListView*>("ListView1");
            for (int index = 0; index < list->topLevelItemCount(); ++index) {
                QTreeWidgetItem* item = list->topLevelItem(index);
                if (!wanted.contains(item->text(0)))
                    continue;
                if (list->CheckBoxes())
                    list->SetItemChecked(*item, true);
                else
                    list->setCurrentItem(item);
            }
            picker.findChild<QAbstractButton*>("btnOk")->click();
            return picker.result();
        };
    }

    // The rows each picker ticks (or, for the patient picker, selects), by its name.
    QHash<QString, QStringList> choices;
};

TEST_F(ChargeEditorWithPickersTest, PickedPatientDiagnosesAndProceduresAreStored)
{
    Globals().CurrentPatientId = 0;
    Globals().CurrentChargeDate = QDate(1900, 1, 1);
    frmEditCharge dialog;
    auto* facilities = dialog.findChild<QComboBox*>("CBFacilities");
    facilities->setCurrentIndex(facilities->findText("Sunset Care"));

    choices["frmPickPatient"] = {"Admitted, Ann"};
    dialog.findChild<QAbstractButton*>("Command5")->click();
    EXPECT_EQ(dialog.findChild<QLineEdit*>("TxtPatient")->text(), "Admitted, Ann");

    choices["frmPickDiagnosis"] = {"Asthma", "Cough"};
    dialog.findChild<QAbstractButton*>("Command1")->click();
    choices["frmPickProcedures"] = {"X-ray"};
    dialog.findChild<QAbstractButton*>("Command4")->click();
    EXPECT_EQ(shownDialogs, QStringList({"frmPickPatient", "frmPickDiagnosis", "frmPickProcedures"}));

    dialog.findChild<QAbstractButton*>("btnOk")->click();
    EXPECT_TRUE(shownMessages.isEmpty()) << shownMessages.join("\n").toStdString();
    EXPECT_TRUE(Globals().DialogAccepted);
    EXPECT_EQ(rows("SELECT PatientId, FacilityCode, EMCode, ReferDoctorCode FROM PatientCharges"),
              QStringList({"100|2|13|2"}));
    EXPECT_EQ(rows("SELECT DiagnosisCode FROM ChargeDiagnosis ORDER BY DiagnosisCode"), QStringList({"1", "3"}));
    EXPECT_EQ(rows("SELECT ProcedureCode FROM ChargeProcedures"), QStringList({"2"}));
}

}  // namespace
