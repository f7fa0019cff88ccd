#include "ViewTable.h"

#include <array>

namespace {

const QStringList kListButtons = {"SepDelete", "Eliminar", "SepPrint"};
const QStringList kBrowserButtons = {"SepBrowser", "Back", "Fordward", "Stop", "Refresh", "Home"};

ViewDefinition listView(const char* formName, std::vector<int> filterItems)
{
    return {formName, std::move(filterItems), kListButtons, {}};
}

const std::array<ViewDefinition, kViewCount>& viewTable()
{
    static const std::array<ViewDefinition, kViewCount> views = {
        ViewDefinition{"frmCharges", {4, 5, 13}, {"SepDelete", "Eliminar", "SepPrint", "SepApprove", "Post"},
                       {"mnuActionsPost"}},
        ViewDefinition{"frmPatients", {1, 2, 3, 15, 16, 17, 18},
                       {"SepDelete", "Eliminar", "SepPrint", "SepAdmit", "Admit", "Discharge", "Merge"},
                       {"mnuActionsAdmit", "mnuActionsDischarge"}},
        listView("frmDoctors", {1}),
        listView("frmFacilities", {1}),
        listView("frmDiagnosis", {1}),
        listView("frmProcedures", {1}),
        listView("frmInsurances", {1}),
        listView("frmEMCodes", {6, 7, 8, 9, 14}),
        listView("frmSickness", {10, 11, 12}),
        ViewDefinition{"frmDiagnosisFamilies", {1}, kListButtons, {}},
        ViewDefinition{"frmGeneralInfo", {1}, {}, {}},
        ViewDefinition{"frmBrowser", {}, kBrowserButtons, {}},
        ViewDefinition{"frmBrowser", {}, kBrowserButtons, {}},
    };
    return views;
}

}  // namespace

const ViewDefinition& ViewDefinitionFor(qint16 view)
{
    static const ViewDefinition informationPage{"frmGeneralInfo", {1}, {}, {}};
    if (view < 0 || view >= kViewCount)
        return informationPage;
    return viewTable()[std::size_t(view)];
}

QString GoToCaption(int view)
{
    static const std::array<const char*, kViewCount> captions = {
        "Charges", "Patients", "Doctors", "Facilities", "Diagnosis", "Procedures", "Insurances",
        "Evaluation && Management Concepts", "History Items", "Diagnosis Groups", "Vantora", "Outside Web Page",
        "Kelmion on the Web"};
    return view >= 0 && view < kViewCount ? QString(captions[std::size_t(view)]) : QString();
}

QString FilterCaption(int filter)
{
    static const std::array<const char*, kFilterCount> captions = {
        "All", "Incomplete", "Admitted", "Not Admitted", "Ready", "Posted", "Hospitals", "Board & Care",
        "Extended Care Facilities", "Home", "Allergies", "Medical History", "Surgical History", "Archived",
        "Office", "Duplicated DOB", "Duplicated Names", "Duplicated DOB+Names", "Duplicated Account"};
    return filter >= 0 && filter < kFilterCount ? QString(captions[std::size_t(filter)]) : QString();
}

QString StartAddressFor(qint16 view)
{
    // Addresses under the reserved example domain: the outside company's page and the maker's.
    if (view == 11)
        return "https://partner.example.com/";
    if (view == 12)
        return "https://kelmion.example.com/";
    return QString();
}

const EntityDefinition& EntityDefinitionFor(int entity)
{
    static const std::array<EntityDefinition, kEntityCount> entities = {{
        {"frmEditCharge", "New Charge...", "NewCharge", "New Charge..."},
        {"frmEditPatient", "New Patient...", "NewPatient", "New Patient..."},
        {"frmEditDoctor", "New Doctor...", "NewDoctor", "New Doctor..."},
        {"frmEditFacility", "New Facility...", "NewFacility", "New Facility..."},
        {"frmEditDiagnosis", "New Diagnosis...", "NewDiagnosis", "New Diagnosis..."},
        {"frmEditProcedure", "New Procedure...", "NewProcedure", "New Procedure..."},
        {"frmEditInsurance", "New Insurance...", "NewInsurance", "New Insurance..."},
        {"frmEditEMCode", "New E&M concept...", "NewEMCode", "New EM concept..."},
        {"frmEditSickness", "New History item...", "NewSickness", "New History Item"},
        {"frmEditDiagnosisFamily", "New Diagnosis Group...", "NewDiagnosisFamily", "New Diagnosis Group"},
    }};
    return entities[std::size_t(qBound(0, entity, kEntityCount - 1))];
}
