#include "frmMain.h"

#include "AppGlobals.h"
#include "ChildForm.h"
#include "FormRegistry.h"
#include "ModalDialogs.h"
#include "PrinterPage.h"
#include "ViewTable.h"
#include "frmAbout.h"
#include "frmShorcuts.h"

#include <QPageSetupDialog>

namespace {

// Marks the entity's record as new: its current-code global goes to the "new" value.
void clearCurrentCode(int entity)
{
    AppGlobals& globals = Globals();
    switch (entity) {
    case 0: globals.CurrentChargeDate = QDate(1900, 1, 1); break;
    case 1: globals.CurrentPatientId = 0; break;
    case 2: globals.CurrentDoctorCode = 0; break;
    case 3: globals.CurrentFacilityCode = 0; break;
    case 4: globals.CurrentDiagnosisCode = 0; break;
    case 5: globals.CurrentProcedureCode = 0; break;
    case 6: globals.CurrentInsuranceCode = 0; break;
    case 7: globals.CurrentEMCode = 0; break;
    case 8: globals.CurrentSicknessCode = 0; break;
    case 9: globals.CurrentDiagnosisFamilyCode = 0; break;
    default: break;
    }
}

}  // namespace

void frmMain::NewRecord(qint16 entity)
{
    if (entity < 0 || entity >= kEntityCount)
        return;
    clearCurrentCode(entity);
    // Nothing can be accepted when the entity's dialog is not part of the program.
    if (!ShowDialogByName(EntityDefinitionFor(entity).dialogName, this))
        Globals().DialogAccepted = false;
}

void frmMain::callOnActiveChild(const char* operation)
{
    CallChildOperation(activeChild_, operation);
}

void frmMain::toolbarButtonClicked(const QString& key)
{
    if (key == "Nuevo") {
        NewRecord(VistaActual);
        if (Globals().DialogAccepted)
            callOnActiveChild("Insertado");
    } else if (key == "Back" || key == "Fordward" || key == "Stop" || key == "Refresh" || key == "Home") {
        CallChildOperation(activeChild_, "Accion", key);
    } else {
        callOnActiveChild(key.toLatin1().constData());
    }
}

void frmMain::newRecordItem(int entity)
{
    NewRecord(qint16(entity));
    // The list of the entity follows when it is the one shown.
    if (Globals().DialogAccepted && entity == VistaActual)
        callOnActiveChild(entity == 0 ? "Refresca" : "Insertado");
}

void frmMain::pageSetup()
{
    if (!printer_) {
        // Without a system printer a new one would open on its locale's paper, not on the
        // page the reports use.
        printer_ = std::make_unique<QPrinter>();
        SetPrinterPageSize(*printer_, Globals().PrintPageWidth, Globals().PrintPageHeight);
    }
    QPageSetupDialog dialog(printer_.get(), this);
    dialog.setObjectName("PageSetup");
    dialog.setWindowTitle("Page Setup");
    if (ShowModalDialog(dialog) == QDialog::Accepted)
        PrinterPageSize(*printer_, Globals().PrintPageWidth, Globals().PrintPageHeight);
}

void frmMain::toggleShortcuts()
{
    auto* item = findChild<QAction*>("mnuViewShortcuts");
    if (!shortcuts_->isHidden()) {
        CerrarShortcut();
        return;
    }
    paneShown_ = 1;
    item->setChecked(true);
    shortcuts_->show();
    goToMenu_->menuAction()->setVisible(false);
    if (activeChild_)
        activeChild_->update();
    Layout();
}

void frmMain::CerrarShortcut()
{
    paneShown_ = 0;
    shortcuts_->hide();
    findChild<QAction*>("mnuViewShortcuts")->setChecked(false);
    goToMenu_->menuAction()->setVisible(true);
    Layout();
}

void frmMain::toggleBar(QWidget* bar, QAction* item)
{
    bar->setVisible(bar->isHidden());
    item->setChecked(!bar->isHidden());
}

void frmMain::showAbout()
{
    frmAbout about(this);
    ShowModalDialog(about);
}

void frmMain::archiveCharges()
{
    ShowDialogByName("frmArchiveCharges", this);
    callOnActiveChild("Refresca");
}
