#include "ChargesListFixture.h"

#include "UserSettings.h"
#include "frmCharges.h"
#include "frmMain.h"

#include <QAction>

namespace {

// The charges list as the main window opens it and calls its operations by name.
class ChargesListMainWindowTest : public ChargesListTest {};

TEST_F(ChargesListMainWindowTest, StartsOnTodaysChargesUnderTheRestoredView)
{
    const QString today = QDate::currentDate().toString("yyyy-MM-dd");
    addCharge(25000, today, 1, 0, 0, 1);
    addCharge(25001, today, 1, 1, 7, 2);
    addCharge(25001, "2026-01-05", 1, 0, 0, 3);
    storeMainSetting("ActiveView", "0");
    storeMainSetting("ActiveFilter", "4");
    SaveSetting("Vantora", "Charges", "ActiveFilter", "5");
    frmMain* window = openMainWindow();
    auto* list = qobject_cast<frmCharges*>(window->ActiveChild());
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(window->CurrentViewItem(5)->isChecked()) << "the list's saved filter only places the mark";
    EXPECT_EQ(list->ActiveFilter(), 4) << "the rows follow the main window's filter";
    ASSERT_EQ(list->List()->topLevelItemCount(), 1);
    EXPECT_EQ(list->List()->topLevelItem(0)->text(1), "ANN ADAMS");

    window->ToolbarButton("Post")->trigger();
    EXPECT_EQ(shownDialogs, QStringList({"frmPostCharges"}));
    window->CambiaAVista(0, 5);
    ASSERT_EQ(list->List()->topLevelItemCount(), 1);
    EXPECT_EQ(list->List()->topLevelItem(0)->text(1), "BOB BROWN");
    closeMainWindow(window);
    EXPECT_EQ(GetSetting("Vantora", "Charges", "ActiveFilter"), "5");
}

}  // namespace
