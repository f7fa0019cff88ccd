#include "DemoCatalog.h"

namespace practicedb {

const DemoCatalog& demoCatalog()
{
    static const DemoCatalog catalog = {
        // Doctors; the last one still lacks a billing code.
        {
            {"Brightwater, Elena", "BD1021"},
            {"Castellane, Morris", "BD1034"},
            {"Dunmore, Priya", "BD1047"},
            {"Fairholm, Tobias", "BD1052"},
            {"Galloway, Renata", "BD1068"},
            {"Hollister, Amadou", "BD1073"},
            {"Kestrel, Ingrid", "BD1089"},
            {"Lindqvist, Oren", ""},
        },
        {{1, 2}, {2, 1}, {3, 4}, {4, 3}, {5, 6}, {5, 7}, {6, 5}, {8, 1}},
        // Facilities of every type, each with its wards.
        {
            {"Northgate Regional Hospital", 1, "NRH21", "NRH22", {"Intensive Care", "Medical 3 West", "Surgical 4 East", "Telemetry"}},
            {"Saint Aldric Medical Center", 1, "SAM21", "SAM22", {"Intensive Care", "Medical Floor", "Step-Down Unit"}},
            {"Willowmere Care Center", 2, "WCC31", "WCC32", {"Wing A", "Wing B"}},
            {"Cedar Hollow Skilled Nursing", 2, "CHS31", "CHS32", {"Long Term Care", "Rehabilitation"}},
            {"Patient Residence", 3, "HOM12", "HOM12", {"Residence"}},
            {"Sunward Board & Care", 4, "SBC14", "SBC14", {"Main House"}},
            {"Maple Terrace Residential Care", 4, "MTR14", "", {"North House", "South House"}},
            {"Harbor Street Office", 5, "HSO11", "HSO11", {"Clinic"}},
        },
        {
            {"Senior Federal Plan", "SFP01"},
            {"State Medical Assistance", "SMA02"},
            {"Crestline Health Plan", "CHP10"},
            {"Meridale Mutual", "MMU20"},
            {"Harborline Care Network", "HCN35"},
            {"Self Pay", "SELF"},
        },
        {"Cardiovascular", "Respiratory", "Endocrine and Metabolic", "Neurological", "Musculoskeletal",
         "Infectious and Renal"},
        {
            {"Essential hypertension", 1, "I10", "401.9"},
            {"Congestive heart failure", 1, "I50.9", "428.0"},
            {"Atrial fibrillation", 1, "I48.91", "427.31"},
            {"Coronary artery disease", 1, "I25.10", "414.01"},
            {"Chronic obstructive pulmonary disease", 2, "J44.9", "496"},
            {"Pneumonia", 2, "J18.9", "486"},
            {"Acute bronchitis", 2, "J20.9", "466.0"},
            {"Asthma", 2, "J45.909", "493.90"},
            {"Type 2 diabetes mellitus", 3, "E11.9", "250.00"},
            {"Hypothyroidism", 3, "E03.9", "244.9"},
            {"Hyperlipidemia", 3, "E78.5", "272.4"},
            {"Failure to thrive", 3, "R62.7", ""},
            {"Alzheimer's dementia", 4, "G30.9", "331.0"},
            {"Parkinson's disease", 4, "G20", "332.0"},
            {"Late effects of stroke", 4, "I69.30", "438.9"},
            {"Seizure disorder", 4, "G40.909", "345.90"},
            {"Osteoarthritis of the knee", 5, "M17.9", "715.96"},
            {"Low back pain", 5, "M54.5", "724.2"},
            {"Fracture of the hip", 5, "S72.009A", "820.8"},
            {"Osteoporosis", 5, "M81.0", "733.00"},
            {"Urinary tract infection", 6, "N39.0", "599.0"},
            {"Cellulitis", 6, "L03.90", "682.9"},
            {"Chronic kidney disease", 6, "N18.9", "585.9"},
            {"Sepsis", 6, "A41.9", "038.9"},
        },
        {
            {"Venipuncture", "36415", "36415"},
            {"Electrocardiogram", "93000", "93000"},
            {"Pulse oximetry", "94760", "94760"},
            {"Influenza vaccine", "90686", "90686"},
            {"Vaccine administration", "90471", "90471"},
            {"Wound debridement", "97597", "97597-GP"},
            {"Urinalysis", "81002", "81002"},
            {"Blood glucose test", "82962", "82962"},
            {"Joint injection", "20610", "20610"},
            {"Nebulizer treatment", "94640", "94640"},
        },
        {
            {"Penicillin", 0}, {"Sulfa drugs", 0}, {"Latex", 0}, {"Shellfish", 0}, {"Codeine", 0},
            {"Diabetes mellitus", 1}, {"Hypertension", 1}, {"Chronic lung disease", 1},
            {"Atrial fibrillation", 1}, {"Dementia", 1},
            {"Appendectomy", 2}, {"Cholecystectomy", 2}, {"Hip replacement", 2},
            {"Coronary bypass", 2}, {"Cataract surgery", 2},
        },
        // E&M codes for every facility type (1-5) and charge type (1 inpatient,
        // 2 outpatient, 3 consultation). IsDischarge: 1 initial, 2 follow up, 3 discharge.
        {
            {"Initial hospital care", 1, 1, "H99222", "99222", 1, 0, 1},
            {"Initial hospital care, high complexity", 1, 1, "H99223", "99223", 1, 0, 1},
            {"Subsequent hospital care", 1, 1, "H99232", "99232", 0, 1, 2},
            {"Hospital discharge day", 1, 1, "H99238", "99238", 0, 0, 3},
            {"Emergency department visit", 1, 2, "H99284", "99284", 1, 0, 1},
            {"Observation care", 1, 2, "H99218", "99218", 1, 1, 2},
            {"Inpatient consultation", 1, 3, "H99253", "99253", 1, 0, 1},
            {"Inpatient consultation, high complexity", 1, 3, "H99254", "99254", 1, 0, 1},
            {"Initial nursing facility care", 2, 1, "N99304", "99304", 1, 0, 1},
            {"Subsequent nursing facility care", 2, 1, "N99309", "99309", 0, 1, 2},
            {"Nursing facility discharge", 2, 1, "N99315", "99315", 0, 0, 3},
            {"Nursing facility annual assessment", 2, 2, "N99318", "99318", 1, 1, 2},
            {"Nursing facility consultation", 2, 3, "N99252", "99252", 1, 0, 1},
            {"Home visit, new patient", 3, 1, "R99343", "99343", 1, 0, 1},
            {"Home visit, established patient", 3, 1, "R99349", "99349", 0, 1, 2},
            {"Home care plan oversight", 3, 1, "", "99374", 0, 1, 2},
            {"Home visit, new patient, brief", 3, 2, "R99342", "99342", 1, 0, 1},
            {"Home visit, established patient, brief", 3, 2, "R99348", "99348", 0, 1, 2},
            {"Home consultation", 3, 3, "R99243", "99243", 1, 0, 1},
            {"Domiciliary visit, new patient", 4, 1, "D99325", "99325", 1, 0, 1},
            {"Domiciliary visit, established patient", 4, 1, "D99335", "99335", 0, 1, 2},
            {"Domiciliary visit, new patient, brief", 4, 2, "D99324", "99324", 1, 0, 1},
            {"Domiciliary visit, established patient, brief", 4, 2, "D99334", "99334", 0, 1, 2},
            {"Domiciliary consultation", 4, 3, "D99243", "99243", 1, 0, 1},
            {"Pre-admission office visit", 5, 1, "O99215", "99215", 1, 0, 1},
            {"Office visit, new patient", 5, 2, "O99203", "99203", 1, 0, 1},
            {"Office visit, established patient", 5, 2, "O99213", "99213", 0, 1, 2},
            {"Office visit, established patient, extended", 5, 2, "O99214", "99214", 0, 1, 2},
            {"Office consultation", 5, 3, "O99243", "99243", 1, 0, 1},
            {"Office consultation, high complexity", 5, 3, "O99244", "99244", 1, 0, 1},
        },
    };
    return catalog;
}

std::vector<int> demoWardCodes(int facilityCode)
{
    const auto& facilities = demoCatalog().facilities;
    int code = 1;
    for (int facility = 1; facility < facilityCode; ++facility)
        code += int(facilities[std::size_t(facility - 1)].wards.size());
    std::vector<int> codes;
    for (std::size_t i = 0; i < facilities[std::size_t(facilityCode - 1)].wards.size(); ++i)
        codes.push_back(code++);
    return codes;
}

bool writeDemoCatalog(SqliteFile& file, std::string& error)
{
    const DemoCatalog& catalog = demoCatalog();
    RowInserter doctors(file, "Doctors", {"DoctorCode", "Description", "BillingDoctorCode"});
    RowInserter covering(file, "DoctorCoveringDoctors", {"DoctorCode", "CoveringDoctorCode"});
    RowInserter facilities(file, "Facility", {"FacilityCode", "Description", "FacilityTypeCode",
                                              "BillingFacilityCode", "BillingFacilityCodeOut"});
    RowInserter wards(file, "FacilityWards", {"WardCode", "FacilityCode", "Description"});
    RowInserter insurances(file, "Insurance", {"InsuranceCode", "Description", "BillingInsuranceCode"});
    RowInserter families(file, "DiagnosisFamily", {"DiagnosisFamilyCode", "DiagnosisFamilyDescription"});
    RowInserter diagnoses(file, "Diagnosis", {"DiagnosisCode", "Description", "DiagnosisFamilyCode",
                                              "RealDiagnosisCode", "BillingDiagnosisCode"});
    RowInserter procedures(file, "Procedures", {"ProcedureCode", "Description", "RealProcedureCode",
                                                "BillingProcedureCode"});
    RowInserter history(file, "Sickness", {"SicknessCode", "Description", "SicknessTypeCode"});
    RowInserter emCodes(file, "EvaluationManagement",
                        {"EMCode", "Description", "FacilityTypeCode", "ChargeTypeCode", "AttentionTypeCode",
                         "BillingEMCode", "RealEMCode", "ShowOnFirst", "ShowOnNext", "IsDischarge"});

    std::int64_t code = 0;
    for (const DemoDoctor& doctor : catalog.doctors)
        doctors.insert({++code, doctor.name, doctor.billingCode});
    for (const auto& [doctor, coveringDoctor] : catalog.coveringDoctors)
        covering.insert({std::int64_t(doctor), std::int64_t(coveringDoctor)});
    code = 0;
    for (const DemoFacility& facility : catalog.facilities) {
        facilities.insert({++code, facility.name, std::int64_t(facility.typeCode), facility.billingCode,
                           facility.billingCodeOut});
        const std::vector<int> wardCodes = demoWardCodes(int(code));
        for (std::size_t i = 0; i < wardCodes.size(); ++i)
            wards.insert({std::int64_t(wardCodes[i]), code, facility.wards[i]});
    }
    code = 0;
    for (const DemoNamedCode& insurance : catalog.insurances)
        insurances.insert({++code, insurance.description, insurance.billingCode});
    code = 0;
    for (const char* family : catalog.diagnosisFamilies)
        families.insert({++code, family});
    code = 0;
    for (const DemoDiagnosis& diagnosis : catalog.diagnoses)
        diagnoses.insert({++code, diagnosis.description, std::int64_t(diagnosis.familyCode),
                          diagnosis.realCode, diagnosis.billingCode});
    code = 0;
    for (const DemoProcedure& procedure : catalog.procedures)
        procedures.insert({++code, procedure.description, procedure.realCode, procedure.billingCode});
    code = 0;
    for (const DemoHistoryItem& item : catalog.historyItems)
        history.insert({++code, item.description, std::int64_t(item.typeCode)});
    code = 0;
    for (const DemoEMCode& em : catalog.emCodes)
        emCodes.insert({++code, em.description, std::int64_t(em.facilityTypeCode),
                        std::int64_t(em.chargeTypeCode), std::int64_t(kDemoAttentionType), em.billingCode,
                        em.realCode, std::int64_t(em.showOnFirst), std::int64_t(em.showOnNext),
                        std::int64_t(em.isDischarge)});

    for (const RowInserter* inserter : {&doctors, &covering, &facilities, &wards, &insurances, &families,
                                        &diagnoses, &procedures, &history, &emCodes}) {
        if (!inserter->ok()) {
            error = inserter->error();
            return false;
        }
    }
    return true;
}

}  // namespace practicedb
