// The list-form base, through the insurances list (bare and delimited sort keys alike).
#include "RecordsTestEnvironment.h"

#include "ListViewRoutines.h"
#include "SqlExecution.h"
#include "UserSettings.h"
#include "frmInsurances.h"

#include <QApplication>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QTest>

#include <memory>

namespace {

// Records the code of every delete it is asked for, in order.
class RecordingInsurances : public frmInsurances {
public:
    using frmInsurances::frmInsurances;
    QList<qint32> deleteOrder;

protected:
    qint16 deleteCurrentRecord(QString& error) override
    {
        deleteOrder << Globals().CurrentInsuranceCode;
        return frmInsurances::deleteCurrentRecord(error);
    }
};

class ListFormTest : public RecordsTest {
protected:
    void SetUp() override
    {
        RecordsTest::SetUp();
        run("INSERT INTO Insurance VALUES (1, 'Mutual Care', 'MC1')");
        run("INSERT INTO Insurance VALUES (2, 'Beacon Plan', '')");
        run("INSERT INTO Insurance VALUES (3, 'Crest Health', NULL)");
        run("INSERT INTO Insurance VALUES (4, 'Atlas Union', 'AU9')");
    }

    std::unique_ptr<RecordingInsurances> openList(qint16 filter = 0)
    {
        mainForm.FiltroActual = filter;
        auto list = std::make_unique<RecordingInsurances>();
        list->resize(600, 400);
        list->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(list.get()));
        list->Refresca();
        return list;
    }

    static void clickHeader(ListView& list, int column)
    {
        QHeaderView* header = list.header();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(column) + 4, header->height() / 2));
    }

    QByteArray printedFile() const
    {
        QFile file(programFolder + "/InsurancesView.lrm");
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

TEST(SortAfterColumnClick, MovesTheKeyToTheFrontOrLeavesAFirstKeyAlone)
{
    EXPECT_EQ(SortAfterColumnClick("Names", "DateOfBirth", false), "DateOfBirth,Names");
    EXPECT_EQ(SortAfterColumnClick("DateOfBirth,Names", "Names", false), "Names,DateOfBirth");
    EXPECT_EQ(SortAfterColumnClick("Names,DateOfBirth", "Names", false), "Names,DateOfBirth");
    EXPECT_EQ(SortAfterColumnClick("", "Names", false), "Names");
    EXPECT_EQ(SortAfterColumnClick("A,B,C", "B", false), "B,A,C");
    EXPECT_EQ(SortAfterColumnClick("A,B,C", "C", false), "C,A,B");
}

TEST(SortAfterColumnClick, DelimitedKeysNeverMatchInsideALongerKey)
{
    const QString sort = " FacilityTypeDescription ";
    EXPECT_EQ(SortAfterColumnClick(sort, "Description", true), " Description , FacilityTypeDescription ");
    EXPECT_EQ(SortAfterColumnClick(" Description , FacilityTypeDescription ", "FacilityTypeDescription", true),
              " FacilityTypeDescription , Description ");
}

TEST_F(ListFormTest, ReloadsForTheMainWindowsFilterInTheInitialSort)
{
    auto list = openList(0);
    EXPECT_EQ(columnTexts(listOf(*list)),
              QStringList({"Atlas Union", "Beacon Plan", "Crest Health", "Mutual Care"}));
    EXPECT_EQ(list->FilterMember(), 0);

    // The Incomplete filter: an empty billing code, not a Null one.
    mainForm.FiltroActual = 1;
    list->Refresca();
    EXPECT_EQ(columnTexts(listOf(*list)), QStringList({"Beacon Plan"}));
    EXPECT_EQ(list->FilterMember(), 1);

    // A filter the list does not show opens nothing.
    mainForm.FiltroActual = 7;
    list->Refresca();
    EXPECT_EQ(list->Rows(), nullptr);
    EXPECT_TRUE(shownMessages.isEmpty());
}

TEST_F(ListFormTest, AFailingQueryShowsItsErrorAndKeepsTheItemsShown)
{
    auto list = openList(0);
    run("DROP TABLE Insurance");
    list->Refresca();
    ASSERT_EQ(shownMessages.size(), 1);
    EXPECT_TRUE(shownMessages[0].startsWith("SELECT * FROM Insurance")) << shownMessages[0].toStdString();
    EXPECT_EQ(listOf(*list).topLevelItemCount(), 4);
}

TEST_F(ListFormTest, ColumnClicksSortByThatColumnFirstKeepingTheRest)
{
    auto list = openList(0);
    ListView& view = listOf(*list);
    clickHeader(view, 1);
    EXPECT_EQ(list->Rows()->Sort(), " BillingInsuranceCode , Description ");
    // Nulls and empty texts first, then the codes.
    EXPECT_EQ(columnTexts(view), QStringList({"Crest Health", "Beacon Plan", "Atlas Union", "Mutual Care"}));
    clickHeader(view, 0);
    EXPECT_EQ(list->Rows()->Sort(), " Description , BillingInsuranceCode ");
    EXPECT_EQ(columnTexts(view), QStringList({"Atlas Union", "Beacon Plan", "Crest Health", "Mutual Care"}));
    clickHeader(view, 0);
    EXPECT_EQ(list->Rows()->Sort(), " Description , BillingInsuranceCode ");
}

TEST_F(ListFormTest, TheClickedColumnShowsAnAscendingSortIndicator)
{
    auto list = openList(0);
    ListView& view = listOf(*list);
    QHeaderView* header = view.header();
    clickHeader(view, 1);
    EXPECT_TRUE(header->isSortIndicatorShown());
    EXPECT_EQ(header->sortIndicatorSection(), 1);
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::AscendingOrder);
    // A second click leaves the sort as it is, and the indicator too: never descending.
    clickHeader(view, 1);
    EXPECT_EQ(header->sortIndicatorSection(), 1);
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::AscendingOrder);
}

TEST_F(ListFormTest, AReloadShowsTheWaitCursorWhileItReadsAndFills)
{
    auto list = openList(0);
    // The cursor as seen from inside the reload: when its query runs and when its items arrive.
    QList<Qt::CursorShape> seen;
    const auto look = [&seen] {
        seen << (QApplication::overrideCursor() ? QApplication::overrideCursor()->shape() : Qt::ArrowCursor);
    };
    const StatementObserver previous = SetStatementObserver([&look](const QString&) { look(); });
    QObject::connect(listOf(*list).model(), &QAbstractItemModel::rowsInserted, list.get(), look);
    list->Refresca();
    SetStatementObserver(previous);
    EXPECT_EQ(seen, QList<Qt::CursorShape>({Qt::WaitCursor, Qt::WaitCursor}));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(ListFormTest, DeletesSelectedRowsFromTheLastAndKeepsARowWhoseDeleteFailed)
{
    auto list = openList(0);
    ListView& view = listOf(*list);
    // Rows: Atlas (4), Beacon (2), Crest (3), Mutual (1); Crest vanishes behind the list's back.
    run("DELETE FROM Insurance WHERE InsuranceCode = 3");
    selectItems(view, {0, 2, 3});
    list->Eliminar();

    EXPECT_EQ(list->deleteOrder, QList<qint32>({1, 3, 4}));
    ASSERT_EQ(shownMessages.size(), 2);
    EXPECT_EQ(shownMessages[0], "Are you sure you want to delete the selected Insurances?");
    EXPECT_FALSE(shownMessages[1].isEmpty());
    EXPECT_EQ(columnTexts(view), QStringList({"Beacon Plan", "Crest Health"}));
    EXPECT_TRUE(view.topLevelItem(0)->isSelected());
    EXPECT_EQ(queryValue("SELECT COUNT(*) FROM Insurance").toInt(), 1);
}

TEST_F(ListFormTest, DeleteAnsweredWithCancelOrWithNothingSelectedDeletesNothing)
{
    auto list = openList(0);
    ListView& view = listOf(*list);
    selectItems(view, {1});
    answerToOkCancel = MessageAnswer::Cancel;
    list->Eliminar();
    EXPECT_TRUE(list->deleteOrder.isEmpty());

    answerToOkCancel = MessageAnswer::Ok;
    view.clearSelection();
    list->Eliminar();
    EXPECT_TRUE(list->deleteOrder.isEmpty());
    EXPECT_EQ(view.topLevelItemCount(), 4);
    EXPECT_EQ(shownMessages.size(), 2);  // the two prompts
}

TEST_F(ListFormTest, InsertadoMergesTheReReadRowOrAppendsANewOne)
{
    auto list = openList(0);
    ListView& view = listOf(*list);
    run("UPDATE Insurance SET Description = 'Beacon Plus', BillingInsuranceCode = 'BP' WHERE InsuranceCode = 2");
    Globals().CurrentInsuranceCode = 2;
    list->Insertado();
    EXPECT_EQ(view.topLevelItemCount(), 4);
    QList<QTreeWidgetItem*> selected = view.selectedItems();
    ASSERT_EQ(selected.size(), 1);
    EXPECT_EQ(selected[0]->text(0), "Beacon Plus");
    EXPECT_EQ(selected[0]->text(1), "BP");

    run("INSERT INTO Insurance VALUES (9, 'Zenith Mutual', 'ZM')");
    Globals().CurrentInsuranceCode = 9;
    list->Insertado();
    EXPECT_EQ(view.topLevelItemCount(), 5);
    selected = view.selectedItems();
    ASSERT_EQ(selected.size(), 1);
    EXPECT_EQ(selected[0]->text(0), "Zenith Mutual");
}

TEST_F(ListFormTest, DoubleClickEditsTheSelectedRowAndMergesItWhenAccepted)
{
    auto list = openList(0);
    ListView& view = listOf(*list);
    qint16 codeSeen = -1;
    onDialog = [&](QDialog& dialog) {
        codeSeen = Globals().CurrentInsuranceCode;
        dialog.findChild<QLineEdit*>("TxtDescription")->setText("Crest Health Plus");
        clickButton(dialog, "btnOk");
        return dialog.result();
    };
    selectItems(view, {2});
    emit view.itemDoubleClicked(view.topLevelItem(2), 0);
    EXPECT_EQ(shownDialogs, QStringList({"frmEditInsurance"}));
    EXPECT_EQ(codeSeen, 3);
    EXPECT_EQ(view.selectedItems().value(0)->text(0), "Crest Health Plus");

    // Nothing selected: no dialog.
    view.clearSelection();
    emit view.itemDoubleClicked(view.topLevelItem(1), 0);
    EXPECT_EQ(shownDialogs.size(), 1);
}

TEST_F(ListFormTest, EnterEditsTheSelectedRowAndDeleteDeletesItAfterTheSameQuestion)
{
    auto list = openList(0);
    ListView& view = listOf(*list);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, view.visualItemRect(view.topLevelItem(2)).center());
    QList<qint16> codesSeen;
    onDialog = [&](QDialog&) {
        codesSeen << Globals().CurrentInsuranceCode;
        return int(QDialog::Rejected);
    };
    QTest::keyClick(&view, Qt::Key_Return);
    QTest::keyClick(&view, Qt::Key_Enter);
    EXPECT_EQ(shownDialogs, QStringList({"frmEditInsurance", "frmEditInsurance"}));
    EXPECT_EQ(codesSeen, QList<qint16>({3, 3}));

    answerToOkCancel = MessageAnswer::Cancel;
    QTest::keyClick(&view, Qt::Key_Delete);
    EXPECT_EQ(shownMessages, QStringList({"Are you sure you want to delete the selected Insurances?"}));
    EXPECT_EQ(view.topLevelItemCount(), 4);
    answerToOkCancel = MessageAnswer::Ok;
    QTest::keyClick(&view, Qt::Key_Delete);
    EXPECT_EQ(shownMessages.size(), 2);
    EXPECT_EQ(list->deleteOrder, QList<qint32>({3}));
    EXPECT_EQ(columnTexts(view), QStringList({"Atlas Union", "Beacon Plan", "Mutual Care"}));
}

TEST_F(ListFormTest, PrintsTheShownColumnsInScreenOrderUnderTheFiltersTitle)
{
    auto list = openList(1);
    ListView& view = listOf(*list);
    view.SetColumnPosition(1, 1);  // "Billing Code" first on screen
    list->Imprimir();
    const QString path = programFolder + "/InsurancesView.lrm";
    EXPECT_EQ(startedViewers, QStringList({path}));
    QByteArray file = printedFile();
    EXPECT_TRUE(file.contains("Insurances (Incomplete)"));
    ASSERT_TRUE(file.contains("Billing Code"));
    EXPECT_LT(file.indexOf("Billing Code"), file.indexOf("Description"));

    // A column shrunk to nothing is not printed.
    view.SetColumnWidth(1, 0);
    mainForm.FiltroActual = 0;
    list->Refresca();
    list->Imprimir();
    file = printedFile();
    EXPECT_TRUE(file.contains("Insurances (All)"));
    EXPECT_FALSE(file.contains("Billing Code"));
    EXPECT_TRUE(file.contains("Description"));
}

TEST_F(ListFormTest, LayoutAndFilterOfTheLastReloadSurviveTheForm)
{
    SaveSetting("Vantora", "Insurances", "ActiveFilter", "1");
    {
        auto list = openList(0);
        // Load only checks the saved filter in the main window's menu.
        EXPECT_EQ(mainForm.checkedFilters, QList<qint16>({1}));
        ListView& view = listOf(*list);
        view.SetColumnWidth(0, 4320);
        view.SetColumnPosition(1, 1);
    }
    EXPECT_EQ(GetSetting("Vantora", "Insurances", "ActiveFilter"), "0");
    mainForm.checkedFilters.clear();
    RecordingInsurances reopened;
    EXPECT_EQ(mainForm.checkedFilters, QList<qint16>({0}));
    ListView& view = listOf(reopened);
    EXPECT_NEAR(view.ColumnWidth(0), 4320, 15);
    EXPECT_EQ(view.ColumnPosition(1), 1);
    EXPECT_EQ(view.ColumnPosition(0), 2);
    EXPECT_EQ(view.topLevelItemCount(), 0);  // nothing read before the first reload
}

}  // namespace
