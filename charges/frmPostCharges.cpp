#include "frmPostCharges.h"

#include "Messages.h"
#include "frmCharges.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>

bool LotNumberFromText(const QString& text, qint32& lot)
{
    // Digits only: a sign, a fraction or "nan" would post under a lot nobody typed, and a
    // negative lot tells the status routine to keep the stored one.
    static const QRegularExpression digits(QStringLiteral("^\\d+$"));
    const QString trimmed = text.trimmed();
    if (!digits.match(trimmed).hasMatch())
        return false;
    bool fits = false;
    const qint32 value = trimmed.toInt(&fits);
    if (!fits || value <= 0)
        return false;
    lot = value;
    return true;
}

frmPostCharges::frmPostCharges(frmCharges& charges, QWidget* parent) : QDialog(parent), charges_(charges)
{
    setObjectName("frmPostCharges");
    setWindowTitle("Post Charges");
    auto* layout = new QGridLayout(this);
    auto* explanation = new QLabel(
        "With this option the previously selected charges will be marked as posted to the insurance company. "
        "The lot number is assigned to each posted charge to group it for batch printing.",
        this);
    explanation->setWordWrap(true);
    layout->addWidget(explanation, 0, 0, 1, 2);
    TxtNumCharges = new QLineEdit(this);
    TxtNumCharges->setObjectName("TxtNumCharges");
    TxtNumCharges->setReadOnly(true);
    layout->addWidget(new QLabel("Number of charges:", this), 1, 0);
    layout->addWidget(TxtNumCharges, 1, 1);
    TxtLotNumber = new QLineEdit(this);
    TxtLotNumber->setObjectName("TxtLotNumber");
    layout->addWidget(new QLabel("Lot number:", this), 2, 0);
    layout->addWidget(TxtLotNumber, 2, 1);
    chkPrint = new QCheckBox(this);
    chkPrint->setObjectName("chkPrint");
    layout->addWidget(new QLabel("Print after post:", this), 3, 0);
    layout->addWidget(chkPrint, 3, 1);
    auto* OKButton = new QPushButton("Post", this);
    OKButton->setObjectName("OKButton");
    OKButton->setDefault(true);
    auto* CancelButton = new QPushButton("Cancel", this);
    CancelButton->setObjectName("CancelButton");
    layout->addWidget(OKButton, 4, 0);
    layout->addWidget(CancelButton, 4, 1);
    connect(OKButton, &QPushButton::clicked, this, &frmPostCharges::OKButtonClick);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);

    chkPrint->setChecked(true);
    TxtLotNumber->setText(QString::number(charges_.PostLotNumber));
    TxtNumCharges->setText(QString::number(charges_.ChargesToPost));
    charges_.ChargesToPost = 0;
}

void frmPostCharges::OKButtonClick()
{
    qint32 lot = 0;
    if (!LotNumberFromText(TxtLotNumber->text(), lot)) {
        ShowMessage("The lot number must be a whole number from 1 to 2147483647.");
        TxtLotNumber->setFocus();
        TxtLotNumber->selectAll();
        return;
    }
    charges_.PostLotNumber = lot;
    charges_.ChargesToPost = TxtNumCharges->text().toInt();
    charges_.PrintAfterPost = chkPrint->isChecked() ? 1 : 0;
    accept();
}
