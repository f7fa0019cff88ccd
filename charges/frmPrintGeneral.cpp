#include "frmPrintGeneral.h"

#include "AppGlobals.h"

#include <QGridLayout>
#include <QListWidget>
#include <QPushButton>

frmPrintGeneral::frmPrintGeneral(QWidget* parent) : QDialog(parent)
{
    setObjectName("frmPrintGeneral");
    setWindowTitle("Print");

    List1 = new QListWidget(this);
    List1->setObjectName("List1");
    auto* OKButton = new QPushButton("Print", this);
    OKButton->setObjectName("OKButton");
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &frmPrintGeneral::Print);
    auto* CancelButton = new QPushButton("Cancel", this);
    CancelButton->setObjectName("CancelButton");
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QGridLayout(this);
    layout->addWidget(List1, 0, 0, 3, 1);
    layout->addWidget(OKButton, 0, 1);
    layout->addWidget(CancelButton, 1, 1);
    layout->setRowStretch(2, 1);
    resize(380, 200);

    AppGlobals& globals = Globals();
    globals.PrintChoice = 0;
    setWindowTitle(globals.PrintChoiceTitle);
    // An empty piece ends the list, so a trailing ";" adds no blank entry.
    for (const QString& choice : globals.PrintChoiceList.split(QLatin1Char(';'))) {
        if (choice.isEmpty())
            break;
        List1->addItem(choice);
    }
    List1->setCurrentRow(0);
}

void frmPrintGeneral::Print()
{
    // An empty list has no row: the answer stays 0, as after Cancel.
    Globals().PrintChoice = qint16(List1->currentRow() + 1);
    accept();
}
