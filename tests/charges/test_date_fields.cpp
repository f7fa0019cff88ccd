// The date fields of the charge forms, typed into as a clerk types over the date shown.
#include "ChargeEditorFixture.h"

#include "DatePicker.h"
#include "frmArchiveCharges.h"
#include "frmCharges.h"
#include "frmEditCharge.h"

#include <QTest>

namespace {

class DateFieldsTest : public ChargeEditorTest {
protected:
    // Clicks into the form's date field, types the text and leaves the field.
    static QDate typeDate(QWidget& form, const char* field, const QString& text)
    {
        auto* date = form.findChild<QWidget*>(field);
        QTest::mouseClick(date, Qt::LeftButton);
        QTest::keyClicks(date, text);
        QTest::keyClick(date, Qt::Key_Tab);
        return date->property("date").toDate();
    }

    // Enters the field, selects the day of the date shown (mm/dd/yyyy) and types over it.
    static void typeOverDay(QWidget& date, const QString& day)
    {
        QTest::mouseClick(&date, Qt::LeftButton);
        QTest::keyClick(&date, Qt::Key_Home);
        for (int step = 0; step < 3; ++step)
            QTest::keyClick(&date, Qt::Key_Right);
        for (int step = 0; step < 2; ++step)
            QTest::keyClick(&date, Qt::Key_Right, Qt::ShiftModifier);
        QTest::keyClicks(&date, day);
    }

    static void showActive(QWidget& form)
    {
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    }
};

TEST_F(DateFieldsTest, AWholeDateTypedIsTakenAndOneThatDoesNotExistIsRefused)
{
    startNewCharge(100);
    frmEditCharge charge;
    showActive(charge);
    EXPECT_EQ(typeDate(charge, "DTDOC", "11/25/2026"), QDate(2026, 11, 25));
    EXPECT_EQ(typeDate(charge, "DTDOC", "1/5/2027"), QDate(2027, 1, 5));
    EXPECT_TRUE(shownMessages.isEmpty()) << shownMessages.join('|').toStdString();
    EXPECT_EQ(typeDate(charge, "DTDOC", "02/30/2026"), QDate(2027, 1, 5)) << "the last date stays";
    ASSERT_EQ(shownMessages.size(), 1);
    EXPECT_TRUE(shownMessages.first().contains("02/30/2026"));
    charge.hide();

    frmArchiveCharges archive;
    showActive(archive);
    EXPECT_EQ(typeDate(archive, "DTPicker1", "11252026"), QDate(2026, 11, 25));
    archive.hide();

    frmCharges list;
    showActive(list);
    EXPECT_EQ(typeDate(list, "DTPicker1", "12-01-2026"), QDate(2026, 12, 1));
    EXPECT_EQ(typeDate(list, "DTPicker2", "12/07/2026"), QDate(2026, 12, 7));
    EXPECT_EQ(shownMessages.size(), 1);
}

TEST_F(DateFieldsTest, ARefusedDateGivesWayToTheLastAcceptedOneWhichIsAllOkStores)
{
    run("INSERT INTO PatientCharges (PatientId, ChargeDate, ChargeTime, ChargeRealDate, FacilityCode, EMCode, "
        "DoctorCode, ReferDoctorCode, Status, PrintLot) VALUES (100, '2026-12-01', '08:30:00', '2026-11-13', 2, 13, "
        "2, 0, 0, 0)");
    startStoredCharge(100, QDate(2026, 12, 1), QTime(8, 30, 0));
    frmEditCharge charge;
    showActive(charge);
    auto* date = charge.findChild<DatePicker*>("DTDOC");
    // "31" over "13" passes 11/3/2026 on its way to 11/31/2026, which is no date.
    typeOverDay(*date, "31");
    QTest::keyClick(date, Qt::Key_Tab);
    ASSERT_EQ(shownMessages.size(), 1);
    EXPECT_TRUE(shownMessages.first().contains("11/31/2026"));
    EXPECT_EQ(date->text(), "11/13/2026");
    EXPECT_EQ(date->date(), QDate(2026, 11, 13));

    // Ok clicked at once: the refusal comes as the field loses focus, before Ok reads it.
    typeOverDay(*date, "31");
    QTest::mouseClick(charge.findChild<QPushButton*>("btnOk"), Qt::LeftButton);
    EXPECT_EQ(shownMessages.size(), 2);
    EXPECT_EQ(rows("SELECT ChargeRealDate FROM PatientCharges"), QStringList({"2026-11-13"}));
}

}  // namespace
