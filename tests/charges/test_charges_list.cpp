#include "ChargesListFixture.h"

#include "DatePicker.h"
#include "RecordsForms.h"
#include "UserSettings.h"
#include "frmCharges.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>

#include <memory>

namespace {

class ChargesListFormTest : public ChargesListTest {
protected:
    // A new list under the view filter, reloaded as the main window does when it shows it.
    std::unique_ptr<frmCharges> openList(qint16 filter)
    {
        mainForm.FiltroActual = filter;
        auto list = std::make_unique<frmCharges>();
        list->Refresca();
        return list;
    }

    template <typename Widget>
    static Widget* control(frmCharges& list, const char* name)
    {
        auto* widget = list.findChild<Widget*>(name);
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    static void choose(frmCharges& list, const char* option)
    {
        control<QRadioButton>(list, option)->setChecked(true);
    }

    // Each item as "patient|date of service|status".
    static QStringList shown(frmCharges& list)
    {
        QStringList items;
        ListView* view = list.List();
        for (int index = 0; index < view->topLevelItemCount(); ++index) {
            const QTreeWidgetItem* item = view->topLevelItem(index);
            items << item->text(1) + "|" + item->text(0) + "|" + item->text(6);
        }
        return items;
    }

    static QStringList selected(frmCharges& list)
    {
        QStringList keys;
        for (const QTreeWidgetItem* item : list.List()->selectedItems())
            keys << ListView::ItemKey(*item);
        return keys;
    }

    // Four charges in December 2026 under the view All.
    void addDecemberCharges()
    {
        addCharge(25000, "2026-12-01", 1, 0, 0, 1);
        addCharge(25000, "2026-12-05", 2, 1, 202612051, 2);
        addCharge(25001, "2026-12-07", 1, 1, 202612051, 3);
        addCharge(25001, "2026-12-09", 3, 0, 0, 4);
    }

    void chargeKey(int patientId, int second)
    {
        Globals().CurrentPatientId = qint16(patientId);
        Globals().CurrentChargeDate = QDate(2026, 1, 1);
        Globals().CurrentChargeTime = QTime(10, 0, second);
    }
};

TEST_F(ChargesListFormTest, OpensOnTodaysChargesAndMarksTheSavedFilter)
{
    SaveSetting("Vantora", "Charges", "ActiveFilter", "5");
    addCharge(25000, QDate::currentDate().toString("yyyy-MM-dd"), 1, 0, 0, 1);
    addCharge(25001, "2026-01-05", 1, 0, 0, 2);
    mainForm.FiltroActual = 0;
    auto list = std::make_unique<frmCharges>();
    EXPECT_EQ(mainForm.activatedFilters, QList<qint16>({5}));
    EXPECT_EQ(list->List()->topLevelItemCount(), 0) << "nothing is read before the main window reloads";
    EXPECT_TRUE(control<QRadioButton>(*list, "optSelectedDates")->isChecked());
    EXPECT_TRUE(control<QRadioButton>(*list, "optAllPatients")->isChecked());
    EXPECT_TRUE(control<QRadioButton>(*list, "optAllLots")->isChecked());
    EXPECT_FALSE(control<QLineEdit>(*list, "TxtLotNumber")->isEnabled());

    list->Refresca();
    EXPECT_EQ(shown(*list), QStringList({"ANN ADAMS|" + QDate::currentDate().toString("MM/dd/yyyy") + "|Ready"}));
    list.reset();
    EXPECT_EQ(GetSetting("Vantora", "Charges", "ActiveFilter"), "0") << "the filter of the last reload is kept";
}

TEST_F(ChargesListFormTest, QueryAddsTheActiveCriteriaInTheirOrder)
{
    auto list = openList(4);
    control<DatePicker>(*list, "DTPicker1")->setDate(QDate(2026, 12, 1));
    control<DatePicker>(*list, "DTPicker2")->setDate(QDate(2026, 12, 7));
    Globals().CurrentDoctorCode = 3;
    choose(*list, "optSelectedDoctors");
    EXPECT_EQ(list->QueryText(4),
              "SELECT * FROM ChargesDescriptive Where [status]=0 and ChargeRealDate >= #12/01/2026# and "
              "ChargeRealDate <= #12/07/2026# and DoctorCode= 3");

    Globals().CurrentPatientId = 25001;
    Globals().CurrentInsuranceCode = 2;
    choose(*list, "optAllDates");
    choose(*list, "optSelectedPatients");
    choose(*list, "optSelectedInsurances");
    choose(*list, "optSelectedLot");
    control<QLineEdit>(*list, "TxtLotNumber")->setText(" 12.5abc");
    EXPECT_EQ(list->QueryText(0),
              "SELECT * FROM ChargesDescriptive Where [status]<>2 and PatientId= 25001 and InsuranceCode= 2 and "
              "DoctorCode= 3 and PrintLot = 12.5");
    control<QLineEdit>(*list, "TxtLotNumber")->setText("lot");
    EXPECT_TRUE(list->QueryText(13).endsWith("[status]=2 and PatientId= 25001 and InsuranceCode= 2 and DoctorCode= 3 "
                                             "and PrintLot = 0"));
    EXPECT_EQ(list->QueryText(7), "") << "a view the charges list does not show";
}

TEST_F(ChargesListFormTest, StatusViewsShowTheirCharges)
{
    addCharge(25000, "2026-12-01", 1, 0, 0, 1);
    addCharge(25000, "2026-12-02", 1, 1, 5, 2);
    addCharge(25001, "2026-12-03", 1, 2, 5, 3);
    auto list = openList(0);
    choose(*list, "optAllDates");
    EXPECT_EQ(shown(*list), QStringList({"ANN ADAMS|12/01/2026|Ready", "ANN ADAMS|12/02/2026|Posted"}));
    for (const auto& [filter, expected] :
         {std::pair<qint16, QString>{4, "ANN ADAMS|12/01/2026|Ready"}, {5, "ANN ADAMS|12/02/2026|Posted"},
          {13, "BOB BROWN|12/03/2026|Archived"}}) {
        mainForm.FiltroActual = filter;
        list->Refresca();
        EXPECT_EQ(shown(*list), QStringList({expected})) << filter;
        EXPECT_EQ(list->ActiveFilter(), filter);
    }
    mainForm.FiltroActual = 7;
    list->Refresca();
    EXPECT_EQ(shown(*list), QStringList({"BOB BROWN|12/03/2026|Archived"})) << "another view leaves the list";
}

TEST_F(ChargesListFormTest, EachFilterNarrowsTheRows)
{
    addDecemberCharges();
    auto list = openList(0);
    control<DatePicker>(*list, "DTPicker1")->setDate(QDate(2026, 12, 5));
    control<DatePicker>(*list, "DTPicker2")->setDate(QDate(2026, 12, 7));
    control<QPushButton>(*list, "btnGo")->click();
    EXPECT_EQ(shown(*list), QStringList({"ANN ADAMS|12/05/2026|Posted", "BOB BROWN|12/07/2026|Posted"}))
        << "both ends of the dates are included";
    choose(*list, "optAllDates");
    EXPECT_FALSE(control<DatePicker>(*list, "DTPicker1")->isEnabled());
    EXPECT_EQ(shown(*list).size(), 4);

    Globals().CurrentPatientId = 25001;
    choose(*list, "optSelectedPatients");
    EXPECT_EQ(shown(*list), QStringList({"BOB BROWN|12/07/2026|Posted", "BOB BROWN|12/09/2026|Ready"}));
    choose(*list, "optAllPatients");

    Globals().CurrentInsuranceCode = 1;
    choose(*list, "optSelectedInsurances");
    EXPECT_EQ(shown(*list), QStringList({"ANN ADAMS|12/01/2026|Ready", "ANN ADAMS|12/05/2026|Posted"}));

    Globals().CurrentDoctorCode = 1;
    choose(*list, "optSelectedDoctors");
    EXPECT_EQ(shown(*list), QStringList({"ANN ADAMS|12/01/2026|Ready"})) << "criteria combine";
    choose(*list, "optAllInsurances");
    EXPECT_EQ(shown(*list), QStringList({"ANN ADAMS|12/01/2026|Ready", "BOB BROWN|12/07/2026|Posted"}));
    choose(*list, "optAllDoctors");

    choose(*list, "optSelectedLot");
    EXPECT_TRUE(control<QLineEdit>(*list, "TxtLotNumber")->isEnabled());
    EXPECT_EQ(shown(*list), QStringList({"ANN ADAMS|12/01/2026|Ready", "BOB BROWN|12/09/2026|Ready"}))
        << "an empty lot text filters on lot 0";
    control<QLineEdit>(*list, "TxtLotNumber")->setText("202612051");
    control<QPushButton>(*list, "btnGo2")->click();
    EXPECT_EQ(shown(*list), QStringList({"ANN ADAMS|12/05/2026|Posted", "BOB BROWN|12/07/2026|Posted"}));
    choose(*list, "optAllLots");
    EXPECT_EQ(control<QLineEdit>(*list, "TxtLotNumber")->text(), "202612051") << "the lot text stays";
    EXPECT_EQ(shown(*list).size(), 4);
}

TEST_F(ChargesListFormTest, FilteredColumnsHideAndKeepTheirEarlierWidth)
{
    auto list = openList(0);
    ListView* view = list->List();
    const int names = view->ColumnWithKey("Names");
    const int doctor = view->ColumnWithKey("Doctor");
    view->SetColumnWidth(doctor, 1500);
    EXPECT_FALSE(control<QLineEdit>(*list, "TxtPatient")->isEnabled());
    EXPECT_FALSE(control<QPushButton>(*list, "btnSearchPatient")->isEnabled());
    choose(*list, "optSelectedPatients");
    choose(*list, "optSelectedDoctors");
    EXPECT_EQ(view->ColumnWidth(names), 0);
    EXPECT_EQ(view->ColumnWidth(doctor), 0);
    EXPECT_TRUE(control<QLineEdit>(*list, "TxtPatient")->isEnabled());
    EXPECT_TRUE(control<QPushButton>(*list, "btnSearchPatient")->isEnabled());
    choose(*list, "optAllDoctors");
    EXPECT_EQ(view->ColumnWidth(doctor), 1500);

    list.reset();
    EXPECT_EQ(GetSetting("Vantora", "Charges", "NamesWidth"), "2160") << "a hidden column is never stored as 0";
    EXPECT_EQ(GetSetting("Vantora", "Charges", "DoctorWidth"), "1500");
    list = openList(0);
    EXPECT_EQ(list->List()->ColumnWidth(names), 2160);
}

TEST_F(ChargesListFormTest, SearchButtonsFilterOnAnotherPickedRecord)
{
    addDecemberCharges();
    registerStandInDialog("frmPickPatient");
    registerStandInDialog("frmPickInsurance");
    registerStandInDialog("frmPickDoctor");
    qint16 pick = 25001;
    onDialog = [&pick](QDialog& dialog) {
        AppGlobals& globals = Globals();
        if (dialog.objectName() == "frmPickPatient")
            globals.PickedPatientId = pick;
        else if (dialog.objectName() == "frmPickInsurance")
            globals.PickedInsuranceCode = pick;
        else
            globals.PickedDoctorCode = pick;
        return pick ? int(QDialog::Accepted) : int(QDialog::Rejected);
    };
    auto list = openList(0);
    choose(*list, "optAllDates");
    choose(*list, "optSelectedPatients");
    EXPECT_TRUE(shown(*list).isEmpty()) << "patient 0 before anyone was picked";

    control<QPushButton>(*list, "btnSearchPatient")->click();
    EXPECT_EQ(shownDialogs, QStringList({"frmPickPatient"}));
    EXPECT_EQ(control<QLineEdit>(*list, "TxtPatient")->text(), "BOB BROWN");
    EXPECT_EQ(Globals().CurrentPatientId, 25001);
    EXPECT_EQ(shown(*list).size(), 2);

    addCharge(25001, "2026-12-10", 1, 0, 0, 9);
    control<QPushButton>(*list, "btnSearchPatient")->click();
    EXPECT_EQ(shown(*list).size(), 2) << "picking the patient shown does not reload";
    pick = 0;
    control<QPushButton>(*list, "btnSearchPatient")->click();
    EXPECT_EQ(shown(*list).size(), 2) << "a cancelled pick changes nothing";
    EXPECT_EQ(Globals().CurrentPatientId, 25001);
    choose(*list, "optAllPatients");

    pick = 2;
    choose(*list, "optSelectedInsurances");
    control<QPushButton>(*list, "btnSearchInsurance")->click();
    EXPECT_EQ(control<QLineEdit>(*list, "TxtInsurance")->text(), "Blue Plan");
    EXPECT_EQ(Globals().CurrentInsuranceCode, 2);
    choose(*list, "optSelectedDoctors");
    control<QPushButton>(*list, "btnSearchDoctor")->click();
    EXPECT_EQ(control<QLineEdit>(*list, "TxtDoctor")->text(), "Dr Two");
    EXPECT_TRUE(shown(*list).isEmpty()) << "Blue Plan's patient has no charge of Dr Two";

    pick = 99;
    control<QPushButton>(*list, "btnSearchDoctor")->click();
    EXPECT_EQ(control<QLineEdit>(*list, "TxtDoctor")->text(), "Dr Two") << "a doctor that is gone";
    EXPECT_EQ(Globals().CurrentDoctorCode, 2);
}

TEST_F(ChargesListFormTest, ThePatientFilterOffersEveryPatientWhateverScopeTheChargeEditorLeft)
{
    run("UPDATE Patient SET InFacilityCode = 1, InWardCode = 1, InDoctorCode = 1 WHERE PatientId = 25001");
    addDecemberCharges();
    RegisterListFormBasics();
    QString wanted;
    QStringList offered;
    onDialog = [&wanted, &offered](QDialog& picker) {
        picker.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&picker));
        auto* patients = picker.findChild<ListView*>("ListView1");
        offered.clear();
        for (int index = 0; index < patients->topLevelItemCount(); ++index)
            offered << patients->topLevelItem(index)->text(0);
        const QList<QTreeWidgetItem*> found = patients->findItems(wanted, Qt::MatchExactly, 0);
        if (!found.isEmpty())
            QTest::mouseClick(patients->viewport(), Qt::LeftButton, {},
                              patients->visualItemRect(found.first()).center());
        QTest::mouseClick(picker.findChild<QPushButton*>("btnOk"), Qt::LeftButton);
        return picker.result();
    };
    auto list = openList(0);
    list->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(list.get()));
    QTest::mouseClick(control<QRadioButton>(*list, "optAllDates"), Qt::LeftButton);
    QTest::mouseClick(control<QRadioButton>(*list, "optSelectedPatients"), Qt::LeftButton);

    // Left behind by an inpatient charge at the Clinic, then by an outpatient charge.
    const QList<std::pair<qint16, QString>> leftScopes = {{1, "BOB BROWN"}, {2, "ANN ADAMS"}};
    for (const auto& [scope, patient] : leftScopes) {
        Globals().PickPatientScope = scope;
        Globals().PickPatientFacilityCode = 2;
        wanted = patient;
        QTest::mouseClick(control<QPushButton>(*list, "btnSearchPatient"), Qt::LeftButton);
        EXPECT_EQ(offered, QStringList({"ANN ADAMS", "BOB BROWN"})) << "scope " << scope;
        EXPECT_EQ(control<QLineEdit>(*list, "TxtPatient")->text(), patient);
    }
    EXPECT_EQ(shown(*list), QStringList({"ANN ADAMS|12/01/2026|Ready", "ANN ADAMS|12/05/2026|Posted"}));
}

TEST_F(ChargesListFormTest, TheFilterKeepsThePatientItsBoxNamesWhateverOtherFormsDo)
{
    addDecemberCharges();
    registerStandInDialog("frmPickPatient");
    registerStandInDialog("frmEditCharge");
    onDialog = [](QDialog& dialog) {
        if (dialog.objectName() == "frmPickPatient") {
            Globals().PickedPatientId = 25000;
            return int(QDialog::Accepted);
        }
        if (dialog.objectName() == "frmPostCharges")
            QTest::mouseClick(dialog.findChild<QPushButton*>("OKButton"), Qt::LeftButton);
        return dialog.result();  // the charge editor is cancelled
    };
    auto list = openList(0);
    list->resize(900, 600);
    list->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(list.get()));
    QTest::mouseClick(control<QRadioButton>(*list, "optAllDates"), Qt::LeftButton);
    QTest::mouseClick(control<QRadioButton>(*list, "optSelectedPatients"), Qt::LeftButton);
    QTest::mouseClick(control<QPushButton>(*list, "btnSearchPatient"), Qt::LeftButton);
    ASSERT_EQ(control<QLineEdit>(*list, "TxtPatient")->text(), "ANN ADAMS");

    // Another patient's charge opened and cancelled while all patients are shown.
    QTest::mouseClick(control<QRadioButton>(*list, "optAllPatients"), Qt::LeftButton);
    ListView* view = list->List();
    const QRect bobsRow = view->visualItemRect(view->topLevelItem(3));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, bobsRow.center());
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, bobsRow.center());
    ASSERT_EQ(shownDialogs.last(), "frmEditCharge");
    ASSERT_EQ(Globals().CurrentPatientId, 25001);

    QTest::mouseClick(control<QRadioButton>(*list, "optSelectedPatients"), Qt::LeftButton);
    EXPECT_EQ(control<QLineEdit>(*list, "TxtPatient")->text(), "ANN ADAMS");
    EXPECT_EQ(shown(*list), QStringList({"ANN ADAMS|12/01/2026|Ready", "ANN ADAMS|12/05/2026|Posted"}));
    list->Post();
    EXPECT_EQ(rows("SELECT PatientId, Status FROM PatientCharges ORDER BY ChargeTime"),
              QStringList({"25000|1", "25000|1", "25001|1", "25001|0"}))
        << "only the named patient's Ready charge is posted";
}

TEST_F(ChargesListFormTest, InsertadoMergesTheChargeEvenWhenItLeftTheView)
{
    addDecemberCharges();
    auto list = openList(4);
    choose(*list, "optAllDates");
    ASSERT_EQ(shown(*list), QStringList({"ANN ADAMS|12/01/2026|Ready", "BOB BROWN|12/09/2026|Ready"}));

    run("UPDATE PatientCharges SET Status = 1, DoctorCode = 3 WHERE PatientId = 25000 AND ChargeTime = '10:00:01'");
    chargeKey(25000, 1);
    list->Insertado();
    EXPECT_EQ(shown(*list), QStringList({"ANN ADAMS|12/01/2026|Posted", "BOB BROWN|12/09/2026|Ready"}));
    EXPECT_EQ(list->List()->topLevelItem(0)->text(3), "Dr Three");
    EXPECT_EQ(selected(*list), QStringList({"K0000000001"}));

    addCharge(25000, "2026-11-30", 2, 0, 0, 30);
    chargeKey(25000, 30);
    list->Insertado();
    EXPECT_EQ(shown(*list).size(), 3);
    EXPECT_EQ(shown(*list).last(), "ANN ADAMS|11/30/2026|Ready") << "appended at the end until the next reload";
    EXPECT_EQ(selected(*list), QStringList({"K0000000003"}));

    chargeKey(25000, 59);
    list->Insertado();
    EXPECT_EQ(shown(*list).size(), 3) << "a charge that is not stored adds nothing";
    EXPECT_TRUE(shownMessages.isEmpty());
}

TEST_F(ChargesListFormTest, EliminarKeepsExactlyTheRowThatFailed)
{
    addDecemberCharges();
    auto list = openList(0);
    choose(*list, "optAllDates");
    answerToOkCancel = MessageAnswer::Cancel;
    list->List()->selectAll();
    list->Eliminar();
    EXPECT_EQ(rows("SELECT COUNT(*) FROM PatientCharges"), QStringList({"4"}));

    answerToOkCancel = MessageAnswer::Ok;
    shownMessages.clear();
    run("DELETE FROM PatientCharges WHERE ChargeTime = '10:00:03'");  // removed by another user
    list->List()->topLevelItem(0)->setSelected(false);
    list->Eliminar();
    EXPECT_EQ(shownMessages,
              QStringList({"Are you sure you want to delete the selected Charges?", "U:IMPELIENT"}));
    EXPECT_EQ(shown(*list), QStringList({"ANN ADAMS|12/01/2026|Ready", "BOB BROWN|12/07/2026|Posted"}));
    EXPECT_EQ(rows("SELECT PatientId, ChargeRealDate FROM PatientCharges"), QStringList({"25000|2026-12-01"}))
        << "Posted charges are deleted like Ready ones";
}

TEST_F(ChargesListFormTest, DoubleClickEditsTheSelectedCharge)
{
    addDecemberCharges();
    registerStandInDialog("frmEditCharge");
    QString editedKey;
    bool store = true;
    onDialog = [&](QDialog&) {
        const AppGlobals& globals = Globals();
        editedKey = QString::number(globals.CurrentPatientId) + " " + globals.CurrentChargeDate.toString(Qt::ISODate) +
                    " " + globals.CurrentChargeTime.toString("HH:mm:ss");
        run("UPDATE PatientCharges SET ChargeRealDate = '2026-12-31' WHERE ChargeTime = '10:00:02'");
        Globals().DialogAccepted = store;
        return store ? int(QDialog::Accepted) : int(QDialog::Rejected);
    };
    auto list = openList(0);
    choose(*list, "optAllDates");
    list->List()->clearSelection();
    list->ListView1DblClick();
    EXPECT_TRUE(shownDialogs.isEmpty()) << "nothing selected";

    list->List()->topLevelItem(1)->setSelected(true);
    store = false;
    list->ListView1DblClick();
    EXPECT_EQ(editedKey, "25000 2026-01-01 10:00:02");
    EXPECT_EQ(shown(*list)[1], "ANN ADAMS|12/05/2026|Posted") << "a cancelled edit is not re-read";

    store = true;
    list->ListView1DblClick();
    EXPECT_EQ(shown(*list)[1], "ANN ADAMS|12/31/2026|Posted");
    EXPECT_EQ(selected(*list), QStringList({"K0000000002"}));
}

TEST_F(ChargesListFormTest, EnterEditsAndDeleteDeletesTheSelectedCharge)
{
    addDecemberCharges();
    registerStandInDialog("frmEditCharge");
    QString editedKey;
    onDialog = [&](QDialog&) {
        editedKey = QString::number(Globals().CurrentPatientId) + " " +
                    Globals().CurrentChargeTime.toString("HH:mm:ss");
        Globals().DialogAccepted = false;
        return int(QDialog::Rejected);
    };
    auto list = openList(0);
    choose(*list, "optAllDates");
    list->resize(900, 600);
    list->show();
    ListView& view = *list->List();
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, view.visualItemRect(view.topLevelItem(2)).center());
    QTest::keyClick(&view, Qt::Key_Return);
    EXPECT_EQ(shownDialogs, QStringList({"frmEditCharge"}));
    EXPECT_EQ(editedKey, "25001 10:00:03");

    QTest::keyClick(&view, Qt::Key_Delete);
    EXPECT_EQ(shownMessages, QStringList({"Are you sure you want to delete the selected Charges?"}));
    EXPECT_EQ(rows("SELECT COUNT(*) FROM PatientCharges WHERE ChargeTime = '10:00:03'"), QStringList({"0"}));
    EXPECT_EQ(shown(*list).size(), 3);
}

TEST_F(ChargesListFormTest, ColumnClickPutsItsKeyFirstInTheSort)
{
    addDecemberCharges();
    auto list = openList(0);
    choose(*list, "optAllDates");
    list->ListView1ColumnClick(list->List()->ColumnWithKey("Names"));
    EXPECT_EQ(list->Records()->Sort(), "Names,ChargeRealDate");
    list->ListView1ColumnClick(list->List()->ColumnWithKey("Doctor"));
    EXPECT_EQ(shown(*list), QStringList({"ANN ADAMS|12/01/2026|Ready", "BOB BROWN|12/07/2026|Posted",
                                         "BOB BROWN|12/09/2026|Ready", "ANN ADAMS|12/05/2026|Posted"}))
        << "by doctor, then by patient";
}

TEST_F(ChargesListFormTest, AFailingQueryIsShownAndTheListStays)
{
    addDecemberCharges();
    auto list = openList(0);
    choose(*list, "optAllDates");
    run("DROP VIEW ChargesDescriptive");
    list->Refresca();
    ASSERT_EQ(shownMessages.size(), 1);
    EXPECT_TRUE(shownMessages[0].startsWith("SELECT * FROM ChargesDescriptive Where [status]<>2 ")) << shownMessages[0].toStdString();
    EXPECT_EQ(shown(*list).size(), 4);
    list->List()->topLevelItem(3)->setSelected(true);
    list->Eliminar();
    EXPECT_EQ(rows("SELECT COUNT(*) FROM PatientCharges"), QStringList({"2"}))
        << "the rows shown still name their charges";
}

TEST_F(ChargesListFormTest, FramesAndListFollowTheFormWidth)
{
    auto list = openList(0);
    list->show();
    list->resize(900, 600);
    QCoreApplication::processEvents();
    for (const char* frame : {"frmFiltroFechas", "frmFiltroPaciente", "frmFiltroSeguro", "frmFiltroDoctor",
                              "frmFiltroLote"}) {
        EXPECT_EQ(control<QWidget>(*list, frame)->width(), 900) << frame;
        EXPECT_EQ(control<QWidget>(*list, frame)->x(), 0) << frame;
    }
    EXPECT_EQ(list->List()->geometry(), QRect(0, list->List()->y(), 900, 600 - list->List()->y()));
    EXPECT_GT(control<QWidget>(*list, "frmFiltroLote")->y(), control<QWidget>(*list, "frmFiltroDoctor")->y());
}

TEST_F(ChargesListFormTest, ANarrowWindowScrollsTheFiltersSoGoAndThePickButtonsStayReachable)
{
    auto list = openList(0);
    list->show();
    list->resize(360, 600);
    QCoreApplication::processEvents();
    QScrollBar* filtersBar = nullptr;
    for (QScrollBar* bar : list->findChildren<QScrollBar*>()) {
        if (bar->orientation() == Qt::Horizontal && bar->isVisible() && !list->List()->isAncestorOf(bar))
            filtersBar = bar;
    }
    auto* go = control<QPushButton>(*list, "btnGo");
    ASSERT_NE(filtersBar, nullptr) << "Go starts at x " << go->mapTo(list.get(), QPoint()).x()
                                   << " of a form 360 wide, and nothing scrolls";
    EXPECT_LE(filtersBar->mapTo(list.get(), QPoint(0, filtersBar->height())).y(), list->List()->y())
        << "the list starts below the filters' scroll bar";
    EXPECT_EQ(list->List()->geometry(), QRect(0, list->List()->y(), 360, 600 - list->List()->y()));

    filtersBar->setValue(filtersBar->maximum());
    QCoreApplication::processEvents();
    const QRect filterArea(0, 0, list->width(), list->List()->y());
    for (const char* name : {"btnGo", "btnSearchPatient", "btnSearchInsurance", "btnSearchDoctor", "btnGo2"}) {
        auto* button = control<QPushButton>(*list, name);
        EXPECT_TRUE(filterArea.contains(QRect(button->mapTo(list.get(), QPoint()), button->size()))) << name;
    }

    // Go, reached there, reloads the list.
    addCharge(25000, QDate::currentDate().toString(Qt::ISODate), 1, 0);
    QTest::mouseClick(go, Qt::LeftButton);
    EXPECT_EQ(shown(*list).size(), 1);
}

}  // namespace
