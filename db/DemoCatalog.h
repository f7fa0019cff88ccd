#pragma once
#include "SqliteFile.h"

#include <string>
#include <vector>

namespace practicedb {

// The code tables of the demo practice: its doctors, facilities with wards, insurances and
// coding tables. Every name is invented. Codes are the rows' positions counted from 1.
struct DemoDoctor {
    const char* name;
    const char* billingCode;
};

struct DemoFacility {
    const char* name;
    int typeCode;
    const char* billingCode;
    const char* billingCodeOut;
    std::vector<const char*> wards;
};

struct DemoNamedCode {
    const char* description;
    const char* billingCode;
};

struct DemoDiagnosis {
    const char* description;
    int familyCode;
    const char* realCode;
    const char* billingCode;
};

struct DemoProcedure {
    const char* description;
    const char* realCode;
    const char* billingCode;
};

struct DemoHistoryItem {
    const char* description;
    int typeCode;
};

struct DemoEMCode {
    const char* description;
    int facilityTypeCode;
    int chargeTypeCode;
    const char* billingCode;
    const char* realCode;
    int showOnFirst;
    int showOnNext;
    int isDischarge;
};

struct DemoCatalog {
    std::vector<DemoDoctor> doctors;
    std::vector<std::pair<int, int>> coveringDoctors;  // doctor, covering doctor
    std::vector<DemoFacility> facilities;              // ward codes run on over all facilities
    std::vector<DemoNamedCode> insurances;
    std::vector<const char*> diagnosisFamilies;
    std::vector<DemoDiagnosis> diagnoses;
    std::vector<DemoProcedure> procedures;
    std::vector<DemoHistoryItem> historyItems;
    std::vector<DemoEMCode> emCodes;
};

const DemoCatalog& demoCatalog();

// The ward codes of a facility (by its code): wards are numbered on over all facilities.
std::vector<int> demoWardCodes(int facilityCode);

// The role every demo E&M code is given: the one the charge editor takes for a doctor
// without a role of its own.
inline constexpr int kDemoAttentionType = 2;

// Writes the catalog's rows into the code tables. False with a reason.
bool writeDemoCatalog(SqliteFile& file, std::string& error);

}  // namespace practicedb
