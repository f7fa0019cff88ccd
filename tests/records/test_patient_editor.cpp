// The patient editor: new and edited patients, and the history sub-list written only on OK.
#include "test_patients_support.h"

#include "DatePicker.h"
#include "JetConnection.h"
#include "RecordsForms.h"
#include "frmEditPatient.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QTest>

#include <memory>

namespace {

// One history record as the picker returns it: code, type, description in 50 characters.
QString pickedItem(int sicknessCode, int sicknessTypeCode, const QString& description)
{
    return QString("%1%2").arg(sicknessCode, 5, 10, QChar('0')).arg(sicknessTypeCode, 5, 10, QChar('0')) +
           (description + QString(40, ' ')).left(40);
}

class PatientEditorTest : public PatientsTest {
protected:
    void SetUp() override
    {
        PatientsTest::SetUp();
        run("INSERT INTO Sickness VALUES (1, 'Penicillin', 0, 0)");
        run("INSERT INTO Sickness VALUES (2, 'Latex', 0, 0)");
        run("INSERT INTO Sickness VALUES (3, 'Asthma', 1, 0)");
        run("INSERT INTO Sickness VALUES (4, 'Appendectomy', 2, 0)");
        registerStandInDialog("frmPickHistory");
        // The stand-in picker answers what the test queued, and notes the type it was opened for.
        onDialog = [this](QDialog& dialog) {
            if (dialog.objectName() == "frmPickHistory") {
                pickerOpenedFor << dialog.parentWidget()->property("ActiveSicknessType").toInt();
                dialog.parentWidget()->setProperty("PickedItems", nextPick);
            }
            return int(QDialog::Accepted);
        };
    }

    std::unique_ptr<frmEditPatient> openEditor(qint16 patientId)
    {
        Globals().CurrentPatientId = patientId;
        return std::make_unique<frmEditPatient>();
    }

    static QComboBox& combo(QWidget& dialog, const char* name) { return *dialog.findChild<QComboBox*>(name); }
    static QLineEdit& textBox(QWidget& dialog, const char* name) { return *dialog.findChild<QLineEdit*>(name); }

    static void chooseType(frmEditPatient& dialog, int index) { combo(dialog, "CBSicknessType").setCurrentIndex(index); }

    void pick(frmEditPatient& dialog, const QString& items)
    {
        nextPick = items;
        clickButton(dialog, "Command1");
    }

    // Selects the history line with the text and presses "del".
    void removeLine(frmEditPatient& dialog, const QString& text)
    {
        ListView& list = listOf(dialog);
        const QStringList lines = columnTexts(list);
        ASSERT_TRUE(lines.contains(text)) << text.toStdString() << " not in " << lines.join('|').toStdString();
        selectItems(list, {int(lines.indexOf(text))});
        clickButton(dialog, "Command2");
    }

    QStringList storedHistory(int patientId)
    {
        QStringList rows;
        jet::Rows result;
        std::string error;
        EXPECT_TRUE(Globals().DbConnection->query(
            QString("SELECT SicknessCode, SicknessTypeCode FROM PatientHistory WHERE PatientId = %1 "
                    "ORDER BY SicknessCode")
                .arg(patientId)
                .toStdString(),
            result, error));
        for (const auto& row : result.rows)
            rows << QString("%1/%2").arg(std::get<std::int64_t>(row[0])).arg(std::get<std::int64_t>(row[1]));
        return rows;
    }

    QString nextPick;
    QList<int> pickerOpenedFor;
};

TEST_F(PatientEditorTest, NewPatientIsStoredWithApostrophesAndItsHistoryUnderTheNewId)
{
    auto dialog = openEditor(0);
    ASSERT_FALSE(dialog->CloseOnActivate());
    EXPECT_EQ(dialog->windowTitle(), "Patient");
    EXPECT_EQ(textBox(*dialog, "TxtNames").text(), "");
    EXPECT_EQ(dialog->findChild<DatePicker*>("DTDOB")->date(), QDate::currentDate());
    EXPECT_EQ(combo(*dialog, "CBSeguros").currentIndex(), 0);

    textBox(*dialog, "TxtNames").setText("O'BRIEN, PAT");
    textBox(*dialog, "TxtAccount").setText("OB'1");
    dialog->findChild<DatePicker*>("DTDOB")->setDate(QDate(1961, 7, 4));
    combo(*dialog, "CBSeguros").setCurrentIndex(1);
    pick(*dialog, pickedItem(2, 0, "Latex"));
    chooseType(*dialog, 2);
    pick(*dialog, pickedItem(4, 2, "Appendectomy"));
    EXPECT_EQ(pickerOpenedFor, (QList<int>{0, 2}));
    clickButton(*dialog, "btnOk");

    EXPECT_TRUE(Globals().DialogAccepted);
    EXPECT_EQ(Globals().CurrentPatientId, 25000);
    EXPECT_EQ(queryValue("SELECT Names FROM Patient WHERE PatientId = 25000").toString(), "O'BRIEN, PAT");
    EXPECT_EQ(queryValue("SELECT AccountNumber FROM Patient WHERE PatientId = 25000").toString(), "OB'1");
    EXPECT_EQ(queryValue("SELECT DateOfBirth FROM Patient WHERE PatientId = 25000").toString(), "1961-07-04");
    EXPECT_EQ(queryValue("SELECT InsuranceCode FROM Patient WHERE PatientId = 25000").toInt(), 2);
    EXPECT_EQ(storedHistory(25000), QStringList({"2/0", "4/2"}));
    EXPECT_TRUE(shownMessages.isEmpty()) << shownMessages.join('|').toStdString();
}

TEST_F(PatientEditorTest, EditedPatientIsStampedAndOnlyTheHistoryChangesLeftAtOkAreWritten)
{
    addPatient(25010, "KENT, CLARK", "1970-02-03", "K1", 2);
    run("INSERT INTO PatientHistory VALUES (25010, 1, 0)");
    run("INSERT INTO PatientHistory VALUES (25010, 2, 0)");
    run("INSERT INTO PatientHistory VALUES (25010, 3, 1)");
    auto dialog = openEditor(25010);
    ASSERT_FALSE(dialog->CloseOnActivate());
    EXPECT_EQ(textBox(*dialog, "TxtNames").text(), "KENT, CLARK");
    EXPECT_EQ(textBox(*dialog, "TxtAccount").text(), "K1");
    EXPECT_EQ(dialog->findChild<DatePicker*>("DTDOB")->date(), QDate(1970, 2, 3));
    EXPECT_EQ(combo(*dialog, "CBSeguros").currentIndex(), 1);

    // The first type's lines only; each "del" toggles a stored line's mark.
    EXPECT_EQ(columnTexts(listOf(*dialog)), QStringList({"Penicillin", "Latex"}));
    removeLine(*dialog, "Penicillin");
    removeLine(*dialog, "Latex");
    removeLine(*dialog, "*Latex");
    EXPECT_EQ(columnTexts(listOf(*dialog)), QStringList({"*Penicillin", "Latex"}));
    // Added and removed again before OK: never stored.
    pick(*dialog, pickedItem(4, 2, "Appendectomy") + pickedItem(5, 0, "Iodine"));
    EXPECT_EQ(columnTexts(listOf(*dialog)), QStringList({"*Penicillin", "Latex", "Iodine"}));
    removeLine(*dialog, "Iodine");
    EXPECT_EQ(columnTexts(listOf(*dialog)), QStringList({"*Penicillin", "Latex"}));
    EXPECT_TRUE(listOf(*dialog).selectedItems().isEmpty());
    chooseType(*dialog, 1);
    removeLine(*dialog, "Asthma");
    // Nothing reaches the database before OK.
    EXPECT_EQ(storedHistory(25010), QStringList({"1/0", "2/0", "3/1"}));
    EXPECT_FALSE(queryValue("SELECT VXTS FROM Patient WHERE PatientId = 25010").isValid());

    textBox(*dialog, "TxtNames").setText("KENT, CLARK D'ARCY");
    clickButton(*dialog, "btnOk");

    EXPECT_TRUE(Globals().DialogAccepted);
    EXPECT_EQ(queryValue("SELECT Names FROM Patient WHERE PatientId = 25010").toString(), "KENT, CLARK D'ARCY");
    EXPECT_EQ(queryValue("SELECT InsuranceCode FROM Patient WHERE PatientId = 25010").toInt(), 2);
    EXPECT_TRUE(queryValue("SELECT VXTS FROM Patient WHERE PatientId = 25010").isValid());
    EXPECT_EQ(storedHistory(25010), QStringList({"2/0", "4/2"}));
}

TEST_F(PatientEditorTest, AMarkedLineKeepsItsMarkWhenItsTypeIsShownAgain)
{
    addPatient(25010, "KENT, CLARK", "1970-02-03", "K1");
    run("INSERT INTO PatientHistory VALUES (25010, 1, 0)");
    auto dialog = openEditor(25010);
    removeLine(*dialog, "Penicillin");
    chooseType(*dialog, 2);
    EXPECT_TRUE(columnTexts(listOf(*dialog)).isEmpty());
    chooseType(*dialog, 0);
    EXPECT_EQ(columnTexts(listOf(*dialog)), QStringList({"*Penicillin"}));
    // Unmarking it again gives back the description whole.
    removeLine(*dialog, "*Penicillin");
    EXPECT_EQ(columnTexts(listOf(*dialog)), QStringList({"Penicillin"}));
    clickButton(*dialog, "btnOk");
    EXPECT_EQ(storedHistory(25010), QStringList({"1/0"}));
}

TEST_F(PatientEditorTest, PickedItemsBecomeAddedRowsOfTheirOwnTypeWithTrimmedDescriptions)
{
    auto dialog = openEditor(0);
    pick(*dialog, pickedItem(3, 1, "  Asthma") + pickedItem(1, 0, "Penicillin") + pickedItem(12, 2, "Knee"));

    Recordset& history = *dialog->History();
    history.SetFilter("");
    ASSERT_EQ(history.RecordCount(), 3);
    QStringList rows;
    for (history.MoveFirst(); !history.EndOfFile(); history.MoveNext())
        rows << QString("%1/%2/%3/%4")
                    .arg(history.Field("SicknessCode").toInt())
                    .arg(history.Field("SicknessTypeCode").toInt())
                    .arg(history.Field("Description").toString())
                    .arg(history.Field("checked").toInt());
    EXPECT_EQ(rows, QStringList({"3/1/Asthma/1", "1/0/Penicillin/1", "12/2/Knee/1"}));
    // Shown: the lines of the type chosen in the dialog.
    history.SetFilter("SicknessTypeCode=0");
    EXPECT_EQ(columnTexts(listOf(*dialog)), QStringList({"Penicillin"}));
}

TEST_F(PatientEditorTest, AnEmptyPickAddsNothing)
{
    auto dialog = openEditor(0);
    pick(*dialog, "");
    dialog->History()->SetFilter("");
    EXPECT_EQ(dialog->History()->RecordCount(), 0);
}

TEST_F(PatientEditorTest, CancelAfterAddingAndMarkingWritesNothing)
{
    addPatient(25010, "KENT, CLARK", "1970-02-03", "K1");
    run("INSERT INTO PatientHistory VALUES (25010, 1, 0)");
    auto dialog = openEditor(25010);
    Globals().DialogAccepted = true;
    removeLine(*dialog, "Penicillin");
    pick(*dialog, pickedItem(2, 0, "Latex"));
    textBox(*dialog, "TxtNames").setText("CHANGED");
    clickButton(*dialog, "btnCancel");

    EXPECT_FALSE(Globals().DialogAccepted);
    EXPECT_EQ(storedHistory(25010), QStringList({"1/0"}));
    EXPECT_EQ(queryValue("SELECT Names FROM Patient WHERE PatientId = 25010").toString(), "KENT, CLARK");
}

TEST_F(PatientEditorTest, AnInsuranceThatNoLongerExistsShowsAndStoresTheFirstOne)
{
    addPatient(25010, "KENT, CLARK", "1970-02-03", "K1", 9);
    auto dialog = openEditor(25010);
    EXPECT_EQ(combo(*dialog, "CBSeguros").currentIndex(), 0);
    clickButton(*dialog, "btnOk");
    EXPECT_EQ(queryValue("SELECT InsuranceCode FROM Patient WHERE PatientId = 25010").toInt(), 1);
}

TEST_F(PatientEditorTest, AFailedPatientWriteKeepsTheDialogOpenAndWritesNoHistory)
{
    addPatient(25010, "KENT, CLARK", "1970-02-03", "K1");
    auto dialog = openEditor(25010);
    pick(*dialog, pickedItem(2, 0, "Latex"));
    run("DELETE FROM Patient WHERE PatientId = 25010");
    Globals().DialogAccepted = false;
    clickButton(*dialog, "btnOk");

    EXPECT_EQ(shownMessages,
              QStringList({"This patient was deleted by another user after you opened it. Nothing was stored."}));
    EXPECT_FALSE(Globals().DialogAccepted);
    EXPECT_NE(dialog->result(), int(QDialog::Accepted));
    EXPECT_TRUE(storedHistory(25010).isEmpty());
    EXPECT_EQ(textBox(*dialog, "TxtNames").text(), "KENT, CLARK");
}

// The patient and its history are stored together or not at all: a failing history row leaves
// neither the patient's fields nor the other rows stored, and the dialog open.
TEST_F(PatientEditorTest, AFailingHistoryRowStoresNothingAndKeepsTheDialogOpen)
{
    addPatient(25010, "KENT, CLARK", "1970-02-03", "K1");
    auto edited = openEditor(25010);
    textBox(*edited, "TxtNames").setText("KENT, C.");
    // Picked twice: the second insert breaks the key.
    pick(*edited, pickedItem(2, 0, "Latex") + pickedItem(1, 0, "Penicillin") + pickedItem(2, 0, "Latex"));
    Globals().DialogAccepted = false;
    clickButton(*edited, "btnOk");
    EXPECT_EQ(shownMessages.size(), 1);
    EXPECT_FALSE(Globals().DialogAccepted);
    EXPECT_NE(edited->result(), int(QDialog::Accepted));
    EXPECT_TRUE(storedHistory(25010).isEmpty());
    EXPECT_EQ(queryValue("SELECT Names FROM Patient WHERE PatientId = 25010").toString(), "KENT, CLARK");
    EXPECT_TRUE(queryValue("SELECT VXTS FROM Patient WHERE PatientId = 25010").isNull());

    // A new patient likewise: no patient row without its history, and no id handed out.
    auto fresh = openEditor(0);
    textBox(*fresh, "TxtNames").setText("LANE, LOIS");
    pick(*fresh, pickedItem(1, 0, "Penicillin") + pickedItem(1, 0, "Penicillin"));
    clickButton(*fresh, "btnOk");
    EXPECT_EQ(shownMessages.size(), 2);
    EXPECT_EQ(Globals().CurrentPatientId, 0);
    EXPECT_NE(fresh->result(), int(QDialog::Accepted));
    EXPECT_EQ(count("SELECT COUNT(*) FROM Patient"), 1);
    EXPECT_EQ(count("SELECT COUNT(*) FROM PatientHistory"), 0);
}

// Clerk B (or a HotSync) changes the patient while clerk A's editor is open: A's save would
// put back what B replaced, so it is refused.
TEST_F(PatientEditorTest, ASaveOverAPatientChangedByAnotherClerkOrAHotSyncIsRefused)
{
    const QString changed = "This patient was changed by another user or a HotSync after you opened it. Nothing was "
                            "stored: close this window and open the patient again to see the change.";
    addPatient(25010, "KENT, CLARK", "1970-02-03", "K1");
    auto clerkA = openEditor(25010);
    asOtherClerk([&] {
        auto clerkB = openEditor(25010);
        combo(*clerkB, "CBSeguros").setCurrentIndex(1);
        clickButton(*clerkB, "btnOk");
    });
    ASSERT_EQ(queryValue("SELECT InsuranceCode FROM Patient WHERE PatientId = 25010").toInt(), 2);

    textBox(*clerkA, "TxtAccount").setText("K2");
    clickButton(*clerkA, "btnOk");
    EXPECT_EQ(shownMessages, QStringList({changed}));
    EXPECT_EQ(queryValue("SELECT InsuranceCode FROM Patient WHERE PatientId = 25010").toInt(), 2);
    EXPECT_EQ(queryValue("SELECT AccountNumber FROM Patient WHERE PatientId = 25010").toString(), "K1");
    EXPECT_EQ(textBox(*clerkA, "TxtAccount").text(), "K2");

    // A HotSync writes the handheld's fields and stamps the row as the conduit does.
    auto again = openEditor(25010);
    asOtherClerk([&] {
        run("UPDATE Patient SET [Names] = 'KENT, CLARK J', VXTS = '2026-12-07 10:15:00' WHERE PatientId = 25010");
    });
    textBox(*again, "TxtAccount").setText("K3");
    clickButton(*again, "btnOk");
    EXPECT_EQ(shownMessages, QStringList({changed, changed}));
    EXPECT_EQ(queryValue("SELECT Names FROM Patient WHERE PatientId = 25010").toString(), "KENT, CLARK J");
    EXPECT_EQ(queryValue("SELECT AccountNumber FROM Patient WHERE PatientId = 25010").toString(), "K1");
}

TEST_F(PatientEditorTest, LoadStopsAtAMissingLookupOrPatientAndTheDialogClosesWhenShown)
{
    struct Case {
        const char* arrange;
        qint16 patient;
        const char* message;
    };
    for (const Case& stop : {Case{"DELETE FROM Insurance", 0, "You have to define Insurances First!"},
                             Case{"DELETE FROM SicknessType", 0, "You have to define Sickness Types First!"},
                             Case{"DELETE FROM Patient", 25010, "Record not found.  Please report this error!"}}) {
        run("DELETE FROM Patient");
        addPatient(25010, "KENT, CLARK", "1970-02-03", "K1");
        run("INSERT OR IGNORE INTO Insurance VALUES (1, 'Mutual Care', 'MC1')");
        run("INSERT OR IGNORE INTO SicknessType VALUES (0, 'Allergies')");
        run(stop.arrange);
        shownMessages.clear();
        auto dialog = openEditor(stop.patient);
        EXPECT_EQ(shownMessages, QStringList({stop.message}));
        EXPECT_TRUE(dialog->CloseOnActivate());
        dialog->show();
        QCoreApplication::processEvents();
        EXPECT_FALSE(dialog->isVisible()) << stop.message;
    }
}

TEST_F(PatientEditorTest, AnUnknownDateOfBirthStaysEmptyAndCanBeEnteredEmpty)
{
    run("INSERT INTO Patient (PatientId, InsuranceCode) VALUES (25010, 2)");
    auto dialog = openEditor(25010);
    ASSERT_FALSE(dialog->CloseOnActivate());
    EXPECT_EQ(textBox(*dialog, "TxtNames").text(), "");
    EXPECT_EQ(textBox(*dialog, "TxtAccount").text(), "");
    EXPECT_FALSE(dialog->findChild<QWidget*>("DTDOB")->property("date").toDate().isValid());
    textBox(*dialog, "TxtNames").setText("DOE, JANE");
    clickButton(*dialog, "btnOk");
    EXPECT_TRUE(queryValue("SELECT DateOfBirth FROM Patient WHERE PatientId = 25010").isNull())
        << "a date of birth left alone stores what it loaded";

    // A date of birth typed away is stored as unknown.
    addPatient(25011, "KENT, CLARK", "1970-02-03", "K1");
    dialog = openEditor(25011);
    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    QWidget* dateOfBirth = dialog->findChild<QWidget*>("DTDOB");
    QTest::mouseClick(dateOfBirth, Qt::LeftButton);
    QTest::keyClick(dateOfBirth, Qt::Key_Backspace);
    QTest::keyClick(dateOfBirth, Qt::Key_Tab);
    clickButton(*dialog, "btnOk");
    EXPECT_TRUE(shownMessages.isEmpty()) << shownMessages.join('|').toStdString();
    EXPECT_TRUE(queryValue("SELECT DateOfBirth FROM Patient WHERE PatientId = 25011").isNull());
}

}  // namespace

namespace {

// With the history picker itself: it opens on the editor's chosen type and hands back what
// was ticked under any type.
TEST_F(PatientEditorTest, TheHistoryPickerOpensOnTheChosenTypeAndItsTicksBecomeAddedRows)
{
    RegisterRecordsForms();  // the real picker instead of the stand-in
    addPatient(25010, "KENT, CLARK", "1970-02-03", "K1");
    auto dialog = openEditor(25010);
    chooseType(*dialog, 2);
    QString groupShown;
    onDialog = [&](QDialog& picker) {
        groupShown = picker.findChild<QComboBox*>("CBSicknessType")->currentText();
        ListView& list = listOf(picker);
        list.SetItemChecked(*list.topLevelItem(0), true);  // Appendectomy
        picker.findChild<QComboBox*>("CBSicknessType")->setCurrentIndex(0);
        list.SetItemChecked(*list.topLevelItem(1), true);  // Latex
        clickButton(picker, "btnOk");
        return picker.result();
    };
    clickButton(*dialog, "Command1");

    EXPECT_EQ(shownDialogs, QStringList({"frmPickHistory"}));
    EXPECT_EQ(groupShown, "Surgical History");
    EXPECT_EQ(columnTexts(listOf(*dialog)), QStringList({"Appendectomy"}));
    chooseType(*dialog, 0);
    EXPECT_EQ(columnTexts(listOf(*dialog)), QStringList({"Latex"}));
    clickButton(*dialog, "btnOk");
    EXPECT_EQ(storedHistory(25010), QStringList({"2/0", "4/2"}));
}

}  // namespace
