// Every record editor driven from the keyboard, as a clerk does right after New.
#include "AppGlobals.h"
#include "FormRegistry.h"
#include "RecordsTestEnvironment.h"
#include "frmEditFacility.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include <functional>
#include <vector>

namespace {

struct EditorCase {
    QString dialog;
    std::function<void()> markNew;  // the current-code global cleared, as New does
    QString table;
    QString nameColumn;
    QStringList tabOrder;  // from the first field, once round
};

std::vector<EditorCase> editorCases()
{
    AppGlobals& g = Globals();
    const QStringList buttons = {"btnOk", "btnCancel"};
    const QStringList subList = {"ListView1", "Command1", "Command2"};
    return {
        {"frmEditPatient", [&g] { g.CurrentPatientId = 0; }, "Patient", "Names",
         QStringList{"TxtNames", "DTDOB", "TxtAccount", "CBSeguros", "CBSicknessType"} + subList + buttons},
        {"frmEditDoctor", [&g] { g.CurrentDoctorCode = 0; }, "Doctors", "Description",
         QStringList{"TxtDescription", "TxtBillingCode"} + subList + buttons},
        {"frmEditFacility", [&g] { g.CurrentFacilityCode = 0; }, "Facility", "Description",
         QStringList{"TxtDescription", "CBFacilityTypes", "TxtBillingCode", "TxtBillingCodeOut"} + subList + buttons},
        {"frmEditDiagnosis", [&g] { g.CurrentDiagnosisCode = 0; }, "Diagnosis", "Description",
         QStringList{"TxtDescription", "CBDiagnosisFamily", "TxtBillingCode", "TxtRealCode"} + buttons},
        {"frmEditProcedure", [&g] { g.CurrentProcedureCode = 0; }, "Procedures", "Description",
         QStringList{"TxtDescription", "TxtBillingCode", "TxtRealCode"} + buttons},
        {"frmEditInsurance", [&g] { g.CurrentInsuranceCode = 0; }, "Insurance", "Description",
         QStringList{"TxtDescription", "TxtBillingCode"} + buttons},
        {"frmEditEMCode", [&g] { g.CurrentEMCode = 0; }, "EvaluationManagement", "Description",
         QStringList{"TxtDescription", "TxtRealCode", "TxtBillingCode", "CBFacilityTypes", "CBAttentionTypes",
                     "CBChargeTypes", "CBCauseDischarge", "CBShowOnFirst", "CBShowOnNext"} +
             buttons},
        {"frmEditSickness", [&g] { g.CurrentSicknessCode = 0; }, "Sickness", "Description",
         QStringList{"TxtDescription", "CBSicknessTypes"} + buttons},
        {"frmEditDiagnosisFamily", [&g] { g.CurrentDiagnosisFamilyCode = 0; }, "DiagnosisFamily",
         "DiagnosisFamilyDescription", QStringList{"TxtDescription"} + buttons},
    };
}

class EditorKeyboardTest : public RecordsTest {
protected:
    void SetUp() override
    {
        RecordsTest::SetUp();
        // The lookups the editors need; the other lookup tables come with the database.
        run("INSERT INTO Insurance VALUES (1, 'Mutual Care', 'MC1')");
        run("INSERT INTO DiagnosisFamily VALUES (1, 'Respiratory')");
    }

    int rowsNamed(const EditorCase& editor, const QString& name)
    {
        return queryValue(QString("SELECT COUNT(*) FROM %1 WHERE %2 = '%3'")
                              .arg(editor.table, editor.nameColumn, name))
            .toInt();
    }

    // The dialog shown and active, as the clerk sees it.
    static void showActive(QDialog& dialog)
    {
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    }

    static QString focused()
    {
        QWidget* widget = QApplication::focusWidget();
        return widget ? widget->objectName() : QString("(none)");
    }
};

TEST_F(EditorKeyboardTest, NewOpensTypingInTheFirstFieldAndTabFollowsTheFields)
{
    for (const EditorCase& editor : editorCases()) {
        SCOPED_TRACE(editor.dialog.toStdString());
        QString firstFocus;
        QStringList tabbed;
        QString typed;
        bool openAfterTyping = false;
        onDialog = [&](QDialog& dialog) {
            showActive(dialog);
            firstFocus = focused();
            QTest::keyClicks(QApplication::focusWidget(), "Zeller, Marguerite");
            openAfterTyping = dialog.isVisible();
            if (!openAfterTyping)
                return dialog.result();
            typed = dialog.findChild<QLineEdit*>(editor.tabOrder.first())->text();
            for (int step = 0; step < editor.tabOrder.size(); ++step) {
                tabbed << focused();
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            }
            // Back in the first field, Enter stores what was typed.
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            return dialog.result();
        };
        editor.markNew();
        Globals().DialogAccepted = false;
        ShowDialogByName(editor.dialog, nullptr);
        EXPECT_EQ(firstFocus, editor.tabOrder.first());
        if (!openAfterTyping) {
            ADD_FAILURE() << "the typing closed the dialog, empty names stored: " << rowsNamed(editor, "");
            continue;
        }
        EXPECT_EQ(typed, "Zeller, Marguerite");
        EXPECT_EQ(tabbed, editor.tabOrder);
        EXPECT_TRUE(Globals().DialogAccepted);
        EXPECT_EQ(rowsNamed(editor, "Zeller, Marguerite"), 1);
        EXPECT_EQ(rowsNamed(editor, ""), 0);
    }
}

TEST_F(EditorKeyboardTest, AnEmptyNameIsRefusedAndTheDialogStaysOpen)
{
    for (const EditorCase& editor : editorCases()) {
        SCOPED_TRACE(editor.dialog.toStdString());
        shownMessages.clear();
        bool openAfterOk = false;
        QString focusAfterRefusal;
        onDialog = [&](QDialog& dialog) {
            showActive(dialog);
            auto* name = dialog.findChild<QLineEdit*>(editor.tabOrder.first());
            for (const QString& text : {QString(), QString("   ")}) {
                name->setText(text);
                clickButton(dialog, "btnOk");
                openAfterOk = dialog.isVisible();
                if (!openAfterOk)
                    return dialog.result();
            }
            focusAfterRefusal = focused();
            clickButton(dialog, "btnCancel");
            return dialog.result();
        };
        editor.markNew();
        ShowDialogByName(editor.dialog, nullptr);
        EXPECT_TRUE(openAfterOk);
        EXPECT_EQ(shownMessages.size(), 2) << shownMessages.join('|').toStdString();
        EXPECT_EQ(focusAfterRefusal, editor.tabOrder.first());
        EXPECT_EQ(queryValue("SELECT COUNT(*) FROM " + editor.table).toInt(),
                  editor.table == "Insurance" || editor.table == "DiagnosisFamily" ? 1 : 0);
    }

    // A ward too: a blank description is refused, not taken as a cancel.
    frmEditFacility facilityEditor(nullptr);
    shownMessages.clear();
    bool wardOpenAfterOk = false;
    onDialog = [&](QDialog& dialog) {
        showActive(dialog);
        dialog.findChild<QLineEdit*>("TxtDescription")->setText("  ");
        clickButton(dialog, "btnOk");
        wardOpenAfterOk = dialog.isVisible();
        QTest::keyClicks(QApplication::focusWidget(), "East Wing");
        clickButton(dialog, "btnOk");
        return dialog.result();
    };
    ShowDialogByName("frmEditWard", &facilityEditor);
    EXPECT_TRUE(wardOpenAfterOk);
    EXPECT_EQ(shownMessages.size(), 1);
    EXPECT_EQ(facilityEditor.WardDescription, "East Wing");
}

}  // namespace
