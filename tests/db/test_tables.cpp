// Every table has its columns with their declared types and exactly its key, and text
// compares without regard to case.
#include "PracticeDatabaseTest.h"

#include <sqlite3.h>

#include <algorithm>

namespace {

using jet::ColumnType;
constexpr ColumnType I16 = ColumnType::Integer16;
constexpr ColumnType I32 = ColumnType::Integer32;
constexpr ColumnType Txt = ColumnType::Text;
constexpr ColumnType Dat = ColumnType::Date;
constexpr ColumnType Tim = ColumnType::Time;
constexpr ColumnType DTm = ColumnType::DateTime;
constexpr ColumnType Flg = ColumnType::Flag;

struct ExpectedTable {
    std::string name;
    std::vector<std::pair<std::string, ColumnType>> columns;
    std::vector<std::string> key;
};

const std::vector<ExpectedTable>& expectedTables()
{
    static const std::vector<ExpectedTable> tables = {
        {"PatientCharges",
         {{"PatientId", I16}, {"ChargeDate", Dat}, {"ChargeTime", Tim}, {"ChargeRealDate", Dat},
          {"FacilityCode", I16}, {"EMCode", I32}, {"DoctorCode", I16}, {"ReferDoctorCode", I16},
          {"Status", I16}, {"PrintLot", I32}},
         {"PatientId", "ChargeDate", "ChargeTime"}},
        {"ChargeDiagnosis",
         {{"PatientId", I16}, {"ChargeDate", Dat}, {"ChargeTime", Tim}, {"DiagnosisCode", I16}},
         {"PatientId", "ChargeDate", "ChargeTime", "DiagnosisCode"}},
        {"ChargeProcedures",
         {{"PatientId", I16}, {"ChargeDate", Dat}, {"ChargeTime", Tim}, {"ProcedureCode", I16}},
         {"PatientId", "ChargeDate", "ChargeTime", "ProcedureCode"}},
        {"Patient",
         {{"PatientId", I16}, {"Names", Txt}, {"DateOfBirth", Dat}, {"AccountNumber", Txt},
          {"InsuranceCode", I16}, {"InFacilityCode", I16}, {"InWardCode", I16}, {"InDoctorCode", I16},
          {"LastChargeDate", Dat}, {"VXTS", DTm}},
         {"PatientId"}},
        {"PatientHistory", {{"PatientId", I16}, {"SicknessCode", I16}, {"SicknessTypeCode", I16}},
         {"PatientId", "SicknessCode", "SicknessTypeCode"}},
        {"PatientDoctors",
         {{"PatientId", I16}, {"DoctorCode", I16}, {"AttentionTypeCode", I16}, {"Frequency", I16}},
         {"PatientId", "DoctorCode"}},
        {"Doctors", {{"DoctorCode", I16}, {"Description", Txt}, {"BillingDoctorCode", Txt}}, {"DoctorCode"}},
        {"DoctorCoveringDoctors", {{"DoctorCode", I16}, {"CoveringDoctorCode", I16}},
         {"DoctorCode", "CoveringDoctorCode"}},
        {"Facility",
         {{"FacilityCode", I16}, {"Description", Txt}, {"FacilityTypeCode", I16}, {"BillingFacilityCode", Txt},
          {"BillingFacilityCodeOut", Txt}},
         {"FacilityCode"}},
        {"FacilityWards", {{"WardCode", I16}, {"FacilityCode", I16}, {"Description", Txt}, {"checked", I16}},
         {"WardCode"}},
        {"Insurance", {{"InsuranceCode", I16}, {"Description", Txt}, {"BillingInsuranceCode", Txt}},
         {"InsuranceCode"}},
        {"Procedures",
         {{"ProcedureCode", I16}, {"Description", Txt}, {"RealProcedureCode", Txt}, {"BillingProcedureCode", Txt},
          {"checked", I16}},
         {"ProcedureCode"}},
        {"Diagnosis",
         {{"DiagnosisCode", I16}, {"Description", Txt}, {"DiagnosisFamilyCode", I16}, {"RealDiagnosisCode", Txt},
          {"BillingDiagnosisCode", Txt}, {"checked", I16}},
         {"DiagnosisCode"}},
        {"DiagnosisFamily", {{"DiagnosisFamilyCode", I16}, {"DiagnosisFamilyDescription", Txt}},
         {"DiagnosisFamilyCode"}},
        {"Sickness", {{"SicknessCode", I16}, {"Description", Txt}, {"SicknessTypeCode", I16}, {"checked", I16}},
         {"SicknessCode"}},
        {"EvaluationManagement",
         {{"EMCode", I32}, {"Description", Txt}, {"FacilityTypeCode", I16}, {"ChargeTypeCode", I16},
          {"AttentionTypeCode", I16}, {"BillingEMCode", Txt}, {"RealEMCode", Txt}, {"ShowOnFirst", Flg},
          {"ShowOnNext", Flg}, {"IsDischarge", I16}},
         {"EMCode"}},
        {"FacilityTypes", {{"FacilityTypeCode", I16}, {"Description", Txt}}, {"FacilityTypeCode"}},
        {"ChargeTypes", {{"ChargeTypeCode", I16}, {"Description", Txt}, {"DoctorCaption", Txt}},
         {"ChargeTypeCode"}},
        {"AttentionTypes", {{"AttentionTypeCode", I16}, {"Description", Txt}}, {"AttentionTypeCode"}},
        {"Frequency", {{"Frequency", I16}, {"Description", Txt}}, {"Frequency"}},
        {"SicknessType", {{"SicknessTypeCode", I16}, {"Description", Txt}}, {"SicknessTypeCode"}},
        {"VXUSERS", {{"PDTId", I32}, {"TerminalId", I32}, {"PDTOwner", Txt}}, {"PDTId"}},
        {"VXPatient",
         {{"PatientId", I16}, {"Names", Txt}, {"DateOfBirth", Dat}, {"AccountNumber", Txt},
          {"InsuranceCode", I16}, {"InFacilityCode", I16}, {"InWardCode", I16}, {"InDoctorCode", I16},
          {"LastChargeDate", Dat}, {"VXTS", DTm}, {"PDTId", I32}, {"PDTRecordId", I32}},
         {"PDTId", "PDTRecordId"}},
    };
    return tables;
}

// A literal of the column's type; variant 1 differs from variant 0.
std::string literal(ColumnType type, int variant)
{
    const std::string digit = std::to_string(variant + 1);
    switch (type) {
    case ColumnType::Text:
        return "'text" + digit + "'";
    case ColumnType::Date:
        return "'2026-01-0" + digit + "'";
    case ColumnType::Time:
        return "'10:00:0" + digit + "'";
    case ColumnType::DateTime:
        return "'2026-01-01 10:00:0" + digit + "'";
    default:
        return digit;
    }
}

// An INSERT of one row: every column takes variant 0 except those named in varied.
std::string insertRow(const ExpectedTable& table, const std::vector<std::string>& varied)
{
    std::string names, values;
    for (const auto& [name, type] : table.columns) {
        const bool vary = std::find(varied.begin(), varied.end(), name) != varied.end();
        names += (names.empty() ? "" : ", ") + name;
        values += (values.empty() ? "" : ", ") + literal(type, vary ? 1 : 0);
    }
    return "INSERT INTO " + table.name + " (" + names + ") VALUES (" + values + ")";
}

bool isKey(const ExpectedTable& table, const std::string& column)
{
    return std::find(table.key.begin(), table.key.end(), column) != table.key.end();
}

class TablesTest : public PracticeDatabaseTest {};

TEST_F(TablesTest, EveryTableHasItsColumnsInOrderWithTheirDeclaredTypes)
{
    for (const ExpectedTable& table : expectedTables()) {
        SCOPED_TRACE(table.name);
        const jet::Rows rows = query("SELECT * FROM " + table.name);
        ASSERT_EQ(rows.columns.size(), table.columns.size());
        for (std::size_t i = 0; i < rows.columns.size(); ++i) {
            EXPECT_EQ(rows.columns[i].name, table.columns[i].first);
            EXPECT_EQ(rows.columns[i].type, table.columns[i].second) << table.columns[i].first;
        }
    }
}

TEST_F(TablesTest, EveryTableIsKeyedByExactlyItsKeyColumns)
{
    for (const ExpectedTable& table : expectedTables()) {
        SCOPED_TRACE(table.name);
        execute("DELETE FROM " + table.name);  // the lookup rows
        ASSERT_EQ(execute(insertRow(table, {})), 1);
        EXPECT_FALSE(tryExecute(insertRow(table, {}))) << "a duplicate key was accepted";

        // Other columns differing do not make a new key ...
        std::vector<std::string> nonKey;
        for (const auto& column : table.columns)
            if (!isKey(table, column.first))
                nonKey.push_back(column.first);
        if (!nonKey.empty()) {
            EXPECT_FALSE(tryExecute(insertRow(table, nonKey))) << "a column outside the key is part of it";
        }
        // ... but each key column does.
        for (const std::string& column : table.key)
            EXPECT_TRUE(tryExecute(insertRow(table, {column}))) << column << " is not part of the key";
    }
}

TEST_F(TablesTest, EveryTextColumnComparesWithoutRegardToCase)
{
    sqlite3* handle = nullptr;
    ASSERT_EQ(sqlite3_open_v2(databasePath.c_str(), &handle, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
    for (const ExpectedTable& table : expectedTables()) {
        for (const auto& [name, type] : table.columns) {
            if (type != ColumnType::Text)
                continue;
            const char* collation = nullptr;
            ASSERT_EQ(sqlite3_table_column_metadata(handle, nullptr, table.name.c_str(), name.c_str(), nullptr,
                                                    &collation, nullptr, nullptr, nullptr),
                      SQLITE_OK);
            EXPECT_STREQ(collation, "NOCASE") << table.name << "." << name;
        }
    }
    sqlite3_close(handle);

    execute("INSERT INTO Patient (PatientId, [Names] , DateOfBirth, AccountNumber, InsuranceCode) "
            "VALUES (25000, 'O''Brien, Maeve',#01/31/1950#, 'ab7',0)");
    EXPECT_EQ(count("SELECT COUNT(*) FROM Patient WHERE [Names]='o''BRIEN, maeve' AND AccountNumber='AB7'"), 1);
    EXPECT_EQ(count("SELECT COUNT(*) FROM PatientsDescriptive WHERE Names='O''BRIEN, MAEVE'"), 1);
}

TEST_F(TablesTest, RowStateColumnsStartAtZeroAndTheProgramsInsertsLeaveThemSo)
{
    execute("INSERT INTO FacilityWards (WardCode, FacilityCode, Description) VALUES (1, 1, 'Wing A')");
    execute("INSERT INTO Procedures (ProcedureCode, Description, RealProcedureCode, BillingProcedureCode) "
            "VALUES (1, 'Venipuncture', '36415','36415')");
    execute("INSERT INTO Diagnosis (DiagnosisCode, Description, DiagnosisFamilyCode, RealDiagnosisCode, "
            "BillingDiagnosisCode) VALUES (1, 'Asthma',1,'J45','493')");
    execute("INSERT INTO Sickness (SicknessCode, Description, SicknessTypeCode) VALUES (1, 'Latex',0)");
    for (const char* table : {"FacilityWards", "Procedures", "Diagnosis", "Sickness"}) {
        const jet::Rows rows = query(std::string("SELECT * FROM ") + table);
        ASSERT_EQ(rows.rows.size(), 1u) << table;
        EXPECT_EQ(rows.columns.back().name, "checked") << table;
        EXPECT_EQ(rows.rows[0].back(), jet::Value(std::int64_t(0))) << table;
    }
}

TEST_F(TablesTest, UnsetAdmissionAndLotReadAsZero)
{
    // A patient as the editor inserts one is not admitted; a charge as the editor inserts
    // one has no print lot yet.
    execute("INSERT INTO Patient (PatientId, [Names] , DateOfBirth, AccountNumber, InsuranceCode) "
            "VALUES (25000, 'Able, Ann',#01/31/1950#, 'A1',1)");
    execute("INSERT INTO PatientCharges (PatientId, ChargeDate, ChargeTime, ChargeRealDate, FacilityCode, "
            "EMCode, DoctorCode, ReferDoctorCode, Status) VALUES (25000, #12/07/2026#, #10:15:00#, "
            "#12/06/2026#, 1,1,1,0,0)");
    const jet::Rows patient = query("SELECT InFacilityCode, InWardCode, InDoctorCode FROM Patient");
    for (const jet::Value& value : patient.rows.at(0))
        EXPECT_EQ(value, jet::Value(std::int64_t(0)));
    EXPECT_EQ(count("SELECT PrintLot FROM PatientCharges"), 0);
    EXPECT_EQ(count("SELECT COUNT(*) FROM PatientsDescriptiveNotAdmitted"), 1);
}

}  // namespace
