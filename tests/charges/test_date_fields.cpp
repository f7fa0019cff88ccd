// The date fields of the charge forms, typed into as a clerk types over the date shown.
#include "ChargeEditorFixture.h"

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

}  // namespace
