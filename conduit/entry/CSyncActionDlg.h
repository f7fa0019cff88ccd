#pragma once
// The HotSync action dialog: which action the next HotSyncs take, and with which databases.
#include <QDialog>
#include <QString>

class QCheckBox;
class QLineEdit;
class QRadioButton;

class CSyncActionDlg : public QDialog {
    Q_OBJECT
public:
    // Radio indexes and the action codes they stand for.
    static int actionOfRadio(int radioIndex);
    // The radio preset for a current action.
    static int radioOfAction(int action);

    explicit CSyncActionDlg(QWidget* parent = nullptr);

    // Data exchange: filled before the dialog is shown, read after OK.
    bool setAsDefault = false;
    int radioIndex = 0;
    QString accessDatabase;
    QString systemDatabase;
    QString applicationName;

    int exec() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void accept() override;

    QRadioButton* radios_[3];
    QCheckBox* setAsDefaultBox_;
    QLineEdit* applicationField_;
    QLineEdit* accessDatabaseField_;
    QLineEdit* systemDatabaseField_;
};
