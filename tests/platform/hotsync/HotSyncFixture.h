#pragma once
#include "PalmDatabaseFile.h"
#include "SyncManager.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

// A fresh HotSync directory (HOTSYNC_DIR) and handheld folder for every test; databases the
// test left open in the Sync Manager are closed afterwards.
class HotSyncTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ::setenv("HOTSYNC_DIR", hotSyncDirectory().c_str(), 1);
        std::filesystem::create_directories(handheldFolder());
        ASSERT_EQ(SyncSetHandheldFolder(handheldFolder().c_str()), SYNC_OK);
    }

    void TearDown() override
    {
        for (int handle = 1; handle <= 255; ++handle)
            SyncCloseDB(static_cast<uint8_t>(handle));
    }

    std::string hotSyncDirectory() const { return temp_.file("HotSync"); }
    std::string handheldFolder() const { return temp_.file("Handheld"); }
    std::string databasePath(const std::string& name) const { return handheldFolder() + "/" + name + ".pdb"; }
    std::string logText() const { return testsupport::readFile(hotSyncDirectory() + "/HotSync.log"); }

    void storeDatabase(const hotsync::PalmDatabase& database) const
    {
        std::string error;
        ASSERT_TRUE(hotsync::savePalmDatabaseFile(databasePath(database.name), database, error)) << error;
    }

    hotsync::PalmDatabase storedDatabase(const std::string& name) const
    {
        hotsync::PalmDatabase database;
        std::string error;
        EXPECT_TRUE(hotsync::loadPalmDatabaseFile(databasePath(name), database, error)) << error;
        return database;
    }

    testsupport::TempDir temp_;
};
