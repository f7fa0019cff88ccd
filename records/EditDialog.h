#pragma once
#include "ListForm.h"
#include "Recordset.h"
#include "StoredState.h"

#include <QComboBox>
#include <QDialog>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QString>
#include <QtGlobal>

#include <functional>
#include <vector>

// The base of every edit dialog. A dialog derives from EditDialog with its caption, its
// current-code global and its Get routine; its constructor adds its controls in reading order
// (addNameBox first, then addTextBox, addComboBox, addLookup, or its own widgets in Fields()),
// then calls Load() as its last statement. It implements showRecord (an existing record's row
// into the controls) and insertRecord / updateRecord (the controls through the data routines;
// lookupCode gives the code of a lookup combo's entry; updateRecord hands loadedState() to the
// Update routine, which refuses to write over a record another writer changed since it was
// shown).
//
// The dialog opens with the focus in its first field; Tab goes through the fields, then Ok
// and Cancel. The caller sets the current-code global (0 = new) and shows the dialog modally.
// OK refuses a record whose name is empty; otherwise it stores the record (Insert leaves the
// new code in the global), sets DialogAccepted and closes; a failed write shows its text and
// the dialog stays open. Cancel, Escape and the close box set DialogAccepted false. A dialog
// whose Load stopped closes as soon as it is shown.

// A drop-down list filled from a lookup recordset in query order: entry i is row i + 1.
struct Lookup {
    QString query;                          // opened with OpenRecordset ...
    std::function<RecordsetPtr()> reader;   // ... or read by a data routine instead
    QComboBox* combo = nullptr;
    QString shownField;
    QString codeField;                      // in the lookup and in the edited record
    QString emptyMessage;                   // "You have to define ... first!"
};

struct EditDialogParameters {
    QString formName;
    QString caption;
    CodeGlobal currentCode;
    std::function<RecordsetPtr(qint32 code)> readRecord;  // the Get routine
    std::function<StoredRecord(qint32 code)> storedRecord;  // what the Update routine compares
};

class EditDialog : public QDialog {
    Q_OBJECT
public:
    EditDialog(EditDialogParameters parameters, QWidget* parent);

    // True while Load runs, and after a Load that stopped.
    bool CloseOnActivate() const { return closeOnActivate_; }

public slots:
    void reject() override;

protected:
    // The text box of the record's name or description, which OK refuses empty.
    QLineEdit* addNameBox(const QString& label, const QString& name);
    // A labelled text box or drop-down list in the next row of the fields.
    QLineEdit* addTextBox(const QString& label, const QString& name);
    QComboBox* addComboBox(const QString& label, const QString& name);
    // A lookup for a combo, opened at Load in the order added.
    void addLookup(Lookup lookup);
    QFormLayout& Fields() const { return *fields_; }

    // Runs the load; call it at the end of the derived constructor.
    void Load();

    // Copies the edited record's row into the controls; false stops the load (the dialog
    // has shown why).
    virtual bool showRecord(const Recordset& row) = 0;
    // Prepares the controls for a new record: empties the text boxes (lookups stay on their
    // first entry); false stops the load.
    virtual bool showNewRecord();
    virtual qint16 insertRecord(QString& error) = 0;
    virtual qint16 updateRecord(QString& error) = 0;

    // The code of the row a lookup combo shows (lookups counted from 0 in the order added).
    QVariant lookupCode(int lookup) const;
    qint32 currentCode() const { return parameters_.currentCode.read(); }
    // The edited record as read before it was shown, for the Update routine.
    const StoredState& loadedState() const { return loaded_; }

    void showEvent(QShowEvent* event) override;

private:
    void putFieldsFirst();
    bool openLookups();
    void fillLookups();
    void selectLookupEntries(const Recordset& row);
    void okClicked();

    EditDialogParameters parameters_;
    QPushButton* okButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QFormLayout* fields_ = nullptr;
    QLineEdit* nameBox_ = nullptr;
    QString nameCaption_;  // its label without the colon
    std::vector<QLineEdit*> textBoxes_;
    std::vector<Lookup> lookups_;
    std::vector<RecordsetPtr> lookupRows_;
    bool closeOnActivate_ = true;
    StoredState loaded_;
};

// Refuses an empty (or blank) text with a message and puts the focus back into its box, its
// text selected; false when the text is there.
bool RefusedEmpty(QLineEdit& box, const QString& what);
