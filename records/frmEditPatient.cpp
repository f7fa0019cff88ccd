#include "frmEditPatient.h"

#include "AsisRutinasRecordsets.h"
#include "FormRegistry.h"
#include "ListViewRoutines.h"
#include "Messages.h"
#include "SubListRows.h"
#include "VNSQLPatients.h"

#include <QDate>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

enum LookupIndex { Insurances, SicknessTypes };

constexpr int kPickedItemLength = 50;

}  // namespace

frmEditPatient::frmEditPatient(QWidget* parent)
    : EditDialog({"frmEditPatient", "Patient", GlobalCode(&AppGlobals::CurrentPatientId),
                  [](qint32 code) { return GetPatient(qint16(code)); },
                  [](qint32 code) { return StoredPatient(qint16(code)); }},
                 parent)
{
    names_ = addNameBox("Names:", "TxtNames");
    dateOfBirth_ = new DatePicker(this);
    dateOfBirth_->setObjectName("DTDOB");
    // Many patients come without a known date of birth.
    dateOfBirth_->setEmptyAllowed(true);
    Fields().addRow("DOB:", dateOfBirth_);
    account_ = addTextBox("Account:", "TxtAccount");
    insurances_ = addComboBox("Insurance:", "CBSeguros");

    auto* history = new QGroupBox("Medical History", this);
    history->setObjectName("Frame1");
    sicknessTypes_ = new QComboBox(history);
    sicknessTypes_->setObjectName("CBSicknessType");
    historyList_ = new ListView(history);
    historyList_->setSelectionMode(QAbstractItemView::SingleSelection);
    historyList_->AddColumn("Description", "Description", 2880);
    auto* addButton = new QPushButton("add", history);
    addButton->setObjectName("Command1");
    auto* removeButton = new QPushButton("del", history);
    removeButton->setObjectName("Command2");
    auto* historyButtons = new QHBoxLayout;
    historyButtons->addWidget(addButton);
    historyButtons->addWidget(removeButton);
    historyButtons->addStretch();
    auto* historyLayout = new QVBoxLayout(history);
    historyLayout->addWidget(sicknessTypes_);
    historyLayout->addWidget(historyList_);
    historyLayout->addLayout(historyButtons);
    Fields().addRow(history);

    connect(sicknessTypes_, &QComboBox::currentIndexChanged, this, &frmEditPatient::showChosenType);
    connect(addButton, &QPushButton::clicked, this, &frmEditPatient::addClicked);
    connect(removeButton, &QPushButton::clicked, this, &frmEditPatient::removeClicked);

    addLookup({"select * from insurance", nullptr, insurances_, "Description", "InsuranceCode",
               "You have to define Insurances First!"});
    addLookup({"select * from SicknessType", nullptr, sicknessTypes_, "Description", "SicknessTypeCode",
               "You have to define Sickness Types First!"});
    Load();
}

bool frmEditPatient::openHistory(qint16 patientId)
{
    QString error;
    if (OpenRecordset(history_, "select * from PatientsHistoryDescriptive Where PatientId=" + QString::number(patientId),
                      error) != 0) {
        ShowMessage(error);
        return false;
    }
    return true;
}

bool frmEditPatient::showRecord(const Recordset& row)
{
    if (!openHistory(qint16(currentCode())))
        return false;
    names_->setText(row.Field("Names").toString());
    account_->setText(row.Field("AccountNumber").toString());
    dateOfBirth_->setDate(row.Field("DateOfBirth").toDate());
    showChosenType();
    return true;
}

bool frmEditPatient::showNewRecord()
{
    EditDialog::showNewRecord();
    dateOfBirth_->setDate(QDate::currentDate());
    if (!openHistory(0))
        return false;
    showChosenType();
    return true;
}

void frmEditPatient::showChosenType()
{
    if (!history_ || sicknessTypes_->currentIndex() < 0)
        return;
    history_->SetFilter("SicknessTypeCode=" + QString::number(lookupCode(SicknessTypes).toInt()));
    FillSubList(*historyList_, *history_);
    ClearListSelection(*historyList_);
}

void frmEditPatient::addClicked()
{
    if (!history_ || sicknessTypes_->currentIndex() < 0)
        return;
    ActiveSicknessType = qint16(lookupCode(SicknessTypes).toInt());
    // Without an answer from the picker, the previous pick must not be added again.
    PickedItems.clear();
    ShowDialogByName("frmPickHistory", this);
    appendPickedItems();
    showChosenType();
}

void frmEditPatient::appendPickedItems()
{
    const qsizetype count = PickedItems.size() / kPickedItemLength;
    for (qsizetype index = 0; index < count; ++index) {
        const QString item = PickedItems.mid(index * kPickedItemLength, kPickedItemLength);
        history_->AddNew();
        history_->SetField("SicknessCode", item.mid(0, 5).toInt());
        history_->SetField("SicknessTypeCode", item.mid(5, 5).toInt());
        history_->SetField("Description", item.mid(10).trimmed());
        history_->SetField("checked", RowAdded);
        history_->Update();
    }
}

void frmEditPatient::removeClicked()
{
    const QList<QTreeWidgetItem*> selected = historyList_->selectedItems();
    if (!history_ || selected.isEmpty())
        return;
    QTreeWidgetItem& item = *selected.first();
    const bool added = history_->SetAbsolutePosition(ListItemPosition(ListView::ItemKey(item))) &&
                       history_->Field("checked").toInt() == RowAdded;
    ToggleRowRemoval(*historyList_, item, *history_);
    // A row added here goes at once and the list is shown afresh, with nothing selected.
    if (added)
        ClearListSelection(*historyList_);
}

qint16 frmEditPatient::chosenInsuranceCode() const
{
    return qint16(lookupCode(Insurances).toInt());
}

PatientHistoryChanges frmEditPatient::historyChanges() const
{
    PatientHistoryChanges changes;
    history_->SetFilter("");
    for (history_->MoveFirst(); !history_->EndOfFile(); history_->MoveNext()) {
        const int state = history_->Field("checked").toInt();
        if (state == RowAdded || state == RowRemoved)
            changes.push_back({qint16(history_->Field("SicknessCode").toInt()),
                               qint16(history_->Field("SicknessTypeCode").toInt()), state == RowRemoved});
    }
    return changes;
}

// The patient row and its history changes are stored together or not at all.
qint16 frmEditPatient::updateRecord(QString& error)
{
    return UpdatePatient(Globals().CurrentPatientId, names_->text(), dateOfBirth_->date(), account_->text(),
                         chosenInsuranceCode(), historyChanges(), loadedState(), error);
}

qint16 frmEditPatient::insertRecord(QString& error)
{
    // The new id reaches CurrentPatientId only once the patient and its history are stored.
    return InsertPatient(Globals().CurrentPatientId, names_->text(), dateOfBirth_->date(), account_->text(),
                         chosenInsuranceCode(), historyChanges(), error);
}
