#include "EditDialog.h"

#include "AsisRutinasRecordsets.h"
#include "Messages.h"

#include <QMetaObject>
#include <QPushButton>
#include <QVBoxLayout>

EditDialog::EditDialog(EditDialogParameters parameters, QWidget* parent)
    : QDialog(parent), parameters_(std::move(parameters)), fields_(new QFormLayout)
{
    setObjectName(parameters_.formName);
    setWindowTitle(parameters_.caption);
    okButton_ = new QPushButton("Ok", this);
    okButton_->setObjectName("btnOk");
    okButton_->setDefault(true);
    cancelButton_ = new QPushButton("Cancel", this);
    cancelButton_->setObjectName("btnCancel");
    connect(okButton_, &QPushButton::clicked, this, &EditDialog::okClicked);
    connect(cancelButton_, &QPushButton::clicked, this, &EditDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton_);
    buttons->addWidget(cancelButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields_);
    layout->addStretch();
    layout->addLayout(buttons);
}

// The buttons are made before the fields a derived dialog adds: left so, they would take the
// focus, and the first blank typed would press Ok.
void EditDialog::putFieldsFirst()
{
    QWidget* lastField = previousInFocusChain();
    while (lastField != this &&
           (lastField == okButton_ || lastField == cancelButton_ || !(lastField->focusPolicy() & Qt::TabFocus)))
        lastField = lastField->previousInFocusChain();
    if (lastField == this)
        return;
    setTabOrder(lastField, okButton_);
    setTabOrder(okButton_, cancelButton_);
    if (QLayoutItem* first = fields_->itemAt(0, QFormLayout::FieldRole); first && first->widget())
        first->widget()->setFocus();
}

QLineEdit* EditDialog::addNameBox(const QString& label, const QString& name)
{
    nameBox_ = addTextBox(label, name);
    nameCaption_ = QString(label).remove(':');
    return nameBox_;
}

QLineEdit* EditDialog::addTextBox(const QString& label, const QString& name)
{
    auto* textBox = new QLineEdit(this);
    textBox->setObjectName(name);
    fields_->addRow(label, textBox);
    textBoxes_.push_back(textBox);
    return textBox;
}

QComboBox* EditDialog::addComboBox(const QString& label, const QString& name)
{
    auto* combo = new QComboBox(this);
    combo->setObjectName(name);
    fields_->addRow(label, combo);
    return combo;
}

void EditDialog::addLookup(Lookup lookup)
{
    lookups_.push_back(std::move(lookup));
}

void EditDialog::Load()
{
    putFieldsFirst();
    closeOnActivate_ = true;
    if (!openLookups())
        return;
    fillLookups();
    if (currentCode() != 0) {
        // Read before the row is shown: a change made after it is seen by the Update routine.
        QString error;
        if (!loaded_.Read(parameters_.storedRecord(currentCode()), error)) {
            ShowMessage(error);
            return;
        }
        const RecordsetPtr row = parameters_.readRecord(currentCode());
        if (!row || row->RecordCount() == 0) {
            ShowMessage("Record not found.  Please report this error!");
            return;
        }
        row->MoveFirst();
        if (!showRecord(*row))
            return;
        selectLookupEntries(*row);
    } else if (!showNewRecord()) {
        return;
    }
    closeOnActivate_ = false;
}

bool EditDialog::openLookups()
{
    lookupRows_.clear();
    for (const Lookup& lookup : lookups_) {
        RecordsetPtr rows;
        if (lookup.reader) {
            rows = lookup.reader();
            if (!rows)
                return false;  // the data routine has shown its error
        } else {
            QString error;
            if (OpenRecordset(rows, lookup.query, error) != 0) {
                ShowMessage(error);
                return false;
            }
        }
        if (rows->RecordCount() == 0) {
            ShowMessage(lookup.emptyMessage);
            return false;
        }
        lookupRows_.push_back(rows);
    }
    return true;
}

void EditDialog::fillLookups()
{
    for (std::size_t index = 0; index < lookups_.size(); ++index) {
        QComboBox& combo = *lookups_[index].combo;
        Recordset& rows = *lookupRows_[index];
        combo.clear();
        for (rows.MoveFirst(); !rows.EndOfFile(); rows.MoveNext())
            combo.addItem(rows.Field(lookups_[index].shownField).toString());
        combo.setCurrentIndex(0);
    }
}

void EditDialog::selectLookupEntries(const Recordset& row)
{
    for (std::size_t index = 0; index < lookups_.size(); ++index) {
        const Lookup& lookup = lookups_[index];
        Recordset& rows = *lookupRows_[index];
        const QVariant code = row.Field(lookup.codeField);
        rows.MoveFirst();
        // A code missing from the lookup (or Null) leaves the first entry selected.
        if (code.isValid() && rows.Find(lookup.codeField + " = " + QString::number(code.toLongLong())) &&
            !rows.EndOfFile())
            lookup.combo->setCurrentIndex(rows.AbsolutePosition() - 1);
    }
}

bool EditDialog::showNewRecord()
{
    for (QLineEdit* textBox : textBoxes_)
        textBox->clear();
    return true;
}

QVariant EditDialog::lookupCode(int lookup) const
{
    Recordset& rows = *lookupRows_.at(std::size_t(lookup));
    rows.SetAbsolutePosition(lookups_.at(std::size_t(lookup)).combo->currentIndex() + 1);
    return rows.Field(lookups_.at(std::size_t(lookup)).codeField);
}

void EditDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (closeOnActivate_)
        QMetaObject::invokeMethod(this, &EditDialog::reject, Qt::QueuedConnection);
}

void EditDialog::okClicked()
{
    if (closeOnActivate_)
        return;  // nothing was loaded to store
    if (nameBox_ && RefusedEmpty(*nameBox_, nameCaption_))
        return;
    QString error;
    const bool newRecord = currentCode() == 0;
    const qint16 result = newRecord ? insertRecord(error) : updateRecord(error);
    if (newRecord && currentCode() != 0 && result != 0) {
        // Stored in part (a failed detail row): the next OK updates what this dialog stored.
        QString readError;
        if (!loaded_.Read(parameters_.storedRecord(currentCode()), readError))
            ShowMessage(readError);
    }
    if (result != 0) {
        // A code that could not be allocated was reported then, and leaves no text here.
        if (!error.isEmpty())
            ShowMessage(error);
        return;
    }
    Globals().DialogAccepted = true;
    accept();
}

void EditDialog::reject()
{
    // Every way of closing without OK answers "not stored", so no caller acts on the
    // answer of an earlier dialog.
    Globals().DialogAccepted = false;
    QDialog::reject();
}

bool RefusedEmpty(QLineEdit& box, const QString& what)
{
    if (!box.text().trimmed().isEmpty())
        return false;
    ShowMessage("You have to type the " + what + " first!");
    box.setFocus();
    box.selectAll();
    return true;
}
