#pragma once
#include "ListForm.h"
#include "ListView.h"
#include "Recordset.h"

#include <QDialog>
#include <QString>

#include <functional>
#include <vector>

// The base of the dialogs that pick one row of a list. A picker derives from it with its
// query, columns, preselection and result globals. The caller puts the code to preselect into
// the picker's global, shows it modally and reads the global afterwards: the chosen row's
// code, or 0 after Cancel (or the close box). A double-clicked row is chosen as OK chooses it.
struct SingleChoiceParameters {
    QString formName;
    QString caption;
    std::function<QString()> query;  // read when the picker loads
    std::vector<ListColumn> columns;
    QString codeField;               // the preselection is searched by it
    CodeGlobal pickedCode;
    // Further result globals from the chosen row, besides pickedCode.
    std::function<void(const Recordset& row)> takeOtherResults;
    QString nothingSelectedMessage;
};

class SingleChoicePicker : public QDialog {
    Q_OBJECT
public:
    SingleChoicePicker(SingleChoiceParameters parameters, QWidget* parent);

public slots:
    void reject() override;

private:
    void load();
    void okClicked();

    SingleChoiceParameters parameters_;
    ListView* list_ = nullptr;
    RecordsetPtr rows_;
};
