// Reading 30,000 charges into a recordset, then sorting, filtering and searching it, against
// stepping the same query through the SQLite API and sorting the extracted keys directly.
#include "AppGlobals.h"
#include "AsisRutinasRecordsets.h"
#include "JetConnection.h"
#include "PracticeDatabase.h"
#include "TempDir.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <numeric>
#include <random>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

namespace {

constexpr int kCharges = 30000;
constexpr int kPatients = 2000;
const char* const kQuery = "SELECT * FROM ChargesDescriptive";

void exec(sqlite3* db, const std::string& sql)
{
    char* message = nullptr;
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
        const std::string reason = message ? message : "unknown";
        sqlite3_free(message);
        throw std::runtime_error(reason + ": " + sql);
    }
}

// A practice with kPatients patients and kCharges charges, connected into the globals.
class Practice {
public:
    Practice()
    {
        path_ = folder_.file("practice.mdb");
        std::string error;
        if (!practicedb::createPracticeDatabase(path_, error))
            throw std::runtime_error(error);
        fill();
        Globals().DbConnection = jet::Connection::open(practicedb::connectionSettings(path_), error);
        if (!Globals().DbConnection)
            throw std::runtime_error(error);
    }

    const std::string& path() const { return path_; }

private:
    void fill()
    {
        sqlite3* db = nullptr;
        sqlite3_open(path_.c_str(), &db);
        exec(db, "BEGIN");
        std::mt19937 random(7);
        const char* const first[] = {"ann", "Bob", "carla", "Dmitri", "eve", "Frank", "gina", "Hugo", "Ines", "jo"};
        const char* const last[] = {"Smith", "o'neil", "Garcia", "lee", "Brown", "nguyen", "Olsen", "patel"};
        for (int i = 0; i < kPatients; ++i) {
            char sql[256];
            std::snprintf(sql, sizeof sql,
                          "INSERT INTO Patient (PatientId, Names, DateOfBirth, AccountNumber, InsuranceCode) "
                          "VALUES (%d, '%s %s %d', '19%02d-0%d-1%d', 'A%d', %d)",
                          25000 + i, last[random() % 8], first[random() % 10], int(random() % 1000),
                          int(random() % 100), int(1 + random() % 9), int(random() % 10), i, int(1 + i % 5));
            std::string text(sql);
            for (std::size_t p = text.find("o'neil"); p != std::string::npos; p = text.find("o'neil", p + 2))
                text.replace(p, 6, "o''neil");
            exec(db, text);
        }
        for (int i = 1; i <= 20; ++i) {
            exec(db, "INSERT INTO Doctors VALUES (" + std::to_string(i) + ", 'Doctor " + std::to_string(i) + "', 'D" +
                         std::to_string(i) + "')");
            exec(db, "INSERT INTO Facility VALUES (" + std::to_string(i) + ", 'Facility " + std::to_string(i) +
                         "', 1, 'F', 'FO')");
            exec(db, "INSERT INTO EvaluationManagement (EMCode, Description, ChargeTypeCode, BillingEMCode, RealEMCode) "
                     "VALUES (" + std::to_string(i) + ", 'Visit " + std::to_string(i) + "', 1, '9921', 'R')");
        }
        for (int i = 1; i <= 5; ++i)
            exec(db, "INSERT INTO Insurance VALUES (" + std::to_string(i) + ", 'Insurance " + std::to_string(i) +
                         "', 'I')");
        for (int i = 0; i < kCharges; ++i) {
            const int patient = 25000 + i % kPatients;
            const int serial = i / kPatients;
            char sql[320];
            std::snprintf(sql, sizeof sql,
                          "INSERT INTO PatientCharges VALUES (%d, '2026-%02d-%02d', '%02d:%02d:00', '2026-%02d-%02d', "
                          "%d, %d, %d, %d, %d, %d)",
                          patient, 1 + serial % 12, 1 + serial % 28, 8 + serial % 10, serial % 60,
                          1 + int(random() % 12), 1 + int(random() % 28), 1 + int(random() % 20),
                          1 + int(random() % 20), 1 + int(random() % 20), int(random() % 3), int(random() % 3), 0);
            exec(db, sql);
        }
        exec(db, "COMMIT");
        sqlite3_close(db);
    }

    testsupport::TempDir folder_;
    std::string path_;
};

Practice& practice()
{
    static Practice instance;
    return instance;
}

RecordsetPtr openCharges()
{
    RecordsetPtr charges;
    QString error;
    if (OpenRecordset(charges, kQuery, error) != 0)
        throw std::runtime_error(error.toStdString());
    return charges;
}

using DirectValue = std::variant<std::monostate, std::int64_t, double, std::string>;

// Steps the query and copies every value, as a caller of the SQLite API would.
std::vector<std::vector<DirectValue>> readDirect(sqlite3* db)
{
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(db, kQuery, -1, &statement, nullptr);
    const int columns = sqlite3_column_count(statement);
    std::vector<std::vector<DirectValue>> rows;
    while (sqlite3_step(statement) == SQLITE_ROW) {
        std::vector<DirectValue> row;
        row.reserve(columns);
        for (int c = 0; c < columns; ++c) {
            switch (sqlite3_column_type(statement, c)) {
            case SQLITE_INTEGER:
                row.emplace_back(std::int64_t(sqlite3_column_int64(statement, c)));
                break;
            case SQLITE_FLOAT:
                row.emplace_back(sqlite3_column_double(statement, c));
                break;
            case SQLITE_NULL:
                row.emplace_back(std::monostate());
                break;
            default:
                row.emplace_back(std::string(reinterpret_cast<const char*>(sqlite3_column_text(statement, c)),
                                             std::size_t(sqlite3_column_bytes(statement, c))));
            }
        }
        rows.push_back(std::move(row));
    }
    sqlite3_finalize(statement);
    return rows;
}

int columnIndex(sqlite3* db, const char* name)
{
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(db, kQuery, -1, &statement, nullptr);
    int index = -1;
    for (int c = 0; c < sqlite3_column_count(statement); ++c) {
        if (sqlite3_stricmp(sqlite3_column_name(statement, c), name) == 0)
            index = c;
    }
    sqlite3_finalize(statement);
    return index;
}

void BM_OpenRecordset(benchmark::State& state)
{
    practice();
    for (auto _ : state) {
        RecordsetPtr charges = openCharges();
        benchmark::DoNotOptimize(charges->RecordCount());
    }
    state.SetItemsProcessed(state.iterations() * kCharges);
}
BENCHMARK(BM_OpenRecordset)->Unit(benchmark::kMillisecond);

void BM_DirectRead(benchmark::State& state)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(practice().path().c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    for (auto _ : state) {
        auto rows = readDirect(db);
        benchmark::DoNotOptimize(rows.size());
    }
    sqlite3_close(db);
    state.SetItemsProcessed(state.iterations() * kCharges);
}
BENCHMARK(BM_DirectRead)->Unit(benchmark::kMillisecond);

void BM_RecordsetSortText(benchmark::State& state)
{
    practice();
    RecordsetPtr charges = openCharges();
    for (auto _ : state) {
        charges->SetSort("Names");
        benchmark::DoNotOptimize(charges->AbsolutePosition());
    }
    state.SetItemsProcessed(state.iterations() * kCharges);
}
BENCHMARK(BM_RecordsetSortText)->Unit(benchmark::kMillisecond);

void BM_DirectStableSortText(benchmark::State& state)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(practice().path().c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    const auto rows = readDirect(db);
    const int names = columnIndex(db, "Names");
    sqlite3_close(db);
    std::vector<const std::string*> keys;
    for (const auto& row : rows)
        keys.push_back(std::get_if<std::string>(&row[names]));
    const auto noCaseLess = [](const std::string* a, const std::string* b) {
        if (!a || !b)
            return !a && b;
        return sqlite3_stricmp(a->c_str(), b->c_str()) < 0;
    };
    for (auto _ : state) {
        std::vector<std::size_t> order(keys.size());
        std::iota(order.begin(), order.end(), std::size_t(0));
        std::stable_sort(order.begin(), order.end(),
                         [&](std::size_t a, std::size_t b) { return noCaseLess(keys[a], keys[b]); });
        benchmark::DoNotOptimize(order.front());
    }
    state.SetItemsProcessed(state.iterations() * kCharges);
}
BENCHMARK(BM_DirectStableSortText)->Unit(benchmark::kMillisecond);

void BM_RecordsetFilter(benchmark::State& state)
{
    practice();
    RecordsetPtr charges = openCharges();
    for (auto _ : state) {
        charges->SetFilter("Status=1 and DoctorCode=3");
        benchmark::DoNotOptimize(charges->RecordCount());
    }
    state.SetItemsProcessed(state.iterations() * kCharges);
}
BENCHMARK(BM_RecordsetFilter)->Unit(benchmark::kMillisecond);

void BM_RecordsetFindToEndOfFile(benchmark::State& state)
{
    practice();
    RecordsetPtr charges = openCharges();
    for (auto _ : state) {
        charges->MoveFirst();
        charges->Find("PatientId = 24999");
        benchmark::DoNotOptimize(charges->EndOfFile());
    }
    state.SetItemsProcessed(state.iterations() * kCharges);
}
BENCHMARK(BM_RecordsetFindToEndOfFile)->Unit(benchmark::kMillisecond);

}  // namespace
