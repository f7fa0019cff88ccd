#include "frmArchiveCharges.h"

#include "AppGlobals.h"
#include "BusyCursor.h"
#include "DatePicker.h"
#include "Messages.h"
#include "VNSQLCharges.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

frmArchiveCharges::frmArchiveCharges(QWidget* parent) : QDialog(parent)
{
    setObjectName("frmArchiveCharges");
    setWindowTitle("Archive Charges");
    auto* layout = new QGridLayout(this);
    auto* explanation = new QLabel(
        "This option mark as archived the charges below the desired date excluding the last charge of the "
        "patient.",
        this);
    explanation->setWordWrap(true);
    layout->addWidget(explanation, 0, 0, 1, 2);
    DTPicker1 = new DatePicker(this);
    DTPicker1->setObjectName("DTPicker1");
    DTPicker1->setDate(QDate(2002, 4, 1));
    layout->addWidget(new QLabel("Archive until:", this), 1, 0);
    layout->addWidget(DTPicker1, 1, 1);
    auto* OKButton = new QPushButton("Archive", this);
    OKButton->setObjectName("OKButton");
    auto* CancelButton = new QPushButton("Cancel", this);
    CancelButton->setObjectName("CancelButton");
    layout->addWidget(OKButton, 2, 0);
    layout->addWidget(CancelButton, 2, 1);
    connect(OKButton, &QPushButton::clicked, this, &frmArchiveCharges::OKButtonClick);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

void frmArchiveCharges::OKButtonClick()
{
    qint32 toArchive = 0;
    QString error;
    qint16 result;
    {
        BusyCursor busy;
        result = ArchiveCharges(DTPicker1->date(), toArchive, Globals().CurrentPatientId, error);
    }
    // Nothing was archived after a failure: the dialog stays open to try again.
    if (result != 0) {
        const QString none = QString("None of the %1 charges to archive was archived.").arg(toArchive);
        ShowMessage(toArchive == 0 ? error : none + "\n\n" + error, MessageButtons::Ok);
        return;
    }
    ShowMessage("Process ended successfully", MessageButtons::Ok);
    accept();
}
