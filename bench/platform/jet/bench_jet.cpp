// The same statements through platform/jet and straight through the SQLite C API, on the same
// file with the same settings (write-ahead log, synchronous=FULL, foreign keys, busy time-out).
#include "JetConnection.h"
#include "TempDir.h"
#include "Workgroup.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdlib>
#include <memory>
#include <string>

namespace {

constexpr int kSelectedRows = 100;

struct BenchDatabase {
    testsupport::TempDir folder;
    std::unique_ptr<jet::Connection> jet;
    sqlite3* direct = nullptr;

    BenchDatabase()
    {
        const std::string path = folder.file("bench.mdb");
        sqlite3* setup = nullptr;
        sqlite3_open(path.c_str(), &setup);
        std::string sql = "CREATE TABLE Charges (Id INTEGER PRIMARY KEY, PatientId SMALLINT, ChargeDate DATE, "
                          "ChargeTime TIME, Amount DOUBLE, Note TEXT);"
                          "CREATE TABLE Inserted (Id INTEGER PRIMARY KEY, ChargeDate DATE, ChargeTime TIME, Note TEXT);"
                          "BEGIN;";
        for (int i = 1; i <= kSelectedRows; ++i)
            sql += "INSERT INTO Charges VALUES (" + std::to_string(i) +
                   ", 25000, '2026-12-09', '13:05:00', 12.5, 'O''Brien, charge');";
        sql += "COMMIT;";
        if (sqlite3_exec(setup, sql.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK)
            std::abort();
        sqlite3_close(setup);

        jet::ConnectionSettings settings{path, jet::workgroupPathFor(path), "Quivo", "Quivo"};
        std::string error;
        if (!jet::writeWorkgroupFile(settings.workgroupPath, {{"Quivo", "Quivo"}}, error))
            std::abort();
        jet = jet::Connection::open(settings, error);
        if (!jet)
            std::abort();

        sqlite3_open_v2(path.c_str(), &direct, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
        sqlite3_busy_timeout(direct, 5000);
        sqlite3_exec(direct, "PRAGMA journal_mode=WAL; PRAGMA synchronous=FULL; PRAGMA foreign_keys=ON", nullptr,
                     nullptr, nullptr);
    }
    ~BenchDatabase()
    {
        jet.reset();
        sqlite3_close_v2(direct);
    }
};

// What a caller of the C API does to keep the rows of a SELECT: step and copy every value.
long long directQuery(sqlite3* handle, const std::string& sql, std::vector<std::vector<jet::Value>>& rows)
{
    rows.clear();
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(handle, sql.c_str(), int(sql.size() + 1), &statement, nullptr) != SQLITE_OK)
        std::abort();
    const int columns = sqlite3_column_count(statement);
    while (sqlite3_step(statement) == SQLITE_ROW) {
        auto& row = rows.emplace_back();
        row.reserve(std::size_t(columns));
        for (int c = 0; c < columns; ++c) {
            switch (sqlite3_column_type(statement, c)) {
            case SQLITE_NULL:
                row.emplace_back(std::monostate{});
                break;
            case SQLITE_INTEGER:
                row.emplace_back(std::int64_t(sqlite3_column_int64(statement, c)));
                break;
            case SQLITE_FLOAT:
                row.emplace_back(sqlite3_column_double(statement, c));
                break;
            default:
                row.emplace_back(std::string(reinterpret_cast<const char*>(sqlite3_column_text(statement, c)),
                                             std::size_t(sqlite3_column_bytes(statement, c))));
            }
        }
    }
    sqlite3_finalize(statement);
    return (long long)rows.size();
}

void directExecute(sqlite3* handle, const std::string& sql)
{
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(handle, sql.c_str(), int(sql.size() + 1), &statement, nullptr) != SQLITE_OK)
        std::abort();
    if (sqlite3_step(statement) != SQLITE_DONE)
        std::abort();
    benchmark::DoNotOptimize(sqlite3_changes(handle));
    sqlite3_finalize(statement);
}

// The INSERT as the desktop writes it, and the same statement in SQLite's own dialect.
std::string jetInsert(long long id)
{
    return "INSERT INTO Inserted (Id, ChargeDate, ChargeTime, Note) VALUES (" + std::to_string(id) +
           ", #12/09/2026#, #13:05:00#, 'O''Brien')";
}
std::string sqliteInsert(long long id)
{
    return "INSERT INTO Inserted (Id, ChargeDate, ChargeTime, Note) VALUES (" + std::to_string(id) +
           ", '2026-12-09', '13:05:00', 'O''Brien')";
}

// Each run inserts rows with new ids, in one transaction or one commit per row.
void insertRows(benchmark::State& state, bool throughJet, bool oneTransaction)
{
    BenchDatabase db;
    long long id = 0;
    std::string error;
    if (oneTransaction && !(throughJet ? db.jet->beginTrans(error)
                                       : sqlite3_exec(db.direct, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) == SQLITE_OK))
        std::abort();
    for (auto _ : state) {
        ++id;
        if (throughJet) {
            long affected = 0;
            if (!db.jet->execute(jetInsert(id), affected, error))
                std::abort();
        } else {
            directExecute(db.direct, sqliteInsert(id));
        }
    }
    if (oneTransaction && !(throughJet ? db.jet->commitTrans(error)
                                       : sqlite3_exec(db.direct, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK))
        std::abort();
}

void BM_InsertInTransaction_Jet(benchmark::State& state) { insertRows(state, true, true); }
void BM_InsertInTransaction_Direct(benchmark::State& state) { insertRows(state, false, true); }
void BM_InsertCommitEach_Jet(benchmark::State& state) { insertRows(state, true, false); }
void BM_InsertCommitEach_Direct(benchmark::State& state) { insertRows(state, false, false); }

// The same list query again and again (a list reloading).
void BM_SelectRows_Jet(benchmark::State& state)
{
    BenchDatabase db;
    jet::Rows rows;
    std::string error;
    for (auto _ : state) {
        if (!db.jet->query("SELECT * FROM Charges WHERE ChargeDate = #12/09/2026# ORDER BY Id", rows, error))
            std::abort();
        benchmark::DoNotOptimize(rows.rows.data());
    }
    state.SetItemsProcessed(state.iterations() * kSelectedRows);
}
void BM_SelectRows_Direct(benchmark::State& state)
{
    BenchDatabase db;
    std::vector<std::vector<jet::Value>> rows;
    for (auto _ : state)
        benchmark::DoNotOptimize(
            directQuery(db.direct, "SELECT * FROM Charges WHERE ChargeDate = '2026-12-09' ORDER BY Id", rows));
    state.SetItemsProcessed(state.iterations() * kSelectedRows);
}

// One row by its key, a new text each time (an edit dialog reading its record).
void BM_SelectOneRow_Jet(benchmark::State& state)
{
    BenchDatabase db;
    jet::Rows rows;
    std::string error;
    long long i = 0;
    for (auto _ : state) {
        const std::string sql = "SELECT * FROM Charges WHERE Id=" + std::to_string(1 + i++ % kSelectedRows) +
                                " AND ChargeDate=#12/09/2026# AND ChargeTime =#13:05:00#";
        if (!db.jet->query(sql, rows, error) || rows.rows.size() != 1)
            std::abort();
    }
}
void BM_SelectOneRow_Direct(benchmark::State& state)
{
    BenchDatabase db;
    std::vector<std::vector<jet::Value>> rows;
    long long i = 0;
    for (auto _ : state) {
        const std::string sql = "SELECT * FROM Charges WHERE Id=" + std::to_string(1 + i++ % kSelectedRows) +
                                " AND ChargeDate='2026-12-09' AND ChargeTime ='13:05:00'";
        if (directQuery(db.direct, sql, rows) != 1)
            std::abort();
    }
}

}  // namespace

BENCHMARK(BM_InsertInTransaction_Jet);
BENCHMARK(BM_InsertInTransaction_Direct);
BENCHMARK(BM_InsertCommitEach_Jet)->Iterations(300);
BENCHMARK(BM_InsertCommitEach_Direct)->Iterations(300);
BENCHMARK(BM_SelectRows_Jet);
BENCHMARK(BM_SelectRows_Direct);
BENCHMARK(BM_SelectOneRow_Jet);
BENCHMARK(BM_SelectOneRow_Direct);
