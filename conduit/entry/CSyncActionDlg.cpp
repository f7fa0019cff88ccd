#include "CSyncActionDlg.h"

#include "ConduitInterface.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {

struct RadioChoice {
    const char* objectName;
    const char* caption;
    int action;
    QStyle::StandardPixmap icon;
};

const RadioChoice kChoices[3] = {
    {"radioSynchronize", "&Synchronize the files", CONDUIT_SYNC_FAST, QStyle::SP_BrowserReload},
    {"radioDesktopOverwrites", "&Desktop overwrites handheld", CONDUIT_SYNC_DESKTOP_OVERWRITES, QStyle::SP_ArrowRight},
    {"radioDoNothing", "Do &Nothing", CONDUIT_SYNC_DO_NOTHING, QStyle::SP_DialogCancelButton},
};

QLineEdit* pathField(const char* objectName)
{
    auto* field = new QLineEdit;
    field->setObjectName(objectName);
    return field;
}

}  // namespace

int CSyncActionDlg::actionOfRadio(int radioIndex)
{
    return kChoices[radioIndex >= 0 && radioIndex < 3 ? radioIndex : 0].action;
}

int CSyncActionDlg::radioOfAction(int action)
{
    if (action == CONDUIT_SYNC_FAST || action == CONDUIT_SYNC_SLOW)
        return 0;
    return action == CONDUIT_SYNC_DESKTOP_OVERWRITES ? 1 : 2;
}

CSyncActionDlg::CSyncActionDlg(QWidget* parent) : QDialog(parent)
{
    setObjectName("CSyncActionDlg");
    setWindowTitle("Change HotSync Action");
    setFont(QFont("MS Sans Serif", 8));

    auto* actions = new QGroupBox("HotSync Action");
    auto* actionsLayout = new QVBoxLayout(actions);
    for (int i = 0; i < 3; ++i) {
        radios_[i] = new QRadioButton(kChoices[i].caption);
        radios_[i]->setObjectName(kChoices[i].objectName);
        radios_[i]->setIcon(style()->standardIcon(kChoices[i].icon));
        radios_[i]->installEventFilter(this);
        actionsLayout->addWidget(radios_[i]);
    }
    setAsDefaultBox_ = new QCheckBox("Set &as default");
    setAsDefaultBox_->setObjectName("chkSetAsDefault");
    actionsLayout->addWidget(setAsDefaultBox_);

    auto* databases = new QGroupBox("HotSync with ...");
    auto* databasesLayout = new QFormLayout(databases);
    applicationField_ = pathField("txtApplication");
    applicationField_->setEnabled(false);
    accessDatabaseField_ = pathField("txtAccessDatabase");
    systemDatabaseField_ = pathField("txtSystemDatabase");
    databasesLayout->addRow("Application:", applicationField_);
    databasesLayout->addRow("Access Database:", accessDatabaseField_);
    databasesLayout->addRow("System Database:", systemDatabaseField_);

    auto* buttons = new QDialogButtonBox;
    QPushButton* ok = buttons->addButton("OK", QDialogButtonBox::AcceptRole);
    ok->setObjectName("btnOk");
    ok->setDefault(true);
    buttons->addButton("Cancel", QDialogButtonBox::RejectRole)->setObjectName("btnCancel");
    connect(buttons, &QDialogButtonBox::accepted, this, &CSyncActionDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CSyncActionDlg::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(actions);
    layout->addWidget(databases);
    layout->addWidget(buttons);
}

int CSyncActionDlg::exec()
{
    radios_[radioIndex >= 0 && radioIndex < 3 ? radioIndex : 0]->setChecked(true);
    setAsDefaultBox_->setChecked(setAsDefault);
    applicationField_->setText(applicationName);
    accessDatabaseField_->setText(accessDatabase);
    systemDatabaseField_->setText(systemDatabase);
    return QDialog::exec();
}

void CSyncActionDlg::accept()
{
    for (int i = 0; i < 3; ++i)
        if (radios_[i]->isChecked())
            radioIndex = i;
    setAsDefault = setAsDefaultBox_->isChecked();
    accessDatabase = accessDatabaseField_->text();
    systemDatabase = systemDatabaseField_->text();
    QDialog::accept();
}

bool CSyncActionDlg::eventFilter(QObject* watched, QEvent* event)
{
    // A double-click on an action chooses it and closes the dialog as OK does.
    if (event->type() == QEvent::MouseButtonDblClick) {
        if (auto* radio = qobject_cast<QRadioButton*>(watched)) {
            radio->setChecked(true);
            accept();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
