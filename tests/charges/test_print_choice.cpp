#include "ChargesTestEnvironment.h"

#include "AppGlobals.h"
#include "RegisterChargeEditorForms.h"
#include "frmPrintGeneral.h"

#include <QListWidget>
#include <QPushButton>
#include <QTest>

namespace {

class PrintChoiceTest : public ChargesTest {
protected:
    void SetUp() override
    {
        ChargesTest::SetUp();
        RegisterChargeEditorForms();
    }

    static QStringList entries(QDialog& dialog)
    {
        QStringList texts;
        auto* list = dialog.findChild<QListWidget*>("List1");
        for (int row = 0; row < list->count(); ++row)
            texts << list->item(row)->text();
        return texts;
    }

    static void click(QDialog& dialog, const char* button)
    {
        QTest::mouseClick(dialog.findChild<QPushButton*>(button), Qt::LeftButton);
    }
};

TEST_F(PrintChoiceTest, ListsTheChoicesUnderTheTitleWithTheFirstSelected)
{
    Globals().PrintChoiceTitle = "Print Charges";
    Globals().PrintChoiceList = "Current view;Detailed view;Detailed view with billing codes";
    Globals().PrintChoice = 3;
    frmPrintGeneral dialog;
    EXPECT_EQ(dialog.windowTitle(), "Print Charges");
    EXPECT_EQ(entries(dialog), QStringList({"Current view", "Detailed view", "Detailed view with billing codes"}));
    EXPECT_EQ(dialog.findChild<QListWidget*>("List1")->currentRow(), 0);
    EXPECT_EQ(Globals().PrintChoice, 0) << "a new showing starts unanswered";
    EXPECT_EQ(dialog.findChild<QPushButton*>("OKButton")->text(), "Print");
    EXPECT_EQ(dialog.findChild<QPushButton*>("CancelButton")->text(), "Cancel");
}

TEST_F(PrintChoiceTest, AnEmptyPieceEndsTheList)
{
    Globals().PrintChoiceList = "Current view;Detailed view;";
    frmPrintGeneral trailing;
    EXPECT_EQ(entries(trailing), QStringList({"Current view", "Detailed view"}));

    Globals().PrintChoiceList = "Current view;;For data entry";
    frmPrintGeneral gap;
    EXPECT_EQ(entries(gap), QStringList({"Current view"}));
}

TEST_F(PrintChoiceTest, PrintAnswersThePositionOfTheChosenEntry)
{
    Globals().PrintChoiceList =
        "Current view;Detailed view;Detailed view with billing codes;For data entry;For data entry with billing codes";
    frmPrintGeneral dialog;
    dialog.findChild<QListWidget*>("List1")->setCurrentRow(4);
    click(dialog, "OKButton");
    EXPECT_EQ(Globals().PrintChoice, 5);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST_F(PrintChoiceTest, CancelAndClosingTheWindowAnswerZero)
{
    Globals().PrintChoiceList = "Current view;Detailed view";
    frmPrintGeneral cancelled;
    cancelled.findChild<QListWidget*>("List1")->setCurrentRow(1);
    click(cancelled, "CancelButton");
    EXPECT_EQ(Globals().PrintChoice, 0);

    frmPrintGeneral closed;
    closed.show();
    closed.close();
    EXPECT_EQ(Globals().PrintChoice, 0);
    EXPECT_FALSE(closed.isVisible());
}

TEST_F(PrintChoiceTest, PrintWithNothingToChooseAnswersZero)
{
    Globals().PrintChoiceList = "";
    frmPrintGeneral dialog;
    EXPECT_TRUE(entries(dialog).isEmpty());
    click(dialog, "OKButton");
    EXPECT_EQ(Globals().PrintChoice, 0);
}

TEST_F(PrintChoiceTest, OpensByNameForTheCallersOfTheProtocol)
{
    Globals().PrintChoiceTitle = "Print Charges";
    Globals().PrintChoiceList = "Current view;Detailed view";
    QString shownTitle;
    onDialog = [&](QDialog& dialog) {
        shownTitle = dialog.windowTitle();
        dialog.findChild<QListWidget*>("List1")->setCurrentRow(1);
        click(dialog, "OKButton");
        return dialog.result();
    };
    ASSERT_TRUE(ShowDialogByName("frmPrintGeneral", nullptr));
    EXPECT_EQ(shownDialogs, QStringList({"frmPrintGeneral"}));
    EXPECT_EQ(shownTitle, "Print Charges");
    EXPECT_EQ(Globals().PrintChoice, 2);
}

}  // namespace
