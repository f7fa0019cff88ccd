// Whole HotSyncs of the demo table description with durable commits, every patient with five
// history records: bringing new handheld patients into the desktop, filling a new handheld from
// the desktop, sending a desktop change of every patient, and a HotSync in which nothing changed.
// Each should grow in step with the patients: 13,000 (65,000 history records, just under what a
// handheld database can hold) at most 1.45 times 10,000.
#include "DemoHandheld.h"
#include "JetConnection.h"
#include "PracticeDatabase.h"
#include "SyncManager.h"
#include "SyncTables.h"
#include "TempDir.h"
#include "UserData.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>

namespace {

constexpr std::uint32_t kUserId = 4242;
constexpr int kHistoryPerPatient = 5;
constexpr const char* kConduitName = "Velvix";

// One practice database and one handheld, both new, reached as a HotSync reaches them.
class HotSyncSetting {
public:
    HotSyncSetting()
    {
        ::setenv("HOTSYNC_DIR", temp_.file("HotSync").c_str(), 1);
        const auto build = std::filesystem::read_symlink("/proc/self/exe").parent_path().parent_path();
        ::setenv("ODBCSYSINI", (build / "odbc").c_str(), 1);
        databasePath_ = temp_.file("practice.mdb");
        std::string error;
        if (!practicedb::createPracticeDatabase(databasePath_, error))
            throw std::runtime_error(error);
        const jet::ConnectionSettings settings = practicedb::connectionSettings(databasePath_);
        desktop_ = jet::Connection::open(settings, error);
        if (!desktop_)
            throw std::runtime_error(error);

        handheldFolder_ = temp_.file("Handheld");
        std::filesystem::create_directories(handheldFolder_);
        SyncSetHandheldFolder(handheldFolder_.c_str());
        demohandheld::writeHotSyncUser(handheldFolder_, "Dr Alma", kUserId);
        store(demohandheld::emptyDatabase(demohandheld::kPatientsDatabase, demohandheld::patientLayout()));
        store(demohandheld::emptyDatabase(demohandheld::kHistoryDatabase, demohandheld::historyLayout()));
        store(demohandheld::preferenceDatabase(0));
        UserDataSetString(kUserId, kConduitName, "DBQ", databasePath_.c_str());
        UserDataSetString(kUserId, kConduitName, "SystemDB", settings.workgroupPath.c_str());
    }

    void execute(const std::string& sql)
    {
        long affected = 0;
        std::string error;
        if (!desktop_->execute(sql, affected, error))
            throw std::runtime_error(sql + ": " + error);
    }

    void registerHandheld() { execute("INSERT INTO VXUSERS (PDTId, TerminalId, PDTOwner) VALUES (4242, 1, 'Dr Alma')"); }

    void insertDesktopPatients(int count)
    {
        std::string error;
        desktop_->beginTrans(error);
        for (int id = 1; id <= count; ++id) {
            execute("INSERT INTO Patient (PatientId, [Names], DateOfBirth, AccountNumber, VXTS) VALUES (" +
                    std::to_string(id) + ", 'PATIENT " + std::to_string(id) + "', #1950/01/31#, 'AC" +
                    std::to_string(id) + "', #2026-12-01 08:00:00#)");
            for (int sickness = 1; sickness <= kHistoryPerPatient; ++sickness)
                execute("INSERT INTO PatientHistory (PatientId, SicknessCode, SicknessTypeCode) VALUES (" +
                        std::to_string(id) + ", " + std::to_string(sickness) + ", 1)");
        }
        if (!desktop_->commitTrans(error))
            throw std::runtime_error(error);
    }

    void changeEveryDesktopPatient()
    {
        execute("UPDATE Patient SET AccountNumber = 'CHANGED', VXTS = #2026-12-03 08:00:00#");
    }

    void storeNewHandheldPatients(int count)
    {
        hotsync::PalmDatabase patients;
        hotsync::PalmDatabase history;
        demohandheld::newPatientsWithHistory(count, kHistoryPerPatient, patients, history);
        store(patients);
        store(history);
    }

    void synchronise()
    {
        const std::string description = std::string(VANTORA_SOURCE_DIR) + "/conduit/Velvix.vlx";
        SyncTables(0, kConduitName, description, "", "");
    }

    std::size_t handheldRecords(const char* database)
    {
        hotsync::PalmDatabase stored;
        std::string error;
        hotsync::loadPalmDatabaseFile(handheldFolder_ + "/" + database + ".pdb", stored, error);
        return stored.records.size();
    }

    std::int64_t desktopCount(const std::string& sql)
    {
        jet::Rows rows;
        std::string error;
        if (!desktop_->query(sql, rows, error) || rows.rows.empty())
            throw std::runtime_error(sql + ": " + error);
        return std::get<std::int64_t>(rows.rows[0][0]);
    }

    // Whether the handheld and the desktop hold every patient and history record once.
    bool holdsEveryPatient(int patients)
    {
        const auto history = static_cast<std::size_t>(patients * kHistoryPerPatient);
        return handheldRecords(demohandheld::kPatientsDatabase) == static_cast<std::size_t>(patients) &&
               handheldRecords(demohandheld::kHistoryDatabase) == history &&
               desktopCount("SELECT COUNT(*) FROM VXPatient") == patients &&
               desktopCount("SELECT COUNT(*) FROM PatientHistory") == static_cast<std::int64_t>(history);
    }

private:
    void store(const hotsync::PalmDatabase& database)
    {
        std::string error;
        if (!hotsync::savePalmDatabaseFile(handheldFolder_ + "/" + database.name + ".pdb", database, error))
            throw std::runtime_error(error);
    }

    testsupport::TempDir temp_;
    std::string databasePath_;
    std::string handheldFolder_;
    std::unique_ptr<jet::Connection> desktop_;
};

// The HotSync a benchmark measures, apart from those that make its setting, so that a profiler can
// count its instructions alone (valgrind --tool=callgrind --toggle-collect='*measuredHotSync*'),
// which on a shared machine tells more than its time.
[[gnu::noinline]] void measuredHotSync(HotSyncSetting& setting)
{
    setting.synchronise();
}

// Every benchmark runs HotSyncs of the given number of patients; the setting is made outside the
// timing. These three measure one HotSync on each new setting that prepare makes, and check
// afterwards that the handheld and the desktop hold every patient once.
void measureOnNewSettings(benchmark::State& state, const std::function<void(HotSyncSetting&, int patients)>& prepare,
                          const char* failure)
{
    const int patients = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto setting = std::make_unique<HotSyncSetting>();
        prepare(*setting, patients);
        state.ResumeTiming();
        measuredHotSync(*setting);
        state.PauseTiming();
        if (!setting->holdsEveryPatient(patients))
            state.SkipWithError(failure);
        setting.reset();
        state.ResumeTiming();
    }
}

void BM_NewHandheldPatientsIntoTheDesktop(benchmark::State& state)
{
    measureOnNewSettings(
        state,
        [](HotSyncSetting& setting, int patients) {
            setting.registerHandheld();
            setting.storeNewHandheldPatients(patients);
        },
        "the desktop did not take every patient");
}
BENCHMARK(BM_NewHandheldPatientsIntoTheDesktop)->Arg(10000)->Arg(13000)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_FillANewHandheldFromTheDesktop(benchmark::State& state)
{
    measureOnNewSettings(
        state, [](HotSyncSetting& setting, int patients) { setting.insertDesktopPatients(patients); },
        "the handheld was not filled");
}
BENCHMARK(BM_FillANewHandheldFromTheDesktop)->Arg(10000)->Arg(13000)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SendADesktopChangeOfEveryPatient(benchmark::State& state)
{
    measureOnNewSettings(
        state,
        [](HotSyncSetting& setting, int patients) {
            setting.registerHandheld();
            setting.insertDesktopPatients(patients);
            setting.synchronise();
            setting.changeEveryDesktopPatient();
        },
        "the handheld lost patients");
}
BENCHMARK(BM_SendADesktopChangeOfEveryPatient)->Arg(10000)->Arg(13000)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_UnchangedHotSync(benchmark::State& state)
{
    const int patients = static_cast<int>(state.range(0));
    HotSyncSetting setting;
    setting.registerHandheld();
    setting.insertDesktopPatients(patients);
    setting.synchronise();
    for (auto _ : state)
        measuredHotSync(setting);
    if (!setting.holdsEveryPatient(patients))
        state.SkipWithError("the handheld lost patients");
}
BENCHMARK(BM_UnchangedHotSync)->Arg(10000)->Arg(13000)->Iterations(5)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
