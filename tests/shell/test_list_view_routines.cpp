#include "AsisRutinasRecordsets.h"
#include "ListViewRoutines.h"
#include "ShellTestEnvironment.h"
#include "SqlExecution.h"
#include "UserSettings.h"

#include <QDate>
#include <QHeaderView>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using ListViewTest = ShellTest;

// Rows "Row 1" to "Row n" with Code = position, checked cycling 0, 1, 2 and a date that is
// Null on every fifth row.
RecordsetPtr memoryRows(int count, bool withChecked = true)
{
    std::vector<RecordsetColumn> columns = {{"Description", jet::ColumnType::Text},
                                            {"Code", jet::ColumnType::Integer16},
                                            {"Seen", jet::ColumnType::Date}};
    if (withChecked)
        columns.push_back({"checked", jet::ColumnType::Integer16});
    auto rows = std::make_shared<Recordset>(columns);
    for (int row = 1; row <= count; ++row) {
        rows->AddNew();
        rows->SetField("Description", QStringLiteral("Row %1").arg(row));
        rows->SetField("Code", row);
        if (row % 5 != 0)
            rows->SetField("Seen", QDate(2026, 12, 1).addDays(row));
        if (withChecked)
            rows->SetField("checked", row % 3);
        rows->Update();
    }
    return rows;
}

void addColumns(ListView& list)
{
    list.AddColumn("Description", "Description", 2880);
    list.AddColumn("code", "Code", 1440);
    list.AddColumn("", "Blank", 600);
    list.AddColumn("Seen", "Seen", 1440);
    list.AddColumn("Missing", "Missing", 600);
}

QStringList selectedKeys(const ListView& list)
{
    QStringList keys;
    for (QTreeWidgetItem* item : list.selectedItems())
        keys << ListView::ItemKey(*item);
    return keys;
}

TEST_F(ListViewTest, FillListViewKeysItemsByRowAndColumnsByField)
{
    ListView list;
    addColumns(list);
    list.SetCheckBoxes(true);
    RecordsetPtr rows = memoryRows(130);
    FillListView(list, *rows);
    EXPECT_TRUE(rows->EndOfFile());
    ASSERT_EQ(list.topLevelItemCount(), 130);
    EXPECT_EQ(selectedKeys(list), QStringList({"K0000000001"}));

    QTreeWidgetItem* item = list.topLevelItem(122);
    EXPECT_EQ(ListView::ItemKey(*item), "K0000000123");
    EXPECT_EQ(ListItemPosition(ListView::ItemKey(*item)), 123);
    EXPECT_EQ(item->text(0), "Row 123");
    EXPECT_EQ(item->text(1), "123");
    EXPECT_EQ(ListView::SubItemKey(*item, 1), "K0000000002");
    EXPECT_EQ(item->text(2), "");
    EXPECT_EQ(ListView::SubItemKey(*item, 2), "");
    EXPECT_EQ(item->text(3), "04/03/2027");
    EXPECT_EQ(ListView::SubItemKey(*item, 3), "K0000000004");
    EXPECT_EQ(item->text(4), "");
    EXPECT_EQ(list.topLevelItem(124)->text(3), "");  // Null date

    // checked: row 1 is 1, row 2 is 2, row 3 is 0.
    EXPECT_TRUE(ListView::IsItemChecked(*list.topLevelItem(0)));
    EXPECT_FALSE(ListView::IsItemChecked(*list.topLevelItem(1)));
    EXPECT_FALSE(ListView::IsItemChecked(*list.topLevelItem(2)));
    EXPECT_TRUE(ListView::IsItemChecked(*list.topLevelItem(3)));

    // A sorted view keys the items by their position in it.
    rows->SetSort("Seen");
    FillListView(list, *rows);
    EXPECT_EQ(list.topLevelItem(0)->text(3), "");
    EXPECT_EQ(list.topLevelItem(0)->text(0), "Row 5");
    EXPECT_EQ(ListView::ItemKey(*list.topLevelItem(0)), "K0000000001");

    RecordsetPtr unchecked = memoryRows(3, false);
    FillListView(list, *unchecked);
    EXPECT_FALSE(ListView::IsItemChecked(*list.topLevelItem(0)));
}

TEST_F(ListViewTest, FillListItemRefreshesOneItemFromTheCurrentRow)
{
    ListView list;
    addColumns(list);
    list.SetCheckBoxes(true);
    RecordsetPtr rows = memoryRows(4);
    FillListView(list, *rows);
    QTreeWidgetItem* item = list.topLevelItem(0);
    ASSERT_TRUE(ListView::IsItemChecked(*item));
    rows->SetAbsolutePosition(2);
    FillListItem(list, *item, *rows);
    EXPECT_EQ(ListView::ItemKey(*item), "K0000000002");
    EXPECT_EQ(item->text(0), "Row 2");
    EXPECT_FALSE(ListView::IsItemChecked(*item));  // checked = 2 is no check mark
}

TEST_F(ListViewTest, EmptyRecordsetLeavesAnEmptyListWithNothingSelected)
{
    ListView list;
    addColumns(list);
    RecordsetPtr rows = memoryRows(10);
    FillListView(list, *rows);
    RecordsetPtr none = memoryRows(0);
    FillListView(list, *none);
    EXPECT_EQ(list.topLevelItemCount(), 0);
    EXPECT_TRUE(list.selectedItems().isEmpty());
    EXPECT_TRUE(none->EndOfFile());
}

TEST_F(ListViewTest, ColumnLayoutRoundTripsThroughTheSettings)
{
    ListView saved;
    addColumns(saved);
    saved.SetColumnPosition(3, 1);  // Seen first
    saved.SetColumnWidth(0, 4500);
    saved.SetColumnWidth(2, 0);
    SaveColumnSettings(saved, "Insurances");
    EXPECT_EQ(GetSetting("Vantora", "Insurances", "SeenPosition"), "1");
    EXPECT_EQ(GetSetting("Vantora", "Insurances", "DescriptionPosition"), "2");
    EXPECT_EQ(GetSetting("Vantora", "Insurances", "DescriptionWidth"), "4500");

    ListView restored;
    addColumns(restored);
    EXPECT_TRUE(LoadColumnSettings(restored, "Insurances"));
    for (int column = 0; column < restored.columnCount(); ++column) {
        EXPECT_EQ(restored.ColumnPosition(column), saved.ColumnPosition(column)) << column;
        EXPECT_DOUBLE_EQ(restored.ColumnWidth(column), saved.ColumnWidth(column)) << column;
    }

    // A section never saved keeps the design layout.
    ListView fresh;
    addColumns(fresh);
    EXPECT_TRUE(LoadColumnSettings(fresh, "Doctors"));
    EXPECT_EQ(fresh.ColumnPosition(3), 4);
    EXPECT_DOUBLE_EQ(fresh.ColumnWidth(0), 2880);

    // A value that is no number leaves its column alone; the others are restored.
    SaveSetting("Vantora", "Insurances", "DescriptionWidth", "wide");
    ListView handEdited;
    addColumns(handEdited);
    EXPECT_FALSE(LoadColumnSettings(handEdited, "Insurances"));
    EXPECT_DOUBLE_EQ(handEdited.ColumnWidth(0), 2880);
    EXPECT_DOUBLE_EQ(handEdited.ColumnWidth(2), 0);
    EXPECT_EQ(handEdited.ColumnPosition(3), 1);
}

class RefreshListRowTest : public ListViewTest {
protected:
    void SetUp() override
    {
        ListViewTest::SetUp();
        QString error;
        for (int code = 1; code <= 40; ++code) {
            ASSERT_EQ(ExecuteStatement(QStringLiteral("INSERT INTO Insurance (InsuranceCode, Description) "
                                                      "VALUES (%1, 'Insurance %1')").arg(code),
                                       "", error),
                      0)
                << error.toStdString();
        }
        ASSERT_EQ(OpenRecordset(rows, "SELECT * FROM Insurance ORDER BY InsuranceCode", error), 0);
        list.AddColumn("Description", "Insurance", 2880);
        list.AddColumn("InsuranceCode", "Code", 1440);
        list.resize(300, 150);
        list.show();
        FillListView(list, *rows);
    }

    void execute(const QString& sql)
    {
        QString error;
        ASSERT_EQ(ExecuteStatement(sql, "", error), 0) << error.toStdString();
    }

    bool shownInViewport(QTreeWidgetItem* item)
    {
        return list.viewport()->rect().intersects(list.visualItemRect(item));
    }

    RecordsetPtr rows;
    ListView list;
};

TEST_F(RefreshListRowTest, NewRecordIsAppendedSelectedAndScrolledTo)
{
    ASSERT_FALSE(shownInViewport(list.topLevelItem(39)));
    list.topLevelItem(3)->setSelected(true);
    execute("INSERT INTO Insurance (InsuranceCode, Description) VALUES (41, 'Newcomer')");
    RefreshListRow(rows, "SELECT * FROM Insurance WHERE ", "InsuranceCode=41", list);
    EXPECT_EQ(rows->RecordCount(), 41);
    EXPECT_EQ(rows->AbsolutePosition(), 41);
    EXPECT_EQ(rows->Field("Description").toString(), "Newcomer");
    ASSERT_EQ(list.topLevelItemCount(), 41);
    EXPECT_EQ(selectedKeys(list), QStringList({"K0000000041"}));
    EXPECT_EQ(list.currentItem(), list.topLevelItem(40));
    EXPECT_EQ(list.topLevelItem(40)->text(0), "Newcomer");
    EXPECT_TRUE(shownInViewport(list.topLevelItem(40)));
    EXPECT_TRUE(shownMessages.isEmpty());
}

TEST_F(RefreshListRowTest, EditedRecordKeepsItsPosition)
{
    execute("UPDATE Insurance SET Description='Renamed' WHERE InsuranceCode=5");
    RefreshListRow(rows, "SELECT * FROM Insurance WHERE ", "InsuranceCode=5", list);
    EXPECT_EQ(rows->RecordCount(), 40);
    EXPECT_EQ(rows->AbsolutePosition(), 5);
    ASSERT_EQ(list.topLevelItemCount(), 40);
    EXPECT_EQ(list.topLevelItem(4)->text(0), "Renamed");
    EXPECT_EQ(selectedKeys(list), QStringList({"K0000000005"}));
}

TEST_F(RefreshListRowTest, QueryErrorOrMissingRowChangesNothing)
{
    list.topLevelItem(7)->setSelected(true);
    const QStringList before = selectedKeys(list);
    RefreshListRow(rows, "SELECT * FROM NoSuchTable WHERE ", "InsuranceCode=5", list);
    ASSERT_EQ(shownMessages.size(), 1);
    EXPECT_TRUE(shownMessages[0].startsWith("SELECT * FROM NoSuchTable WHERE  InsuranceCode=5 "))
        << shownMessages[0].toStdString();
    RefreshListRow(rows, "SELECT * FROM Insurance WHERE ", "InsuranceCode=999", list);
    EXPECT_EQ(shownMessages.size(), 1);
    EXPECT_EQ(rows->RecordCount(), 40);
    EXPECT_EQ(list.topLevelItemCount(), 40);
    EXPECT_EQ(selectedKeys(list), before);
}

TEST_F(RefreshListRowTest, ListWithoutRecordsetStartsOneWithTheRow)
{
    RecordsetPtr none;
    ListView fresh;
    fresh.AddColumn("Description", "Insurance", 2880);
    RefreshListRow(none, "SELECT * FROM Insurance WHERE ", "InsuranceCode=7", fresh);
    ASSERT_NE(none, nullptr);
    EXPECT_EQ(none->RecordCount(), 1);
    ASSERT_EQ(fresh.topLevelItemCount(), 1);
    EXPECT_EQ(fresh.topLevelItem(0)->text(0), "Insurance 7");
    EXPECT_EQ(selectedKeys(fresh), QStringList({"K0000000001"}));
}

}  // namespace
