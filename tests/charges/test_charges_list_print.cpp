#include "ChargesListFixture.h"

#include "DatePicker.h"
#include "ViewerCommandLine.h"
#include "frmCharges.h"

#include <QFile>
#include <QLineEdit>
#include <QRadioButton>
#include <QRegularExpression>

#include <memory>

namespace {

// Printing the charges list: the choices offered, the report chosen, its title and subtitle.
class ChargesListPrintTest : public ChargesListTest {
protected:
    void SetUp() override
    {
        ChargesListTest::SetUp();
        previousFolder_ = SetProgramFolder(QString::fromStdString(folder.path().string()));
        previousLauncher_ = SetViewerLauncher([this](const ViewerCommand& command) {
            viewerArguments << command.arguments;
            return true;
        });
        onDialog = [this](QDialog& dialog) {
            if (dialog.objectName() != "frmPrintGeneral")
                return int(QDialog::Rejected);
            offeredChoices = Globals().PrintChoiceList;
            Globals().PrintChoice = choice;
            return choice ? int(QDialog::Accepted) : int(QDialog::Rejected);
        };
        registerStandInDialog("frmPrintGeneral");
        addCharge(25000, "2026-12-07", 1, 0, 0, 1);
        addCharge(25001, "2026-12-07", 2, 0, 0, 2);
    }

    void TearDown() override
    {
        SetViewerLauncher(previousLauncher_);
        SetProgramFolder(previousFolder_);
        ChargesListTest::TearDown();
    }

    std::unique_ptr<frmCharges> openList(qint16 filter)
    {
        mainForm.FiltroActual = filter;
        auto list = std::make_unique<frmCharges>();
        list->findChild<DatePicker*>("DTPicker1")->setDate(QDate(2026, 12, 7));
        list->findChild<DatePicker*>("DTPicker2")->setDate(QDate(2026, 12, 7));
        list->Refresca();
        return list;
    }

    static void choose(frmCharges& list, const char* option)
    {
        list.findChild<QRadioButton*>(option)->setChecked(true);
    }

    QString viewFile(const char* name) const
    {
        QFile file(ViewFilePath(name));
        return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()) : QString();
    }

    // The texts of the file's text elements, in file order.
    QStringList texts(const char* name) const
    {
        static const QRegularExpression element("Times New Roman,\\d+,\\d,\\d,,(.*)$");
        QStringList found;
        for (const QString& line : viewFile(name).split("\r\n")) {
            const QRegularExpressionMatch match = element.match(line);
            if (match.hasMatch())
                found << match.captured(1);
        }
        return found;
    }

    // The subtitle's lines: the texts that follow the title, up to `count` of them.
    QStringList subtitleLines(const char* name, const QString& title, int count) const
    {
        const QStringList all = texts(name);
        const qsizetype at = all.indexOf(title);
        return at < 0 ? QStringList() : all.mid(at + 1, count);
    }

    qint16 choice = 0;
    QString offeredChoices;
    QStringList viewerArguments;

private:
    QString previousFolder_;
    ViewerLauncher previousLauncher_;
};

TEST_F(ChargesListPrintTest, DataEntryChoicesOnlyWhileAnInsuranceIsSelected)
{
    auto list = openList(0);
    list->Imprimir();
    EXPECT_EQ(Globals().PrintChoiceTitle, "Print Charges");
    EXPECT_EQ(offeredChoices, "Current view;Detailed view;Detailed view with billing codes");
    EXPECT_TRUE(viewerArguments.isEmpty()) << "a cancelled choice prints nothing";
    EXPECT_FALSE(QFile::exists(ViewFilePath("ChargesView")));

    Globals().CurrentInsuranceCode = 1;
    choose(*list, "optSelectedInsurances");
    list->Imprimir();
    EXPECT_EQ(offeredChoices, "Current view;Detailed view;Detailed view with billing codes;For data entry;"
                              "For data entry with billing codes");
}

TEST_F(ChargesListPrintTest, CurrentViewLeavesHiddenColumnsOutAndFollowsTheColumnOrder)
{
    auto list = openList(4);
    Globals().CurrentInsuranceCode = 1;
    list->findChild<QLineEdit*>("TxtInsurance")->setText("Acme Health");
    choose(*list, "optSelectedInsurances");
    ListView* view = list->List();
    view->SetColumnPosition(view->ColumnWithKey("StatusDescription"), 1);
    choice = 1;
    list->Imprimir();
    ASSERT_EQ(viewerArguments, QStringList({ViewFilePath("ChargesView")}));
    // The header prints the subtitle "Insurance: Acme Health; from 12/07/2026 to 12/07/2026; " a piece a line.
    EXPECT_EQ(subtitleLines("ChargesView", "Outstanding Charges (Ready)", 3),
              QStringList({"Insurance: Acme Health", " from 12/07/2026 to 12/07/2026", " "}));
    const QStringList report = texts("ChargesView");
    EXPECT_FALSE(report.contains("Insurance")) << "the hidden column is not printed";
    EXPECT_TRUE(report.contains("ANN ADAMS"));
    EXPECT_FALSE(report.contains("BOB BROWN")) << "only the rows of the list";
    const qsizetype status = report.indexOf("Status");
    EXPECT_TRUE(status >= 0 && report.indexOf("Date") > status) << "the column moved first prints first";
}

TEST_F(ChargesListPrintTest, EachChoiceWritesItsReport)
{
    auto list = openList(0);
    Globals().CurrentInsuranceCode = 2;
    choose(*list, "optSelectedInsurances");
    choose(*list, "optSelectedLot");
    list->findChild<QLineEdit*>("TxtLotNumber")->setText("0");
    const struct {
        qint16 choice;
        const char* file;
        const char* title;
        const char* page;
    } reports[] = {
        {2, "ChargesDetail", "Outstanding Charges (All)", "LORIMAND10,8.5,11"},
        {3, "ChargesDetailB", "Outstanding Charges (All)(B)", "LORIMAND10,8.5,11"},
        {4, "ChargesBilling", "Billing (All)", "LORIMAND10,11,8.2"},
        {5, "ChargesBillingB", "Billing (All)(B)", "LORIMAND10,11,8.2"},
    };
    for (const auto& report : reports) {
        choice = report.choice;
        list->Imprimir();
        EXPECT_TRUE(viewFile(report.file).startsWith(report.page)) << report.file;
        // "Insurance: Blue Plan; from 12/07/2026 to 12/07/2026; Lot: 0": the lot last, with nothing after it.
        const QStringList lines = subtitleLines(report.file, report.title, 4);
        ASSERT_EQ(lines.size(), 4) << report.file;
        EXPECT_EQ(lines.mid(0, 3), QStringList({"Insurance: Blue Plan", " from 12/07/2026 to 12/07/2026", " Lot: 0"}));
        EXPECT_NE(lines[3], " ") << report.file;
    }
    EXPECT_EQ(viewerArguments.size(), 4);
}

TEST_F(ChargesListPrintTest, AReportThatCannotBeWrittenIsShown)
{
    auto list = openList(0);
    SetProgramFolder(QString::fromStdString(folder.file("missing-folder")));
    choice = 2;
    list->Imprimir();
    EXPECT_EQ(shownMessages.size(), 1);
    EXPECT_TRUE(viewerArguments.isEmpty());
}

}  // namespace
