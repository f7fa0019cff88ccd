#include "test_codetables_support.h"

#include "AppGlobals.h"
#include "FormRegistry.h"
#include "UserSettings.h"
#include "VNSQLDiagnosis.h"
#include "VNSQLDiagnosisFamilies.h"
#include "VNSQLEMCodes.h"
#include "VNSQLProcedures.h"
#include "VNSQLSickness.h"
#include "frmDiagnosis.h"
#include "frmDiagnosisFamilies.h"
#include "frmEMCodes.h"
#include "frmProcedures.h"
#include "frmMain.h"
#include "frmSickness.h"


#include <functional>

namespace {

qint16 addSickness(const QString& description, qint16 type)
{
    qint16 code = 0;
    QString error;
    EXPECT_EQ(InsertSickness(code, description, type, error), 0) << error.toStdString();
    return code;
}

qint16 addProcedure(const QString& description, const QString& realCode, const QString& billingCode)
{
    qint16 code = 0;
    QString error;
    EXPECT_EQ(InsertProcedure(code, description, realCode, billingCode, error), 0) << error.toStdString();
    return code;
}

qint16 addGroup(const QString& description)
{
    qint16 code = 0;
    QString error;
    EXPECT_EQ(InsertDiagnosisFamily(code, description, error), 0) << error.toStdString();
    return code;
}

qint16 addDiagnosis(const QString& description, qint16 group, const QString& billingCode)
{
    qint16 code = 0;
    QString error;
    EXPECT_EQ(InsertDiagnosis(code, description, group, "R" + description, billingCode, error), 0)
        << error.toStdString();
    return code;
}

qint32 addEMCode(const QString& description, qint16 facilityType, const QString& billingCode)
{
    qint32 code = 0;
    QString error;
    EXPECT_EQ(InsertEMCode(code, description, facilityType, 1, 1, billingCode, "R" + description, 1, 1, 1, error), 0)
        << error.toStdString();
    return code;
}

using ListFactory = std::function<std::unique_ptr<ListForm>()>;

template <typename Form>
ListFactory factoryOf()
{
    return [] { return std::unique_ptr<ListForm>(new Form); };
}

}  // namespace

class CodeTableListsTest : public CodeTablesTest {
protected:
    QStringList descriptionsUnder(const ListFactory& make, qint16 filter)
    {
        mainForm.FiltroActual = filter;
        std::unique_ptr<ListForm> form = make();
        form->Refresca();
        return columnTexts(form->List());
    }
};

TEST_F(CodeTableListsTest, HistoryItemFiltersSelectTheirKindSortedByDescription)
{
    addSickness("Penicillin", 0);
    addSickness("Asthma", 1);
    addSickness("Appendectomy", 2);
    addSickness("Dust mites", 0);
    addSickness("O'Brien's syndrome", 1);

    const ListFactory list = factoryOf<frmSickness>();
    EXPECT_EQ(descriptionsUnder(list, 0),
              QStringList({"Appendectomy", "Asthma", "Dust mites", "O'Brien's syndrome", "Penicillin"}));
    EXPECT_EQ(descriptionsUnder(list, 10), QStringList({"Dust mites", "Penicillin"}));
    EXPECT_EQ(descriptionsUnder(list, 11), QStringList({"Asthma", "O'Brien's syndrome"}));
    EXPECT_EQ(descriptionsUnder(list, 12), QStringList({"Appendectomy"}));

    auto form = openList<frmSickness>(10);
    EXPECT_EQ(columnTexts(form->List(), 1), QStringList({"Allergies", "Allergies"}));
    EXPECT_TRUE(shownMessages.isEmpty()) << shownMessages.join("|").toStdString();
}

TEST_F(CodeTableListsTest, IncompleteFiltersListOnlyAnEmptyBillingCode)
{
    addProcedure("Billed procedure", "P1", "B1");
    addProcedure("Unbilled procedure", "P2", "");
    run("INSERT INTO Procedures (ProcedureCode, Description, RealProcedureCode) VALUES (50, 'Null-coded procedure', 'P3')");
    const qint16 group = addGroup("Infections");
    addDiagnosis("Billed diagnosis", group, "D1");
    addDiagnosis("Unbilled diagnosis", group, "");
    run("INSERT INTO Diagnosis (DiagnosisCode, Description, DiagnosisFamilyCode) VALUES (50, 'Null-coded diagnosis', 1)");
    addEMCode("Billed visit", 1, "99221");
    addEMCode("Unbilled visit", 1, "");
    run("INSERT INTO EvaluationManagement (EMCode, Description, FacilityTypeCode) VALUES (50, 'Null-coded visit', 1)");

    EXPECT_EQ(descriptionsUnder(factoryOf<frmProcedures>(), 0).size(), 3);
    EXPECT_EQ(descriptionsUnder(factoryOf<frmProcedures>(), 1), QStringList({"Unbilled procedure"}));
    EXPECT_EQ(descriptionsUnder(factoryOf<frmDiagnosis>(), 0).size(), 3);
    EXPECT_EQ(descriptionsUnder(factoryOf<frmDiagnosis>(), 1), QStringList({"Unbilled diagnosis"}));
    EXPECT_EQ(descriptionsUnder(factoryOf<frmEMCodes>(), 0).size(), 3);
    EXPECT_EQ(descriptionsUnder(factoryOf<frmEMCodes>(), 1), QStringList({"Unbilled visit"}));
}

TEST_F(CodeTableListsTest, ListColumnsShowTheirFields)
{
    addProcedure("Suture", "REAL-7", "BILL-7");
    auto procedures = openList<frmProcedures>(0);
    ASSERT_EQ(procedures->List().topLevelItemCount(), 1);
    const QTreeWidgetItem& procedure = *procedures->List().topLevelItem(0);
    EXPECT_EQ(procedure.text(0), "Suture");
    EXPECT_EQ(procedure.text(1), "BILL-7");
    EXPECT_EQ(procedure.text(2), "REAL-7");

    addDiagnosis("Otitis", addGroup("Ear"), "H66");
    auto diagnoses = openList<frmDiagnosis>(0);
    ASSERT_EQ(diagnoses->List().topLevelItemCount(), 1);
    const QTreeWidgetItem& diagnosis = *diagnoses->List().topLevelItem(0);
    EXPECT_EQ(QStringList({diagnosis.text(0), diagnosis.text(1), diagnosis.text(2), diagnosis.text(3)}),
              QStringList({"Otitis", "H66", "ROtitis", "Ear"}));

    qint32 code = 0;
    QString error;
    ASSERT_EQ(InsertEMCode(code, "Consult", 5, 3, 2, "99241", "C1", 1, 0, 1, error), 0);
    auto emCodes = openList<frmEMCodes>(0);
    ASSERT_EQ(emCodes->List().topLevelItemCount(), 1);
    const QTreeWidgetItem& emCode = *emCodes->List().topLevelItem(0);
    EXPECT_EQ(QStringList({emCode.text(0), emCode.text(1), emCode.text(2), emCode.text(3), emCode.text(4),
                           emCode.text(5)}),
              QStringList({"Consult", "Office", "99241", "C1", "Consultation", "Primary Care"}));
}

TEST_F(CodeTableListsTest, EMCodeFacilityFiltersSelectTheirFacilityType)
{
    addEMCode("Hospital visit", 1, "1");
    addEMCode("Nursing home visit", 2, "2");
    addEMCode("Home visit", 3, "3");
    addEMCode("Board and care visit", 4, "4");
    addEMCode("Office visit", 5, "5");

    const ListFactory list = factoryOf<frmEMCodes>();
    EXPECT_EQ(descriptionsUnder(list, 6), QStringList({"Hospital visit"}));
    EXPECT_EQ(descriptionsUnder(list, 7), QStringList({"Board and care visit"}));
    EXPECT_EQ(descriptionsUnder(list, 8), QStringList({"Nursing home visit"}));
    EXPECT_EQ(descriptionsUnder(list, 9), QStringList({"Home visit"}));
    EXPECT_EQ(descriptionsUnder(list, 14), QStringList({"Office visit"}));
    EXPECT_EQ(descriptionsUnder(list, 0).size(), 5);
}

TEST_F(CodeTableListsTest, DiagnosisGroupsShowEveryGroupWhateverTheFilter)
{
    addGroup("Respiratory");
    addGroup("Cardiac");
    addGroup("Skin");
    const QStringList all = {"Cardiac", "Respiratory", "Skin"};
    for (qint16 filter : {0, 1, 5, 12}) {
        EXPECT_EQ(descriptionsUnder(factoryOf<frmDiagnosisFamilies>(), filter), all) << "filter " << filter;
        EXPECT_TRUE(shownMessages.isEmpty()) << shownMessages.join("|").toStdString();
    }
}

TEST_F(CodeTableListsTest, OnlyTheHistoryItemsListLeavesTheStoredFilterAlone)
{
    addSickness("Latex", 0);
    SaveSetting("Vantora", "Sickness", "ActiveFilter", "11");
    SaveSetting("Vantora", "Procedures", "ActiveFilter", "0");
    {
        auto history = openList<frmSickness>(12);
        EXPECT_EQ(mainForm.checkedFilters, QList<qint16>({11}));  // the stored filter, at Load
        history->List().SetColumnWidth(1, 2000);
        auto procedures = openList<frmProcedures>(1);
    }
    EXPECT_EQ(GetSetting("Vantora", "Sickness", "ActiveFilter"), "11");
    EXPECT_EQ(GetSetting("Vantora", "Procedures", "ActiveFilter"), "1");

    // The history list's layout was saved all the same.
    frmSickness reopened;
    EXPECT_NEAR(reopened.List().ColumnWidth(1), 2000, 15);
}

struct PrintCase {
    const char* label;
    std::function<std::unique_ptr<ListForm>()> make;
    qint16 filter;
    QString viewFileName;
    QString title;
};

TEST_F(CodeTableListsTest, PrintedListsCarryTheirTitleAndViewFile)
{
    addSickness("Pollen", 1);
    addProcedure("Biopsy", "R", "B");
    addDiagnosis("Gout", addGroup("Joints"), "M10");
    addEMCode("Office visit", 5, "99213");
    addEMCode("Board and care visit", 4, "99324");

    const std::vector<PrintCase> cases = {
        {"history items", factoryOf<frmSickness>(), 11, "HistoryItemsView", "History Items (Medical)"},
        {"procedures", factoryOf<frmProcedures>(), 0, "ProceduresView", "Procedures (All)"},
        {"diagnoses", factoryOf<frmDiagnosis>(), 0, "DiagnosisView", "Diagnosis (All)"},
        {"E&M codes, office", factoryOf<frmEMCodes>(), 14, "EMCodesView", "Evaulation & Management Codes (Office)"},
        {"E&M codes, B&C", factoryOf<frmEMCodes>(), 7, "EMCodesView", "Evaulation & Management Codes (B&C)"},
        {"groups, incomplete", factoryOf<frmDiagnosisFamilies>(), 1, "DiagnosisFamiliesView",
         "Diagnosis Families(Incomplete)"},
        {"groups, unnamed filter", factoryOf<frmDiagnosisFamilies>(), 9, "DiagnosisFamiliesView",
         "Diagnosis Families()"},
    };
    for (const PrintCase& printCase : cases) {
        SCOPED_TRACE(printCase.label);
        startedViewers.clear();
        mainForm.FiltroActual = printCase.filter;
        std::unique_ptr<ListForm> form = printCase.make();
        form->Refresca();
        form->Imprimir();
        const QString file = programFolder + "/" + printCase.viewFileName + ".lrm";
        EXPECT_EQ(startedViewers, QStringList({file}));
        EXPECT_TRUE(printedTexts(printCase.viewFileName).contains(printCase.title))
            << printedTexts(printCase.viewFileName).join("|").toStdString();
    }
    EXPECT_TRUE(shownMessages.isEmpty()) << shownMessages.join("|").toStdString();
}

struct DeleteCase {
    const char* label;
    std::function<std::unique_ptr<ListForm>()> make;
    std::function<void()> addRow;
    QString prompt;
    QString countQuery;  // counts the table's rows
};

TEST_F(CodeTableListsTest, DeletingAsksItsOwnQuestionAndRemovesOnlyTheRecordRow)
{
    const std::vector<DeleteCase> cases = {
        {"history items", factoryOf<frmSickness>(), [] { addSickness("Bee stings", 0); },
         "Are you sure you want to delete the selected Sickness?", "SELECT COUNT(*) FROM Sickness"},
        {"procedures", factoryOf<frmProcedures>(), [] { addProcedure("Cast", "R", "B"); },
         "Are you sure you want to delete the selected Procedures?", "SELECT COUNT(*) FROM Procedures"},
        {"diagnoses", factoryOf<frmDiagnosis>(), [] { addDiagnosis("Sprain", addGroup("Injuries"), "S93"); },
         "Are you sure you want to delete the selected Diagnosis?", "SELECT COUNT(*) FROM Diagnosis"},
        {"E&M codes", factoryOf<frmEMCodes>(), [] { addEMCode("Discharge day", 1, "99238"); },
         "Are you sure you want to delete the selected EMCodes?", "SELECT COUNT(*) FROM EvaluationManagement"},
        {"groups", factoryOf<frmDiagnosisFamilies>(), [] { addGroup("Metabolic"); },
         "Are you sure you want to delete the selected DiagnosisFamilies?", "SELECT COUNT(*) FROM DiagnosisFamily"},
    };
    for (const DeleteCase& deleteCase : cases) {
        SCOPED_TRACE(deleteCase.label);
        deleteCase.addRow();
        const qlonglong rowsBefore = queryValue(deleteCase.countQuery).toLongLong();
        mainForm.FiltroActual = 0;
        std::unique_ptr<ListForm> form = deleteCase.make();
        form->Refresca();
        const int items = form->List().topLevelItemCount();
        ASSERT_GE(items, 1);
        selectItems(form->List(), {items - 1});

        shownMessages.clear();
        answerToOkCancel = MessageAnswer::Cancel;
        form->Eliminar();
        EXPECT_EQ(shownMessages, QStringList({deleteCase.prompt}));
        EXPECT_EQ(queryValue(deleteCase.countQuery).toLongLong(), rowsBefore);

        shownMessages.clear();
        answerToOkCancel = MessageAnswer::Ok;
        form->Eliminar();
        EXPECT_EQ(shownMessages, QStringList({deleteCase.prompt}));
        EXPECT_EQ(queryValue(deleteCase.countQuery).toLongLong(), rowsBefore - 1);
        EXPECT_EQ(form->List().topLevelItemCount(), items - 1);
    }
}

TEST_F(CodeTableListsTest, AGroupThatDiagnosesUseStaysAndTheClerkIsToldWhy)
{
    const qint16 used = addGroup("Used");
    addGroup("Unused");
    const qint16 diagnosis = addDiagnosis("Eczema", used, "L30");
    auto groups = openList<frmDiagnosisFamilies>(0);
    ASSERT_EQ(columnTexts(groups->List()), QStringList({"Unused", "Used"}));
    selectItems(groups->List(), {0, 1});
    groups->Eliminar();
    EXPECT_EQ(shownMessages, QStringList({"Are you sure you want to delete the selected DiagnosisFamilies?",
                                          "This diagnosis group has 1 diagnosis.\n"
                                          "A diagnosis group still in use cannot be deleted."}));
    EXPECT_EQ(columnTexts(groups->List()), QStringList({"Used"}));
    EXPECT_EQ(queryValue("SELECT COUNT(*) FROM DiagnosisFamily").toInt(), 1);
    EXPECT_EQ(queryValue(QString("SELECT DiagnosisFamilyCode FROM Diagnosis WHERE DiagnosisCode=%1").arg(diagnosis))
                  .toInt(),
              used);
}

TEST_F(CodeTableListsTest, ColumnClicksMoveTheKeyToTheFrontInTheListsOwnForm)
{
    const qint16 zeta = addGroup("Zeta group");
    const qint16 alpha = addGroup("Alpha group");
    addDiagnosis("Bronchitis", zeta, "J20");
    addDiagnosis("Acne", zeta, "L70");
    addDiagnosis("Cough", alpha, "R05");

    auto diagnoses = openList<frmDiagnosis>(0);
    EXPECT_EQ(diagnoses->Rows()->Sort(), "Description");
    clickColumn(diagnoses->List(), 3);  // Family
    EXPECT_EQ(diagnoses->Rows()->Sort(), "FamilyDesc,Description");
    EXPECT_EQ(columnTexts(diagnoses->List()), QStringList({"Cough", "Acne", "Bronchitis"}));
    clickColumn(diagnoses->List(), 0);  // Description
    EXPECT_EQ(diagnoses->Rows()->Sort(), "Description,FamilyDesc");
    EXPECT_EQ(columnTexts(diagnoses->List()), QStringList({"Acne", "Bronchitis", "Cough"}));

    addEMCode("Admission", 1, "99222");
    addEMCode("Office visit", 5, "99213");
    addEMCode("Care home visit", 4, "99324");
    auto emCodes = openList<frmEMCodes>(0);
    EXPECT_EQ(emCodes->Rows()->Sort(), " Description ");
    clickColumn(emCodes->List(), 1);  // Applies to
    EXPECT_EQ(emCodes->Rows()->Sort(), " FacilityTypeDescription , Description ");
    EXPECT_EQ(columnTexts(emCodes->List()), QStringList({"Care home visit", "Admission", "Office visit"}));
    // "Description" inside "FacilityTypeDescription" is not taken for the Description key.
    clickColumn(emCodes->List(), 0);
    EXPECT_EQ(emCodes->Rows()->Sort(), " Description , FacilityTypeDescription ");
    EXPECT_EQ(columnTexts(emCodes->List()), QStringList({"Admission", "Care home visit", "Office visit"}));
}

struct EditCase {
    const char* label;
    std::function<std::unique_ptr<ListForm>()> make;
    std::function<qint32()> addRow;
    QString dialog;
    std::function<qint32()> currentCode;
};

TEST_F(CodeTableListsTest, DoubleClickEditsTheRowInItsDialogAndShowsTheStoredChange)
{
    const std::vector<EditCase> cases = {
        {"history items", factoryOf<frmSickness>(), [] { return qint32(addSickness("Hay fever", 0)); },
         "frmEditSickness", [] { return qint32(Globals().CurrentSicknessCode); }},
        {"procedures", factoryOf<frmProcedures>(), [] { return qint32(addProcedure("Splint", "R", "B")); },
         "frmEditProcedure", [] { return qint32(Globals().CurrentProcedureCode); }},
        {"diagnoses", factoryOf<frmDiagnosis>(), [] { return qint32(addDiagnosis("Migraine", addGroup("Neuro"), "G43")); },
         "frmEditDiagnosis", [] { return qint32(Globals().CurrentDiagnosisCode); }},
        {"E&M codes", factoryOf<frmEMCodes>(), [] { return addEMCode("Follow-up", 1, "99231"); }, "frmEditEMCode",
         [] { return Globals().CurrentEMCode; }},
        {"groups", factoryOf<frmDiagnosisFamilies>(), [] { return qint32(addGroup("Renal")); },
         "frmEditDiagnosisFamily", [] { return qint32(Globals().CurrentDiagnosisFamilyCode); }},
    };
    for (const EditCase& editCase : cases) {
        SCOPED_TRACE(editCase.label);
        const qint32 code = editCase.addRow();
        auto form = editCase.make();
        mainForm.FiltroActual = 0;
        form->Refresca();
        const int item = columnTexts(form->List()).size() - 1;
        selectItems(form->List(), {item});
        shownDialogs.clear();
        qint32 codeWhileShown = -1;
        onDialog = [&](QDialog& dialog) {
            codeWhileShown = editCase.currentCode();
            textBox(dialog, "TxtDescription").setText("Edited by O'Hara");
            clickButton(dialog, "btnOk");
            return dialog.result();
        };
        emit form->List().itemDoubleClicked(form->List().topLevelItem(item), 0);
        EXPECT_EQ(shownDialogs, QStringList({editCase.dialog}));
        EXPECT_EQ(codeWhileShown, code);
        EXPECT_TRUE(Globals().DialogAccepted);
        EXPECT_TRUE(columnTexts(form->List()).contains("Edited by O'Hara"));
        ASSERT_FALSE(form->List().selectedItems().isEmpty());
        EXPECT_EQ(form->List().selectedItems().first()->text(0), "Edited by O'Hara");
        EXPECT_TRUE(shownMessages.isEmpty()) << shownMessages.join("|").toStdString();
    }
}

TEST_F(CodeTableListsTest, ANewRecordFromTheMainWindowJoinsTheOpenList)
{
    addProcedure("Existing", "R1", "B1");
    auto procedures = openList<frmProcedures>(0);
    Globals().CurrentProcedureCode = 0;
    onDialog = [](QDialog& dialog) {
        textBox(dialog, "TxtDescription").setText("Added");
        clickButton(dialog, "btnOk");
        return dialog.result();
    };
    ASSERT_TRUE(ShowDialogByName("frmEditProcedure", nullptr));
    ASSERT_TRUE(Globals().DialogAccepted);
    EXPECT_NE(Globals().CurrentProcedureCode, 0);
    procedures->Insertado();
    EXPECT_EQ(columnTexts(procedures->List()), QStringList({"Existing", "Added"}));
    ASSERT_EQ(procedures->List().selectedItems().size(), 1);
    EXPECT_EQ(procedures->List().selectedItems().first()->text(0), "Added");
}

struct RegisteredList {
    QString name;
    QString caption;
    QStringList headings;
};

TEST_F(CodeTableListsTest, ListsOpenByNameWithTheirCaptionsAndHeadings)
{
    const std::vector<RegisteredList> lists = {
        {"frmSickness", "History items", {"Description", "Type"}},
        {"frmProcedures", "Procedures", {"Description", "Billing Code", "Real Code"}},
        {"frmDiagnosis", "Diagnosis", {"Description", "Billing Code", "Real Code", "Family"}},
        {"frmEMCodes",
         "Evaluation & Management codes",
         {"Description", "Applies to", "Billing Code", "Real Code", "Charge Type", "AttentionType"}},
        {"frmDiagnosisFamilies", "Diagnosis Groups", {"Description"}},
    };
    for (const RegisteredList& registered : lists) {
        SCOPED_TRACE(registered.name.toStdString());
        std::unique_ptr<QWidget> widget(CreateForm(registered.name, nullptr));
        auto* form = qobject_cast<ListForm*>(widget.get());
        ASSERT_NE(form, nullptr);
        EXPECT_EQ(form->objectName(), registered.name);
        EXPECT_EQ(form->windowTitle(), registered.caption);
        QStringList headings;
        for (int column = 0; column < form->List().columnCount(); ++column)
            headings << form->List().headerItem()->text(column);
        EXPECT_EQ(headings, registered.headings);
    }
}

TEST_F(CodeTableListsTest, TheMainWindowShowsTheListsUnderItsFiltersAndAddsNewRecords)
{
    addEMCode("Office visit", 5, "99213");
    addEMCode("Hospital visit", 1, "99221");
    frmMain* window = openMainWindow();

    window->CambiaAVista(7, 14);
    auto* emCodes = qobject_cast<ListForm*>(window->ActiveChild());
    ASSERT_NE(emCodes, nullptr);
    EXPECT_EQ(emCodes->objectName(), "frmEMCodes");
    EXPECT_EQ(columnTexts(emCodes->List()), QStringList({"Office visit"}));

    onDialog = [](QDialog& dialog) {
        textBox(dialog, "TxtDescription").setText("Office follow-up");
        choose(comboBox(dialog, "CBFacilityTypes"), "Office");
        clickButton(dialog, "btnOk");
        return dialog.result();
    };
    ASSERT_NE(window->ToolbarButton("Nuevo"), nullptr);
    window->ToolbarButton("Nuevo")->trigger();
    EXPECT_EQ(shownDialogs, QStringList({"frmEditEMCode"}));
    EXPECT_EQ(columnTexts(emCodes->List()), QStringList({"Office visit", "Office follow-up"}));

    window->CambiaAVista(8, 11);
    ASSERT_NE(window->ActiveChild(), nullptr);
    EXPECT_EQ(window->ActiveChild()->objectName(), "frmSickness");
    closeMainWindow(window);
    EXPECT_EQ(GetSetting("Vantora", "EMCodes", "ActiveFilter"), "14");
    EXPECT_TRUE(shownMessages.isEmpty()) << shownMessages.join("|").toStdString();
}
