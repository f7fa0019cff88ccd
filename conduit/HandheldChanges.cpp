#include "HandheldChanges.h"

#include "ConduitLog.h"
#include "DesktopRows.h"
#include "MirrorRepair.h"
#include "PalmRecordEdits.h"
#include "PalmTables.h"
#include "SyncManager.h"
#include "SyncStatus.h"
#include "TableDescription.h"

namespace {

// The mirror row then holds what both sides have, so the desktop passes do not send it again.
void renewMirrorRow(const SyncRun& run, SyncTableDescription& table, PalmRecordEntry& entry)
{
    if (DeleteMirrorRow(run, table, entry.recordId) != 0)
        ConduitLog("Delete Failed");
    else if (InsertMirrorRow(run, table, entry.recordId, entry.bytes) != 0)
        ConduitLog("InsertVX Failed");
}

// A record the handheld deleted: its desktop row goes too, unless the desktop changed it later
// or still needs it, in which case the record comes back from the desktop.
void applyDeletedRecord(const SyncRun& run, SyncTableDescription& table, PalmRecordEntry& entry, bool found)
{
    if (found) {
        bool desktopKeepsIt = ComparePCTimestamp(table, entry) == 1;
        if (!desktopKeepsIt && RefuseDeletionInUse(run, table, entry, desktopKeepsIt) != 0) {
            ConduitLog("Update Failed");
            return;
        }
        if (desktopKeepsIt) {
            if (WriteDesktopRowToPalm(table, entry.recordId, entry.bytes) != 0) {
                ConduitLog("Palm Record Update Failed");
                return;
            }
            entry.status = kStatusOverwrittenFromDesktop;
            renewMirrorRow(run, table, entry);
            return;
        }
        if (DeletePCRow(run, table, entry) != 0) {
            ConduitLog("Update Failed");
            return;
        }
        entry.status = kStatusDeletedOnDesktop;
    }
    entry.followUp = HandheldFollowUp::Removal;
    if (DeleteMirrorRow(run, table, entry.recordId) != 0)
        ConduitLog("Delete Failed");
}

// A new or changed record: the newer side wins.
void applyChangedRecord(const SyncRun& run, SyncTableDescription& table, PalmRecordEntry& entry, bool found)
{
    if (found && ComparePCTimestamp(table, entry) == 1) {
        if (WriteDesktopRowToPalm(table, entry.recordId, entry.bytes) != 0) {
            ConduitLog("Update Failed");
            return;
        }
        entry.status = kStatusOverwrittenFromDesktop;
    } else if (found) {
        if (UpdatePCRow(run, table, entry) != 0) {
            ConduitLog("Update Failed");
            return;
        }
        entry.status = kStatusUpdatedOnDesktop;
        entry.followUp = HandheldFollowUp::WriteBack;
    } else {
        if (InsertPCRow(run, table, entry) != 0) {
            ConduitLog("Insert Failed");
            return;
        }
        entry.status = kStatusInsertedOnDesktop;
        entry.followUp = HandheldFollowUp::WriteBack;
    }
    renewMirrorRow(run, table, entry);
    SyncYieldCycles(1);
}

}  // namespace

int PurgeTable(const SyncRun& run, SyncTableDescription& table)
{
    SyncYieldCycles(1);
    ConduitLog("Purging table!!");
    if (PurgePCRows(run, table) != 0) {
        ConduitLog("Delete All Failed");
        return 1;
    }
    std::int32_t error = SyncPurgeAllRecs(table.handheldHandle);
    if (error != SYNC_OK)
        ConduitLog("Error Purging PDT data err=" + std::to_string(error));
    table.records.clear();
    table.written = true;
    return 0;
}

int ApplyHandheldChanges(const SyncRun& run, SyncTableDescription& table)
{
    if (ReadModifiedPalmRecords(table) != 0) {
        ConduitLog("Error Reading Table Data");
        return 1;
    }
    RepairMirror(run, table);
    for (PalmRecordEntry& entry : table.records) {
        SyncYieldCycles(1);
        if (RefuseShortRecord(table, entry))
            continue;
        bool found = false;
        if (FindPCRow(run, table, entry, found) != 0)
            continue;
        if (entry.deleted)
            applyDeletedRecord(run, table, entry, found);
        else
            applyChangedRecord(run, table, entry, found);
    }
    return 0;
}

void SettleHandheldFollowUps(SyncTableDescription& table)
{
    for (PalmRecordEntry& entry : table.records) {
        if (entry.followUp == HandheldFollowUp::WriteBack)
            WriteBackPalmRecord(table, entry);
        else if (entry.followUp == HandheldFollowUp::Removal)
            DeletePalmRecord(table, entry.recordId);
        entry.followUp = HandheldFollowUp::None;
    }
}
