#include "ChargesListFixture.h"

#include "frmCharges.h"
#include "frmPostCharges.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <functional>
#include <memory>

namespace {

class PostingTest : public ChargesListTest {
protected:
    void SetUp() override
    {
        ChargesListTest::SetUp();
        registerStandInDialog("frmPrintGeneral");
        onDialog = [this](QDialog& dialog) {
            if (dialog.objectName() != "frmPostCharges")
                return int(QDialog::Rejected);
            seenCount = dialog.findChild<QLineEdit*>("TxtNumCharges")->text();
            seenLot = dialog.findChild<QLineEdit*>("TxtLotNumber")->text();
            seenPrint = dialog.findChild<QCheckBox*>("chkPrint")->isChecked();
            if (answer)
                answer(dialog);
            return dialog.result();
        };
        addCharge(25000, "2026-12-01", 1, 0, 0, 1);
        addCharge(25000, "2026-12-02", 1, 1, 5, 2);
        addCharge(25001, "2026-12-03", 1, 0, 0, 3);
        addCharge(25001, "2026-12-04", 1, 0, 0, 4);
    }

    std::unique_ptr<frmCharges> openList(qint16 filter)
    {
        mainForm.FiltroActual = filter;
        auto list = std::make_unique<frmCharges>();
        list->findChild<QRadioButton*>("optAllDates")->setChecked(true);
        return list;
    }

    // Posts under the lot typed, with the print box as given.
    static std::function<void(QDialog&)> post(const QString& lot, bool print)
    {
        return [lot, print](QDialog& dialog) {
            dialog.findChild<QLineEdit*>("TxtLotNumber")->setText(lot);
            dialog.findChild<QCheckBox*>("chkPrint")->setChecked(print);
            dialog.findChild<QPushButton*>("OKButton")->click();
        };
    }

    static QStringList statuses(frmCharges& list)
    {
        QStringList items;
        for (int index = 0; index < list.List()->topLevelItemCount(); ++index)
            items << list.List()->topLevelItem(index)->text(6);
        return items;
    }

    std::function<void(QDialog&)> answer;
    QString seenCount;
    QString seenLot;
    bool seenPrint = false;
};

TEST_F(PostingTest, LotProposalAndTypedLots)
{
    EXPECT_EQ(ProposedLotNumber(QDate(2026, 12, 7)), 202612071);
    EXPECT_EQ(ProposedLotNumber(QDate(2027, 1, 5)), 202701051);
    EXPECT_EQ(ProposedLotNumber(QDate(2026, 10, 31)), 202610311);

    qint32 lot = -1;
    EXPECT_TRUE(LotNumberFromText(" 202612071 ", lot));
    EXPECT_EQ(lot, 202612071);
    EXPECT_TRUE(LotNumberFromText("2147483647", lot));
    EXPECT_EQ(lot, 2147483647);
    lot = 99;
    for (const char* refused : {"", "abc", "12abc", "2147483648", "-2147483649", "12.5", "0", "+5"})
        EXPECT_FALSE(LotNumberFromText(refused, lot)) << refused;
    EXPECT_EQ(lot, 99);
}

TEST_F(PostingTest, NothingReadyNeedsNoDialog)
{
    auto list = openList(5);
    list->Refresca();
    list->Post();
    EXPECT_EQ(shownMessages, QStringList({"No charges to post!"}));
    EXPECT_TRUE(shownDialogs.isEmpty());
}

TEST_F(PostingTest, CancelPostsAndPrintsNothing)
{
    auto list = openList(0);
    list->Refresca();
    answer = [](QDialog& dialog) { dialog.findChild<QPushButton*>("CancelButton")->click(); };
    list->Post();
    EXPECT_EQ(shownDialogs, QStringList({"frmPostCharges"}));
    EXPECT_EQ(seenCount, "3");
    EXPECT_EQ(seenLot, QString::number(ProposedLotNumber(QDate::currentDate())));
    EXPECT_TRUE(seenPrint) << "printing is offered ticked";
    EXPECT_EQ(list->ChargesToPost, 0);
    EXPECT_EQ(rows("SELECT Status FROM PatientCharges ORDER BY ChargeTime"), QStringList({"0", "1", "0", "0"}));
    EXPECT_EQ(statuses(*list), QStringList({"Ready", "Posted", "Ready", "Ready"}));
}

TEST_F(PostingTest, ReadyRowsArePostedOneByOneAndAFailedRowStaysReady)
{
    auto list = openList(0);
    list->Refresca();
    run("DELETE FROM PatientCharges WHERE ChargeTime = '10:00:03'");  // removed by another user meanwhile
    answer = post("777", false);
    list->Post();
    EXPECT_EQ(shownDialogs, QStringList({"frmPostCharges"})) << "nothing printed with the box cleared";
    EXPECT_EQ(shownMessages, QStringList({"Problems updating status: U:IMPACTENT"}));
    EXPECT_EQ(rows("SELECT ChargeTime, Status, PrintLot FROM PatientCharges ORDER BY ChargeTime"),
              QStringList({"10:00:01|1|777", "10:00:02|1|5", "10:00:04|1|777"}))
        << "the Posted charge keeps its lot";
    EXPECT_EQ(statuses(*list), QStringList({"Posted", "Posted", "Ready", "Posted"}));
    EXPECT_EQ(list->PostLotNumber, 777);
    EXPECT_EQ(list->PrintAfterPost, 0);
}

TEST_F(PostingTest, PostedRowsStayInTheReadyViewAndPrintingFollows)
{
    auto list = openList(4);
    list->Refresca();
    answer = post("202612071", true);
    list->Post();
    EXPECT_EQ(shownDialogs, QStringList({"frmPostCharges", "frmPrintGeneral"}));
    EXPECT_EQ(Globals().PrintChoiceTitle, "Print Charges");
    EXPECT_EQ(statuses(*list), QStringList({"Posted", "Posted", "Posted"})) << "until the next reload";
    list->Refresca();
    EXPECT_EQ(list->List()->topLevelItemCount(), 0);
    EXPECT_EQ(rows("SELECT COUNT(*) FROM PatientCharges WHERE PrintLot = 202612071"), QStringList({"3"}));
}

TEST_F(PostingTest, ALotThatIsNoPositiveWholeNumberIsRefusedWithAMessage)
{
    auto list = openList(0);
    list->Refresca();
    QList<int> resultsAfterRefusal;
    answer = [&resultsAfterRefusal](QDialog& dialog) {
        auto* lot = dialog.findChild<QLineEdit*>("TxtLotNumber");
        for (const char* typed : {"-5", "nan", "abc"}) {
            lot->selectAll();
            QTest::keyClicks(lot, typed);
            QTest::mouseClick(dialog.findChild<QPushButton*>("OKButton"), Qt::LeftButton);
            resultsAfterRefusal << dialog.result();
        }
        QTest::mouseClick(dialog.findChild<QPushButton*>("CancelButton"), Qt::LeftButton);
    };
    list->Post();
    EXPECT_EQ(resultsAfterRefusal, QList<int>({0, 0, 0})) << "the dialog stays open";
    EXPECT_EQ(shownMessages, QStringList(3, "The lot number must be a whole number from 1 to 2147483647."));
    EXPECT_EQ(rows("SELECT COUNT(*) FROM PatientCharges WHERE Status = 1"), QStringList({"1"}));
}

}  // namespace
