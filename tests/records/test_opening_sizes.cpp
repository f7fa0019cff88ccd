#include "AppGlobals.h"
#include "ChargesForms.h"
#include "FormRegistry.h"
#include "RecordsTestEnvironment.h"
#include "frmEditFacility.h"

#include <QAbstractButton>
#include <QDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QStyleOptionFrame>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <memory>

namespace {

int textWidth(const QWidget& widget, QString text)
{
    return widget.fontMetrics().horizontalAdvance(text.remove('&'));
}

// The headings of the list's shown columns that are narrower than their text.
QStringList cutHeadings(const QTreeWidget& list)
{
    QStringList cut;
    const QHeaderView& header = *list.header();
    const int margin = 2 * list.style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, &header);
    for (int column = 0; column < header.count(); ++column) {
        const QString heading = list.headerItem()->text(column);
        if (header.sectionSize(column) > 0 && header.sectionSize(column) < textWidth(header, heading) + margin)
            cut << "heading " + heading;
    }
    return cut;
}

// What the dialog cuts at the size it opens with: labels and buttons narrower (or, when
// they wrap, lower) than their text, text boxes narrower than their contents, list headings
// narrower than their text, list columns beyond the list's right edge, lists of fewer than
// four rows.
QStringList cutTexts(const QDialog& dialog)
{
    QStringList cut;
    for (const QLabel* label : dialog.findChildren<QLabel*>()) {
        const bool cutLabel = label->wordWrap() ? label->height() < label->heightForWidth(label->width())
                                                : label->contentsRect().width() < textWidth(*label, label->text());
        if (label->isVisible() && cutLabel)
            cut << "label " + label->text();
    }
    for (const QAbstractButton* button : dialog.findChildren<QAbstractButton*>()) {
        if (button->isVisible() && button->width() < textWidth(*button, button->text()))
            cut << "button " + button->text();
    }
    for (const QLineEdit* box : dialog.findChildren<QLineEdit*>()) {
        QStyleOptionFrame option;
        option.initFrom(box);
        option.lineWidth = box->hasFrame() ? box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, box) : 0;
        const int room = box->style()->subElementRect(QStyle::SE_LineEditContents, &option, box).width() - 4;
        if (box->isVisible() && room < textWidth(*box, box->text()))
            cut << "text box " + box->objectName() + " " + box->text();
    }
    for (const QTreeWidget* list : dialog.findChildren<QTreeWidget*>()) {
        cut << cutHeadings(*list);
        const QHeaderView& header = *list->header();
        int right = 0;
        for (int column = 0; column < header.count(); ++column)
            right = std::max(right, header.sectionViewportPosition(column) + header.sectionSize(column));
        if (right > list->viewport()->width())
            cut << "columns of " + list->objectName() + " beyond its right edge";
        if (list->viewport()->height() < 4 * list->fontMetrics().height())
            cut << "fewer than four rows of " + list->objectName();
    }
    return cut;
}

class OpeningSizesTest : public RecordsTest {};

TEST_F(OpeningSizesTest, EveryDialogOpensShowingItsTextsAndListColumns)
{
    RegisterChargesForms();
    run("INSERT INTO Insurance VALUES (1, 'Crestline Health Plan of the Northern Counties', 'CHP10')");
    run("INSERT INTO Procedures VALUES (1, 'Comprehensive metabolic panel', '80053', '80053-CMP', 0)");
    run("INSERT INTO Sickness VALUES (1, 'Penicillin allergy with anaphylaxis', 0, 0)");
    run("INSERT INTO DiagnosisFamily VALUES (1, 'Diseases of the respiratory system')");
    run("INSERT INTO Diagnosis VALUES (1, 'Chronic obstructive pulmonary disease', 1, 'J44.9', 'J449', 0)");
    run("INSERT INTO Doctors VALUES (1, 'Castellane-Whitmore, Morris', 'D1')");
    run("INSERT INTO Facility VALUES (1, 'Northgate Regional Hospital', 1, 'NRH-IN', 'NRH-OUT')");
    run("INSERT INTO FacilityWards VALUES (1, 1, 'Intensive Care Unit East', 0)");
    run("INSERT INTO Patient (PatientId, Names, DateOfBirth, AccountNumber, InFacilityCode, InWardCode, "
        "InDoctorCode) VALUES (1, 'Vanderhoeven-Montgomery, Bartholomew', '1987-02-26', 'AC1', 0, 0, 0)");
    run("INSERT INTO PatientDoctors VALUES (1, 1, 1, 1)");
    AppGlobals& globals = Globals();
    globals.CurrentInsuranceCode = 1;
    globals.CurrentProcedureCode = 1;
    globals.CurrentSicknessCode = 1;
    globals.CurrentDiagnosisCode = 1;
    globals.CurrentDiagnosisFamilyCode = 1;
    globals.CurrentFacilityCode = 1;
    globals.CurrentPatientId = 1;

    QHash<QString, QStringList> cut;
    onDialog = [&](QDialog& dialog) {
        dialog.show();
        cut.insert(dialog.objectName(), cutTexts(dialog));
        dialog.hide();
        return int(QDialog::Rejected);
    };
    const QStringList dialogs = {"frmEditInsurance", "frmEditProcedure", "frmEditSickness", "frmEditDiagnosis",
                                 "frmEditDiagnosisFamily", "frmEditFacility", "frmPickPatient", "frmPickDoctor",
                                 "frmPickInsurance", "frmAdmitPatient", "frmArchiveCharges"};
    for (const QString& name : dialogs)
        ShowDialogByName(name, nullptr);
    // The ward dialog opens over its facility editor, on the ward chosen there.
    frmEditFacility facilityEditor(nullptr);
    facilityEditor.WardDescription = "Intensive Care Unit East";
    ShowDialogByName("frmEditWard", &facilityEditor);

    EXPECT_EQ(cut.size(), dialogs.size() + 1);
    for (auto dialog = cut.cbegin(); dialog != cut.cend(); ++dialog)
        EXPECT_EQ(dialog.value(), QStringList()) << dialog.key().toStdString();
}

TEST_F(OpeningSizesTest, EveryListOpensWithWholeHeadings)
{
    RegisterChargesForms();
    for (const char* name : {"frmCharges", "frmPatients", "frmDoctors", "frmFacilities", "frmDiagnosis",
                             "frmProcedures", "frmInsurances", "frmEMCodes", "frmSickness", "frmDiagnosisFamilies"}) {
        std::unique_ptr<QWidget> list(CreateForm(name, nullptr));
        ASSERT_NE(list, nullptr) << name;
        EXPECT_EQ(cutHeadings(listOf(*list)), QStringList()) << name;
    }
}

}  // namespace
