// Opening a practice database of 20,300 patients and 200,000 charges through platform/jet, as
// the desktop's start and every HotSync do, and closing it again: after a session that ended
// cleanly, and after one that did not (its write-ahead log left behind), when every page is read.
#include "AppGlobals.h"
#include "BigPractice.h"
#include "JetConnection.h"
#include "PracticeDatabase.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <filesystem>
#include <string>

namespace {

// The practice, made once for all runs, with no connection left open.
struct Practice {
    Practice() { ResetGlobals(); }

    jet::ConnectionSettings settings() const { return practicedb::connectionSettings(database.path()); }

    BigPractice database;
};

Practice& practice()
{
    static Practice* instance = new Practice;
    return *instance;
}

// Leaves the file as a program killed while it had it open does: with its write-ahead log.
bool leaveLogBehind(const std::string& path)
{
    sqlite3* handle = nullptr;
    const bool read = sqlite3_open_v2(path.c_str(), &handle, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK &&
                      sqlite3_exec(handle, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr) ==
                          SQLITE_OK;
    sqlite3_db_config(handle, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, nullptr);
    sqlite3_close(handle);
    return read && std::filesystem::exists(path + "-wal");
}

void openAndClose(benchmark::State& state, const jet::ConnectionSettings& settings)
{
    std::string error;
    if (!jet::Connection::open(settings, error))
        state.SkipWithError(error.c_str());
}

void BM_OpenAfterACleanEnd(benchmark::State& state)
{
    const jet::ConnectionSettings settings = practice().settings();
    for (auto _ : state)
        openAndClose(state, settings);
}
BENCHMARK(BM_OpenAfterACleanEnd)->Unit(benchmark::kMillisecond);

void BM_OpenAfterAnUncleanEnd(benchmark::State& state)
{
    const jet::ConnectionSettings settings = practice().settings();
    for (auto _ : state) {
        state.PauseTiming();
        const bool left = leaveLogBehind(settings.databasePath);
        state.ResumeTiming();
        if (!left) {
            state.SkipWithError("no write-ahead log was left behind");
            break;
        }
        openAndClose(state, settings);
    }
}
BENCHMARK(BM_OpenAfterAnUncleanEnd)->Unit(benchmark::kMillisecond);

}  // namespace
