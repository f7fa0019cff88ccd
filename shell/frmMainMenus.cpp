#include "frmMain.h"

#include "PrinterIcon.h"
#include "ViewTable.h"

#include <QApplication>
#include <QDate>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QStyle>
#include <QTime>
#include <QTimer>
#include <QToolButton>

namespace {

QString indexedName(const char* name, int index)
{
    return QStringLiteral("%1(%2)").arg(name).arg(index);
}

}  // namespace

QMenu* frmMain::addMenu(const char* name, const QString& caption)
{
    QMenu* menu = menuBar()->addMenu(caption);
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(name);
    return menu;
}

QAction* frmMain::addItem(QMenu* menu, const char* name, const QString& caption)
{
    QAction* item = menu->addAction(caption);
    item->setObjectName(name);
    return item;
}

QAction* frmMain::addSeparator(QMenu* menu, const char* name)
{
    QAction* separator = menu->addSeparator();
    separator->setObjectName(name);
    return separator;
}

void frmMain::buildMenus()
{
    buildFileMenu();
    buildEditMenu();
    buildViewMenu();

    QMenu* tools = addMenu("mnuTools", "&Tools");
    connect(addItem(tools, "mnuToolsArchive", "&Archive Charges..."), &QAction::triggered, this,
            &frmMain::archiveCharges);

    buildActionsMenu();

    QMenu* help = addMenu("mnuHelp", "H&elp");
    addItem(help, "mnuHelpContents", "&Content")->setVisible(false);
    addItem(help, "mnuHelpSearch", "&Search for Help about...")->setVisible(false);
    addSeparator(help, "mnuHelpBar0");
    connect(addItem(help, "mnuHelpAbout", "&About Vantora PC"), &QAction::triggered, this, &frmMain::showAbout);
}

void frmMain::buildFileMenu()
{
    QMenu* file = addMenu("mnuFile", "&File");
    // Items the program never offers stay hidden.
    for (QAction* hidden : {addItem(file, "mnuFileNew", "Ne&w"), addItem(file, "mnuFileOpen", "&Open..."),
                            addItem(file, "mnuFileClose", "&Close"), addSeparator(file, "mnuFileBar0"),
                            addItem(file, "mnuFileProperties", "&Properties"), addSeparator(file, "mnuFileBar1")})
        hidden->setVisible(false);
    connect(addItem(file, "mnuFilePageSetup", "Page set&up"), &QAction::triggered, this, &frmMain::pageSetup);
    addItem(file, "mnuFilePrintPreview", "Print Pre&view")->setVisible(false);
    connect(addItem(file, "mnuFilePrint", "P&rint..."), &QAction::triggered, this,
            [this] { callOnActiveChild("Imprimir"); });
    addSeparator(file, "mnuFileBar2");
    connect(addItem(file, "mnuFileExit", "Ex&it"), &QAction::triggered, this, &QWidget::close);
}

void frmMain::buildEditMenu()
{
    QMenu* edit = addMenu("mnuEdit", "&Edit");
    addItem(edit, "mnuEditUndo", "&Undo");
    addSeparator(edit, "mnuEditBar0");
    addItem(edit, "mnuEditCut", "Cu&t");
    addItem(edit, "mnuEditCopy", "&Copy");
    addItem(edit, "mnuEditPaste", "&Paste");
    edit->menuAction()->setVisible(false);
}

void frmMain::buildViewMenu()
{
    QMenu* view = addMenu("mnuView", "&View");

    currentViewMenu_ = view->addMenu("Current View");
    currentViewMenu_->setObjectName("mnuViewCurrentView");
    currentViewMenu_->menuAction()->setObjectName("mnuViewCurrentView");
    for (int filter = 0; filter < kFilterCount; ++filter) {
        QAction* item = currentViewMenu_->addAction(FilterCaption(filter));
        item->setObjectName(indexedName("mnuCurrentViewFilter", filter));
        item->setCheckable(true);
        connect(item, &QAction::triggered, this, [this, item, filter] {
            item->setChecked(!item->isChecked());  // the marks follow the view, not the click
            chooseFilter(filter);
        });
        filterItems_.append(item);
    }
    filterItems_.first()->setChecked(true);

    goToMenu_ = view->addMenu("Go To");
    goToMenu_->setObjectName("mnuGoTo0");
    goToMenu_->menuAction()->setObjectName("mnuGoTo0");
    for (int target = 0; target < kViewCount; ++target) {
        QAction* item = goToMenu_->addAction(GoToCaption(target));
        item->setObjectName(indexedName("mnuGoTo", target));
        item->setCheckable(true);
        connect(item, &QAction::triggered, this, [this, item, target] {
            item->setChecked(!item->isChecked());
            goTo(target);
        });
        goToItems_.append(item);
    }
    goToItems_[11]->setVisible(false);

    QAction* toolbar = addItem(view, "mnuViewToolbar", "&Toolbar");
    QAction* statusBarItem = addItem(view, "mnuViewStatusBar", "&Status Bar");
    QAction* shortcuts = addItem(view, "mnuViewShortcuts", "S&hortcuts");
    for (QAction* item : {toolbar, statusBarItem, shortcuts}) {
        item->setCheckable(true);
        item->setChecked(true);
    }
    // The items keep their own check marks: each handler sets them from the new state.
    connect(toolbar, &QAction::triggered, this, [this, toolbar] { toggleBar(toolbar_, toolbar); });
    connect(statusBarItem, &QAction::triggered, this, [this, statusBarItem] { toggleBar(statusBar(), statusBarItem); });
    connect(shortcuts, &QAction::triggered, this, &frmMain::toggleShortcuts);
    addSeparator(view, "mnuViewBar0");
    connect(addItem(view, "mnuViewRefresh", "&Refresh"), &QAction::triggered, this,
            [this] { callOnActiveChild("Refresca"); });
}

void frmMain::buildActionsMenu()
{
    QMenu* actions = addMenu("mnuActions", "&Actions");
    connect(addItem(actions, "mnuActionsPost", "Post..."), &QAction::triggered, this,
            [this] { callOnActiveChild("Post"); });
    connect(addItem(actions, "mnuActionsAdmit", "&Admit"), &QAction::triggered, this,
            [this] { callOnActiveChild("Admit"); });
    connect(addItem(actions, "mnuActionsDischarge", "&Discharge"), &QAction::triggered, this,
            [this] { callOnActiveChild("Discharge"); });
    addSeparator(actions, "mnuActionsBar0");
    for (int entity = 0; entity < kEntityCount; ++entity) {
        QAction* item = actions->addAction(EntityDefinitionFor(entity).actionCaption);
        item->setObjectName(indexedName("mnuActionsNew", entity));
        connect(item, &QAction::triggered, this, [this, entity] { newRecordItem(entity); });
    }
}

QAction* frmMain::addButton(const QString& key, const QString& caption, const QString& tooltip)
{
    QAction* button = caption.isEmpty() ? toolbar_->addSeparator() : toolbar_->addAction(caption);
    button->setObjectName(key);
    if (!caption.isEmpty()) {
        if (!tooltip.isEmpty())
            button->setToolTip(tooltip);
        connect(button, &QAction::triggered, this, [this, key] { toolbarButtonClicked(key); });
    }
    buttons_.insert(key, button);
    return button;
}

void frmMain::buildToolbar()
{
    toolbar_ = addToolBar("Toolbar");
    toolbar_->setObjectName("tbToolBar");
    toolbar_->setMovable(false);
    toolbar_->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);

    QAction* nuevo = addButton("Nuevo", "     New     ", "New");
    auto* dropDown = new QMenu(this);
    dropDown->setObjectName("NuevoMenu");
    for (int entity = 0; entity < kEntityCount; ++entity) {
        const EntityDefinition& definition = EntityDefinitionFor(entity);
        QAction* entry = dropDown->addAction(definition.dropDownCaption);
        entry->setObjectName(definition.dropDownKey);
        connect(entry, &QAction::triggered, this, [this, entity] { NewRecord(qint16(entity)); });
    }
    nuevo->setMenu(dropDown);
    if (auto* button = qobject_cast<QToolButton*>(toolbar_->widgetForAction(nuevo)))
        button->setPopupMode(QToolButton::MenuButtonPopup);

    addButton("SepPrint", "", "");
    addButton("Imprimir", "Print", "Print");
    addButton("SepDelete", "", "");
    addButton("Eliminar", "Delete", "");
    addButton("SepApprove", "", "");
    addButton("Post", "Post...", "Post Charges");
    addButton("SepAdmit", "", "");
    addButton("Admit", "Admit...", "Admit Patient");
    addButton("Discharge", "Discharge", "Discharge Patient");
    addButton("SepBrowser", "", "");
    addButton("Back", "Back", "");
    addButton("Fordward", "Fordward", "");
    addButton("Stop", "Stop", "");
    addButton("Refresh", "Refresh", "");
    addButton("Home", "Home", "");
    addButton("Merge", "Merge", "Merge Patient info");

    const QHash<QString, QStyle::StandardPixmap> pictures = {
        {"Nuevo", QStyle::SP_FileIcon},           {"Eliminar", QStyle::SP_TrashIcon},
        {"Post", QStyle::SP_DialogApplyButton},
        {"Admit", QStyle::SP_ArrowRight},         {"Discharge", QStyle::SP_ArrowLeft},
        {"Back", QStyle::SP_ArrowBack},           {"Fordward", QStyle::SP_ArrowForward},
        {"Stop", QStyle::SP_BrowserStop},         {"Refresh", QStyle::SP_BrowserReload},
        {"Home", QStyle::SP_DirHomeIcon},         {"Merge", QStyle::SP_FileDialogContentsView}};
    for (auto picture = pictures.cbegin(); picture != pictures.cend(); ++picture)
        buttons_.value(picture.key())->setIcon(style()->standardIcon(picture.value()));
    buttons_.value("Imprimir")->setIcon(PrinterIcon());
}

void frmMain::buildStatusBar()
{
    QStatusBar* bar = statusBar();
    bar->setObjectName("sbStatusBar");
    auto* textPanel = new QLabel(bar);
    textPanel->setObjectName("Panel1");
    datePanel_ = new QLabel(bar);
    datePanel_->setObjectName("Panel2");
    timePanel_ = new QLabel(bar);
    timePanel_->setObjectName("Panel3");
    bar->addWidget(textPanel, 1);
    bar->addPermanentWidget(datePanel_);
    bar->addPermanentWidget(timePanel_);
    auto* clock = new QTimer(this);
    clock->setObjectName("StatusClock");
    connect(clock, &QTimer::timeout, this, &frmMain::updateClock);
    clock->start(1000);
    updateClock();
}

void frmMain::updateClock()
{
    datePanel_->setText(QDate::currentDate().toString(u"MM/dd/yyyy"));
    timePanel_->setText(QTime::currentTime().toString(u"HH:mm"));
}
