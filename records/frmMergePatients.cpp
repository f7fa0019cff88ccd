#include "frmMergePatients.h"

#include "AppGlobals.h"
#include "AsisRutinasRecordsets.h"
#include "ListViewRoutines.h"
#include "Messages.h"
#include "Twips.h"
#include "VNSQLPatients.h"
#include "frmPatients.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMetaObject>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kEntryLength = 10;

QString mergeQuery(const QList<qint16>& ids)
{
    QString sql = "SELECT * FROM PatientsDescriptive";
    for (int index = 0; index < ids.size(); ++index)
        sql += (index == 0 ? " Where " : " or ") + QStringLiteral("PatientId = ") + QString::number(ids[index]);
    return sql;
}

}  // namespace

QString MergeListEntry(qint16 patientId)
{
    return ("0000000000" + QString::number(patientId)).right(kEntryLength);
}

QList<qint16> MergeListIds(const QString& mergeList)
{
    QList<qint16> ids;
    for (qsizetype start = 0; start + kEntryLength <= mergeList.size(); start += kEntryLength)
        ids.append(qint16(mergeList.mid(start, kEntryLength).toInt()));
    return ids;
}

frmMergePatients::frmMergePatients(QWidget* parent) : QDialog(parent), list_(new ListView(this))
{
    setObjectName("frmMergePatients");
    setWindowTitle("Merge Patient Info");
    auto* hint = new QLabel("Select destination patient and press merge button.", this);
    hint->setObjectName("Label1");
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    for (const ListColumn& column : PatientListColumns())
        list_->AddColumn(column.key, column.caption, column.widthTwips);
    auto* mergeButton = new QPushButton("Merge", this);
    mergeButton->setObjectName("btnOk");
    auto* cancelButton = new QPushButton("Cancel", this);
    cancelButton->setObjectName("btnCancel");
    connect(mergeButton, &QPushButton::clicked, this, &frmMergePatients::mergeClicked);
    connect(cancelButton, &QPushButton::clicked, this, &frmMergePatients::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(mergeButton);
    buttons->addWidget(cancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(hint);
    layout->addWidget(list_);
    layout->addLayout(buttons);
    resize(TwipsToPixels(11520), TwipsToPixels(5040));
    load();
}

void frmMergePatients::load()
{
    Globals().DialogAccepted = false;
    closeOnActivate_ = true;
    const QList<qint16> ids = MergeListIds(Globals().MergePatientList);
    // Fewer than two ids would open every patient (no criterion) or a single one.
    if (ids.size() >= 2) {
        QString error;
        if (OpenRecordset(patients_, mergeQuery(ids), error) != 0) {
            ShowMessage(error);
            return;
        }
    }
    if (!patients_ || patients_->RecordCount() < 2) {
        ShowMessage("At least two patients need to be selected to proceed with this operation!");
        return;
    }
    FillListView(*list_, *patients_);
    closeOnActivate_ = false;
}

void frmMergePatients::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (closeOnActivate_)
        QMetaObject::invokeMethod(this, &frmMergePatients::reject, Qt::QueuedConnection);
}

void frmMergePatients::mergeClicked()
{
    if (closeOnActivate_)
        return;  // nothing was loaded to merge
    const QList<QTreeWidgetItem*> selected = list_->selectedItems();
    if (!selected.isEmpty() && patients_->SetAbsolutePosition(ListItemPosition(ListView::ItemKey(*selected.first())))) {
        const qint16 target = qint16(patients_->Field("PatientId").toInt());
        for (qint32 row = 1; row <= patients_->RecordCount(); ++row) {
            patients_->SetAbsolutePosition(row);
            const qint16 source = qint16(patients_->Field("PatientId").toInt());
            if (source == target)
                continue;
            QString error;
            if (MovePatientCharges(target, source, error) >= 1)
                ShowMessage(patients_->Field("Names").toString() + " : " + error);
        }
    }
    Globals().DialogAccepted = true;
    accept();
}

void frmMergePatients::reject()
{
    Globals().DialogAccepted = false;
    QDialog::reject();
}
