#pragma once
// A whole HotSync setting for one test: a fresh practice database reached through the ODBC
// driver, a HotSync directory, a handheld folder holding the demo's databases, the HotSync
// user's settings pointing at the database, and the shipped table-description file.
#include "DemoHandheld.h"
#include "JetConnection.h"
#include "PalmDatabaseFile.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class SyncTest : public ::testing::Test {
protected:
    static constexpr std::uint32_t kUserId = 4242;
    static constexpr const char* kUserName = "Dr Alma";
    static constexpr const char* kConduitName = "Velvix";

    void SetUp() override;
    void TearDown() override;

    // A handheld of the practice in a folder of its own, with empty databases and its user's
    // settings pointing at the database; HotSyncs go to it until useHandheld chooses another.
    std::string addHandheld(const std::string& folderName, const std::string& userName, std::uint32_t userId);
    // HotSyncs and the handheld helpers below then use the handheld in this folder.
    void useHandheld(const std::string& folder);

    // A VXUSERS row for the handheld, so that runs keep the mode they are given.
    void registerHandheld();
    // Runs SyncTables with the test's table-description file and no default paths.
    void synchronise(int purgeFlag = 0);
    // The same for a run that a failure ends before any table is exchanged: it says so.
    void synchroniseUntilTheRunEnds();

    // The handheld's databases.
    void storeDatabase(const hotsync::PalmDatabase& database);
    hotsync::PalmDatabase storedDatabase(const std::string& name);
    void storePatients(const std::vector<hotsync::PalmRecord>& records);
    hotsync::PalmDatabase storedPatients() { return storedDatabase(demohandheld::kPatientsDatabase); }
    // The stored patient record holding this patient id; fails the test when there is none.
    hotsync::PalmRecord handheldPatient(int patientId);
    bool handheldHasPatient(int patientId);

    // Rewrites the stored patient record holding this patient id as the handheld application
    // leaves a record it changed (or deleted): new bytes and stamp, marked modified.
    void editOnHandheld(const demohandheld::Patient& patient, const std::string& recordStamp, std::uint8_t category = 0);
    // The same for a change of one field of the record as the handheld holds it.
    void changeOnHandheld(int patientId, const std::string& fieldName, const std::string& text,
                          const std::string& recordStamp);

    // The desktop side, as the desktop program reaches it.
    void reopenDesktop();
    void insertDesktopPatient(const demohandheld::Patient& patient, const std::string& vxts);
    void execute(const std::string& sql);
    jet::Rows query(const std::string& sql);
    std::int64_t count(const std::string& sql);
    // The first column of the first row as text ("" for NULL or no row).
    std::string text(const std::string& sql);
    // The patient's history items on the desktop, their sickness codes in order, each followed by ";".
    std::string desktopHistory(int patientId);

    std::string logText() const;
    // Whether the log holds an entry with exactly this text.
    bool logged(const std::string& entry) const;
    // Writes a table-description file and uses it instead of the shipped one.
    void useTableDescription(const std::string& text);

    testsupport::TempDir temp;
    std::string databasePath;
    std::string handheldFolder;
    std::string tableDescriptionPath;
    std::unique_ptr<jet::Connection> desktop;

private:
    void rewriteOnHandheld(int patientId, const std::function<void(hotsync::PalmRecord&)>& change);
};

// A handheld patient record: new or changed on the handheld unless flags say otherwise.
hotsync::PalmRecord changedPatient(std::uint32_t recordId, const std::string& recordStamp,
                                   const demohandheld::Patient& patient);
// The same record marked deleted by the handheld application.
hotsync::PalmRecord deletedPatient(std::uint32_t recordId, const std::string& recordStamp,
                                   const demohandheld::Patient& patient);
