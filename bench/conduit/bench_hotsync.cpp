// Whole HotSyncs of the demo table description with durable commits: bringing new handheld
// records into the desktop, filling a new handheld from the desktop, and a HotSync in which
// nothing changed, whose time should grow in step with the rows.
#include "DemoHandheld.h"
#include "JetConnection.h"
#include "PracticeDatabase.h"
#include "SyncManager.h"
#include "SyncTables.h"
#include "TempDir.h"
#include "UserData.h"
#include "Workgroup.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>

namespace {

constexpr std::uint32_t kUserId = 4242;
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
        const std::string workgroup = jet::workgroupPathFor(databasePath_);
        desktop_ = jet::Connection::open(
            {databasePath_, workgroup, practicedb::kAccountUser, practicedb::kAccountPassword}, error);
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
        UserDataSetString(kUserId, kConduitName, "SystemDB", workgroup.c_str());
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
        for (int id = 1; id <= count; ++id)
            execute("INSERT INTO Patient (PatientId, [Names], DateOfBirth, AccountNumber, VXTS) VALUES (" +
                    std::to_string(id) + ", 'PATIENT " + std::to_string(id) + "', #1950/01/31#, 'AC" +
                    std::to_string(id) + "', #2026-12-01 08:00:00#)");
        if (!desktop_->commitTrans(error))
            throw std::runtime_error(error);
    }

    void storeNewHandheldPatients(int count)
    {
        hotsync::PalmDatabase patients =
            demohandheld::emptyDatabase(demohandheld::kPatientsDatabase, demohandheld::patientLayout());
        for (int id = 1; id <= count; ++id)
            patients.records.push_back(
                {static_cast<std::uint32_t>(id), SYNC_REC_DIRTY, 0,
                 demohandheld::patientBytes(demohandheld::stamp(2026, 12, 2, 9, 0, 0),
                                            demohandheld::Patient{id, "HANDHELD " + std::to_string(id)})});
        store(patients);
    }

    void synchronise()
    {
        const std::string description = std::string(VANTORA_SOURCE_DIR) + "/conduit/Velvix.vlx";
        SyncTables(0, kConduitName, description, "", "");
    }

    std::size_t handheldPatients()
    {
        hotsync::PalmDatabase patients;
        std::string error;
        hotsync::loadPalmDatabaseFile(handheldFolder_ + "/" + demohandheld::kPatientsDatabase + ".pdb", patients, error);
        return patients.records.size();
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

void BM_NewHandheldRecordsIntoTheDesktop(benchmark::State& state)
{
    const int records = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto setting = std::make_unique<HotSyncSetting>();
        setting->registerHandheld();
        setting->storeNewHandheldPatients(records);
        state.ResumeTiming();
        setting->synchronise();
        state.PauseTiming();
        setting.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_NewHandheldRecordsIntoTheDesktop)->Arg(10000)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_FillANewHandheldFromTheDesktop(benchmark::State& state)
{
    const int rows = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto setting = std::make_unique<HotSyncSetting>();
        setting->insertDesktopPatients(rows);
        state.ResumeTiming();
        setting->synchronise();
        state.PauseTiming();
        if (setting->handheldPatients() != static_cast<std::size_t>(rows))
            state.SkipWithError("the handheld was not filled");
        setting.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_FillANewHandheldFromTheDesktop)->Arg(10000)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_UnchangedHotSync(benchmark::State& state)
{
    const int rows = static_cast<int>(state.range(0));
    HotSyncSetting setting;
    setting.registerHandheld();
    setting.insertDesktopPatients(rows);
    setting.synchronise();
    for (auto _ : state)
        setting.synchronise();
}
BENCHMARK(BM_UnchangedHotSync)->Arg(10000)->Arg(20000)->Iterations(5)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
