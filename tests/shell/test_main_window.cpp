#include "AppGlobals.h"
#include "ShellTestEnvironment.h"
#include "TestForms.h"
#include "Twips.h"
#include "frmBanner.h"
#include "frmMain.h"
#include "frmShorcuts.h"

#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QTcpServer>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

class MainWindowTest : public ShellTest {
protected:
    void TearDown() override
    {
        closeMainWindow(window);
        ShellTest::TearDown();
    }

    QAction* action(const char* name) const { return window->findChild<QAction*>(name); }
    QMenu* menu(const char* name) const { return window->findChild<QMenu*>(name); }
    QString selectedNodeKey() const
    {
        QTreeWidgetItem* node = window->Shortcuts()->TreeView1()->currentItem();
        return node ? frmShorcuts::NodeKeyOf(*node) : QString();
    }
    // The captions of a menu's items, hidden ones in brackets, separators as "-".
    static QStringList itemsOf(QMenu* menu)
    {
        QStringList items;
        for (QAction* item : menu->actions()) {
            QString text = item->isSeparator() ? "-" : item->text();
            items << (item->isVisible() ? text : "[" + text + "]");
        }
        return items;
    }

    frmMain* window = nullptr;
};

TEST_F(MainWindowTest, FirstStartUsesTheDefaultsAndStoresPlacementAndViewAtClose)
{
    window = openMainWindow();
    EXPECT_EQ(window->pos(), QPoint(TwipsToPixels(1000), TwipsToPixels(1000)));
    EXPECT_EQ(window->size(), QSize(TwipsToPixels(6500), TwipsToPixels(6500)));
    EXPECT_EQ(window->VistaActual, 0);
    EXPECT_EQ(window->FiltroActual, 0);
    EXPECT_EQ(selectedNodeKey(), "K00.00");
    EXPECT_EQ(Globals().MainForm, window);
    EXPECT_EQ(window->BannerHeight, 500);
    EXPECT_FLOAT_EQ(Globals().PrintPageWidth, 8.5f);  // no printer on a test machine
    EXPECT_FLOAT_EQ(Globals().PrintPageHeight, 11.0f);
    EXPECT_FALSE(menu("mnuGoTo0")->menuAction()->isVisible());
    EXPECT_TRUE(action("mnuViewShortcuts")->isChecked());

    window->move(TwipsToPixels(1500), TwipsToPixels(3000));
    window->resize(TwipsToPixels(9000), TwipsToPixels(7500));
    window->CambiaAVista(1, 16);
    closeMainWindow(window);
    EXPECT_EQ(mainSetting("MainLeft").toDouble(), 1500);
    EXPECT_EQ(mainSetting("MainTop").toDouble(), 3000);
    EXPECT_EQ(mainSetting("MainWidth").toDouble(), 9000);
    EXPECT_EQ(mainSetting("MainHeight").toDouble(), 7500);
    EXPECT_EQ(mainSetting("ActiveView"), "1");
    EXPECT_EQ(mainSetting("ActiveFilter"), "16");
    EXPECT_EQ(mainSetting("Shortcut"), "(absent)");
    EXPECT_EQ(Globals().MainForm, nullptr);
}

TEST_F(MainWindowTest, StoredPlacementAndViewAreRestored)
{
    storeMainSetting("MainLeft", "1500");
    storeMainSetting("MainTop", "750");
    storeMainSetting("MainWidth", "12000");
    storeMainSetting("MainHeight", "9000");
    storeMainSetting("ActiveView", "7");
    storeMainSetting("ActiveFilter", "14");
    window = openMainWindow();
    EXPECT_EQ(window->pos(), QPoint(100, 50));
    EXPECT_EQ(window->size(), QSize(800, 600));
    EXPECT_EQ(window->VistaActual, 7);
    EXPECT_EQ(window->FiltroActual, 14);
    EXPECT_EQ(selectedNodeKey(), "K07.14");
    EXPECT_TRUE(window->CurrentViewItem(14)->isChecked());
}

TEST_F(MainWindowTest, StoredPairWithoutNodeStartsOnCharges)
{
    storeMainSetting("ActiveView", "9");
    storeMainSetting("ActiveFilter", "5");
    window = openMainWindow();
    EXPECT_EQ(window->VistaActual, 0);
    EXPECT_EQ(window->FiltroActual, 0);
}

TEST_F(MainWindowTest, ClosingWhileMinimisedKeepsPlacementButStoresView)
{
    storeMainSetting("MainLeft", "3000");
    storeMainSetting("MainTop", "3000");
    storeMainSetting("MainWidth", "6000");
    storeMainSetting("MainHeight", "6000");
    window = openMainWindow();
    window->CambiaAVista(3, 1);
    window->move(10, 10);
    window->showMinimized();
    ASSERT_TRUE(window->isMinimized());
    closeMainWindow(window);
    EXPECT_EQ(mainSetting("MainLeft"), "3000");
    EXPECT_EQ(mainSetting("MainTop"), "3000");
    EXPECT_EQ(mainSetting("MainWidth"), "6000");
    EXPECT_EQ(mainSetting("MainHeight"), "6000");
    EXPECT_EQ(mainSetting("ActiveView"), "3");
    EXPECT_EQ(mainSetting("ActiveFilter"), "1");
}

TEST_F(MainWindowTest, LayoutPlacesBannerPaneAndChildAndFollowsThePane)
{
    window = openMainWindow();
    window->CambiaAVista(10, 0);
    QWidget* client = window->ClientArea();
    QWidget* child = window->ActiveChild();
    ASSERT_NE(child, nullptr);
    const int banner = TwipsToPixels(500);
    EXPECT_EQ(window->Banner()->geometry(), QRect(0, 0, client->width(), banner));
    const int pane = window->PaneWidth();
    EXPECT_GT(pane, 0);
    EXPECT_EQ(window->Shortcuts()->geometry(), QRect(0, banner, pane, client->height() - banner));
    EXPECT_EQ(child->geometry(), QRect(pane, banner, client->width() - pane, client->height() - banner));

    window->CerrarShortcut();
    EXPECT_TRUE(window->Shortcuts()->isHidden());
    EXPECT_FALSE(action("mnuViewShortcuts")->isChecked());
    EXPECT_TRUE(menu("mnuGoTo0")->menuAction()->isVisible());
    EXPECT_EQ(child->geometry(), QRect(0, banner, client->width(), client->height() - banner));

    window->resize(window->width() + 90, window->height() + 60);
    QCoreApplication::processEvents();
    EXPECT_EQ(child->geometry(), QRect(0, banner, client->width(), client->height() - banner));

    action("mnuViewShortcuts")->trigger();
    EXPECT_FALSE(window->Shortcuts()->isHidden());
    EXPECT_TRUE(action("mnuViewShortcuts")->isChecked());
    EXPECT_FALSE(menu("mnuGoTo0")->menuAction()->isVisible());
    EXPECT_EQ(child->geometry(), QRect(pane, banner, client->width() - pane, client->height() - banner));

    action("mnuViewToolbar")->trigger();
    EXPECT_TRUE(window->findChild<QToolBar*>("tbToolBar")->isHidden());
    EXPECT_FALSE(action("mnuViewToolbar")->isChecked());
    action("mnuViewStatusBar")->trigger();
    EXPECT_TRUE(window->statusBar()->isHidden());
    EXPECT_FALSE(action("mnuViewStatusBar")->isChecked());
    action("mnuViewStatusBar")->trigger();
    EXPECT_FALSE(window->statusBar()->isHidden());
    EXPECT_TRUE(action("mnuViewStatusBar")->isChecked());
    QCoreApplication::processEvents();
    EXPECT_EQ(child->geometry(), QRect(pane, banner, client->width() - pane, client->height() - banner));
}

TEST_F(MainWindowTest, ShortcutSettingZeroStartsWithoutThePane)
{
    storeMainSetting("Shortcut", "0");
    window = openMainWindow();
    EXPECT_TRUE(window->Shortcuts()->isHidden());
    EXPECT_TRUE(menu("mnuGoTo0")->menuAction()->isVisible());
    EXPECT_FALSE(action("mnuViewShortcuts")->isChecked());
}

TEST_F(MainWindowTest, APlaceStoredOffTheScreenIsMovedBackOntoIt)
{
    storeMainSetting("MainLeft", "60000");
    storeMainSetting("MainTop", "60000");
    window = openMainWindow();
    EXPECT_TRUE(window->screen()->availableGeometry().contains(QRect(window->pos(), window->size())));
}

TEST_F(MainWindowTest, PaneShowsEveryNodeAndIsDraggedToAWidthThatIsKept)
{
    window = openMainWindow();
    QTreeWidget* tree = window->Shortcuts()->TreeView1();
    tree->expandAll();
    EXPECT_LE(static_cast<QAbstractItemView*>(tree)->sizeHintForColumn(0), tree->viewport()->width());

    auto* grip = window->Shortcuts()->findChild<QWidget*>("PaneGrip");
    ASSERT_NE(grip, nullptr);
    const int before = window->PaneWidth();
    const auto drag = [grip](QEvent::Type type, int x, Qt::MouseButtons held) {
        QMouseEvent event(type, QPointF(x, 5), grip->mapToGlobal(QPointF(x, 5)), Qt::LeftButton, held, Qt::NoModifier);
        QApplication::sendEvent(grip, &event);
    };
    drag(QEvent::MouseButtonPress, 1, Qt::LeftButton);
    drag(QEvent::MouseMove, 41, Qt::LeftButton);
    drag(QEvent::MouseButtonRelease, 41, Qt::NoButton);
    EXPECT_EQ(window->PaneWidth(), before + 40);

    closeMainWindow(window);
    window = openMainWindow();
    EXPECT_EQ(window->PaneWidth(), before + 40);
}

TEST_F(MainWindowTest, MenusToolbarAndStatusBarCarryTheirCaptions)
{
    window = openMainWindow();
    QStringList bar;
    for (QAction* item : window->menuBar()->actions())
        bar << (item->isVisible() ? item->text() : "[" + item->text() + "]");
    EXPECT_EQ(bar, QStringList({"&File", "[&Edit]", "&View", "&Tools", "&Actions", "H&elp"}));
    EXPECT_EQ(itemsOf(menu("mnuFile")),
              QStringList({"[Ne&w]", "[&Open...]", "[&Close]", "[-]", "[&Properties]", "[-]", "Page set&up",
                           "[Print Pre&view]", "P&rint...", "-", "Ex&it"}));
    EXPECT_EQ(itemsOf(menu("mnuEdit")), QStringList({"&Undo", "-", "Cu&t", "&Copy", "&Paste"}));
    EXPECT_EQ(itemsOf(menu("mnuView")),
              QStringList({"Current View", "[Go To]", "&Toolbar", "&Status Bar", "S&hortcuts", "-", "&Refresh"}));
    EXPECT_EQ(itemsOf(menu("mnuTools")), QStringList({"&Archive Charges..."}));
    EXPECT_EQ(itemsOf(menu("mnuHelp")),
              QStringList({"[&Content]", "[&Search for Help about...]", "-", "&About Vantora PC"}));
    window->CambiaAVista(1, 0);
    EXPECT_EQ(itemsOf(menu("mnuActions")),
              QStringList({"[Post...]", "&Admit", "&Discharge", "-", "New Charge...", "New Patient...",
                           "New Doctor...", "New Facility...", "New Diagnosis...", "New Procedure...",
                           "New Insurance...", "New E&M concept...", "New History item...",
                           "New Diagnosis Group..."}));
    EXPECT_EQ(itemsOf(menu("mnuGoTo0")),
              QStringList({"Charges", "Patients", "Doctors", "Facilities", "Diagnosis", "Procedures",
                           "Insurances", "Evaluation && Management Concepts", "History Items",
                           "Diagnosis Groups", "Vantora", "[Outside Web Page]", "Kelmion on the Web"}));
    QStringList filters;
    for (int filter = 0; filter < 19; ++filter)
        filters << window->CurrentViewItem(filter)->text();
    EXPECT_EQ(filters, QStringList({"All", "Incomplete", "Admitted", "Not Admitted", "Ready", "Posted", "Hospitals",
                                    "Board & Care", "Extended Care Facilities", "Home", "Allergies",
                                    "Medical History", "Surgical History", "Archived", "Office", "Duplicated DOB",
                                    "Duplicated Names", "Duplicated DOB+Names", "Duplicated Account"}));

    QStringList buttons;
    for (QAction* button : window->findChild<QToolBar*>("tbToolBar")->actions())
        buttons << button->objectName() + "|" + (button->isSeparator() ? "-" : button->text() + "|" + button->toolTip());
    EXPECT_EQ(buttons, QStringList({"Nuevo|     New     |New", "SepPrint|-", "Imprimir|Print|Print", "SepDelete|-",
                                    "Eliminar|Delete|Delete", "SepApprove|-", "Post|Post...|Post Charges",
                                    "SepAdmit|-", "Admit|Admit...|Admit Patient",
                                    "Discharge|Discharge|Discharge Patient", "SepBrowser|-", "Back|Back|Back",
                                    "Fordward|Fordward|Fordward", "Stop|Stop|Stop", "Refresh|Refresh|Refresh",
                                    "Home|Home|Home", "Merge|Merge|Merge Patient info"}));
    // Print shows a printer, not the disk of saving.
    EXPECT_NE(window->ToolbarButton("Imprimir")->icon().pixmap(24).toImage(),
              window->style()->standardIcon(QStyle::SP_DialogSaveButton).pixmap(24).toImage());
    QMenu* dropDown = window->ToolbarButton("Nuevo")->menu();
    ASSERT_NE(dropDown, nullptr);
    QStringList entries;
    for (QAction* entry : dropDown->actions())
        entries << entry->objectName() + "|" + entry->text();
    EXPECT_EQ(entries, QStringList({"NewCharge|New Charge...", "NewPatient|New Patient...", "NewDoctor|New Doctor...",
                                    "NewFacility|New Facility...", "NewDiagnosis|New Diagnosis...",
                                    "NewProcedure|New Procedure...", "NewInsurance|New Insurance...",
                                    "NewEMCode|New EM concept...", "NewSickness|New History Item",
                                    "NewDiagnosisFamily|New Diagnosis Group"}));
    auto* nuevo = qobject_cast<QToolButton*>(
        window->findChild<QToolBar*>("tbToolBar")->widgetForAction(window->ToolbarButton("Nuevo")));
    ASSERT_NE(nuevo, nullptr);
    EXPECT_EQ(nuevo->popupMode(), QToolButton::MenuButtonPopup);

    EXPECT_EQ(window->findChild<QLabel*>("Panel2")->text(), QDate::currentDate().toString("MM/dd/yyyy"));
    EXPECT_FALSE(window->findChild<QLabel*>("Panel3")->text().isEmpty());
}

// What each view shows: the visible "Current View" filters (empty: menu hidden), toolbar
// buttons and "&Actions" command items.
struct ViewState {
    int view;
    QList<int> filters;
    QStringList buttons;
    QStringList actions;
};

TEST_F(MainWindowTest, EachViewShowsItsFiltersButtonsAndActions)
{
    const QStringList list = {"Nuevo", "SepPrint", "Imprimir", "SepDelete", "Eliminar"};
    const QStringList web = {"Nuevo", "Imprimir", "SepBrowser", "Back", "Fordward", "Stop", "Refresh", "Home"};
    const QList<ViewState> states = {
        {0, {0, 4, 5, 13}, {"Nuevo", "SepPrint", "Imprimir", "SepDelete", "Eliminar", "SepApprove", "Post"}, {"Post..."}},
        {1, {0, 1, 2, 3, 15, 16, 17, 18},
         {"Nuevo", "SepPrint", "Imprimir", "SepDelete", "Eliminar", "SepAdmit", "Admit", "Discharge", "Merge"},
         {"&Admit", "&Discharge"}},
        {2, {0, 1}, list, {}}, {3, {0, 1}, list, {}}, {4, {0, 1}, list, {}}, {5, {0, 1}, list, {}},
        {6, {0, 1}, list, {}}, {7, {0, 6, 7, 8, 9, 14}, list, {}}, {8, {0, 10, 11, 12}, list, {}},
        {9, {}, list, {}}, {10, {}, {"Nuevo", "Imprimir"}, {}}, {11, {}, web, {}}, {12, {}, web, {}},
        {13, {}, {"Nuevo", "Imprimir"}, {}}};
    window = openMainWindow();
    for (const ViewState& state : states) {
        SCOPED_TRACE(state.view);
        window->CambiaAVista(qint16(state.view), 0);
        QList<int> filters;
        if (menu("mnuViewCurrentView")->menuAction()->isVisible()) {
            for (int filter = 0; filter < 19; ++filter) {
                if (window->CurrentViewItem(filter)->isVisible())
                    filters << filter;
            }
            EXPECT_TRUE(window->CurrentViewItem(0)->isChecked());
        }
        EXPECT_EQ(filters, state.filters);
        QStringList buttons;
        for (QAction* button : window->findChild<QToolBar*>("tbToolBar")->actions()) {
            if (button->isVisible())
                buttons << button->objectName();
        }
        EXPECT_EQ(buttons, state.buttons);
        QStringList actions;
        for (QAction* item : menu("mnuActions")->actions().mid(0, 3)) {
            if (item->isVisible())
                actions << item->text();
        }
        EXPECT_EQ(actions, state.actions);
        EXPECT_TRUE(menu("mnuActions")->menuAction()->isVisible());
        for (int view = 0; view < 13; ++view)
            EXPECT_EQ(window->GoToItem(view)->isChecked(), view == state.view) << view;
    }
    EXPECT_EQ(window->ActiveChild()->objectName(), "frmGeneralInfo");
}

TEST_F(MainWindowTest, TreeHoldsEveryViewAndFilterNode)
{
    window = openMainWindow();
    QTreeWidget* tree = window->Shortcuts()->TreeView1();
    EXPECT_EQ(window->Shortcuts()->windowTitle(), "Shortcuts");
    QStringList nodes;
    for (QTreeWidgetItemIterator it(tree); *it; ++it) {
        int depth = 0;
        for (QTreeWidgetItem* up = (*it)->parent(); up; up = up->parent())
            ++depth;
        nodes << QString(depth * 2, u' ') + frmShorcuts::NodeKeyOf(**it) + " " + (*it)->text(0);
    }
    EXPECT_EQ(nodes, QStringList({
                         "K10.00 Vantora",
                         "  K00.00 Charges", "    K00.04 Ready", "    K00.05 Posted", "    K00.13 Archived",
                         "  K01.00 Patients", "    K01.02 Admitted", "    K01.03 Not Admitted", "    K01.01 Incomplete",
                         "    K01.15 Duplicated DOB", "    K01.16 Duplicated Names",
                         "    K01.17 Duplicated Names+DOB", "    K01.18 Duplicated Accounts",
                         "  K02.00 Doctors", "    K02.01 Incomplete",
                         "  K03.00 Facilities", "    K03.01 Incomplete",
                         "  K04.00 Diagnosis", "    K04.01 Incomplete",
                         "  K05.00 Procedures", "    K05.01 Incomplete",
                         "  K06.00 Insurances", "    K06.01 Incomplete",
                         "  K07.00 E & M Concepts", "    K07.06 Hospitals", "    K07.07 Board & Care",
                         "    K07.08 Extended Care Facilities", "    K07.09 Home", "    K07.14 Office",
                         "    K07.01 Incomplete",
                         "  K08.00 History Items", "    K08.10 Allergies", "    K08.11 Past Medical",
                         "    K08.12 Past Surgical",
                         "  K09.00 Diagnosis Groups",
                         "K12.00 Kelmion on the Web"}));
    EXPECT_TRUE(tree->topLevelItem(0)->isExpanded());
    EXPECT_TRUE(tree->topLevelItem(1)->isExpanded());
    EXPECT_FALSE(tree->topLevelItem(0)->child(1)->isExpanded());

    EXPECT_FALSE(window->Shortcuts()->FuerzaNodeClick(11, 0));
    EXPECT_EQ(window->VistaActual, 0);
    EXPECT_TRUE(window->Shortcuts()->FuerzaNodeClick(8, 11));
    EXPECT_EQ(selectedNodeKey(), "K08.11");
    EXPECT_EQ(window->VistaActual, 8);
    EXPECT_EQ(window->FiltroActual, 11);
}

class NavigationTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        for (const char* name : {"frmCharges", "frmPatients", "frmDoctors", "frmEMCodes"}) {
            registerTestForm(name, [this, name](QWidget* parent) {
                auto* form = new RecordingListForm(calls, parent);
                form->setObjectName(name);
                return form;
            });
        }
        registerTestForm("frmFacilities", [](QWidget* parent) { return new SilentForm(parent); });
    }

    void clickNode(const QString& key)
    {
        QTreeWidgetItem* node = window->Shortcuts()->FindNode(key);
        ASSERT_NE(node, nullptr);
        emit window->Shortcuts()->TreeView1()->itemClicked(node, 0);
    }

    QStringList calls;
};

TEST_F(NavigationTest, ViewsOpenTheirFormsReloadThemAndHideThePreviousOne)
{
    window = openMainWindow();
    EXPECT_EQ(calls, QStringList({"frmCharges Refresca"}));
    QWidget* charges = window->ActiveChild();
    ASSERT_NE(charges, nullptr);
    EXPECT_TRUE(charges->isVisible());

    clickNode("K01.15");
    EXPECT_EQ(window->VistaActual, 1);
    EXPECT_EQ(window->FiltroActual, 15);
    EXPECT_EQ(window->ActiveChild()->objectName(), "frmPatients");
    EXPECT_FALSE(charges->isVisible());
    EXPECT_TRUE(window->CurrentViewItem(15)->isChecked());
    EXPECT_FALSE(window->CurrentViewItem(0)->isChecked());

    // The same node again only repaints; a form is created once and reused.
    clickNode("K01.15");
    clickNode("K00.00");
    EXPECT_EQ(window->ActiveChild(), charges);
    EXPECT_EQ(calls, QStringList({"frmCharges Refresca", "frmPatients Refresca", "frmCharges Refresca"}));

    // A view whose form is not in the program shows nothing; one without Refresca is shown.
    clickNode("K04.00");
    EXPECT_EQ(window->ActiveChild(), nullptr);
    EXPECT_FALSE(charges->isVisible());
    clickNode("K03.00");
    ASSERT_NE(window->ActiveChild(), nullptr);
    EXPECT_TRUE(window->ActiveChild()->isVisible());
}

TEST_F(NavigationTest, ArrowKeysInTheTreeOpenTheHighlightedView)
{
    window = openMainWindow();
    QTreeWidget* tree = window->Shortcuts()->TreeView1();
    QTest::keyClick(tree, Qt::Key_Down);
    EXPECT_EQ(window->VistaActual, 1);
    EXPECT_EQ(window->ActiveChild()->objectName(), "frmPatients");
    QTest::keyClick(tree, Qt::Key_Up);
    EXPECT_EQ(window->VistaActual, 0);
    EXPECT_EQ(calls, QStringList({"frmCharges Refresca", "frmPatients Refresca", "frmCharges Refresca"}));
}

TEST_F(NavigationTest, TheWebPageCaptionShowsInTheWindowTitle)
{
    // A server that accepts and never answers keeps the page loading.
    QTcpServer silent;
    ASSERT_TRUE(silent.listen(QHostAddress::LocalHost));
    window = openMainWindow();
    window->Shortcuts()->FuerzaNodeClick(12, 0);
    QWidget* browser = window->ActiveChild();
    browser->setProperty("StartAddress", QStringLiteral("http://127.0.0.1:%1/").arg(silent.serverPort()));
    window->ToolbarButton("Home")->trigger();
    EXPECT_TRUE(QTest::qWaitFor([&] { return window->windowTitle() == "Vantora - Working..."; }, 10000));
    window->ToolbarButton("Stop")->trigger();
    EXPECT_FALSE(window->windowTitle().contains("Working..."));
}

TEST_F(NavigationTest, GoToResetsTheFilterAndTheSameFilterTwiceDoesNothing)
{
    window = openMainWindow();
    window->CambiaAVista(1, 2);
    calls.clear();

    window->CurrentViewItem(2)->trigger();
    EXPECT_TRUE(calls.isEmpty());
    EXPECT_TRUE(window->CurrentViewItem(2)->isChecked());

    window->CurrentViewItem(16)->trigger();
    EXPECT_EQ(window->FiltroActual, 16);
    EXPECT_EQ(selectedNodeKey(), "K01.16");
    EXPECT_TRUE(window->CurrentViewItem(16)->isChecked());
    EXPECT_FALSE(window->CurrentViewItem(2)->isChecked());
    EXPECT_EQ(calls, QStringList({"frmPatients Refresca"}));

    window->GoToItem(1)->trigger();  // the view shown: nothing happens
    EXPECT_EQ(window->FiltroActual, 16);
    EXPECT_TRUE(window->GoToItem(1)->isChecked());

    window->GoToItem(7)->trigger();
    EXPECT_EQ(window->VistaActual, 7);
    EXPECT_EQ(window->FiltroActual, 0);
    EXPECT_EQ(selectedNodeKey(), "K07.00");
    EXPECT_TRUE(window->GoToItem(7)->isChecked());
    EXPECT_FALSE(window->GoToItem(1)->isChecked());

    window->ActivaFiltro(9);
    for (int filter = 0; filter < 19; ++filter)
        EXPECT_EQ(window->CurrentViewItem(filter)->isChecked(), filter == 9) << filter;
}

TEST_F(NavigationTest, CommandsCallTheActiveChildByName)
{
    window = openMainWindow();
    window->CambiaAVista(1, 0);
    calls.clear();
    for (const char* key : {"Imprimir", "Eliminar", "Admit", "Discharge", "Merge", "Post", "Back", "Home"})
        window->ToolbarButton(key)->trigger();
    window->findChild<QAction*>("mnuFilePrint")->trigger();
    window->findChild<QAction*>("mnuViewRefresh")->trigger();
    window->findChild<QAction*>("mnuActionsAdmit")->trigger();
    window->findChild<QAction*>("mnuActionsDischarge")->trigger();
    window->findChild<QAction*>("mnuActionsPost")->trigger();
    EXPECT_EQ(calls, QStringList({"frmPatients Imprimir", "frmPatients Eliminar", "frmPatients Admit",
                                  "frmPatients Discharge", "frmPatients Merge", "frmPatients Post",
                                  "frmPatients Accion Back", "frmPatients Accion Home", "frmPatients Imprimir",
                                  "frmPatients Refresca", "frmPatients Admit", "frmPatients Discharge",
                                  "frmPatients Post"}));

    // A child without the operations: nothing happens, nothing fails.
    window->CambiaAVista(3, 0);
    calls.clear();
    for (const char* key : {"Imprimir", "Eliminar", "Nuevo"})
        window->ToolbarButton(key)->trigger();
    window->findChild<QAction*>("mnuViewRefresh")->trigger();
    EXPECT_TRUE(calls.isEmpty());
    EXPECT_TRUE(shownMessages.isEmpty());

    // Archiving refreshes the list shown once its dialog closes.
    window->CambiaAVista(0, 4);
    calls.clear();
    registerTestForm("frmArchiveCharges", [](QWidget* parent) {
        auto* dialog = new TestDialog(parent);
        dialog->setObjectName("frmArchiveCharges");
        return dialog;
    });
    window->findChild<QAction*>("mnuToolsArchive")->trigger();
    EXPECT_EQ(shownDialogs, QStringList({"frmArchiveCharges"}));
    EXPECT_EQ(calls, QStringList({"frmCharges Refresca"}));
}

TEST_F(NavigationTest, WebViewsShareOneBrowserThatOpensTheStartAddressOfEach)
{
    window = openMainWindow();
    window->Shortcuts()->FuerzaNodeClick(12, 0);
    QWidget* browser = window->ActiveChild();
    ASSERT_NE(browser, nullptr);
    EXPECT_EQ(browser->objectName(), "frmBrowser");
    EXPECT_EQ(browser->property("StartAddress").toString(), "https://kelmion.example.com/");
    EXPECT_FALSE(menu("mnuViewCurrentView")->menuAction()->isVisible());

    window->CambiaAVista(11, 0);
    EXPECT_EQ(window->ActiveChild(), browser);
    EXPECT_TRUE(browser->property("StartAddress").toString().contains("example.com"));
    EXPECT_NE(browser->property("StartAddress").toString(), "https://kelmion.example.com/");

    // The browser offers no Imprimir: the button does nothing.
    calls.clear();
    window->ToolbarButton("Imprimir")->trigger();
    window->ToolbarButton("Stop")->trigger();
    EXPECT_TRUE(calls.isEmpty());
    EXPECT_TRUE(shownMessages.isEmpty());
    window->ToolbarButton("Stop")->trigger();
    EXPECT_NE(browser->windowTitle(), "Working...");
}

TEST_F(NavigationTest, NuevoOpensTheDialogOfTheViewAndMergesOnlyAcceptedRecords)
{
    QList<qint16> doctorCodeSeen;
    QList<QDate> chargeDateSeen;
    bool accept = true;
    for (const char* name : {"frmEditDoctor", "frmEditCharge", "frmEditEMCode"}) {
        registerTestForm(name, [name](QWidget* parent) {
            auto* dialog = new TestDialog(parent);
            dialog->setObjectName(name);
            return dialog;
        });
    }
    onDialog = [&](QDialog&) {
        doctorCodeSeen << Globals().CurrentDoctorCode;
        chargeDateSeen << Globals().CurrentChargeDate;
        Globals().DialogAccepted = accept;
        return accept ? int(QDialog::Accepted) : int(QDialog::Rejected);
    };
    window = openMainWindow();
    window->CambiaAVista(2, 0);
    calls.clear();

    Globals().CurrentDoctorCode = 12;
    window->ToolbarButton("Nuevo")->trigger();
    EXPECT_EQ(shownDialogs, QStringList({"frmEditDoctor"}));
    EXPECT_EQ(doctorCodeSeen, QList<qint16>({0}));
    EXPECT_EQ(calls, QStringList({"frmDoctors Insertado"}));

    accept = false;
    window->ToolbarButton("Nuevo")->trigger();
    EXPECT_EQ(calls, QStringList({"frmDoctors Insertado"}));

    window->CambiaAVista(0, 0);
    calls.clear();
    Globals().CurrentChargeDate = QDate(2026, 12, 1);
    accept = true;
    window->ToolbarButton("Nuevo")->trigger();
    EXPECT_EQ(chargeDateSeen.last(), QDate(1900, 1, 1));
    EXPECT_EQ(calls, QStringList({"frmCharges Insertado"}));

    // The drop-down opens any entity's dialog and refreshes nothing.
    calls.clear();
    window->ToolbarButton("Nuevo")->menu()->findChild<QAction*>("NewEMCode")->trigger();
    EXPECT_EQ(shownDialogs.last(), "frmEditEMCode");
    EXPECT_TRUE(calls.isEmpty());

    // "&Actions" items refresh the list of their own entity only: Refresca for charges.
    window->findChild<QAction*>("mnuActionsNew(0)")->trigger();
    window->findChild<QAction*>("mnuActionsNew(2)")->trigger();
    EXPECT_EQ(shownDialogs.last(), "frmEditDoctor");
    EXPECT_EQ(calls, QStringList({"frmCharges Refresca"}));
    window->CambiaAVista(7, 0);
    calls.clear();
    window->findChild<QAction*>("mnuActionsNew(7)")->trigger();
    EXPECT_EQ(calls, QStringList({"frmEMCodes Insertado"}));

    // A dialog missing from the program opens nothing and accepts nothing.
    const int shown = int(shownDialogs.size());
    window->CambiaAVista(1, 0);
    calls.clear();
    window->ToolbarButton("Nuevo")->trigger();
    EXPECT_EQ(shownDialogs.size(), shown);
    EXPECT_FALSE(Globals().DialogAccepted);
    EXPECT_EQ(Globals().CurrentPatientId, 0);
    EXPECT_TRUE(calls.isEmpty());

    // Entities outside 0-9 have no dialog and clear nothing.
    Globals().CurrentDoctorCode = 5;
    window->NewRecord(10);
    window->NewRecord(-1);
    EXPECT_EQ(shownDialogs.size(), shown);
    EXPECT_EQ(Globals().CurrentDoctorCode, 5);
}

TEST_F(MainWindowTest, PageSetupTakesThePageSizeOnlyWhenAccepted)
{
    window = openMainWindow();
    onDialog = [](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Page Setup");
        return int(QDialog::Rejected);
    };
    action("mnuFilePageSetup")->trigger();
    EXPECT_EQ(shownDialogs, QStringList({"PageSetup"}));
    EXPECT_FLOAT_EQ(Globals().PrintPageWidth, 8.5f);

    onDialog = [](QDialog& dialog) {
        auto* setup = qobject_cast<QPageSetupDialog*>(&dialog);
        EXPECT_NE(setup, nullptr);
        if (setup)
            setup->printer()->setPageSize(QPageSize(QPageSize::Legal));
        return int(QDialog::Accepted);
    };
    action("mnuFilePageSetup")->trigger();
    EXPECT_FLOAT_EQ(Globals().PrintPageWidth, 8.5f);
    EXPECT_FLOAT_EQ(Globals().PrintPageHeight, 14.0f);
}

TEST_F(MainWindowTest, PageSetupWithoutAPrinterOpensOnTheCurrentPageAndKeepsIt)
{
    window = openMainWindow();
    QSizeF opened;
    onDialog = [&opened](QDialog& dialog) {
        auto* setup = qobject_cast<QPageSetupDialog*>(&dialog);
        if (setup)
            opened = setup->printer()->pageLayout().fullRect(QPageLayout::Inch).size();
        return int(QDialog::Accepted);
    };
    action("mnuFilePageSetup")->trigger();
    EXPECT_EQ(opened, QSizeF(8.5, 11));
    EXPECT_FLOAT_EQ(Globals().PrintPageWidth, 8.5f);
    EXPECT_FLOAT_EQ(Globals().PrintPageHeight, 11.0f);
}

TEST_F(MainWindowTest, AboutBoxIsShownModally)
{
    window = openMainWindow();
    action("mnuHelpAbout")->trigger();
    EXPECT_EQ(shownDialogs, QStringList({"frmAbout"}));
}

}  // namespace
