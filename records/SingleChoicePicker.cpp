#include "SingleChoicePicker.h"

#include "AsisRutinasRecordsets.h"
#include "ListViewRoutines.h"
#include "Messages.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

SingleChoicePicker::SingleChoicePicker(SingleChoiceParameters parameters, QWidget* parent)
    : QDialog(parent), parameters_(std::move(parameters)), list_(new ListView(this))
{
    setObjectName(parameters_.formName);
    setWindowTitle(parameters_.caption);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    for (const ListColumn& column : parameters_.columns)
        list_->AddColumn(column.key, column.caption, column.widthTwips);

    auto* okButton = new QPushButton("Ok", this);
    okButton->setObjectName("btnOk");
    okButton->setDefault(true);
    auto* cancelButton = new QPushButton("Cancel", this);
    cancelButton->setObjectName("btnCancel");
    connect(okButton, &QPushButton::clicked, this, &SingleChoicePicker::okClicked);
    connect(cancelButton, &QPushButton::clicked, this, &SingleChoicePicker::reject);
    connect(list_, &QTreeWidget::itemDoubleClicked, this, &SingleChoicePicker::okClicked);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addLayout(buttons);
    load();
}

void SingleChoicePicker::load()
{
    QString error;
    if (OpenRecordset(rows_, parameters_.query(), error) != 0) {
        ShowMessage(error);
        return;
    }
    if (rows_->RecordCount() == 0)
        return;
    FillListView(*list_, *rows_);
    rows_->MoveFirst();
    const QString preselection = parameters_.codeField + " = " + QString::number(parameters_.pickedCode.read());
    if (rows_->Find(preselection) && !rows_->EndOfFile()) {
        if (QTreeWidgetItem* item = list_->FindItem(ListItemKey(rows_->AbsolutePosition()))) {
            list_->setCurrentItem(item);
            list_->scrollToItem(item);
        }
    }
}

void SingleChoicePicker::okClicked()
{
    const QList<QTreeWidgetItem*> selected = list_->selectedItems();
    if (selected.isEmpty() || !rows_ ||
        !rows_->SetAbsolutePosition(ListItemPosition(ListView::ItemKey(*selected.first())))) {
        ShowMessage(parameters_.nothingSelectedMessage);
        return;
    }
    parameters_.pickedCode.write(rows_->Field(parameters_.codeField).toInt());
    if (parameters_.takeOtherResults)
        parameters_.takeOtherResults(*rows_);
    accept();
}

void SingleChoicePicker::reject()
{
    parameters_.pickedCode.write(0);
    QDialog::reject();
}
