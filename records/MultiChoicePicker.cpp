#include "MultiChoicePicker.h"

#include "AsisRutinasRecordsets.h"
#include "ListViewRoutines.h"
#include "Messages.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

constexpr int kCodeWidth = 5;
constexpr int kTextWidth = 40;

}  // namespace

MultiChoicePicker::MultiChoicePicker(MultiChoiceParameters parameters, QWidget* parent)
    : QDialog(parent), parameters_(std::move(parameters)), list_(new ListView(this))
{
    setObjectName(parameters_.formName);
    setWindowTitle(parameters_.caption);
    list_->SetCheckBoxes(true);
    list_->AddColumn("Description", "Description", 4320);

    auto* layout = new QVBoxLayout(this);
    if (parameters_.grouped) {
        groupCombo_ = new QComboBox(this);
        groupCombo_->setObjectName(parameters_.groups.comboName);
        layout->addWidget(groupCombo_);
    }
    layout->addWidget(list_);
    auto* okButton = new QPushButton("Ok", this);
    okButton->setObjectName("btnOk");
    okButton->setDefault(true);
    auto* cancelButton = new QPushButton("Cancel", this);
    cancelButton->setObjectName("btnCancel");
    connect(okButton, &QPushButton::clicked, this, &MultiChoicePicker::okClicked);
    connect(cancelButton, &QPushButton::clicked, this, &MultiChoicePicker::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);
    layout->addLayout(buttons);

    load();
    connect(list_, &QTreeWidget::itemChanged, this, &MultiChoicePicker::itemTicked);
    if (groupCombo_)
        connect(groupCombo_, &QComboBox::currentIndexChanged, this, &MultiChoicePicker::showGroup);
}

void MultiChoicePicker::load()
{
    QString error;
    if (OpenRecordset(rows_, parameters_.query, error) != 0) {
        ShowMessage(error);
        rows_.reset();
        return;
    }
    // Every opening starts with nothing ticked, whatever the rows say.
    for (qint32 position = 1; position <= rows_->RecordCount(); ++position) {
        rows_->SetAbsolutePosition(position);
        rows_->SetField("checked", 0);
        rows_->Update();
    }
    if (parameters_.grouped)
        loadGroups();
    else
        FillListView(*list_, *rows_);
}

void MultiChoicePicker::loadGroups()
{
    const PickerGroups& groups = parameters_.groups;
    groupRows_ = groups.reader();
    if (!groupRows_ || groupRows_->RecordCount() == 0)
        return;
    int first = 0;
    {
        const QSignalBlocker blocker(groupCombo_);
        for (groupRows_->MoveFirst(); !groupRows_->EndOfFile(); groupRows_->MoveNext())
            groupCombo_->addItem(groupRows_->Field(groups.shownField).toString());
        const QVariant callerGroup =
            groups.callerGroupProperty.isEmpty() || !parentWidget()
                ? QVariant()
                : parentWidget()->property(groups.callerGroupProperty.toLatin1().constData());
        groupRows_->MoveFirst();
        if (callerGroup.isValid() &&
            groupRows_->Find(groups.codeField + "=" + QString::number(callerGroup.toLongLong())) &&
            !groupRows_->EndOfFile())
            first = groupRows_->AbsolutePosition() - 1;
        groupCombo_->setCurrentIndex(first);
    }
    showGroup(first);
}

void MultiChoicePicker::showGroup(int index)
{
    if (!rows_ || !groupRows_ || !groupRows_->SetAbsolutePosition(index + 1))
        return;
    const QString code = QString::number(groupRows_->Field(parameters_.groups.codeField).toLongLong());
    rows_->SetFilter(parameters_.groups.codeField + "=" + code);
    FillListView(*list_, *rows_);
    ClearListSelection(*list_);
}

void MultiChoicePicker::itemTicked(QTreeWidgetItem* item)
{
    if (!rows_ || !rows_->SetAbsolutePosition(ListItemPosition(ListView::ItemKey(*item))))
        return;
    rows_->SetField("checked", ListView::IsItemChecked(*item) ? 1 : 0);
    rows_->Update();
}

QString MultiChoicePicker::SelectionRecord(const Recordset& row, const std::vector<PickedField>& layout)
{
    QString record;
    for (const PickedField& field : layout) {
        const QVariant value = row.Field(field.field);
        if (field.isCode)
            record += ("00000" + QString::number(value.toLongLong())).right(kCodeWidth);
        else
            record += (value.toString() + QString(kTextWidth, u' ')).left(kTextWidth);
    }
    return record;
}

void MultiChoicePicker::okClicked()
{
    QString selection;
    // Ticked rows of every group count, not only those of the group shown.
    if (rows_ && rows_->SetFilter("checked=1")) {
        for (rows_->MoveFirst(); !rows_->EndOfFile(); rows_->MoveNext())
            selection += SelectionRecord(*rows_, parameters_.record);
    }
    answerCaller(selection);
    accept();
}

void MultiChoicePicker::reject()
{
    answerCaller(QString());
    QDialog::reject();
}

void MultiChoicePicker::answerCaller(const QString& selection)
{
    selection_ = selection;
    if (parentWidget())
        parentWidget()->setProperty("PickedItems", selection);
}
