// The doctors list and the doctor editor with its covering doctors.
#include "test_codetables_support.h"

#include "AsisRutinasRecordsets.h"
#include "SubListRows.h"
#include "ViewerCommandLine.h"
#include "frmDoctors.h"
#include "frmEditDoctor.h"

#include <QGroupBox>

#include <optional>

namespace {

class DoctorsTest : public CodeTablesTest {
protected:
    void SetUp() override
    {
        CodeTablesTest::SetUp();
        // A doctor picker that answers the scripted doctor, or is cancelled when there is none.
        registerTestForm("frmPickDoctor", [](QWidget* parent) -> QWidget* {
            auto* picker = new QDialog(parent);
            picker->setObjectName("frmPickDoctor");
            return picker;
        });
        onDialog = [this](QDialog& dialog) {
            if (dialog.objectName() != "frmPickDoctor")
                return int(QDialog::Rejected);
            preselections << Globals().PickedDoctorCode;
            Globals().PickedDoctorCode = picked ? picked->first : 0;
            if (picked)
                Globals().PickedDoctorName = picked->second;
            return int(picked ? QDialog::Accepted : QDialog::Rejected);
        };
    }

    void addDoctor(int code, const QString& description, const QString& billingCode)
    {
        run(QString("INSERT INTO Doctors VALUES (%1, '%2', '%3')")
                    .arg(code)
                    .arg(QString(description).replace("'", "''"), billingCode));
    }
    void addLink(int doctor, int covering)
    {
        run(QString("INSERT INTO DoctorCoveringDoctors VALUES (%1, %2)").arg(doctor).arg(covering));
    }
    QList<int> storedLinks(int doctor)
    {
        RecordsetPtr rows;
        QString error;
        const QString sql = QString("SELECT * FROM DoctorCoveringDoctors WHERE DoctorCode = %1").arg(doctor);
        EXPECT_EQ(OpenRecordset(rows, sql, error), 0) << error.toStdString();
        QList<int> links;
        if (!rows || !rows->SetSort("CoveringDoctorCode"))
            return links;
        for (rows->MoveFirst(); !rows->EndOfFile(); rows->MoveNext())
            links << rows->Field("CoveringDoctorCode").toInt();
        return links;
    }
    QString storedDoctor(const QString& column, int code)
    {
        return queryValue(QString("SELECT %1 FROM Doctors WHERE DoctorCode = %2").arg(column).arg(code)).toString();
    }
    static QList<int> coveringStates(const frmEditDoctor& dialog)
    {
        QList<int> states;
        Recordset& rows = *dialog.Covering();
        for (rows.MoveFirst(); !rows.EndOfFile(); rows.MoveNext())
            states << rows.Field("checked").toInt();
        return states;
    }
    // Abbott (1) is covered by Dr. O'Hara (4); Dr. Ng (9) is not on its list. Abbott is the
    // doctor to edit.
    void editAbbottCoveredByOHara()
    {
        addDoctor(1, "Abbott", "A");
        addDoctor(4, "Dr. O'Hara", "OH");
        addDoctor(9, "Dr. Ng", "NG");
        addLink(1, 4);
        Globals().CurrentDoctorCode = 1;
    }
    void pick(frmEditDoctor& dialog, std::optional<std::pair<qint16, QString>> doctor)
    {
        picked = std::move(doctor);
        clickButton(dialog, "Command1");
    }
    static void pressDel(frmEditDoctor& dialog, int index)
    {
        selectItems(listOf(dialog), {index});
        clickButton(dialog, "Command2");
    }

    std::optional<std::pair<qint16, QString>> picked;
    QList<qint16> preselections;
};

TEST_F(DoctorsTest, TheListShowsAllOrTheIncompleteDoctorsAndSortsOnBareKeys)
{
    addDoctor(1, "Zamora", "Z1");
    addDoctor(2, "Abbott", "");
    addDoctor(3, "Moreau", "A9");

    auto all = openList<frmDoctors>(0);
    EXPECT_EQ(all->windowTitle(), "Doctors");
    ListView& list = listOf(*all);
    EXPECT_EQ(list.headerItem()->text(0), "Description");
    EXPECT_EQ(list.headerItem()->text(1), "Billing Code");
    EXPECT_EQ(columnTexts(list, 0), QStringList({"Abbott", "Moreau", "Zamora"}));
    EXPECT_EQ(all->Rows()->Sort(), "Description");
    clickColumn(list, 1);
    EXPECT_EQ(all->Rows()->Sort(), "BillingDoctorCode,Description");
    EXPECT_EQ(columnTexts(list, 0), QStringList({"Abbott", "Moreau", "Zamora"}));
    EXPECT_EQ(columnTexts(list, 1), QStringList({"", "A9", "Z1"}));
    clickColumn(list, 0);
    EXPECT_EQ(all->Rows()->Sort(), "Description,BillingDoctorCode");
    all->Imprimir();
    EXPECT_TRUE(printedTexts(viewfilename::Doctors).contains("Doctors (All)"));

    auto incomplete = openList<frmDoctors>(1);
    EXPECT_EQ(columnTexts(listOf(*incomplete), 0), QStringList({"Abbott"}));
    EXPECT_TRUE(shownMessages.isEmpty());
}

TEST_F(DoctorsTest, DeletingADoctorTakesItsOwnLinksAndKeepsADoctorAnotherCovers)
{
    addDoctor(1, "Abbott", "A");
    addDoctor(2, "Baker", "B");
    addDoctor(3, "Carter", "C");
    addLink(2, 1);
    addLink(1, 3);
    auto form = openList<frmDoctors>(0);
    selectItems(listOf(*form), {1, 2});
    form->Eliminar();
    EXPECT_EQ(shownMessages, QStringList({"Are you sure you want to delete the selected Doctors?",
                                          "This doctor is covered by 1 other doctor.\n"
                                          "A doctor still in use cannot be deleted."}));
    EXPECT_EQ(columnTexts(listOf(*form), 0), QStringList({"Abbott", "Carter"}));
    EXPECT_EQ(queryValue("SELECT COUNT(*) FROM Doctors WHERE DoctorCode = 2").toInt(), 0);
    EXPECT_EQ(storedLinks(2), QList<int>());
    EXPECT_EQ(storedLinks(1), QList<int>({3}));
}

TEST_F(DoctorsTest, ANewDoctorIsStoredWithTheCoveringDoctorsPickedBeforeIt)
{
    addDoctor(4, "Dr. O'Hara", "OH");
    addDoctor(9, "Dr. Ng", "NG");
    Globals().CurrentDoctorCode = 0;
    frmEditDoctor dialog;
    EXPECT_EQ(dialog.windowTitle(), "Doctor");
    EXPECT_FALSE(dialog.CloseOnActivate());
    EXPECT_EQ(labelOf(dialog, "TxtDescription"), "Description:");
    EXPECT_EQ(labelOf(dialog, "TxtBillingCode"), "Billing code:");
    auto* frame = dialog.findChild<QGroupBox*>();
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->title(), "Doctors covered");
    ListView& list = listOf(dialog);
    EXPECT_EQ(list.headerItem()->text(0), "Doctor");
    EXPECT_EQ(list.topLevelItemCount(), 0);
    EXPECT_EQ(dialog.CoveringCodeList(), ";");

    Globals().PickedDoctorCode = 9;  // left from an earlier pick
    pick(dialog, std::pair<qint16, QString>{9, "Dr. Ng"});
    pick(dialog, std::pair<qint16, QString>{4, "Dr. O'Hara"});
    pick(dialog, std::nullopt);
    EXPECT_EQ(preselections, QList<qint16>({0, 0, 0}));
    EXPECT_EQ(columnTexts(list), QStringList({"Dr. Ng", "Dr. O'Hara"}));
    EXPECT_TRUE(list.selectedItems().isEmpty());
    EXPECT_EQ(coveringStates(dialog), QList<int>({RowAdded, RowAdded}));
    EXPECT_EQ(dialog.CoveringCodeList(), ";9;4;");

    textBox(dialog, "TxtDescription").setText("Dr. D'Amato ");
    textBox(dialog, "TxtBillingCode").setText("D'A");
    clickButton(dialog, "btnOk");
    EXPECT_TRUE(Globals().DialogAccepted);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    const qint16 code = Globals().CurrentDoctorCode;
    ASSERT_EQ(code, 10);
    EXPECT_EQ(storedDoctor("Description", code), "Dr. D'Amato ");
    EXPECT_EQ(storedDoctor("BillingDoctorCode", code), "D'A");
    EXPECT_EQ(storedLinks(code), QList<int>({4, 9}));
    EXPECT_TRUE(shownMessages.isEmpty());
}

TEST_F(DoctorsTest, RemoveTogglesEachRowByItsState)
{
    addDoctor(1, "Abbott", "A");
    addDoctor(4, "Dr. O'Hara", "OH");
    addDoctor(9, "Dr. Ng", "NG");
    addDoctor(12, "Dr. Lee", "L");
    addLink(1, 4);
    addLink(1, 9);
    Globals().CurrentDoctorCode = 1;
    frmEditDoctor dialog;
    ListView& list = listOf(dialog);
    EXPECT_EQ(textBox(dialog, "TxtDescription").text(), "Abbott");
    EXPECT_EQ(textBox(dialog, "TxtBillingCode").text(), "A");
    EXPECT_EQ(columnTexts(list), QStringList({"Dr. O'Hara", "Dr. Ng"}));
    EXPECT_TRUE(list.selectedItems().isEmpty());
    EXPECT_EQ(coveringStates(dialog), QList<int>({RowStored, RowStored}));

    pressDel(dialog, 0);
    EXPECT_EQ(columnTexts(list), QStringList({"*Dr. O'Hara", "Dr. Ng"}));
    EXPECT_EQ(dialog.CoveringCodeList(), ";9;");
    pressDel(dialog, 0);
    EXPECT_EQ(columnTexts(list), QStringList({"Dr. O'Hara", "Dr. Ng"}));
    EXPECT_EQ(dialog.CoveringCodeList(), ";4;9;");

    pick(dialog, std::pair<qint16, QString>{12, "Dr. Lee"});
    pressDel(dialog, 0);
    EXPECT_EQ(columnTexts(list), QStringList({"*Dr. O'Hara", "Dr. Ng", "Dr. Lee"}));
    pressDel(dialog, 2);  // an added row goes at once
    EXPECT_EQ(columnTexts(list), QStringList({"*Dr. O'Hara", "Dr. Ng"}));
    EXPECT_EQ(coveringStates(dialog), QList<int>({RowRemoved, RowStored}));
    EXPECT_EQ(dialog.CoveringCodeList(), ";9;");

    // Without a selected line "del" does nothing.
    list.clearSelection();
    clickButton(dialog, "Command2");
    EXPECT_EQ(coveringStates(dialog), QList<int>({RowRemoved, RowStored}));
}

TEST_F(DoctorsTest, PickingTheDoctorItselfOrOneAlreadyListedIsRefused)
{
    addDoctor(1, "Abbott", "A");
    addDoctor(4, "Dr. O'Hara", "OH");
    addLink(1, 4);
    Globals().CurrentDoctorCode = 1;
    frmEditDoctor dialog;
    pick(dialog, std::pair<qint16, QString>{1, "Abbott"});
    pressDel(dialog, 0);  // marked for removal, still on the list
    pick(dialog, std::pair<qint16, QString>{4, "Dr. O'Hara"});
    EXPECT_EQ(shownMessages, QStringList({"Bad selection!", "Doctor already on the list!"}));
    EXPECT_EQ(columnTexts(listOf(dialog)), QStringList({"*Dr. O'Hara"}));
    EXPECT_EQ(coveringStates(dialog), QList<int>({RowRemoved}));
}

TEST_F(DoctorsTest, OkBringsTheStoredLinksInLineWithTheList)
{
    addDoctor(1, "Abbott", "A");
    addDoctor(4, "Dr. O'Hara", "OH");
    addDoctor(9, "Dr. Ng", "NG");
    addDoctor(12, "Dr. Lee", "L");
    addLink(1, 4);
    addLink(1, 9);
    addLink(9, 4);
    Globals().CurrentDoctorCode = 1;
    {
        frmEditDoctor dialog;
        pressDel(dialog, 0);  // 4 marked
        pick(dialog, std::pair<qint16, QString>{12, "Dr. Lee"});
        EXPECT_EQ(storedLinks(1), QList<int>({4, 9}));  // nothing before OK
        textBox(dialog, "TxtBillingCode").setText("A'2");
        clickButton(dialog, "btnOk");
        ASSERT_TRUE(Globals().DialogAccepted);
    }
    EXPECT_EQ(storedLinks(1), QList<int>({9, 12}));
    EXPECT_EQ(storedLinks(9), QList<int>({4}));
    EXPECT_EQ(storedDoctor("BillingDoctorCode", 1), "A'2");

    // Every link marked: the code list is ";" and no link stays.
    frmEditDoctor again;
    pressDel(again, 0);
    pressDel(again, 1);
    EXPECT_EQ(again.CoveringCodeList(), ";");
    clickButton(again, "btnOk");
    EXPECT_TRUE(storedLinks(1).isEmpty());
    EXPECT_EQ(Globals().CurrentDoctorCode, 1);
}

TEST_F(DoctorsTest, ACoveringDoctorAnotherClerkAddedIsNotRemovedByAnOlderEditor)
{
    editAbbottCoveredByOHara();
    frmEditDoctor clerkA;
    asOtherClerk([&] {
        frmEditDoctor clerkB;
        pick(clerkB, std::pair<qint16, QString>{9, "Dr. Ng"});
        clickButton(clerkB, "btnOk");
    });
    ASSERT_EQ(storedLinks(1), QList<int>({4, 9}));

    textBox(clerkA, "TxtBillingCode").setText("A2");
    clickButton(clerkA, "btnOk");
    EXPECT_EQ(shownMessages, QStringList({"This doctor was changed by another user or a HotSync after you opened it. "
                                          "Nothing was stored: close this window and open the doctor again to see the "
                                          "change."}));
    EXPECT_EQ(storedLinks(1), QList<int>({4, 9}));
    EXPECT_EQ(storedDoctor("BillingDoctorCode", 1), "A");
    EXPECT_NE(clerkA.result(), QDialog::Accepted);
}

TEST_F(DoctorsTest, CancelWritesNothing)
{
    addDoctor(1, "Abbott", "A");
    addDoctor(4, "Dr. O'Hara", "OH");
    addLink(1, 4);
    Globals().CurrentDoctorCode = 1;
    Globals().DialogAccepted = true;
    frmEditDoctor dialog;
    pressDel(dialog, 0);
    textBox(dialog, "TxtDescription").setText("Changed");
    clickButton(dialog, "btnCancel");
    EXPECT_FALSE(Globals().DialogAccepted);
    EXPECT_EQ(storedLinks(1), QList<int>({4}));
    EXPECT_EQ(storedDoctor("Description", 1), "Abbott");
}

TEST_F(DoctorsTest, AFailedWriteShowsItsTextAndKeepsTheDialogAsEntered)
{
    editAbbottCoveredByOHara();
    Globals().DialogAccepted = false;
    frmEditDoctor dialog;
    pressDel(dialog, 0);
    pick(dialog, std::pair<qint16, QString>{9, "Dr. Ng"});
    textBox(dialog, "TxtDescription").setText("Abbott Jr.");
    run("DELETE FROM Doctors WHERE DoctorCode = 1");  // gone meanwhile
    clickButton(dialog, "btnOk");
    EXPECT_EQ(shownMessages,
              QStringList({"This doctor was deleted by another user after you opened it. Nothing was stored."}));
    EXPECT_FALSE(Globals().DialogAccepted);
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(storedLinks(1), QList<int>({4}));  // rolled back with the update
    EXPECT_EQ(textBox(dialog, "TxtDescription").text(), "Abbott Jr.");
    EXPECT_EQ(dialog.CoveringCodeList(), ";9;");
}

TEST_F(DoctorsTest, AFailedInsertLeavesTheCodeNewAndStoresNothing)
{
    addDoctor(4, "Dr. O'Hara", "OH");
    run("CREATE TRIGGER RefuseLinks BEFORE INSERT ON DoctorCoveringDoctors "
            "BEGIN SELECT RAISE(ABORT, 'links refused'); END");
    Globals().CurrentDoctorCode = 0;
    frmEditDoctor dialog;
    pick(dialog, std::pair<qint16, QString>{4, "Dr. O'Hara"});
    textBox(dialog, "TxtDescription").setText("Dr. New");
    clickButton(dialog, "btnOk");
    ASSERT_EQ(shownMessages.size(), 1);
    EXPECT_TRUE(shownMessages[0].contains("links refused")) << shownMessages[0].toStdString();
    EXPECT_EQ(Globals().CurrentDoctorCode, 0);
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(queryValue("SELECT COUNT(*) FROM Doctors").toInt(), 1);
}

TEST_F(DoctorsTest, AMissingDoctorIsReportedAndTheDialogClosesAsSoonAsShown)
{
    Globals().CurrentDoctorCode = 33;
    frmEditDoctor dialog;
    EXPECT_EQ(shownMessages, QStringList({"Record not found.  Please report this error!"}));
    EXPECT_TRUE(dialog.CloseOnActivate());
    EXPECT_EQ(dialog.exec(), QDialog::Rejected);
    EXPECT_EQ(queryValue("SELECT COUNT(*) FROM Doctors").toInt(), 0);
}

TEST_F(DoctorsTest, ANewDoctorFromTheMainWindowJoinsTheList)
{
    addDoctor(1, "Abbott", "A");
    auto form = openList<frmDoctors>(0);
    onDialog = [](QDialog& dialog) {
        if (dialog.objectName() != "frmEditDoctor")
            return int(QDialog::Rejected);
        textBox(dialog, "TxtDescription").setText("Baker");
        clickButton(dialog, "btnOk");
        return dialog.result();
    };
    Globals().CurrentDoctorCode = 0;
    ASSERT_TRUE(ShowDialogByName("frmEditDoctor", form.get()));
    ASSERT_TRUE(Globals().DialogAccepted);
    form->Insertado();
    ListView& list = listOf(*form);
    EXPECT_EQ(columnTexts(list, 0), QStringList({"Abbott", "Baker"}));
    ASSERT_EQ(list.selectedItems().size(), 1);
    EXPECT_EQ(list.selectedItems()[0]->text(0), "Baker");
}

}  // namespace
