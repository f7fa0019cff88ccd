// The facilities list, the facility editor with its wards, and the ward dialog.
#include "test_codetables_support.h"

#include "AsisRutinasRecordsets.h"
#include "SubListRows.h"
#include "UserSettings.h"
#include "ViewerCommandLine.h"
#include "frmEditFacility.h"
#include "frmFacilities.h"

#include <QGroupBox>
#include <QTest>

#include <optional>

namespace {

class FacilitiesTest : public CodeTablesTest {
protected:
    void SetUp() override
    {
        CodeTablesTest::SetUp();
        // The ward dialog types the scripted text and presses OK, or Cancel when there is none
        // or when OK refused it.
        onDialog = [this](QDialog& dialog) {
            if (dialog.objectName() != "frmEditWard")
                return int(QDialog::Rejected);
            QLineEdit& description = textBox(dialog, "TxtDescription");
            wardDialogOpenedWith << description.text();
            if (wardAnswer) {
                description.setText(*wardAnswer);
                clickButton(dialog, "btnOk");
            }
            if (dialog.result() != QDialog::Accepted)
                clickButton(dialog, "btnCancel");
            return dialog.result();
        };
    }

    void addFacility(int code, const QString& description, int type, const QString& in, const QString& out)
    {
        run(QString("INSERT INTO Facility VALUES (%1, '%2', %3, '%4', '%5')")
                    .arg(code)
                    .arg(QString(description).replace("'", "''"))
                    .arg(type)
                    .arg(in, out));
    }
    void addWard(int code, int facility, const QString& description)
    {
        run(QString("INSERT INTO FacilityWards (WardCode, FacilityCode, Description) VALUES (%1, %2, '%3')")
                    .arg(code)
                    .arg(facility)
                    .arg(description));
    }
    QStringList storedWards(int facility)
    {
        RecordsetPtr rows;
        QString error;
        const QString sql = QString("SELECT * FROM FacilityWards WHERE FacilityCode = %1").arg(facility);
        EXPECT_EQ(OpenRecordset(rows, sql, error), 0) << error.toStdString();
        QStringList wards;
        if (!rows || !rows->SetSort("WardCode"))
            return wards;
        for (rows->MoveFirst(); !rows->EndOfFile(); rows->MoveNext())
            wards << rows->Field("WardCode").toString() + " " + rows->Field("Description").toString();
        return wards;
    }
    QString storedFacility(const QString& column, int code)
    {
        return queryValue(QString("SELECT %1 FROM Facility WHERE FacilityCode = %2").arg(column).arg(code)).toString();
    }
    static QList<int> wardStates(const frmEditFacility& dialog)
    {
        QList<int> states;
        Recordset& wards = *dialog.Wards();
        for (wards.MoveFirst(); !wards.EndOfFile(); wards.MoveNext())
            states << wards.Field("checked").toInt();
        return states;
    }
    static void doubleClickLine(ListView& list, int index)
    {
        selectItems(list, {index});
        emit list.itemDoubleClicked(list.topLevelItem(index), 0);
    }
    static void pressDel(frmEditFacility& dialog, int index)
    {
        selectItems(listOf(dialog), {index});
        clickButton(dialog, "Command2");
    }

    std::optional<QString> wardAnswer;
    QStringList wardDialogOpenedWith;
};

TEST_F(FacilitiesTest, TheListShowsAllOrTheIncompleteFacilitiesWithTheirTypes)
{
    addFacility(1, "St. Mary's", 1, "SM-IN", "SM-OUT");
    addFacility(2, "Oak Home", 3, "", "OH-OUT");
    addFacility(3, "Bayside Office", 5, "BO", "");

    auto all = openList<frmFacilities>(0);
    EXPECT_EQ(all->windowTitle(), "Facilities");
    ListView& list = listOf(*all);
    EXPECT_EQ(columnTexts(list, 0), QStringList({"Bayside Office", "Oak Home", "St. Mary's"}));
    EXPECT_EQ(columnTexts(list, 1), QStringList({"Office", "Home", "Hospitals"}));
    EXPECT_EQ(columnTexts(list, 3), QStringList({"", "OH-OUT", "SM-OUT"}));
    QStringList headers;
    for (int column = 0; column < list.columnCount(); ++column)
        headers << list.headerItem()->text(column) + "=" + list.ColumnKey(column);
    EXPECT_EQ(headers, QStringList({"Description=Description", "Type=TypeDescription",
                                    "Billing Code In=BillingFacilityCode",
                                    "Billing Code Out=BillingFacilityCodeOut"}));

    auto incomplete = openList<frmFacilities>(1);
    EXPECT_EQ(columnTexts(listOf(*incomplete), 0), QStringList({"Oak Home"}));
    incomplete->Imprimir();
    const QStringList printed = printedTexts(viewfilename::Facilities);
    EXPECT_TRUE(printed.contains("Facilities (Incomplete)")) << printed.join("|").toStdString();
    EXPECT_TRUE(printed.contains("Oak Home"));
    EXPECT_FALSE(printed.contains("St. Mary's"));
    EXPECT_TRUE(shownMessages.isEmpty());
}

TEST_F(FacilitiesTest, ColumnClicksUseDelimitedKeysSoNoKeyMatchesInsideALongerOne)
{
    addFacility(1, "A", 1, "2", "1");
    addFacility(2, "B", 2, "1", "2");
    auto form = openList<frmFacilities>(0);
    ListView& list = listOf(*form);
    EXPECT_EQ(form->Rows()->Sort(), " Description ");

    clickColumn(list, 3);  // Billing Code Out
    EXPECT_EQ(form->Rows()->Sort(), " BillingFacilityCodeOut , Description ");
    EXPECT_EQ(columnTexts(list, 0), QStringList({"A", "B"}));
    clickColumn(list, 2);  // Billing Code In goes first, the Out key stays where it was
    EXPECT_EQ(form->Rows()->Sort(), " BillingFacilityCode , BillingFacilityCodeOut , Description ");
    EXPECT_EQ(columnTexts(list, 0), QStringList({"B", "A"}));
    clickColumn(list, 1);  // Type: "Description" inside "TypeDescription" is not moved
    EXPECT_EQ(form->Rows()->Sort(), " TypeDescription , BillingFacilityCode , BillingFacilityCodeOut , Description ");
}

TEST_F(FacilitiesTest, DeletingAFacilityAsksFirstAndTakesItsWards)
{
    addFacility(1, "Keep", 1, "K", "K");
    addFacility(2, "Drop", 1, "D", "D");
    addWard(7, 2, "North");
    auto form = openList<frmFacilities>(0);
    ListView& list = listOf(*form);
    selectItems(list, {0});  // "Drop"

    answerToOkCancel = MessageAnswer::Cancel;
    form->Eliminar();
    EXPECT_EQ(queryValue("SELECT COUNT(*) FROM Facility").toInt(), 2);

    answerToOkCancel = MessageAnswer::Ok;
    form->Eliminar();
    EXPECT_EQ(shownMessages, QStringList({"Are you sure you want to delete the selected Facilites?",
                                          "Are you sure you want to delete the selected Facilites?"}));
    EXPECT_EQ(columnTexts(list, 0), QStringList({"Keep"}));
    EXPECT_EQ(queryValue("SELECT COUNT(*) FROM Facility WHERE FacilityCode = 2").toInt(), 0);
    EXPECT_EQ(storedWards(2), QStringList());
}

TEST_F(FacilitiesTest, TheSavedFilterIsTheOneReadAtTheNextLoad)
{
    {
        auto form = openList<frmFacilities>(1);
    }
    EXPECT_EQ(GetSetting("Vantora", "Facilites", "ActiveFilter", "absent"), "1");
    mainForm.checkedFilters.clear();
    frmFacilities reloaded;
    EXPECT_EQ(mainForm.checkedFilters, QList<qint16>({1}));
}

TEST_F(FacilitiesTest, ANewFacilityStartsWithTheDefaultWardAndIsStoredWithIt)
{
    Globals().CurrentFacilityCode = 0;
    frmEditFacility dialog;
    EXPECT_EQ(dialog.windowTitle(), "Facility");
    EXPECT_FALSE(dialog.CloseOnActivate());
    EXPECT_EQ(labelOf(dialog, "TxtBillingCode"), "Billing code Inpatients:");
    EXPECT_EQ(labelOf(dialog, "TxtBillingCodeOut"), "Billing code Outpatients:");
    EXPECT_EQ(labelOf(dialog, "CBFacilityTypes"), "Type:");
    EXPECT_EQ(entriesOf(comboBox(dialog, "CBFacilityTypes")),
              QStringList({"Hospitals", "Extended Care Facilities", "Home", "Board & Care", "Office"}));
    EXPECT_EQ(comboBox(dialog, "CBFacilityTypes").currentIndex(), 0);
    ListView& wards = listOf(dialog);
    EXPECT_EQ(columnTexts(wards), QStringList({"Default"}));
    EXPECT_TRUE(wards.selectedItems().isEmpty());
    EXPECT_EQ(wardStates(dialog), QList<int>({RowAdded}));

    textBox(dialog, "TxtDescription").setText("St. Luke's");
    comboBox(dialog, "CBFacilityTypes").setCurrentIndex(3);
    textBox(dialog, "TxtBillingCode").setText("L'IN");
    textBox(dialog, "TxtBillingCodeOut").setText(" OUT ");
    wardAnswer = "O'Brien Wing ";
    clickButton(dialog, "Command1");
    EXPECT_EQ(wardDialogOpenedWith, QStringList({""}));
    EXPECT_EQ(columnTexts(wards), QStringList({"Default", "O'Brien Wing "}));
    EXPECT_EQ(queryValue("SELECT COUNT(*) FROM Facility").toInt(), 0);

    clickButton(dialog, "btnOk");
    EXPECT_TRUE(Globals().DialogAccepted);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    const qint16 code = Globals().CurrentFacilityCode;
    ASSERT_EQ(code, 1);
    EXPECT_EQ(storedFacility("Description", code), "St. Luke's");
    EXPECT_EQ(storedFacility("FacilityTypeCode", code), "4");
    EXPECT_EQ(storedFacility("BillingFacilityCode", code), "L'IN");
    EXPECT_EQ(storedFacility("BillingFacilityCodeOut", code), " OUT ");
    EXPECT_EQ(storedWards(code), QStringList({"1 Default", "2 O'Brien Wing "}));
    EXPECT_TRUE(shownMessages.isEmpty());
}

TEST_F(FacilitiesTest, RemovingTheDefaultWardOfANewFacilityStoresItWithoutWards)
{
    Globals().CurrentFacilityCode = 0;
    frmEditFacility dialog;
    pressDel(dialog, 0);
    EXPECT_EQ(listOf(dialog).topLevelItemCount(), 0);
    EXPECT_EQ(dialog.Wards()->RecordCount(), 0);
    textBox(dialog, "TxtDescription").setText("Empty");
    clickButton(dialog, "btnOk");
    ASSERT_TRUE(Globals().DialogAccepted);
    EXPECT_EQ(storedFacility("Description", Globals().CurrentFacilityCode), "Empty");
    EXPECT_EQ(queryValue("SELECT COUNT(*) FROM FacilityWards").toInt(), 0);
}

TEST_F(FacilitiesTest, AnExistingFacilityIsLoadedWithItsTypeAndWards)
{
    addFacility(4, "Oak Home", 3, "OH", "OH2");
    addWard(1, 4, "East");
    addWard(2, 9, "Elsewhere");
    addWard(3, 4, "West");
    Globals().CurrentFacilityCode = 4;
    frmEditFacility dialog;
    EXPECT_TRUE(shownMessages.isEmpty());
    EXPECT_EQ(textBox(dialog, "TxtDescription").text(), "Oak Home");
    EXPECT_EQ(textBox(dialog, "TxtBillingCode").text(), "OH");
    EXPECT_EQ(textBox(dialog, "TxtBillingCodeOut").text(), "OH2");
    EXPECT_EQ(comboBox(dialog, "CBFacilityTypes").currentText(), "Home");
    EXPECT_EQ(columnTexts(listOf(dialog)), QStringList({"East", "West"}));
    EXPECT_TRUE(listOf(dialog).selectedItems().isEmpty());
    EXPECT_EQ(wardStates(dialog), QList<int>({RowStored, RowStored}));
    auto* frame = dialog.findChild<QGroupBox*>();
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->title(), "Wards");
}

TEST_F(FacilitiesTest, WardsAreAddedRenamedAndRemovedOnlyOnOk)
{
    addFacility(4, "Oak Home", 3, "OH", "OH2");
    addWard(1, 4, "East");
    addWard(2, 4, "North");
    addWard(3, 4, "West");
    Globals().CurrentFacilityCode = 4;
    frmEditFacility dialog;
    ListView& list = listOf(dialog);

    wardAnswer = "East Annex";
    doubleClickLine(list, 0);
    EXPECT_EQ(wardDialogOpenedWith, QStringList({"East"}));
    pressDel(dialog, 2);  // West marked
    wardAnswer = "South";
    clickButton(dialog, "Command1");
    pressDel(dialog, 1);  // North marked ...
    pressDel(dialog, 1);  // ... and restored
    EXPECT_EQ(columnTexts(list), QStringList({"East Annex", "North", "*West", "South"}));
    EXPECT_EQ(wardStates(dialog), QList<int>({RowChanged, RowStored, RowRemoved, RowAdded}));
    EXPECT_EQ(storedWards(4), QStringList({"1 East", "2 North", "3 West"}));

    clickButton(dialog, "btnOk");
    ASSERT_TRUE(Globals().DialogAccepted);
    EXPECT_EQ(storedWards(4), QStringList({"1 East Annex", "2 North", "3 South"}));
    EXPECT_TRUE(shownMessages.isEmpty());
}

TEST_F(FacilitiesTest, CancelDiscardsEveryWardChange)
{
    addFacility(4, "Oak Home", 3, "OH", "OH2");
    addWard(1, 4, "East");
    Globals().CurrentFacilityCode = 4;
    Globals().DialogAccepted = true;
    frmEditFacility dialog;
    wardAnswer = "Renamed";
    doubleClickLine(listOf(dialog), 0);
    wardAnswer = "Added";
    clickButton(dialog, "Command1");
    pressDel(dialog, 0);
    textBox(dialog, "TxtDescription").setText("Changed");
    clickButton(dialog, "btnCancel");
    EXPECT_FALSE(Globals().DialogAccepted);
    EXPECT_EQ(storedWards(4), QStringList({"1 East"}));
    EXPECT_EQ(storedFacility("Description", 4), "Oak Home");
}

TEST_F(FacilitiesTest, ABlankOrCancelledWardDialogChangesNothing)
{
    addFacility(4, "Oak Home", 3, "OH", "OH2");
    addWard(1, 4, "East");
    Globals().CurrentFacilityCode = 4;
    frmEditFacility dialog;
    ListView& list = listOf(dialog);

    wardAnswer = "   ";
    clickButton(dialog, "Command1");
    doubleClickLine(list, 0);
    wardAnswer.reset();
    clickButton(dialog, "Command1");
    doubleClickLine(list, 0);
    EXPECT_EQ(wardDialogOpenedWith, QStringList({"", "East", "", "East"}));
    EXPECT_EQ(shownMessages, QStringList(2, "You have to type the Description first!")) << "the blanks refused";
    EXPECT_EQ(dialog.WardDescription, "");
    EXPECT_EQ(columnTexts(list), QStringList({"East"}));
    EXPECT_EQ(wardStates(dialog), QList<int>({RowStored}));

    // Nothing happens without a selected line.
    list.clearSelection();
    clickButton(dialog, "Command2");
    EXPECT_EQ(wardStates(dialog), QList<int>({RowStored}));
}

TEST_F(FacilitiesTest, AnEditedWardThatWasMarkedAndRestoredIsStillUpdated)
{
    addFacility(4, "Oak Home", 3, "OH", "OH2");
    addWard(1, 4, "East");
    addWard(2, 4, "West");
    Globals().CurrentFacilityCode = 4;
    frmEditFacility dialog;
    ListView& list = listOf(dialog);

    wardAnswer = "East Annex";
    doubleClickLine(list, 0);
    pressDel(dialog, 0);
    pressDel(dialog, 0);
    // Marked first, then edited: the line keeps its mark, so "del" restores it whole.
    pressDel(dialog, 1);
    wardAnswer = "West Annex";
    doubleClickLine(list, 1);
    EXPECT_EQ(columnTexts(list), QStringList({"East Annex", "*West Annex"}));
    pressDel(dialog, 1);
    EXPECT_EQ(columnTexts(list), QStringList({"East Annex", "West Annex"}));
    EXPECT_EQ(wardStates(dialog), QList<int>({RowChanged, RowChanged}));

    clickButton(dialog, "btnOk");
    EXPECT_EQ(storedWards(4), QStringList({"1 East Annex", "2 West Annex"}));
}

TEST_F(FacilitiesTest, RemovingAnAddedWardKeepsEveryOtherLineOnItsOwnRow)
{
    Globals().CurrentFacilityCode = 0;
    frmEditFacility dialog;
    ListView& list = listOf(dialog);
    wardAnswer = "First";
    clickButton(dialog, "Command1");
    wardAnswer = "Second";
    clickButton(dialog, "Command1");
    pressDel(dialog, 1);  // "First" goes
    EXPECT_EQ(columnTexts(list), QStringList({"Default", "Second"}));
    EXPECT_TRUE(list.selectedItems().isEmpty());
    wardAnswer = "Second Floor";
    doubleClickLine(list, 1);
    EXPECT_EQ(wardDialogOpenedWith.last(), "Second");
    EXPECT_EQ(columnTexts(list), QStringList({"Default", "Second Floor"}));

    textBox(dialog, "TxtDescription").setText("Pine Lodge");
    clickButton(dialog, "btnOk");
    EXPECT_EQ(storedWards(Globals().CurrentFacilityCode), QStringList({"1 Default", "2 Second Floor"}));
}

TEST_F(FacilitiesTest, AStoredTypeMissingFromTheTypesPreselectsAndStoresTheFirstType)
{
    addFacility(4, "Oak Home", 42, "OH", "OH2");
    Globals().CurrentFacilityCode = 4;
    frmEditFacility dialog;
    EXPECT_EQ(comboBox(dialog, "CBFacilityTypes").currentIndex(), 0);
    clickButton(dialog, "btnOk");
    ASSERT_TRUE(Globals().DialogAccepted);
    EXPECT_EQ(storedFacility("FacilityTypeCode", 4), "1");
}

TEST_F(FacilitiesTest, ALoadThatStopsShowsWhyAndClosesWithoutWriting)
{
    run("DELETE FROM FacilityTypes");
    Globals().CurrentFacilityCode = 0;
    {
        frmEditFacility dialog;
        EXPECT_TRUE(dialog.CloseOnActivate());
        EXPECT_EQ(dialog.exec(), QDialog::Rejected);
    }
    run("INSERT INTO FacilityTypes VALUES (1, 'Hospitals')");
    Globals().CurrentFacilityCode = 12;
    frmEditFacility missing;
    EXPECT_TRUE(missing.CloseOnActivate());
    EXPECT_EQ(shownMessages, QStringList({"You have to define Facility Types first!",
                                          "Record not found.  Please report this error!"}));
    EXPECT_EQ(queryValue("SELECT COUNT(*) FROM Facility").toInt(), 0);
}

TEST_F(FacilitiesTest, AFailedUpdateStaysOpenAndWritesNoWard)
{
    addFacility(4, "Oak Home", 3, "OH", "OH2");
    Globals().CurrentFacilityCode = 4;
    Globals().DialogAccepted = false;
    frmEditFacility dialog;
    wardAnswer = "Added";
    clickButton(dialog, "Command1");
    run("DELETE FROM Facility WHERE FacilityCode = 4");  // gone meanwhile
    clickButton(dialog, "btnOk");
    EXPECT_EQ(shownMessages,
              QStringList({"This facility was deleted by another user after you opened it. Nothing was stored."}));
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(queryValue("SELECT COUNT(*) FROM FacilityWards").toInt(), 0);
    // The ward dialog's OK does not outlive a facility editor closed without storing.
    clickButton(dialog, "btnCancel");
    EXPECT_FALSE(Globals().DialogAccepted);
}

TEST_F(FacilitiesTest, AFailingWardOfAnExistingFacilityIsShownAndTheOthersAreStillWritten)
{
    addFacility(4, "Oak Home", 3, "OH", "OH2");
    addWard(1, 4, "East");
    addWard(2, 4, "West");
    Globals().CurrentFacilityCode = 4;
    frmEditFacility dialog;
    pressDel(dialog, 0);
    wardAnswer = "West Annex";
    doubleClickLine(listOf(dialog), 1);
    run("DELETE FROM FacilityWards WHERE WardCode = 1");  // its delete now removes nothing
    clickButton(dialog, "btnOk");
    EXPECT_EQ(shownMessages, QStringList({"U:IMPELIENT"}));
    EXPECT_TRUE(Globals().DialogAccepted);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(storedWards(4), QStringList({"2 West Annex"}));
}

TEST_F(FacilitiesTest, AFailingWardOfANewFacilityKeepsItOpenAndARetryStoresEachWardOnce)
{
    run("CREATE TRIGGER RefuseAttic BEFORE INSERT ON FacilityWards WHEN NEW.Description = 'Attic' "
            "BEGIN SELECT RAISE(ABORT, 'no attics'); END");
    Globals().CurrentFacilityCode = 0;
    frmEditFacility dialog;
    ListView& list = listOf(dialog);
    wardAnswer = "Attic";
    clickButton(dialog, "Command1");
    wardAnswer = "Cellar";
    clickButton(dialog, "Command1");
    textBox(dialog, "TxtDescription").setText("Tall House");

    clickButton(dialog, "btnOk");
    ASSERT_EQ(shownMessages.size(), 1);
    EXPECT_TRUE(shownMessages[0].contains("no attics")) << shownMessages[0].toStdString();
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    const qint16 code = Globals().CurrentFacilityCode;
    ASSERT_EQ(code, 1);
    EXPECT_EQ(storedFacility("Description", code), "Tall House");
    EXPECT_EQ(storedWards(code), QStringList({"1 Default"}));

    wardAnswer = "Loft";
    doubleClickLine(list, 1);  // "Attic"
    clickButton(dialog, "btnOk");
    EXPECT_TRUE(Globals().DialogAccepted);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(storedWards(code), QStringList({"1 Default", "2 Loft", "3 Cellar"}));
    EXPECT_EQ(queryValue("SELECT COUNT(*) FROM Facility").toInt(), 1);
}

TEST_F(FacilitiesTest, TheWardDialogAnswersThroughTheFacilityEditor)
{
    Globals().CurrentFacilityCode = 0;
    frmEditFacility editor;
    editor.WardDescription = "North";
    std::unique_ptr<QWidget> created(CreateForm("frmEditWard", &editor));
    auto* ward = qobject_cast<QDialog*>(created.get());
    ASSERT_NE(ward, nullptr);
    EXPECT_EQ(ward->windowTitle(), "Ward");
    EXPECT_EQ(textBox(*ward, "TxtDescription").text(), "North");
    textBox(*ward, "TxtDescription").setText(" North 2 ");
    clickButton(*ward, "btnOk");
    EXPECT_EQ(editor.WardDescription, " North 2 ");
    EXPECT_TRUE(Globals().DialogAccepted);

    std::unique_ptr<QWidget> again(CreateForm("frmEditWard", &editor));
    ward = qobject_cast<QDialog*>(again.get());
    ASSERT_NE(ward, nullptr);
    ward->reject();  // the close box counts as Cancel
    EXPECT_EQ(editor.WardDescription, "");
    EXPECT_FALSE(Globals().DialogAccepted);

    // Nothing but the facility editor can open it.
    QWidget stranger;
    EXPECT_EQ(CreateForm("frmEditWard", &stranger), nullptr);
}

TEST_F(FacilitiesTest, ADoubleClickInTheListEditsTheFacilityAndShowsTheStoredRow)
{
    addFacility(1, "Alder", 1, "A", "A");
    addFacility(2, "Birch", 2, "B", "B");
    auto form = openList<frmFacilities>(0);
    ListView& list = listOf(*form);
    onDialog = [](QDialog& dialog) {
        if (dialog.objectName() != "frmEditFacility")
            return int(QDialog::Rejected);
        textBox(dialog, "TxtDescription").setText("Birch Lodge");
        comboBox(dialog, "CBFacilityTypes").setCurrentIndex(4);
        clickButton(dialog, "btnOk");
        return dialog.result();
    };
    doubleClickLine(list, 1);
    EXPECT_EQ(Globals().CurrentFacilityCode, 2);
    EXPECT_EQ(shownDialogs, QStringList({"frmEditFacility"}));
    EXPECT_EQ(columnTexts(list, 0), QStringList({"Alder", "Birch Lodge"}));
    EXPECT_EQ(columnTexts(list, 1), QStringList({"Hospitals", "Office"}));
    ASSERT_EQ(list.selectedItems().size(), 1);
    EXPECT_EQ(list.selectedItems()[0]->text(0), "Birch Lodge");
}

}  // namespace
