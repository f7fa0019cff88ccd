// The patients list: its filters, admission and discharge by name, and the merge hand-over.
#include "test_patients_support.h"

#include "VNSQLPatients.h"
#include "ChargesForms.h"
#include "frmMain.h"
#include "frmPatients.h"

#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QTreeWidgetItem>

#include <memory>

namespace {

class PatientsListTest : public PatientsTest {
protected:
    void SetUp() override
    {
        PatientsTest::SetUp();
        // Stored out of name order, so that every sort is seen at work.
        addPatient(25005, "ADAMS, JOHN", "1950-01-31", "A6");
        addPatient(25004, "EVANS, KIM", "1990-05-05", "");
        addPatient(25001, "BAKER, MARY", "1950-01-31", "A2", 1, 1);
        addPatient(25003, "DAVIS, LEE", "1980-04-04", "A3", 9, 2);
        addPatient(25002, "ADAMS, JOHN", "1970-03-03", "A3");
        addPatient(25000, "ADAMS, JOHN", "1950-01-31", "A1");
    }

    std::unique_ptr<frmPatients> openList(qint16 filter = 0)
    {
        mainForm.FiltroActual = filter;
        auto form = std::make_unique<frmPatients>();
        form->resize(900, 400);
        form->Refresca();
        return form;
    }

    QList<int> shown(frmPatients& form) { return form.Rows() ? shownIds(form.List(), *form.Rows()) : QList<int>{}; }

    QByteArray printedFile() const
    {
        QFile file(programFolder + "/PatientView.lrm");
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

TEST_F(PatientsListTest, EachFilterShowsItsPatientsInItsInitialSort)
{
    const QList<std::pair<qint16, QList<int>>> expected = {
        {0, {25005, 25002, 25000, 25001, 25003, 25004}},
        {1, {25003, 25004}},                // an unknown insurance, an empty account
        {2, {25001, 25003}},                // admitted
        {3, {25005, 25002, 25000, 25004}},  // not admitted
        {15, {25005, 25001, 25000}},        // shared date of birth
        {16, {25005, 25002, 25000}},        // shared name
        {17, {25005, 25000}},               // shared date of birth and name
        {18, {25003, 25002}},               // shared account
    };
    for (const auto& [filter, ids] : expected) {
        auto form = openList(filter);
        EXPECT_EQ(shown(*form), ids) << "filter " << filter;
        EXPECT_EQ(form->FilterMember(), filter);
    }
}

TEST_F(PatientsListTest, ListShowsTheInsuranceAndFacilityNamesOfEachPatient)
{
    auto form = openList(2);
    ASSERT_EQ(form->List().topLevelItemCount(), 2);
    const QTreeWidgetItem& baker = *form->List().topLevelItem(0);
    EXPECT_EQ(baker.text(0), "BAKER, MARY");
    EXPECT_EQ(baker.text(1), "01/31/1950");
    EXPECT_EQ(baker.text(2), "Mutual Care");
    EXPECT_EQ(baker.text(3), "North Hospital");
    EXPECT_EQ(baker.text(4), "A2");
    EXPECT_EQ(form->List().topLevelItem(1)->text(2), "");  // insurance 9 does not exist
}

TEST_F(PatientsListTest, DuplicateAccountListSortsByNamesThenAccountAfterANamesClick)
{
    addPatient(25006, "ABLE, ZED", "1999-09-09", "A3");
    auto form = openList(18);
    EXPECT_EQ(form->Rows()->Sort(), "AccountNumber");
    EXPECT_EQ(shown(*form), (QList<int>{25003, 25002, 25006}));

    auto* header = form->List().header();
    emit header->sectionClicked(0);
    EXPECT_EQ(form->Rows()->Sort(), "Names,AccountNumber");
    EXPECT_EQ(shown(*form), (QList<int>{25006, 25002, 25003}));
}

TEST_F(PatientsListTest, PrintedTitleNamesTheFilterAndLeavesDuplicateListsUnnamed)
{
    auto form = openList(3);
    form->Imprimir();
    EXPECT_TRUE(printedFile().contains("Patients (Not admitted)"));

    form = openList(16);
    form->Imprimir();
    const QByteArray file = printedFile();
    EXPECT_TRUE(file.contains("Patients ()"));
    EXPECT_TRUE(file.contains("Billin\x85")) << "the last column, narrowed to the printable width, cuts its caption";
}

TEST_F(PatientsListTest, ClickingAPatientMakesItTheCurrentPatient)
{
    auto form = openList(0);
    QTreeWidgetItem* item = form->List().topLevelItem(3);
    selectItems(form->List(), {3});
    emit form->List().itemClicked(item, 0);
    EXPECT_EQ(Globals().CurrentPatientId, 25001);
}

TEST_F(PatientsListTest, DeletesOnlyTheSelectedPatientsAfterTheirPromptWithTheirHistory)
{
    run("INSERT INTO PatientHistory VALUES (25002, 1, 0)");
    auto form = openList(0);
    selectItems(form->List(), {1, 3});  // 25002 and 25001
    form->Eliminar();
    ASSERT_FALSE(shownMessages.isEmpty());
    EXPECT_EQ(shownMessages.first(), "Are You sure you want to delete the selected Patients?");
    EXPECT_EQ(shown(*form), (QList<int>{25005, 25000, 25003, 25004}));
    EXPECT_EQ(count("SELECT COUNT(*) FROM Patient WHERE PatientId IN (25001, 25002)"), 0);
    EXPECT_EQ(count("SELECT COUNT(*) FROM PatientHistory WHERE PatientId = 25002"), 0);
}

// Admission and discharge open their dialog by name for each selected patient, from the
// lowest selected row up, and re-read each row whatever the dialog answered.
struct LocationCase {
    const char* operation;
    const char* dialog;
    qint16 facilityWritten;
    const char* facilityShown;
};

void PrintTo(const LocationCase& location, std::ostream* out)
{
    *out << location.operation;
}

class PatientLocationTest : public PatientsListTest, public ::testing::WithParamInterface<LocationCase> {};

TEST_P(PatientLocationTest, OpensTheDialogForEachSelectedPatientFromTheLastAndReReadsEachRow)
{
    const LocationCase& location = GetParam();
    registerStandInDialog(location.dialog);
    auto form = openList(0);
    selectItems(form->List(), {0, 3, 4});  // 25005, 25001, 25003
    QList<int> shownFor;
    onDialog = [&](QDialog& dialog) {
        shownFor << Globals().CurrentPatientId;
        // The dialog stores the new location and is then cancelled: the row is re-read anyway.
        QString error;
        StoredState loaded;
        EXPECT_TRUE(loaded.Read(StoredPatientLocation(Globals().CurrentPatientId), error)) << error.toStdString();
        const qint16 facility = location.facilityWritten;
        EXPECT_EQ(SetPatientLocation(Globals().CurrentPatientId, facility, 0, 0, loaded, error), 0)
            << error.toStdString();
        return int(dialog.objectName() == location.dialog ? QDialog::Rejected : QDialog::Accepted);
    };

    ASSERT_TRUE(QMetaObject::invokeMethod(form.get(), location.operation));

    EXPECT_EQ(shownDialogs, QStringList({location.dialog, location.dialog, location.dialog}));
    EXPECT_EQ(shownFor, (QList<int>{25003, 25001, 25005}));
    const QStringList facilities = columnTexts(form->List(), 3);
    EXPECT_EQ(facilities.value(0), location.facilityShown);
    EXPECT_EQ(facilities.value(3), location.facilityShown);
    EXPECT_EQ(facilities.value(4), location.facilityShown);
    EXPECT_EQ(facilities.value(1), "");  // not selected, not admitted
    EXPECT_EQ(form->List().topLevelItemCount(), 6);
}

INSTANTIATE_TEST_SUITE_P(AdmitAndDischarge, PatientLocationTest,
                         ::testing::Values(LocationCase{"Admit", "frmAdmitPatient", 2, "Lakeside Care"},
                                           LocationCase{"Discharge", "frmDischargePatient", 0, ""}),
                         [](const auto& info) { return std::string(info.param.operation); });

TEST_F(PatientsListTest, AdmitWithNothingSelectedOpensNoDialog)
{
    registerStandInDialog("frmAdmitPatient");
    auto form = openList(0);
    form->List().clearSelection();
    form->Admit();
    EXPECT_TRUE(shownDialogs.isEmpty());
}

TEST_F(PatientsListTest, MergeListHoldsTheSelectedIdsAsTenDigitsFromTheLowestRowUp)
{
    registerStandInDialog("frmMergePatients");
    auto form = openList(0);
    selectItems(form->List(), {1, 4});  // 25002 and 25003
    QString handedOver;
    onDialog = [&](QDialog&) {
        handedOver = Globals().MergePatientList;
        return int(QDialog::Rejected);
    };
    form->Merge();
    EXPECT_EQ(shownDialogs, QStringList({"frmMergePatients"}));
    EXPECT_EQ(handedOver, "00000250030000025002");
}

TEST_F(PatientsListTest, MergeOfFewerThanTwoPatientsOnlyAsksForTwo)
{
    auto form = openList(0);
    Globals().MergePatientList = "left over";
    selectItems(form->List(), {2});
    form->Merge();
    EXPECT_EQ(shownMessages, QStringList({"You have to select at least 2 patients!"}));
    EXPECT_TRUE(shownDialogs.isEmpty());
    EXPECT_EQ(Globals().MergePatientList, "0000025000");
}

TEST_F(PatientsListTest, AnAcceptedMergeReloadsTheListAndACancelledOneDoesNot)
{
    registerStandInDialog("frmMergePatients");
    auto form = openList(0);
    bool accept = false;
    onDialog = [&](QDialog&) {
        run("DELETE FROM Patient WHERE PatientId = 25004");
        Globals().DialogAccepted = accept;
        return int(accept ? QDialog::Accepted : QDialog::Rejected);
    };

    selectItems(form->List(), {0, 1});
    form->Merge();
    EXPECT_EQ(form->List().topLevelItemCount(), 6);

    accept = true;
    selectItems(form->List(), {0, 1});
    form->Merge();
    EXPECT_EQ(form->List().topLevelItemCount(), 5);
}

}  // namespace

namespace {

// The main window reaches the list and its dialogs only by name.
TEST_F(PatientsListTest, MainWindowShowsTheListAndItsCommandsReachItByName)
{
    registerStandInDialog("frmAdmitPatient");
    frmMain* window = openMainWindow();
    window->CambiaAVista(1, 2);
    QWidget* child = window->ActiveChild();
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(child->objectName(), "frmPatients");
    ListView& list = listOf(*child);
    EXPECT_EQ(columnTexts(list), QStringList({"BAKER, MARY", "DAVIS, LEE"}));

    selectItems(list, {1});
    QList<int> admitted;
    onDialog = [&](QDialog&) {
        admitted << Globals().CurrentPatientId;
        return int(QDialog::Rejected);
    };
    window->ToolbarButton("Admit")->trigger();
    EXPECT_EQ(admitted, QList<int>{25003});

    // New Patient: the editor opens by name and the accepted patient joins the list.
    onDialog = [&](QDialog& dialog) {
        dialog.findChild<QLineEdit*>("TxtNames")->setText("NEWMAN, NED");
        clickButton(dialog, "btnOk");
        return dialog.result();
    };
    window->ToolbarButton("Nuevo")->trigger();
    EXPECT_EQ(shownDialogs.last(), "frmEditPatient");
    EXPECT_TRUE(columnTexts(list).contains("NEWMAN, NED"));
    closeMainWindow(window);
}

}  // namespace

namespace {

// With the admission and discharge dialogs themselves.
TEST_F(PatientsListTest, AdmitsAndDischargesThroughTheRealDialogs)
{
    RegisterChargesForms();
    run("INSERT INTO FacilityWards VALUES (7, 2, 'West Wing', 0)");
    run("INSERT INTO Doctors VALUES (3, 'DR. HOLM', 'H3')");
    auto form = openList(0);
    onDialog = [&](QDialog& dialog) {
        if (dialog.objectName() == "frmAdmitPatient")
            dialog.findChild<QComboBox*>("CBFacilities")->setCurrentIndex(1);  // Lakeside Care
        clickButton(dialog, "OKButton");
        return dialog.result();
    };

    selectItems(form->List(), {1});  // 25002, not admitted
    form->Admit();
    EXPECT_EQ(queryValue("SELECT InFacilityCode FROM Patient WHERE PatientId = 25002").toInt(), 2);
    EXPECT_EQ(queryValue("SELECT InWardCode FROM Patient WHERE PatientId = 25002").toInt(), 7);
    EXPECT_EQ(columnTexts(form->List(), 3).value(1), "Lakeside Care");

    selectItems(form->List(), {1, 3});  // 25002 and 25001, both admitted now
    form->Discharge();
    EXPECT_EQ(shownDialogs, QStringList({"frmAdmitPatient", "frmDischargePatient", "frmDischargePatient"}));
    EXPECT_EQ(count("SELECT COUNT(*) FROM Patient WHERE InFacilityCode <> 0"), 1);  // 25003 stays
    EXPECT_EQ(columnTexts(form->List(), 3).value(1), "");
    EXPECT_EQ(columnTexts(form->List(), 3).value(3), "");
    EXPECT_EQ(queryValue("SELECT LastChargeDate FROM Patient WHERE PatientId = 25001").toString(), "1990-01-01");
}

}  // namespace
