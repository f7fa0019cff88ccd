#include "ClerksFixture.h"
#include "DatePicker.h"
#include "VNSQLCharges.h"

#include "frmArchiveCharges.h"
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

class PostingTest : public ClerksTest {
protected:
    void SetUp() override
    {
        ClerksTest::SetUp();
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

TEST_F(PostingTest, ReadyRowsArePostedAndAChargeRemovedMeanwhileIsLeftOut)
{
    auto list = openList(0);
    list->Refresca();
    run("DELETE FROM PatientCharges WHERE ChargeTime = '10:00:03'");  // removed by another user meanwhile
    answer = post("777", false);
    list->Post();
    EXPECT_EQ(shownDialogs, QStringList({"frmPostCharges"})) << "nothing printed with the box cleared";
    EXPECT_EQ(seenCount, "2") << "the charges Ready in the database";
    EXPECT_TRUE(shownMessages.isEmpty()) << shownMessages.join("|").toStdString();
    EXPECT_EQ(rows("SELECT ChargeTime, Status, PrintLot FROM PatientCharges ORDER BY ChargeTime"),
              QStringList({"10:00:01|1|777", "10:00:02|1|5", "10:00:04|1|777"}))
        << "the Posted charge keeps its lot";
    EXPECT_EQ(statuses(*list), QStringList({"Posted", "Posted", "Posted"}));
    EXPECT_EQ(list->PostLotNumber, 777);
    EXPECT_EQ(list->PrintAfterPost, 0);
}

TEST_F(PostingTest, AStaleListPostsOnlyTheChargesStillReadyAndSaysSo)
{
    addCharge(25001, "2026-12-05", 1, 0, 0, 5);
    auto list = openList(4);
    list->Refresca();  // Ready: the charges of 12/01, 12/03, 12/04 and 12/05

    // Meanwhile another clerk posts the charges of 12/01 to 12/03 in lot 111, then archives
    // until 12/02, which archives the charge of 12/01.
    asOtherClerk([this] {
        auto otherList = openList(4);
        otherList->findChild<DatePicker*>("DTPicker1")->setDate(QDate(2026, 12, 1));
        otherList->findChild<DatePicker*>("DTPicker2")->setDate(QDate(2026, 12, 3));
        otherList->findChild<QRadioButton*>("optSelectedDates")->setChecked(true);
        otherList->Refresca();
        answer = post("111", false);
        otherList->Post();
        frmArchiveCharges archive;
        archive.findChild<DatePicker*>("DTPicker1")->setDate(QDate(2026, 12, 2));
        archive.findChild<QPushButton*>("OKButton")->click();
    });
    ASSERT_EQ(rows("SELECT ChargeTime, Status, PrintLot FROM PatientCharges ORDER BY ChargeTime"),
              QStringList({"10:00:01|2|111", "10:00:02|1|5", "10:00:03|1|111", "10:00:04|0|0", "10:00:05|0|0"}));
    shownMessages.clear();

    // While this clerk's post dialog is open, the other one posts the charge of 12/04 in lot 333.
    answer = [this](QDialog& dialog) {
        asOtherClerk([] {
            QString error;
            ASSERT_EQ(SetChargeStatus(25001, QDate(2026, 1, 1), QTime(10, 0, 4), 333, 1, error), 0);
        });
        post("222", false)(dialog);
    };
    list->Post();
    EXPECT_EQ(seenCount, "2");
    EXPECT_EQ(shownMessages, QStringList({"1 of the 2 charges counted were posted in lot 222; another user posted, "
                                          "archived or deleted the rest meanwhile."}))
        << shownMessages.join("|").toStdString();
    EXPECT_EQ(rows("SELECT ChargeTime, Status, PrintLot FROM PatientCharges ORDER BY ChargeTime"),
              QStringList({"10:00:01|2|111", "10:00:02|1|5", "10:00:03|1|111", "10:00:04|1|333", "10:00:05|1|222"}))
        << "no other clerk's charge moved";
    EXPECT_EQ(statuses(*list), QStringList({"Archived", "Posted", "Posted", "Posted"})) << "as stored";
}

TEST_F(PostingTest, APostKilledAtAnyMomentPostsTheWholeLotOrNothing)
{
    addCharge(25000, "2026-12-05", 1, 0, 0, 5);
    addCharge(25001, "2026-12-06", 1, 0, 0, 6);
    auto list = openList(4);
    list->Refresca();
    answer = post("777", false);
    const auto postInChild = [&list] { list->Post(); };
    const auto postedInLot = [this] { return rows("SELECT COUNT(*) FROM PatientCharges WHERE PrintLot = 777"); };
    const int writes = writesOfRun(postInChild, 0);
    ASSERT_EQ(postedInLot(), QStringList({"5"}));
    for (int killAfter = 1; killAfter <= writes; ++killAfter) {
        run("UPDATE PatientCharges SET Status = 0, PrintLot = 0 WHERE PrintLot = 777");
        writesOfRun(postInChild, killAfter);
        const QString posted = postedInLot().join("");
        EXPECT_TRUE(posted == "0" || posted == "5")
            << posted.toStdString() << " of 5 posted when killed after write " << killAfter << " of " << writes;
    }
}

TEST_F(PostingTest, APostOnAFullDiskShowsOneMessageAndPostsNothing)
{
    auto list = openList(4);
    list->Refresca();
    putDatabaseOnFullDisk();
    answer = post("777", true);
    list->Post();
    EXPECT_EQ(shownMessages, QStringList({"Problems updating status: none of the 3 charges was posted in lot 777.\n\n"
                                          "The disk that holds the database is full. Please free some space and try "
                                          "again.\n\nDetails: database or disk is full"}))
        << shownMessages.join("|").toStdString();
    EXPECT_EQ(shownDialogs, QStringList({"frmPostCharges"})) << "a lot that was not posted is not printed";
    EXPECT_EQ(rows("SELECT ChargeTime, Status FROM PatientCharges ORDER BY ChargeTime"),
              QStringList({"10:00:01|0", "10:00:02|1", "10:00:03|0", "10:00:04|0"}));
    EXPECT_EQ(statuses(*list), QStringList({"Ready", "Ready", "Ready"}));
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
