#include "frmEditWard.h"

#include "AppGlobals.h"
#include "EditDialog.h"
#include "frmEditFacility.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

frmEditWard::frmEditWard(frmEditFacility& facilityEditor) : QDialog(&facilityEditor), facilityEditor_(facilityEditor)
{
    setObjectName("frmEditWard");
    setWindowTitle("Ward");
    description_ = new QLineEdit(this);
    description_->setObjectName("TxtDescription");
    auto* okButton = new QPushButton("Ok", this);
    okButton->setObjectName("btnOk");
    okButton->setDefault(true);
    auto* cancelButton = new QPushButton("Cancel", this);
    cancelButton->setObjectName("btnCancel");
    connect(okButton, &QPushButton::clicked, this, &frmEditWard::okClicked);
    connect(cancelButton, &QPushButton::clicked, this, &frmEditWard::reject);

    auto* fields = new QFormLayout;
    fields->addRow("Description:", description_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttons);

    description_->setText(facilityEditor_.WardDescription);
}

void frmEditWard::okClicked()
{
    if (RefusedEmpty(*description_, "Description"))
        return;
    facilityEditor_.WardDescription = description_->text();
    Globals().DialogAccepted = true;
    accept();
}

void frmEditWard::reject()
{
    facilityEditor_.WardDescription.clear();
    Globals().DialogAccepted = false;
    QDialog::reject();
}
