#include "frmMain.h"

#include "ChildForm.h"
#include "FormRegistry.h"
#include "ViewTable.h"
#include "frmShorcuts.h"

void frmMain::CambiaAVista(qint16 view, qint16 filter)
{
    if (view == VistaActual && filter == FiltroActual) {
        if (activeChild_)
            activeChild_->update();
        return;
    }
    VistaActual = view;
    FiltroActual = filter;
    openView();
}

void frmMain::ActivaFiltro(qint16 index)
{
    for (QAction* item : std::as_const(filterItems_))
        item->setChecked(false);
    if (QAction* item = CurrentViewItem(index))
        item->setChecked(true);
}

void frmMain::checkGoToItem(qint16 view)
{
    for (QAction* item : std::as_const(goToItems_))
        item->setChecked(false);
    if (QAction* item = GoToItem(view))
        item->setChecked(true);
}

void frmMain::showCommandsOf(qint16 view)
{
    const ViewDefinition& definition = ViewDefinitionFor(view);

    for (const char* name : {"mnuActionsPost", "mnuActionsAdmit", "mnuActionsDischarge"})
        findChild<QAction*>(name)->setVisible(false);
    const QList<QAction*> toolbarActions = toolbar_->actions();
    for (int index = 1; index < toolbarActions.size(); ++index)
        toolbarActions[index]->setVisible(false);
    ToolbarButton("Imprimir")->setVisible(true);

    // "All" always stays; the view's own filters follow.
    for (int filter = 1; filter < filterItems_.size(); ++filter)
        filterItems_[filter]->setVisible(false);
    for (int filter : definition.filterItems)
        filterItems_[filter]->setVisible(true);
    for (const QString& key : definition.toolbarButtons)
        ToolbarButton(key)->setVisible(true);
    for (const QString& name : definition.actionItems)
        findChild<QAction*>(name)->setVisible(true);
}

QWidget* frmMain::childForm(const QString& formName)
{
    if (QWidget* existing = childForms_.value(formName))
        return existing;
    QWidget* created = CreateForm(formName, clientArea_);
    if (created) {
        created->hide();
        childForms_.insert(formName, created);
    }
    return created;
}

void frmMain::openView()
{
    checkGoToItem(VistaActual);
    if (VistaActual >= 9) {
        currentViewMenu_->menuAction()->setVisible(false);
    } else {
        ActivaFiltro(FiltroActual);
        currentViewMenu_->menuAction()->setVisible(true);
    }
    showCommandsOf(VistaActual);

    if (activeChild_) {
        activeChild_->hide();
        activeChild_->removeEventFilter(this);
    }
    const ViewDefinition& definition = ViewDefinitionFor(VistaActual);
    activeChild_ = childForm(definition.formName);
    showChildCaption();
    if (!activeChild_)
        return;  // that view's form is not part of this program (yet)
    activeChild_->installEventFilter(this);
    if (definition.formName == "frmBrowser")
        activeChild_->setProperty("StartAddress", StartAddressFor(VistaActual));
    placeChild(!shortcuts_->isHidden());
    CallChildOperation(activeChild_, "Refresca");
    activeChild_->show();
}

void frmMain::goTo(int view)
{
    if (view != VistaActual) {
        FiltroActual = 0;
        shortcuts_->FuerzaNodeClick(qint16(view), 0);
    }
}

void frmMain::chooseFilter(int filter)
{
    if (filter != FiltroActual)
        shortcuts_->FuerzaNodeClick(VistaActual, qint16(filter));
}
