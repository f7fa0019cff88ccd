// The edit-dialog base (lookups, load, OK and Cancel) and the sub-list row states, through a
// history-item dialog of this test.
#include "RecordsTestEnvironment.h"

#include "AsisRutinasRecordsets.h"
#include "EditDialog.h"
#include "ListViewRoutines.h"
#include "SubListRows.h"
#include "VNSQLSickness.h"

#include <QComboBox>
#include <QLineEdit>

namespace {

struct LookupSource {
    QString query;
    std::function<RecordsetPtr()> reader;
};

class HistoryItemDialog : public EditDialog {
public:
    explicit HistoryItemDialog(const LookupSource& types, const QString& attentionQuery = QString())
        : EditDialog({"HistoryItemDialog", "History Item", GlobalCode(&AppGlobals::CurrentSicknessCode),
                      [](qint32 code) { return GetSickness(qint16(code)); },
                      [](qint32 code) { return StoredSickness(qint16(code)); }},
                     nullptr)
    {
        description_ = addTextBox("Description:", "TxtDescription");
        types_ = addComboBox("Type:", "CBSicknessTypes");
        addLookup({types.query, types.reader, types_, "Description", "SicknessTypeCode",
                   "You have to define History Groups first!"});
        if (!attentionQuery.isEmpty()) {
            addLookup({attentionQuery, {}, addComboBox("Attention:", "CBAttentionTypes"), "Description",
                       "AttentionTypeCode", "You have to define Attention types first!"});
        }
        Load();
    }

    QComboBox& types() const { return *types_; }

protected:
    bool showRecord(const Recordset& row) override
    {
        description_->setText(row.Field("Description").toString());
        return true;
    }
    qint16 insertRecord(QString& error) override
    {
        return InsertSickness(Globals().CurrentSicknessCode, description_->text(), qint16(lookupCode(0).toInt()), error);
    }
    qint16 updateRecord(QString& error) override
    {
        return UpdateSickness(Globals().CurrentSicknessCode, description_->text(), qint16(lookupCode(0).toInt()),
                              loadedState(), error);
    }

private:
    QLineEdit* description_ = nullptr;
    QComboBox* types_ = nullptr;
};

const LookupSource kSicknessTypes{"select * from SicknessType", {}};

class EditDialogTest : public RecordsTest {
protected:
    int storedType(qint16 code)
    {
        return queryValue(QString("SELECT SicknessTypeCode FROM Sickness WHERE SicknessCode = %1").arg(code)).toInt();
    }
    int sicknessCount() { return queryValue("SELECT COUNT(*) FROM Sickness").toInt(); }
};

TEST_F(EditDialogTest, ANewRecordOpensOnTheFirstEntriesAndStoresTheirCodes)
{
    Globals().CurrentSicknessCode = 0;
    HistoryItemDialog dialog(kSicknessTypes);
    QStringList entries;
    for (int index = 0; index < dialog.types().count(); ++index)
        entries << dialog.types().itemText(index);
    EXPECT_EQ(entries, QStringList({"Allergies", "Medical History", "Surgical History"}));
    EXPECT_EQ(dialog.types().currentIndex(), 0);
    clickButton(dialog, "btnOk");  // an empty description is stored as it is
    ASSERT_TRUE(Globals().DialogAccepted);
    ASSERT_NE(Globals().CurrentSicknessCode, 0);
    EXPECT_EQ(storedType(Globals().CurrentSicknessCode), 0);
    EXPECT_EQ(queryValue(QString("SELECT Description FROM Sickness WHERE SicknessCode = %1")
                             .arg(Globals().CurrentSicknessCode)).toString(), "");
}

TEST_F(EditDialogTest, AnExistingRecordShowsItsLookupRowAndStoresTheChosenOne)
{
    run("INSERT INTO Sickness (SicknessCode, Description, SicknessTypeCode) VALUES (4, 'Penicillin', 2)");
    Globals().CurrentSicknessCode = 4;
    HistoryItemDialog dialog(kSicknessTypes);
    EXPECT_EQ(dialog.types().currentIndex(), 2);
    EXPECT_EQ(dialog.findChild<QLineEdit*>("TxtDescription")->text(), "Penicillin");
    dialog.types().setCurrentIndex(1);
    clickButton(dialog, "btnOk");
    EXPECT_TRUE(Globals().DialogAccepted);
    EXPECT_EQ(storedType(4), 1);
    EXPECT_EQ(sicknessCount(), 1);
}

TEST_F(EditDialogTest, ACodeMissingFromTheLookupLeavesTheFirstEntryWhichOkStores)
{
    run("INSERT INTO Sickness (SicknessCode, Description, SicknessTypeCode) VALUES (5, 'Odd', 9)");
    Globals().CurrentSicknessCode = 5;
    HistoryItemDialog dialog(kSicknessTypes);
    EXPECT_EQ(dialog.types().currentIndex(), 0);
    clickButton(dialog, "btnOk");
    EXPECT_EQ(storedType(5), 0);
}

TEST_F(EditDialogTest, AnEmptyLookupStopsTheLoadBeforeLaterLookupsAndNothingIsStored)
{
    run("DELETE FROM SicknessType");
    Globals().CurrentSicknessCode = 0;
    Globals().DialogAccepted = true;
    HistoryItemDialog dialog(kSicknessTypes, "select * from NoSuchLookup");
    EXPECT_EQ(shownMessages, QStringList({"You have to define History Groups first!"}));
    EXPECT_TRUE(dialog.CloseOnActivate());
    clickButton(dialog, "btnOk");
    EXPECT_EQ(sicknessCount(), 0);
    EXPECT_EQ(dialog.exec(), QDialog::Rejected);
    EXPECT_FALSE(Globals().DialogAccepted);
}

TEST_F(EditDialogTest, ALookupThatCannotBeOpenedShowsItsErrorText)
{
    Globals().CurrentSicknessCode = 0;
    HistoryItemDialog dialog(kSicknessTypes, "select * from NoSuchLookup");
    ASSERT_EQ(shownMessages.size(), 1);
    EXPECT_TRUE(shownMessages[0].startsWith("select * from NoSuchLookup ")) << shownMessages[0].toStdString();
    EXPECT_TRUE(dialog.CloseOnActivate());
}

TEST_F(EditDialogTest, ALookupReadByADataRoutineStopsSilentlyOnFailureAndReportsAnEmptyResult)
{
    Globals().CurrentSicknessCode = 0;
    HistoryItemDialog failed({{}, [] { return RecordsetPtr(); }});
    EXPECT_TRUE(failed.CloseOnActivate());
    EXPECT_TRUE(shownMessages.isEmpty());

    HistoryItemDialog empty({{}, [] { return std::make_shared<Recordset>(); }});
    EXPECT_TRUE(empty.CloseOnActivate());
    EXPECT_EQ(shownMessages, QStringList({"You have to define History Groups first!"}));

    HistoryItemDialog read({{}, [] { return GetSicknessTypes(); }});
    EXPECT_FALSE(read.CloseOnActivate());
    EXPECT_EQ(read.types().count(), 3);
}

class SubListTest : public RecordsTest {
protected:
    void SetUp() override
    {
        RecordsTest::SetUp();
        run("INSERT INTO FacilityWards VALUES (1, 3, 'North', 0)");
        run("INSERT INTO FacilityWards VALUES (2, 3, 'South', 0)");
        QString error;
        ASSERT_EQ(OpenRecordset(wards, "select * from FacilityWards Where FacilityCode=3", error), 0) << error.toStdString();
        wards->AddNew();
        wards->SetField("WardCode", 0);
        wards->SetField("Description", "East");
        wards->SetField("checked", RowAdded);
        wards->Update();
        wards->AddNew();
        wards->SetField("WardCode", 0);
        wards->SetField("Description", "West");
        wards->SetField("checked", RowAdded);
        wards->Update();
        list.AddColumn("Description", "Description", 3600);
        FillSubList(list, *wards);
    }

    qint16 stateOfItem(int index)
    {
        wards->SetAbsolutePosition(ListItemPosition(ListView::ItemKey(*list.topLevelItem(index))));
        return qint16(wards->Field("checked").toInt());
    }

    ListView list;
    RecordsetPtr wards;
};

TEST_F(SubListTest, RemoveMarksAStoredRowAndUnmarksItAgain)
{
    ToggleRowRemoval(list, *list.topLevelItem(1), *wards);
    EXPECT_EQ(list.topLevelItem(1)->text(0), "*South");
    EXPECT_EQ(stateOfItem(1), RowRemoved);
    ToggleRowRemoval(list, *list.topLevelItem(1), *wards);
    EXPECT_EQ(list.topLevelItem(1)->text(0), "South");
    EXPECT_EQ(stateOfItem(1), RowStored);

    wards->SetAbsolutePosition(1);
    wards->SetField("checked", RowChanged);
    ToggleRowRemoval(list, *list.topLevelItem(0), *wards);
    EXPECT_EQ(stateOfItem(0), RowRemoved);
}

TEST_F(SubListTest, RemovingAnAddedRowDropsItAndKeepsTheOtherLinesOnTheirRows)
{
    ToggleRowRemoval(list, *list.topLevelItem(0), *wards);  // North marked
    ToggleRowRemoval(list, *list.topLevelItem(2), *wards);  // East goes
    EXPECT_EQ(wards->RecordCount(), 3);
    EXPECT_EQ(columnTexts(list), QStringList({"*North", "South", "West"}));
    EXPECT_TRUE(list.selectedItems().isEmpty()) << "a second press must not hit a row the user did not choose";
    // West's line still names West's row: removing it removes West.
    ToggleRowRemoval(list, *list.topLevelItem(2), *wards);
    EXPECT_EQ(columnTexts(list), QStringList({"*North", "South"}));
    EXPECT_EQ(stateOfItem(0), RowRemoved);
    EXPECT_EQ(queryValue("SELECT COUNT(*) FROM FacilityWards").toInt(), 2);
}

}  // namespace
