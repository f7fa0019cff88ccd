#pragma once
#include "ChargesTestEnvironment.h"

#include "AppGlobals.h"
#include "ListView.h"

#include <QComboBox>
#include <QDialog>
#include <QPushButton>
#include <QToolButton>
#include <QTreeWidgetItem>

// The charge editor over the small practice, with stand-ins for the pickers it opens by name:
// the patient picker answers `pickedPatient` (after noting what it was handed), the diagnosis
// and procedure pickers leave `pickedDiagnoses` / `pickedProcedures` in the editor's
// PickedItems, as the real pickers do.
class ChargeEditorTest : public ChargesTest {
protected:
    void SetUp() override
    {
        ChargesTest::SetUp();
        arrangeSmallPractice();
        for (const char* picker : {"frmPickPatient", "frmPickDiagnosis", "frmPickProcedures"})
            registerStandInDialog(picker);
        onDialog = [this](QDialog& dialog) { return answerPicker(dialog); };
    }

    static void startNewCharge(qint16 patientId)
    {
        Globals().CurrentPatientId = patientId;
        Globals().CurrentChargeDate = QDate(1900, 1, 1);
        Globals().CurrentChargeTime = QTime(10, 11, 12);
    }

    static void startStoredCharge(qint16 patientId, const QDate& date, const QTime& time)
    {
        Globals().CurrentPatientId = patientId;
        Globals().CurrentChargeDate = date;
        Globals().CurrentChargeTime = time;
    }

    // One record of a multi-choice picker's answer: 5-digit code, 40-character description.
    static QString pickedRecord(int code, const QString& description)
    {
        return QString("%1").arg(code, 5, 10, QLatin1Char('0')) + description.leftJustified(40, QLatin1Char(' '), true);
    }

    static QStringList entries(const QDialog& dialog, const char* list)
    {
        QStringList texts;
        auto* combo = dialog.findChild<QComboBox*>(list);
        for (int index = 0; index < combo->count(); ++index)
            texts << combo->itemText(index);
        return texts;
    }

    static QString shown(const QDialog& dialog, const char* list)
    {
        return dialog.findChild<QComboBox*>(list)->currentText();
    }

    static void choose(const QDialog& dialog, const char* list, const QString& entry)
    {
        auto* combo = dialog.findChild<QComboBox*>(list);
        const int index = combo->findText(entry);
        ASSERT_GE(index, 0) << entry.toStdString();
        combo->setCurrentIndex(index);
    }

    static QStringList items(const QDialog& dialog, const char* list)
    {
        QStringList texts;
        auto* view = dialog.findChild<ListView*>(list);
        for (int index = 0; index < view->topLevelItemCount(); ++index)
            texts << view->topLevelItem(index)->text(0);
        return texts;
    }

    static int selectedItemCount(const QDialog& dialog, const char* list)
    {
        return int(dialog.findChild<ListView*>(list)->selectedItems().size());
    }

    static void selectItem(const QDialog& dialog, const char* list, const QString& text)
    {
        auto* view = dialog.findChild<ListView*>(list);
        const QList<QTreeWidgetItem*> found = view->findItems(text, Qt::MatchExactly, 0);
        ASSERT_EQ(found.size(), 1) << text.toStdString();
        view->clearSelection();
        view->setCurrentItem(found.first());
    }

    static void click(const QDialog& dialog, const char* button)
    {
        dialog.findChild<QAbstractButton*>(button)->click();
    }

    // Picks with the diagnosis picker: "add" of the diagnosis frame.
    void addDiagnoses(const QDialog& dialog, const QString& records)
    {
        pickedDiagnoses = records;
        click(dialog, "Command1");
    }

    void addProcedures(const QDialog& dialog, const QString& records)
    {
        pickedProcedures = records;
        click(dialog, "Command4");
    }

    QString pickedDiagnoses;
    QString pickedProcedures;
    qint16 pickedPatient = 0;
    // What the patient picker was handed: PickPatientScope, PickPatientFacilityCode, PickedPatientId.
    QList<int> patientPickerInput;

private:
    int answerPicker(QDialog& dialog)
    {
        const QString name = dialog.objectName();
        if (name == "frmPickPatient") {
            patientPickerInput = {Globals().PickPatientScope, Globals().PickPatientFacilityCode,
                                  Globals().PickedPatientId};
            Globals().PickedPatientId = pickedPatient;
        } else if (name == "frmPickDiagnosis") {
            dialog.parentWidget()->setProperty("PickedItems", pickedDiagnoses);
        } else if (name == "frmPickProcedures") {
            dialog.parentWidget()->setProperty("PickedItems", pickedProcedures);
        }
        return int(QDialog::Accepted);
    }
};
