#include "PracticeDatabase.h"

#include "DemoCatalog.h"
#include "SqliteFile.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <random>

namespace practicedb {
namespace {

using namespace std::chrono;

constexpr int kPatientCount = 300;
constexpr int kFirstPatientId = 25000;
constexpr int kChargeDays = 28;       // the weeks of charges before today
constexpr int kReadyDays = 6;         // charges of the last days are not posted yet
constexpr int kArchiveAfterDays = 14; // older charges are archived
constexpr int kPostingDelayDays = 2;  // a charge is posted this many days after its service

const char* const kLastNames[] = {
    "Abernath", "Bellweather", "Carrow", "Delacroix", "Eastwood", "Farrand", "Gaddis", "Halloran",
    "Ingersoll", "Jessup", "Kettering", "Lamberton", "Marchetti", "Norwood", "Oakhurst", "Pemberly",
    "Quennell", "Rasmussen", "Stanhope", "Thornbury", "Underhill", "Vantreese", "Whitcombe", "Yarborough",
    "Zellner", "Ashdown", "Birchfield", "Coldwell", "Dunleavy", "Ellery", "Fenwick", "Greenhalgh",
    "Hartigan", "Ivers", "Jardine", "Kinsella", "Lockridge", "Mayhew", "Nettleton", "O'Halloran",
};
const char* const kFirstNames[] = {
    "Adelaide", "Bernard", "Clarice", "Desmond", "Eudora", "Florian", "Gwendolyn", "Horace",
    "Imogen", "Jasper", "Katrina", "Lionel", "Mirabel", "Nestor", "Ottilie", "Percival",
    "Rosalind", "Silas", "Theodora", "Ulysses", "Verity", "Wilfred", "Yolanda", "Ambrose",
    "Beatrix", "Cornelius", "Delphine", "Ezra", "Fern", "Gideon", "Harriet", "Ignatius",
    "Josephine", "Leopold", "Matilda", "Octavia", "Phineas", "Rowena", "Thaddeus", "Winifred",
};

// A fixed seed and plain modulo over the engine's output: the same practice every time,
// whatever the standard library's distributions do.
class DemoRandom {
public:
    int between(int low, int high) { return low + int(engine_() % std::uint32_t(high - low + 1)); }
    bool percent(int chance) { return between(1, 100) <= chance; }
    template <typename T>
    const T& pick(const std::vector<T>& items) { return items[std::size_t(between(0, int(items.size()) - 1))]; }
    // count different numbers from low to high (fewer when the range is smaller).
    std::vector<int> distinct(int count, int low, int high)
    {
        std::vector<int> chosen;
        count = std::min(count, high - low + 1);
        while (int(chosen.size()) < count) {
            const int value = between(low, high);
            if (std::find(chosen.begin(), chosen.end(), value) == chosen.end())
                chosen.push_back(value);
        }
        return chosen;
    }

private:
    std::mt19937 engine_{20261209u};
};

std::string isoDate(sys_days day)
{
    const year_month_day date{day};
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u", int(date.year()), unsigned(date.month()),
                  unsigned(date.day()));
    return text;
}

std::string isoTime(int secondsOfDay)
{
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", secondsOfDay / 3600, secondsOfDay / 60 % 60,
                  secondsOfDay % 60);
    return text;
}

// The print lot that posting proposes on a day: year*100000 + month*1000 + day*10 + 1.
std::int64_t printLotOf(sys_days day)
{
    const year_month_day date{day};
    return std::int64_t(int(date.year())) * 100000 + unsigned(date.month()) * 1000 + unsigned(date.day()) * 10 + 1;
}

sys_days localToday()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return sys_days{year{local.tm_year + 1900} / month{unsigned(local.tm_mon + 1)} / day{unsigned(local.tm_mday)}};
}

struct DemoPatient {
    int id = 0;
    int facilityCode = 0;  // 0: not admitted
    int attendingDoctor = 0;
    std::vector<int> doctors;  // attending first, then visiting doctors
};

std::vector<int> facilitiesOfTypes(std::initializer_list<int> types)
{
    std::vector<int> codes;
    const auto& facilities = demoCatalog().facilities;
    for (std::size_t i = 0; i < facilities.size(); ++i)
        if (std::find(types.begin(), types.end(), facilities[i].typeCode) != types.end())
            codes.push_back(int(i) + 1);
    return codes;
}

// Patients "Last, First" with their insurance, history, admission and visiting doctors. A
// few are incomplete and a few are entered twice, as in any practice's files.
bool writePatients(SqliteFile& file, DemoRandom& random, std::vector<DemoPatient>& patients, std::string& error)
{
    const DemoCatalog& catalog = demoCatalog();
    RowInserter patientRows(file, "Patient", {"PatientId", "Names", "DateOfBirth", "AccountNumber", "InsuranceCode",
                                              "InFacilityCode", "InWardCode", "InDoctorCode"});
    RowInserter historyRows(file, "PatientHistory", {"PatientId", "SicknessCode", "SicknessTypeCode"});
    RowInserter doctorRows(file, "PatientDoctors", {"PatientId", "DoctorCode", "AttentionTypeCode", "Frequency"});
    const std::vector<int> admittingFacilities = facilitiesOfTypes({1, 2, 3, 4});
    const int doctorCount = int(catalog.doctors.size());
    const sys_days oldest = sys_days{year{1924} / January / 1};

    std::string lastName;
    SqlValue lastBirth;
    for (int i = 0; i < kPatientCount; ++i) {
        DemoPatient patient;
        patient.id = kFirstPatientId + i;
        std::string name = std::string(kLastNames[random.between(0, int(std::size(kLastNames)) - 1)]) + ", " +
                           kFirstNames[random.between(0, int(std::size(kFirstNames)) - 1)];
        SqlValue birth = isoDate(oldest + days{random.between(0, 62 * 365)});
        SqlValue account = "AC" + std::to_string(40000 + i * 7);
        SqlValue insurance = std::int64_t(random.between(1, int(catalog.insurances.size())));
        if (i % 47 == 46) {  // the same person entered again
            name = lastName;
            birth = lastBirth;
        }
        if (i % 61 == 60)
            account = "AC" + std::to_string(40000 + (i - 1) * 7);
        if (i % 37 == 5)
            birth = std::monostate{};
        if (i % 41 == 9)
            account = std::string();
        if (i % 53 == 13)
            insurance = std::int64_t(0);
        lastName = name;
        lastBirth = birth;

        std::int64_t ward = 0;
        if (random.percent(25)) {
            patient.facilityCode = random.pick(admittingFacilities);
            ward = random.pick(demoWardCodes(patient.facilityCode));
            patient.attendingDoctor = random.between(1, doctorCount);
            patient.doctors.push_back(patient.attendingDoctor);
            doctorRows.insert({std::int64_t(patient.id), std::int64_t(patient.attendingDoctor), std::int64_t(1),
                               std::int64_t(1)});
            for (const int doctor : random.distinct(random.between(0, 2), 1, doctorCount)) {
                if (doctor == patient.attendingDoctor)
                    continue;
                patient.doctors.push_back(doctor);
                doctorRows.insert({std::int64_t(patient.id), std::int64_t(doctor),
                                   std::int64_t(random.between(2, 4)), std::int64_t(random.between(2, 7))});
            }
        }
        patientRows.insert({std::int64_t(patient.id), name, birth, account, insurance,
                            std::int64_t(patient.facilityCode), ward, std::int64_t(patient.attendingDoctor)});
        for (const int item : random.distinct(random.between(0, 3), 1, int(catalog.historyItems.size())))
            historyRows.insert({std::int64_t(patient.id), std::int64_t(item),
                                std::int64_t(catalog.historyItems[std::size_t(item - 1)].typeCode)});
        patients.push_back(patient);
    }
    for (const RowInserter* inserter : {&patientRows, &historyRows, &doctorRows}) {
        if (!inserter->ok()) {
            error = inserter->error();
            return false;
        }
    }
    return true;
}

std::vector<int> emCodesFor(int facilityTypeCode, int chargeTypeCode)
{
    std::vector<int> codes;
    const auto& emCodes = demoCatalog().emCodes;
    for (std::size_t i = 0; i < emCodes.size(); ++i)
        if (emCodes[i].facilityTypeCode == facilityTypeCode && emCodes[i].chargeTypeCode == chargeTypeCode)
            codes.push_back(int(i) + 1);
    return codes;
}

// Status by age: the last days are Ready, then Posted, the oldest Archived (keeping the
// lot of their posting day); now and then an old charge was never posted.
void chooseStatus(DemoRandom& random, sys_days today, sys_days service, std::int64_t& status, std::int64_t& lot)
{
    const int age = int((today - service).count());
    status = 0;
    lot = 0;
    if (age <= kReadyDays || random.percent(3))
        return;
    status = age > kArchiveAfterDays ? 2 : 1;
    lot = printLotOf(service + days{kPostingDelayDays});
}

// A few weeks of charges before today, each with diagnoses and most with procedures.
// Admitted patients are seen where they lie by their own doctors (inpatient visits);
// the others at the office or at home, sometimes as a referred consultation.
bool writeCharges(SqliteFile& file, DemoRandom& random, const std::vector<DemoPatient>& patients,
                  std::string& error)
{
    const DemoCatalog& catalog = demoCatalog();
    RowInserter charges(file, "PatientCharges", {"PatientId", "ChargeDate", "ChargeTime", "ChargeRealDate",
                                                 "FacilityCode", "EMCode", "DoctorCode", "ReferDoctorCode",
                                                 "Status", "PrintLot"});
    RowInserter diagnoses(file, "ChargeDiagnosis", {"PatientId", "ChargeDate", "ChargeTime", "DiagnosisCode"});
    RowInserter procedures(file, "ChargeProcedures", {"PatientId", "ChargeDate", "ChargeTime", "ProcedureCode"});
    std::vector<DemoPatient> admitted;
    std::vector<DemoPatient> atHome;
    for (const DemoPatient& patient : patients)
        (patient.facilityCode ? admitted : atHome).push_back(patient);
    const std::vector<int> outpatientFacilities = facilitiesOfTypes({3, 5});
    const int doctorCount = int(catalog.doctors.size());
    const sys_days today = localToday();

    for (int age = kChargeDays; age >= 1; --age) {
        const sys_days service = today - days{age};
        const std::string serviceDate = isoDate(service);
        const int count = weekday{service}.iso_encoding() >= 6 ? random.between(6, 10) : random.between(18, 28);
        for (int k = 0; k < count; ++k) {
            const bool inpatient = !admitted.empty() && random.percent(60);
            const DemoPatient& patient = random.pick(inpatient ? admitted : atHome);
            int facility = patient.facilityCode;
            int chargeType = 1;
            int doctor = patient.attendingDoctor;
            int referDoctor = patient.attendingDoctor;
            if (inpatient) {
                doctor = random.pick(patient.doctors);
            } else {
                facility = random.pick(outpatientFacilities);
                chargeType = random.percent(20) ? 3 : 2;
                doctor = random.between(1, doctorCount);
                referDoctor = chargeType == 3 ? random.between(1, doctorCount) : 0;
            }
            const int facilityType = catalog.facilities[std::size_t(facility - 1)].typeCode;
            const std::int64_t emCode = random.pick(emCodesFor(facilityType, chargeType));
            std::int64_t status = 0;
            std::int64_t lot = 0;
            chooseStatus(random, today, service, status, lot);
            // Entered the same day, a couple of minutes apart: the key never repeats.
            const std::string time = isoTime(7 * 3600 + 1800 + k * 151);
            const SqlValue patientId = std::int64_t(patient.id);
            charges.insert({patientId, serviceDate, time, serviceDate, std::int64_t(facility), emCode,
                            std::int64_t(doctor), std::int64_t(referDoctor), status, lot});
            for (const int code : random.distinct(random.between(1, 3), 1, int(catalog.diagnoses.size())))
                diagnoses.insert({patientId, serviceDate, time, std::int64_t(code)});
            for (const int code : random.distinct(random.between(0, 2), 1, int(catalog.procedures.size())))
                procedures.insert({patientId, serviceDate, time, std::int64_t(code)});
        }
    }
    for (const RowInserter* inserter : {&charges, &diagnoses, &procedures}) {
        if (!inserter->ok()) {
            error = inserter->error();
            return false;
        }
    }
    return true;
}

bool holdsPracticeData(SqliteFile& file, bool& holds, std::string& error)
{
    std::int64_t rows = 0;
    if (!file.queryInteger("SELECT (SELECT COUNT(*) FROM Patient) + (SELECT COUNT(*) FROM Doctors)"
                           " + (SELECT COUNT(*) FROM PatientCharges)",
                           rows, error))
        return false;
    holds = rows > 0;
    return true;
}

bool writeDemoPractice(SqliteFile& file, std::string& error)
{
    DemoRandom random;
    std::vector<DemoPatient> patients;
    return writeDemoCatalog(file, error) && writePatients(file, random, patients, error) &&
           writeCharges(file, random, patients, error);
}

}  // namespace

bool loadDemoPractice(const std::string& databasePath, std::string& error)
{
    std::error_code ignored;
    if (!std::filesystem::is_regular_file(databasePath, ignored)) {
        error = "The database file " + databasePath + " does not exist.";
        return false;
    }
    SqliteFile file;
    std::string reason;
    bool holdsData = false;
    if (!file.open(databasePath, reason) || !holdsPracticeData(file, holdsData, reason)) {
        error = "The demo practice cannot be loaded into " + databasePath + ": " + reason;
        return false;
    }
    if (holdsData) {
        error = "The database " + databasePath + " already holds practice data; the demo practice goes only into a new one.";
        return false;
    }
    if (!file.execute("BEGIN IMMEDIATE", reason)) {
        error = "The demo practice cannot be loaded into " + databasePath + ": " + reason;
        return false;
    }
    if (!writeDemoPractice(file, reason)) {
        std::string ignoredRollback;
        file.execute("ROLLBACK", ignoredRollback);
        error = "The demo practice cannot be loaded into " + databasePath + ": " + reason;
        return false;
    }
    if (!file.execute("COMMIT", reason) || !file.close(reason)) {
        error = "The demo practice cannot be loaded into " + databasePath + ": " + reason;
        return false;
    }
    return true;
}

}  // namespace practicedb
