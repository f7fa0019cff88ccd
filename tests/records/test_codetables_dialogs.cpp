#include "test_codetables_support.h"

#include "AppGlobals.h"
#include "EditDialog.h"
#include "FormRegistry.h"
#include "VNSQLDiagnosisFamilies.h"
#include "frmDiagnosis.h"
#include "frmEditDiagnosis.h"
#include "frmEditDiagnosisFamily.h"
#include "frmEditEMCode.h"
#include "frmEditProcedure.h"
#include "frmEditSickness.h"

#include <QPushButton>

#include <functional>
#include <utility>

namespace {

const QString kRecordNotFound = "Record not found.  Please report this error!";

// Each labelled control of a dialog from top to bottom: "label|objectName".
QStringList fieldsOf(QDialog& dialog)
{
    QStringList fields;
    auto* layout = dialog.findChild<QFormLayout*>();
    if (!layout)
        return fields;
    for (int row = 0; row < layout->rowCount(); ++row) {
        QLayoutItem* label = layout->itemAt(row, QFormLayout::LabelRole);
        QLayoutItem* field = layout->itemAt(row, QFormLayout::FieldRole);
        auto* labelWidget = label ? qobject_cast<QLabel*>(label->widget()) : nullptr;
        fields << (labelWidget ? labelWidget->text() : QString()) + "|" +
                      (field && field->widget() ? field->widget()->objectName() : QString());
    }
    return fields;
}

}  // namespace

class CodeTableDialogsTest : public CodeTablesTest {
protected:
    void pressOk(QDialog& dialog) { clickButton(dialog, "btnOk"); }

    QVariant column(const QString& table, const QString& columnName, const QString& keyColumn, qint32 key)
    {
        return queryValue(QString("SELECT %1 FROM %2 WHERE %3=%4").arg(columnName, table, keyColumn).arg(key));
    }
};

struct LayoutCase {
    const char* name;
    QString caption;
    QStringList fields;
};

TEST_F(CodeTableDialogsTest, DialogsCarryTheirCaptionsLabelsAndControlOrder)
{
    run("INSERT INTO DiagnosisFamily (DiagnosisFamilyCode, DiagnosisFamilyDescription) VALUES (1, 'Any')");
    const std::vector<LayoutCase> cases = {
        {"frmEditSickness", "History Item", {"Description:|TxtDescription", "Type:|CBSicknessTypes"}},
        {"frmEditProcedure",
         "Procedure",
         {"Description:|TxtDescription", "Billing code:|TxtBillingCode", "Real code:|TxtRealCode"}},
        {"frmEditDiagnosis",
         "Diagnosis",
         {"Description:|TxtDescription", "Type:|CBDiagnosisFamily", "Billing code:|TxtBillingCode",
          "Real code:|TxtRealCode"}},
        {"frmEditEMCode",
         "Evaluation & Management code",
         {"Description:|TxtDescription", "Real code:|TxtRealCode", "Billing code:|TxtBillingCode",
          "Applies to:|CBFacilityTypes", "Service as:|CBAttentionTypes", "Patient status:|CBChargeTypes",
          "Sequence:|CBCauseDischarge", "Show on the first Visit?:|CBShowOnFirst",
          "Show on rest of Visits?:|CBShowOnNext"}},
        {"frmEditDiagnosisFamily", "Diagnosis Group", {"Description:|TxtDescription"}},
    };
    for (const LayoutCase& layoutCase : cases) {
        SCOPED_TRACE(layoutCase.name);
        std::unique_ptr<QWidget> widget(CreateForm(layoutCase.name, nullptr));
        auto* dialog = qobject_cast<QDialog*>(widget.get());
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->objectName(), layoutCase.name);
        EXPECT_EQ(dialog->windowTitle(), layoutCase.caption);
        EXPECT_EQ(fieldsOf(*dialog), layoutCase.fields);
        EXPECT_EQ(control<QPushButton>(*dialog, "btnOk").text(), "Ok");
        EXPECT_EQ(control<QPushButton>(*dialog, "btnCancel").text(), "Cancel");
    }
    EXPECT_TRUE(shownMessages.isEmpty()) << shownMessages.join("|").toStdString();
}

TEST_F(CodeTableDialogsTest, HistoryItemStoredNewAndEditedWithTheChosenKind)
{
    // A kind whose code is not its position shows whether entries map to rows.
    run("INSERT INTO SicknessType (SicknessTypeCode, Description) VALUES (7, 'Family History')");

    Globals().CurrentSicknessCode = 0;
    qint16 code = 0;
    {
        frmEditSickness dialog;
        ASSERT_FALSE(dialog.CloseOnActivate());
        EXPECT_EQ(textBox(dialog, "TxtDescription").text(), "");
        QComboBox& types = comboBox(dialog, "CBSicknessTypes");
        EXPECT_EQ(entriesOf(types), QStringList({"Allergies", "Medical History", "Surgical History", "Family History"}));
        EXPECT_EQ(types.currentIndex(), 0);
        textBox(dialog, "TxtDescription").setText("Mother's 'early' diabetes");
        choose(types, "Family History");
        pressOk(dialog);
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        code = Globals().CurrentSicknessCode;
        ASSERT_NE(code, 0);
    }
    EXPECT_TRUE(Globals().DialogAccepted);
    EXPECT_EQ(column("Sickness", "Description", "SicknessCode", code).toString(), "Mother's 'early' diabetes");
    EXPECT_EQ(column("Sickness", "SicknessTypeCode", "SicknessCode", code).toInt(), 7);

    Globals().DialogAccepted = false;
    {
        frmEditSickness dialog;
        ASSERT_FALSE(dialog.CloseOnActivate());
        EXPECT_EQ(textBox(dialog, "TxtDescription").text(), "Mother's 'early' diabetes");
        EXPECT_EQ(comboBox(dialog, "CBSicknessTypes").currentText(), "Family History");
        textBox(dialog, "TxtDescription").setText("Father's asthma");
        choose(comboBox(dialog, "CBSicknessTypes"), "Medical History");
        pressOk(dialog);
    }
    EXPECT_TRUE(Globals().DialogAccepted);
    EXPECT_EQ(Globals().CurrentSicknessCode, code);
    EXPECT_EQ(column("Sickness", "Description", "SicknessCode", code).toString(), "Father's asthma");
    EXPECT_EQ(column("Sickness", "SicknessTypeCode", "SicknessCode", code).toInt(), 1);
    EXPECT_EQ(queryValue("SELECT COUNT(*) FROM Sickness").toInt(), 1);

    // An empty description is refused; the dialog stays open.
    Globals().CurrentSicknessCode = 0;
    {
        frmEditSickness dialog;
        pressOk(dialog);
        EXPECT_NE(dialog.result(), QDialog::Accepted);
    }
    EXPECT_EQ(Globals().CurrentSicknessCode, 0);
    EXPECT_EQ(queryValue("SELECT COUNT(*) FROM Sickness").toInt(), 1);
    EXPECT_EQ(shownMessages, QStringList({"You have to type the Description first!"}));
}

TEST_F(CodeTableDialogsTest, ProcedureCodesGoToTheirOwnColumnsAndBack)
{
    Globals().CurrentProcedureCode = 0;
    {
        frmEditProcedure dialog;
        textBox(dialog, "TxtDescription").setText("Patient's wound care");
        textBox(dialog, "TxtBillingCode").setText("BILL'1");
        textBox(dialog, "TxtRealCode").setText("REAL'1");
        pressOk(dialog);
    }
    const qint16 code = Globals().CurrentProcedureCode;
    ASSERT_NE(code, 0);
    EXPECT_EQ(column("Procedures", "Description", "ProcedureCode", code).toString(), "Patient's wound care");
    EXPECT_EQ(column("Procedures", "BillingProcedureCode", "ProcedureCode", code).toString(), "BILL'1");
    EXPECT_EQ(column("Procedures", "RealProcedureCode", "ProcedureCode", code).toString(), "REAL'1");

    {
        frmEditProcedure dialog;
        EXPECT_EQ(textBox(dialog, "TxtDescription").text(), "Patient's wound care");
        EXPECT_EQ(textBox(dialog, "TxtBillingCode").text(), "BILL'1");
        EXPECT_EQ(textBox(dialog, "TxtRealCode").text(), "REAL'1");
        textBox(dialog, "TxtBillingCode").setText("B2");
        textBox(dialog, "TxtRealCode").setText("R2");
        pressOk(dialog);
    }
    EXPECT_EQ(column("Procedures", "BillingProcedureCode", "ProcedureCode", code).toString(), "B2");
    EXPECT_EQ(column("Procedures", "RealProcedureCode", "ProcedureCode", code).toString(), "R2");
    EXPECT_TRUE(shownMessages.isEmpty()) << shownMessages.join("|").toStdString();
}

TEST_F(CodeTableDialogsTest, DiagnosisStoredWithTheChosenGroupAndItsCodes)
{
    // Codes out of step with the entries' positions.
    run("INSERT INTO DiagnosisFamily (DiagnosisFamilyCode, DiagnosisFamilyDescription) VALUES (9, 'Skin')");
    run("INSERT INTO DiagnosisFamily (DiagnosisFamilyCode, DiagnosisFamilyDescription) VALUES (5, 'Heart')");

    Globals().CurrentDiagnosisCode = 0;
    {
        frmEditDiagnosis dialog;
        ASSERT_FALSE(dialog.CloseOnActivate());
        QComboBox& groups = comboBox(dialog, "CBDiagnosisFamily");
        EXPECT_EQ(groups.count(), 2);
        EXPECT_EQ(groups.currentIndex(), 0);
        textBox(dialog, "TxtDescription").setText("Crohn's disease");
        choose(groups, "Heart");
        textBox(dialog, "TxtBillingCode").setText("K50.9");
        textBox(dialog, "TxtRealCode").setText("555.9");
        pressOk(dialog);
    }
    const qint16 code = Globals().CurrentDiagnosisCode;
    ASSERT_NE(code, 0);
    EXPECT_EQ(column("Diagnosis", "Description", "DiagnosisCode", code).toString(), "Crohn's disease");
    EXPECT_EQ(column("Diagnosis", "DiagnosisFamilyCode", "DiagnosisCode", code).toInt(), 5);
    EXPECT_EQ(column("Diagnosis", "BillingDiagnosisCode", "DiagnosisCode", code).toString(), "K50.9");
    EXPECT_EQ(column("Diagnosis", "RealDiagnosisCode", "DiagnosisCode", code).toString(), "555.9");

    {
        frmEditDiagnosis dialog;
        EXPECT_EQ(comboBox(dialog, "CBDiagnosisFamily").currentText(), "Heart");
        EXPECT_EQ(textBox(dialog, "TxtBillingCode").text(), "K50.9");
        EXPECT_EQ(textBox(dialog, "TxtRealCode").text(), "555.9");
        choose(comboBox(dialog, "CBDiagnosisFamily"), "Skin");
        pressOk(dialog);
    }
    EXPECT_EQ(column("Diagnosis", "DiagnosisFamilyCode", "DiagnosisCode", code).toInt(), 9);

    // A group gone from the table (a handheld's, say): the dialog opens on the first group and OK
    // moves the diagnosis there.
    run("DELETE FROM DiagnosisFamily WHERE DiagnosisFamilyCode = 9");
    {
        frmEditDiagnosis dialog;
        ASSERT_FALSE(dialog.CloseOnActivate());
        EXPECT_EQ(comboBox(dialog, "CBDiagnosisFamily").currentIndex(), 0);
        EXPECT_EQ(comboBox(dialog, "CBDiagnosisFamily").currentText(), "Heart");
        pressOk(dialog);
    }
    EXPECT_EQ(column("Diagnosis", "DiagnosisFamilyCode", "DiagnosisCode", code).toInt(), 5);
    EXPECT_TRUE(shownMessages.isEmpty()) << shownMessages.join("|").toStdString();
}

TEST_F(CodeTableDialogsTest, WithoutDiagnosisGroupsNoDiagnosisCanBeCreatedOrEdited)
{
    run("INSERT INTO Diagnosis (DiagnosisCode, Description, DiagnosisFamilyCode, RealDiagnosisCode, "
            "BillingDiagnosisCode) VALUES (3, 'Orphan', 4, 'R', 'B')");
    onDialog = [](QDialog& dialog) { return dialog.exec(); };

    // New diagnosis from the main window.
    Globals().CurrentDiagnosisCode = 0;
    Globals().DialogAccepted = false;
    ASSERT_TRUE(ShowDialogByName("frmEditDiagnosis", nullptr));
    EXPECT_EQ(shownMessages, QStringList({"You have to define Diagnosis Groups first!"}));
    EXPECT_EQ(Globals().CurrentDiagnosisCode, 0);
    EXPECT_FALSE(Globals().DialogAccepted);

    // An existing one from the list.
    shownMessages.clear();
    auto list = openList<frmDiagnosis>(0);
    ASSERT_EQ(columnTexts(list->List()), QStringList({"Orphan"}));
    selectItems(list->List(), {0});
    emit list->List().itemDoubleClicked(list->List().topLevelItem(0), 0);
    EXPECT_EQ(shownMessages, QStringList({"You have to define Diagnosis Groups first!"}));
    EXPECT_FALSE(Globals().DialogAccepted);
    EXPECT_EQ(queryValue("SELECT COUNT(*) FROM Diagnosis").toInt(), 1);
    EXPECT_EQ(columnTexts(list->List()), QStringList({"Orphan"}));
}

TEST_F(CodeTableDialogsTest, NewEMCodeStartsAsAnInitialVisitShownEverywhere)
{
    Globals().CurrentEMCode = 0;
    {
        frmEditEMCode dialog;
        ASSERT_FALSE(dialog.CloseOnActivate());
        EXPECT_EQ(entriesOf(comboBox(dialog, "CBCauseDischarge")), QStringList({"Initial", "Follow Up", "Discharge"}));
        EXPECT_EQ(entriesOf(comboBox(dialog, "CBShowOnFirst")), QStringList({"No", "Yes"}));
        EXPECT_EQ(entriesOf(comboBox(dialog, "CBShowOnNext")), QStringList({"No", "Yes"}));
        EXPECT_EQ(comboBox(dialog, "CBCauseDischarge").currentText(), "Initial");
        EXPECT_EQ(comboBox(dialog, "CBShowOnFirst").currentText(), "Yes");
        EXPECT_EQ(comboBox(dialog, "CBShowOnNext").currentText(), "Yes");
        EXPECT_EQ(comboBox(dialog, "CBFacilityTypes").currentIndex(), 0);
        EXPECT_EQ(comboBox(dialog, "CBAttentionTypes").currentIndex(), 0);
        EXPECT_EQ(comboBox(dialog, "CBChargeTypes").currentIndex(), 0);
        textBox(dialog, "TxtDescription").setText("Doctor's first visit");
        pressOk(dialog);
    }
    const qint32 code = Globals().CurrentEMCode;
    ASSERT_NE(code, 0);
    EXPECT_TRUE(Globals().DialogAccepted);
    EXPECT_EQ(column("EvaluationManagement", "Description", "EMCode", code).toString(), "Doctor's first visit");
    EXPECT_EQ(column("EvaluationManagement", "IsDischarge", "EMCode", code).toInt(), 1);
    EXPECT_EQ(column("EvaluationManagement", "ShowOnFirst", "EMCode", code).toInt(), 1);
    EXPECT_EQ(column("EvaluationManagement", "ShowOnNext", "EMCode", code).toInt(), 1);
    // The first row of each lookup.
    EXPECT_EQ(column("EvaluationManagement", "FacilityTypeCode", "EMCode", code).toInt(), 1);
    EXPECT_EQ(column("EvaluationManagement", "AttentionTypeCode", "EMCode", code).toInt(), 1);
    EXPECT_EQ(column("EvaluationManagement", "ChargeTypeCode", "EMCode", code).toInt(), 1);
}

TEST_F(CodeTableDialogsTest, EMCodeChoicesGoToTheirOwnColumns)
{
    Globals().CurrentEMCode = 0;
    {
        frmEditEMCode dialog;
        textBox(dialog, "TxtDescription").setText("Consult");
        textBox(dialog, "TxtRealCode").setText("REAL");
        textBox(dialog, "TxtBillingCode").setText("BILL");
        choose(comboBox(dialog, "CBFacilityTypes"), "Board & Care");      // 4
        choose(comboBox(dialog, "CBAttentionTypes"), "Primary Care");     // 2
        choose(comboBox(dialog, "CBChargeTypes"), "Consultation");        // 3
        choose(comboBox(dialog, "CBCauseDischarge"), "Follow Up");        // 2
        choose(comboBox(dialog, "CBShowOnFirst"), "No");                  // 0
        choose(comboBox(dialog, "CBShowOnNext"), "Yes");                  // 1
        pressOk(dialog);
    }
    const qint32 code = Globals().CurrentEMCode;
    ASSERT_NE(code, 0);
    const auto stored = [&](const char* name) { return column("EvaluationManagement", name, "EMCode", code); };
    EXPECT_EQ(stored("RealEMCode").toString(), "REAL");
    EXPECT_EQ(stored("BillingEMCode").toString(), "BILL");
    EXPECT_EQ(stored("FacilityTypeCode").toInt(), 4);
    EXPECT_EQ(stored("AttentionTypeCode").toInt(), 2);
    EXPECT_EQ(stored("ChargeTypeCode").toInt(), 3);
    EXPECT_EQ(stored("IsDischarge").toInt(), 2);
    EXPECT_EQ(stored("ShowOnFirst").toInt(), 0);
    EXPECT_EQ(stored("ShowOnNext").toInt(), 1);
}

TEST_F(CodeTableDialogsTest, EditedEMCodeShowsItsValuesAndOkWithoutChangesStoresThemAgain)
{
    run("INSERT INTO EvaluationManagement (EMCode, Description, FacilityTypeCode, ChargeTypeCode, "
            "AttentionTypeCode, BillingEMCode, RealEMCode, ShowOnFirst, ShowOnNext, IsDischarge) "
            "VALUES (40, 'Discharge day', 5, 2, 4, '99238', 'D1', 0, 1, 3)");
    const QString row = "SELECT Description || '|' || FacilityTypeCode || '|' || ChargeTypeCode || '|' || "
                        "AttentionTypeCode || '|' || BillingEMCode || '|' || RealEMCode || '|' || ShowOnFirst || "
                        "'|' || ShowOnNext || '|' || IsDischarge FROM EvaluationManagement WHERE EMCode=40";
    const QString before = queryValue(row).toString();

    Globals().CurrentEMCode = 40;
    {
        frmEditEMCode dialog;
        ASSERT_FALSE(dialog.CloseOnActivate());
        EXPECT_EQ(textBox(dialog, "TxtDescription").text(), "Discharge day");
        EXPECT_EQ(textBox(dialog, "TxtBillingCode").text(), "99238");
        EXPECT_EQ(textBox(dialog, "TxtRealCode").text(), "D1");
        EXPECT_EQ(comboBox(dialog, "CBFacilityTypes").currentText(), "Office");
        EXPECT_EQ(comboBox(dialog, "CBChargeTypes").currentText(), "Outpatient Visit");
        EXPECT_EQ(comboBox(dialog, "CBAttentionTypes").currentText(), "Covering");
        EXPECT_EQ(comboBox(dialog, "CBCauseDischarge").currentText(), "Discharge");
        EXPECT_EQ(comboBox(dialog, "CBShowOnFirst").currentText(), "No");
        EXPECT_EQ(comboBox(dialog, "CBShowOnNext").currentText(), "Yes");
        pressOk(dialog);
    }
    EXPECT_TRUE(Globals().DialogAccepted);
    EXPECT_EQ(Globals().CurrentEMCode, 40);
    EXPECT_EQ(queryValue(row).toString(), before);
    EXPECT_TRUE(shownMessages.isEmpty()) << shownMessages.join("|").toStdString();
}

TEST_F(CodeTableDialogsTest, EMCodeValuesOutsideTheFixedEntriesShowNoEntryAndAreKept)
{
    run("INSERT INTO EvaluationManagement (EMCode, Description, FacilityTypeCode, ChargeTypeCode, "
            "AttentionTypeCode, BillingEMCode, RealEMCode, ShowOnFirst, ShowOnNext, IsDischarge) "
            "VALUES (41, 'Odd', 1, 1, 1, 'B', 'R', 5, 1, 7)");
    Globals().CurrentEMCode = 41;
    {
        frmEditEMCode dialog;
        EXPECT_EQ(comboBox(dialog, "CBShowOnFirst").currentIndex(), -1);
        EXPECT_EQ(comboBox(dialog, "CBCauseDischarge").currentIndex(), -1);
        choose(comboBox(dialog, "CBShowOnNext"), "No");
        pressOk(dialog);
    }
    EXPECT_EQ(column("EvaluationManagement", "ShowOnFirst", "EMCode", 41).toInt(), 5);
    EXPECT_EQ(column("EvaluationManagement", "IsDischarge", "EMCode", 41).toInt(), 7);
    EXPECT_EQ(column("EvaluationManagement", "ShowOnNext", "EMCode", 41).toInt(), 0);
}

TEST_F(CodeTableDialogsTest, EMCodeLookupsAreCheckedInOrderAndTheFirstEmptyOneStopsTheLoad)
{
    const std::vector<std::pair<QString, QString>> emptied = {
        {"FacilityTypes", "You have to define Facility Types first!"},
        {"ChargeTypes", "You have to define Charge types first!"},
        {"AttentionTypes", "You have to define Attention types first!"},
    };
    // Emptying the tables one by one from the last-opened: each time only the earliest empty
    // lookup speaks.
    Globals().CurrentEMCode = 0;
    for (const auto& [table, message] : emptied) {
        SCOPED_TRACE(table.toStdString());
        run("DELETE FROM " + table);
        shownMessages.clear();
        frmEditEMCode dialog;
        EXPECT_TRUE(dialog.CloseOnActivate());
        EXPECT_EQ(shownMessages, QStringList({message}));
    }
    EXPECT_EQ(queryValue("SELECT COUNT(*) FROM EvaluationManagement").toInt(), 0);
}

TEST_F(CodeTableDialogsTest, AnEmptyHistoryKindTableClosesTheDialogWithoutStoring)
{
    run("DELETE FROM SicknessType");
    onDialog = [](QDialog& dialog) { return dialog.exec(); };
    Globals().CurrentSicknessCode = 0;
    ASSERT_TRUE(ShowDialogByName("frmEditSickness", nullptr));
    EXPECT_EQ(shownMessages, QStringList({"You have to define History Groups first!"}));
    EXPECT_FALSE(Globals().DialogAccepted);
    EXPECT_EQ(queryValue("SELECT COUNT(*) FROM Sickness").toInt(), 0);
}

struct MissingRecordCase {
    const char* name;
    std::function<void()> setMissingCode;
};

TEST_F(CodeTableDialogsTest, EditingAMissingRecordSaysSoAndClosesAtActivation)
{
    run("INSERT INTO DiagnosisFamily (DiagnosisFamilyCode, DiagnosisFamilyDescription) VALUES (1, 'Any')");
    const std::vector<MissingRecordCase> cases = {
        {"frmEditSickness", [] { Globals().CurrentSicknessCode = 77; }},
        {"frmEditProcedure", [] { Globals().CurrentProcedureCode = 77; }},
        {"frmEditDiagnosis", [] { Globals().CurrentDiagnosisCode = 77; }},
        {"frmEditEMCode", [] { Globals().CurrentEMCode = 77; }},
        {"frmEditDiagnosisFamily", [] { Globals().CurrentDiagnosisFamilyCode = 77; }},
    };
    for (const MissingRecordCase& missing : cases) {
        SCOPED_TRACE(missing.name);
        missing.setMissingCode();
        shownMessages.clear();
        std::unique_ptr<QWidget> widget(CreateForm(missing.name, nullptr));
        auto* dialog = qobject_cast<EditDialog*>(widget.get());
        ASSERT_NE(dialog, nullptr);
        EXPECT_TRUE(dialog->CloseOnActivate());
        EXPECT_EQ(shownMessages, QStringList({kRecordNotFound}));
    }
}

TEST_F(CodeTableDialogsTest, AFailedWriteKeepsTheDialogOpenUntilCancel)
{
    qint16 code = 0;
    QString error;
    ASSERT_EQ(InsertDiagnosisFamily(code, "Vascular", error), 0);
    Globals().CurrentDiagnosisFamilyCode = code;
    Globals().DialogAccepted = true;  // from an earlier dialog
    frmEditDiagnosisFamily dialog;
    ASSERT_EQ(textBox(dialog, "TxtDescription").text(), "Vascular");
    ASSERT_EQ(DeleteDiagnosisFamily(code, error), 0);  // by another user meanwhile

    textBox(dialog, "TxtDescription").setText("Vascular disorders");
    pressOk(dialog);
    pressOk(dialog);
    const QString deleted = "This diagnosis group was deleted by another user after you opened it. Nothing was stored.";
    EXPECT_EQ(shownMessages, QStringList({deleted, deleted}));
    EXPECT_EQ(dialog.result(), QDialog::Rejected);  // not accepted: still open
    EXPECT_EQ(textBox(dialog, "TxtDescription").text(), "Vascular disorders");
    EXPECT_TRUE(Globals().DialogAccepted);

    clickButton(dialog, "btnCancel");
    EXPECT_FALSE(Globals().DialogAccepted);
    EXPECT_EQ(queryValue("SELECT COUNT(*) FROM DiagnosisFamily").toInt(), 0);
}

TEST_F(CodeTableDialogsTest, DiagnosisGroupStoredNewAndEdited)
{
    Globals().CurrentDiagnosisFamilyCode = 0;
    {
        frmEditDiagnosisFamily dialog;
        ASSERT_FALSE(dialog.CloseOnActivate());
        EXPECT_EQ(textBox(dialog, "TxtDescription").text(), "");
        textBox(dialog, "TxtDescription").setText("Children's diseases");
        pressOk(dialog);
    }
    const qint16 code = Globals().CurrentDiagnosisFamilyCode;
    EXPECT_EQ(code, 1);  // the first group of an empty table
    EXPECT_TRUE(Globals().DialogAccepted);
    EXPECT_EQ(column("DiagnosisFamily", "DiagnosisFamilyDescription", "DiagnosisFamilyCode", code).toString(),
              "Children's diseases");

    Globals().DialogAccepted = false;
    {
        frmEditDiagnosisFamily dialog;
        EXPECT_EQ(textBox(dialog, "TxtDescription").text(), "Children's diseases");
        textBox(dialog, "TxtDescription").setText("Paediatric 'other'");
        pressOk(dialog);
    }
    EXPECT_TRUE(Globals().DialogAccepted);
    EXPECT_EQ(column("DiagnosisFamily", "DiagnosisFamilyDescription", "DiagnosisFamilyCode", code).toString(),
              "Paediatric 'other'");

    {
        frmEditDiagnosisFamily dialog;
        textBox(dialog, "TxtDescription").setText("Ignored");
        clickButton(dialog, "btnCancel");
    }
    EXPECT_FALSE(Globals().DialogAccepted);
    EXPECT_EQ(column("DiagnosisFamily", "DiagnosisFamilyDescription", "DiagnosisFamilyCode", code).toString(),
              "Paediatric 'other'");
    EXPECT_TRUE(shownMessages.isEmpty()) << shownMessages.join("|").toStdString();
}
