#pragma once
#include "ListView.h"
#include "Recordset.h"

#include <QComboBox>
#include <QDialog>
#include <QString>

#include <functional>
#include <vector>

// The base of the dialogs that tick any number of rows, shown one group at a time when the
// rows have groups. The caller shows the picker with itself as parent; OK stores the ticked
// rows of every group as the selection string in the caller's `PickedItems` property, Cancel
// (or the close box) stores "". Ticks live in the rows' `checked` field, in memory only.
struct PickedField {
    QString field;
    bool isCode = true;  // a code: 5 digits, zero-filled; a text: 40 characters, blank-filled
};

struct PickerGroups {
    QString comboName;
    std::function<RecordsetPtr()> reader;  // null after a failure it has shown
    QString shownField;
    QString codeField;  // in the groups and in the rows
    // The caller's property naming the group to show first; "" shows the first group.
    QString callerGroupProperty;
};

struct MultiChoiceParameters {
    QString formName;
    QString caption;
    QString query;
    std::vector<PickedField> record;
    bool grouped = false;
    PickerGroups groups;
};

class MultiChoicePicker : public QDialog {
    Q_OBJECT
public:
    MultiChoicePicker(MultiChoiceParameters parameters, QWidget* parent);

    // The selection OK stored last ("" before, and after Cancel).
    const QString& PickSelection() const { return selection_; }

    // One record of a selection string from the current row.
    static QString SelectionRecord(const Recordset& row, const std::vector<PickedField>& layout);

public slots:
    void reject() override;

private:
    void load();
    void loadGroups();
    void showGroup(int index);
    void itemTicked(QTreeWidgetItem* item);
    void okClicked();
    void answerCaller(const QString& selection);

    MultiChoiceParameters parameters_;
    ListView* list_ = nullptr;
    QComboBox* groupCombo_ = nullptr;
    RecordsetPtr rows_;
    RecordsetPtr groupRows_;
    QString selection_;
};
