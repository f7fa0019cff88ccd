// The insurances list and its edit dialog, as the main window and the list use them.
#include "RecordsTestEnvironment.h"

#include "UserSettings.h"
#include "frmEditInsurance.h"
#include "frmInsurances.h"
#include "frmMain.h"

#include <QLineEdit>
#include <QTest>

#include <memory>

namespace {

class InsurancesTest : public RecordsTest {
protected:
    static QLineEdit& textBox(QWidget& dialog, const char* name)
    {
        auto* box = dialog.findChild<QLineEdit*>(name);
        EXPECT_NE(box, nullptr) << name;
        return *box;
    }

    QString storedText(const QString& column, qint16 code)
    {
        return queryValue(QString("SELECT %1 FROM Insurance WHERE InsuranceCode = %2").arg(column).arg(code)).toString();
    }
};

TEST_F(InsurancesTest, ANewInsuranceIsStoredAsTypedAndItsCodeLeftInTheGlobal)
{
    Globals().CurrentInsuranceCode = 0;
    frmEditInsurance dialog;
    EXPECT_EQ(dialog.windowTitle(), "Insurance");
    EXPECT_FALSE(dialog.CloseOnActivate());
    EXPECT_TRUE(textBox(dialog, "TxtDescription").text().isEmpty());
    textBox(dialog, "TxtDescription").setText("O'Neill Mutual ");
    textBox(dialog, "TxtBillingCode").setText("");
    clickButton(dialog, "btnOk");

    EXPECT_TRUE(Globals().DialogAccepted);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    const qint16 code = Globals().CurrentInsuranceCode;
    ASSERT_NE(code, 0);
    EXPECT_EQ(storedText("Description", code), "O'Neill Mutual ");
    EXPECT_EQ(storedText("BillingInsuranceCode", code), "");

    // Re-opened, it shows what was stored.
    frmEditInsurance reopened;
    EXPECT_EQ(textBox(reopened, "TxtDescription").text(), "O'Neill Mutual ");
    EXPECT_TRUE(shownMessages.isEmpty());
}

TEST_F(InsurancesTest, WithTheDesktopCodesUsedUpANewInsuranceIsRefusedWithOneClearMessage)
{
    run("INSERT INTO Insurance VALUES (999, 'Last', 'L'), (1000, 'Handheld', 'H')");
    Globals().CurrentInsuranceCode = 0;
    frmEditInsurance dialog;
    dialog.show();
    QTest::keyClicks(&textBox(dialog, "TxtDescription"), "Harbor Trust");
    clickButton(dialog, "btnOk");
    EXPECT_EQ(shownMessages, QStringList({"No new code is left for this list: the codes the desktop gives end at "
                                          "1000, and 1000 is already in use."}));
    EXPECT_TRUE(dialog.isVisible()) << "the clerk's typing stays";
    EXPECT_EQ(queryValue("SELECT COUNT(*) FROM Insurance").toInt(), 2);
}

TEST_F(InsurancesTest, AnExistingInsuranceIsLoadedAndUpdated)
{
    run("INSERT INTO Insurance VALUES (5, 'Harbor Trust', 'HT')");
    Globals().CurrentInsuranceCode = 5;
    frmEditInsurance dialog;
    EXPECT_EQ(textBox(dialog, "TxtDescription").text(), "Harbor Trust");
    EXPECT_EQ(textBox(dialog, "TxtBillingCode").text(), "HT");
    textBox(dialog, "TxtBillingCode").setText("H'T2");
    clickButton(dialog, "btnOk");
    EXPECT_TRUE(Globals().DialogAccepted);
    EXPECT_EQ(Globals().CurrentInsuranceCode, 5);
    EXPECT_EQ(storedText("BillingInsuranceCode", 5), "H'T2");
    EXPECT_EQ(queryValue("SELECT COUNT(*) FROM Insurance").toInt(), 1);
}

TEST_F(InsurancesTest, AMissingRecordIsReportedAndTheDialogClosesAsSoonAsShown)
{
    Globals().CurrentInsuranceCode = 77;
    Globals().DialogAccepted = true;  // left from an earlier dialog
    frmEditInsurance dialog;
    EXPECT_EQ(shownMessages, QStringList({"Record not found.  Please report this error!"}));
    EXPECT_TRUE(dialog.CloseOnActivate());
    EXPECT_EQ(dialog.exec(), QDialog::Rejected);
    EXPECT_FALSE(Globals().DialogAccepted);
    EXPECT_EQ(queryValue("SELECT COUNT(*) FROM Insurance").toInt(), 0);
}

TEST_F(InsurancesTest, AFailedUpdateKeepsTheDialogOpenUntilCancelled)
{
    run("INSERT INTO Insurance VALUES (6, 'Keystone', 'KS')");
    Globals().CurrentInsuranceCode = 6;
    Globals().DialogAccepted = false;
    frmEditInsurance dialog;
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    run("DELETE FROM Insurance WHERE InsuranceCode = 6");  // gone meanwhile
    textBox(dialog, "TxtDescription").setText("Keystone West");
    clickButton(dialog, "btnOk");
    clickButton(dialog, "btnOk");
    ASSERT_EQ(shownMessages.size(), 2);
    EXPECT_FALSE(shownMessages[0].isEmpty());
    EXPECT_EQ(shownMessages[0], shownMessages[1]);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(textBox(dialog, "TxtDescription").text(), "Keystone West");
    EXPECT_FALSE(Globals().DialogAccepted);

    clickButton(dialog, "btnCancel");
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_FALSE(Globals().DialogAccepted);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

// Clerk B changes the billing code while clerk A's editor is open: A's save of the name would
// put the old billing code back, so it is refused and A keeps what was typed.
TEST_F(InsurancesTest, ASaveOverAnInsuranceAnotherClerkChangedIsRefused)
{
    run("INSERT INTO Insurance VALUES (6, 'Keystone', 'KS')");
    Globals().CurrentInsuranceCode = 6;
    frmEditInsurance clerkA;
    asOtherClerk([&] {
        frmEditInsurance clerkB;
        textBox(clerkB, "TxtBillingCode").setText("KS2");
        clickButton(clerkB, "btnOk");
    });
    ASSERT_EQ(storedText("BillingInsuranceCode", 6), "KS2");

    Globals().DialogAccepted = false;
    textBox(clerkA, "TxtDescription").setText("Keystone West");
    clickButton(clerkA, "btnOk");
    EXPECT_EQ(shownMessages, QStringList({"This insurance was changed by another user or a HotSync after you opened "
                                          "it. Nothing was stored: close this window and open the insurance again to "
                                          "see the change."}));
    EXPECT_EQ(storedText("Description", 6), "Keystone");
    EXPECT_EQ(storedText("BillingInsuranceCode", 6), "KS2");
    EXPECT_FALSE(Globals().DialogAccepted);
    EXPECT_NE(clerkA.result(), int(QDialog::Accepted));
    EXPECT_EQ(textBox(clerkA, "TxtDescription").text(), "Keystone West");
}

TEST_F(InsurancesTest, CancelStoresNothing)
{
    Globals().CurrentInsuranceCode = 0;
    Globals().DialogAccepted = true;
    frmEditInsurance dialog;
    textBox(dialog, "TxtDescription").setText("Never stored");
    clickButton(dialog, "btnCancel");
    EXPECT_FALSE(Globals().DialogAccepted);
    EXPECT_EQ(Globals().CurrentInsuranceCode, 0);
    EXPECT_EQ(queryValue("SELECT COUNT(*) FROM Insurance").toInt(), 0);
}

TEST_F(InsurancesTest, ANewInsuranceFromTheListsCallerIsShownAndSelected)
{
    run("INSERT INTO Insurance VALUES (1, 'Beacon Plan', '')");
    mainForm.FiltroActual = 0;
    std::unique_ptr<QWidget> list(CreateForm("frmInsurances", nullptr));
    ASSERT_NE(list, nullptr);
    ASSERT_TRUE(QMetaObject::invokeMethod(list.get(), "Refresca"));

    // What the main window's "New" does: clear the code, show the dialog, then Insertado.
    onDialog = [](QDialog& dialog) {
        dialog.findChild<QLineEdit*>("TxtDescription")->setText("Atlas Union");
        dialog.findChild<QLineEdit*>("TxtBillingCode")->setText("AU");
        clickButton(dialog, "btnOk");
        return dialog.result();
    };
    Globals().CurrentInsuranceCode = 0;
    ASSERT_TRUE(ShowDialogByName("frmEditInsurance", list.get()));
    ASSERT_TRUE(Globals().DialogAccepted);
    ASSERT_TRUE(QMetaObject::invokeMethod(list.get(), "Insertado"));

    ListView& view = listOf(*list);
    EXPECT_EQ(view.topLevelItemCount(), 2);
    const QList<QTreeWidgetItem*> selected = view.selectedItems();
    ASSERT_EQ(selected.size(), 1);
    EXPECT_EQ(selected[0]->text(0), "Atlas Union");
    EXPECT_EQ(selected[0]->text(1), "AU");
    EXPECT_EQ(storedText("Description", Globals().CurrentInsuranceCode), "Atlas Union");
}

TEST_F(InsurancesTest, TheMainWindowListsIncompleteInsurancesAddsAndDeletesThem)
{
    run("INSERT INTO Insurance VALUES (1, 'Beacon Plan', '')");
    run("INSERT INTO Insurance VALUES (2, 'Mutual Care', 'MC')");
    frmMain* window = openMainWindow();
    window->CambiaAVista(6, 1);
    auto* list = qobject_cast<ListForm*>(window->ActiveChild());
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->objectName(), "frmInsurances");
    EXPECT_EQ(columnTexts(list->List()), QStringList({"Beacon Plan"}));

    onDialog = [](QDialog& dialog) {
        textBox(dialog, "TxtDescription").setText("Atlas Union");
        clickButton(dialog, "btnOk");
        return dialog.result();
    };
    window->ToolbarButton("Nuevo")->trigger();
    EXPECT_EQ(shownDialogs, QStringList({"frmEditInsurance"}));
    EXPECT_EQ(columnTexts(list->List()), QStringList({"Beacon Plan", "Atlas Union"}));
    EXPECT_EQ(list->List().selectedItems().value(0)->text(0), "Atlas Union");

    window->ToolbarButton("Eliminar")->trigger();
    EXPECT_EQ(columnTexts(list->List()), QStringList({"Beacon Plan"}));
    EXPECT_EQ(queryValue("SELECT COUNT(*) FROM Insurance").toInt(), 2);
    EXPECT_EQ(shownMessages, QStringList({"Are you sure you want to delete the selected Insurances?"}));

    closeMainWindow(window);
    EXPECT_EQ(GetSetting("Vantora", "Insurances", "ActiveFilter"), "1");
}

}  // namespace
